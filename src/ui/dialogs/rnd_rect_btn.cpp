#include "ui/dialogs/rnd_rect_btn.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <array>

namespace tollamar {
namespace {

constexpr int kEdgePen = 3;
constexpr int kFlashSteps = 9;
constexpr int kFlashMs = 200;
constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;

// The keys last pressed on any round button, oldest first; the sequence below makes
// the focused one flash.
std::array<int, 4>& keyMemory() {
    static std::array<int, 4> memory{};
    return memory;
}
constexpr std::array<int, 4> kFlashKeys{Qt::Key_T, Qt::Key_L, Qt::Key_M, Qt::Key_Space};

QColor mapComponents(const QColor& c, int (*f)(int)) { return QColor(f(c.red()), f(c.green()), f(c.blue())); }

// Windows-style rectangle (right and bottom exclusive) as the centre line of a pen.
QRectF penRect(int left, int top, int right, int bottom) {
    return QRectF(left, top, right - left - 1, bottom - top - 1);
}

QPainterPath roundedPath(const QRectF& rect, int ellipseWidth, int ellipseHeight) {
    QPainterPath path;
    path.addRoundedRect(rect, std::max(0, ellipseWidth) / 2.0, std::max(0, ellipseHeight) / 2.0);
    return path;
}

}  // namespace

TRndRectEdgeColors RndRectEdgeColors(const QColor& base) {
    return {mapComponents(base, [](int c) { return 255 - (255 - c) * 2 / 3; }),
            mapComponents(base, [](int c) { return c * 3 / 4; }),
            mapComponents(base, [](int c) { return 255 - (255 - c) / 4; }),
            mapComponents(base, [](int c) { return c / 2; })};
}

TRndRectBtn::TRndRectBtn(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent), m_color(palette().color(QPalette::Button)) {
    m_flashTimer.setInterval(kFlashMs);
    connect(&m_flashTimer, &QTimer::timeout, this, [this] { flashStep(); });
}

void TRndRectBtn::setEllipseWidth(int width) {
    m_ellipseWidth = width;
    UpdateRegion();
    update();
}

void TRndRectBtn::setEllipseHeight(int height) {
    m_ellipseHeight = height;
    UpdateRegion();
    update();
}

void TRndRectBtn::setFocusMark(bool on) {
    m_focusMark = on;
    update();
}

void TRndRectBtn::setGlyph(const QPixmap& glyph) {
    m_glyph = glyph.copy();
    update();
}

void TRndRectBtn::setLayout(TButtonLayout layout) {
    m_layout = layout;
    update();
}

void TRndRectBtn::setColor(const QColor& color) {
    m_color = color;
    update();
}

void TRndRectBtn::UpdateRegion() {
    clearMask();
    if (m_ellipseWidth < 1 || m_ellipseHeight < 1) return;
    QBitmap shape(size());
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawPath(roundedPath(QRectF(0, 0, width() + 1, height() + 1), m_ellipseWidth, m_ellipseHeight));
    painter.end();
    setMask(shape);
}

void TRndRectBtn::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    UpdateRegion();
}

void TRndRectBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (isFlashing()) {
        static const QColor colors[] = {Qt::blue, Qt::green, Qt::red};
        painter.fillRect(rect(), colors[m_flashStep % 3]);
        return;
    }
    const bool pressed = isDown();
    painter.fillRect(rect(), m_color);
    painter.setFont(font());
    paintCaptionAndGlyph(painter, pressed);
    paintEdges(painter, pressed);
    if (hasFocus() && m_focusMark) paintFocusMark(painter, pressed);
}

void TRndRectBtn::paintCaptionAndGlyph(QPainter& painter, bool pressed) {
    const int W = width(), H = height();
    const bool side = m_layout == TButtonLayout::blGlyphLeft || m_layout == TButtonLayout::blGlyphRight;
    const int g = m_glyph.width(), h = m_glyph.height();
    QRect measure(QPoint(4, 2), QPoint(W - 4 - 1, H - 2 - 1));
    if (!m_glyph.isNull() && side) measure.setRight(measure.right() - (g + 2));
    const QRect measured = painter.fontMetrics().boundingRect(measure, kTextFlags, text());
    const int w = measured.width(), mh = measured.height();
    // Text box in left, top, right, bottom form (right and bottom exclusive).
    int left = 4, right = W - 4, bottom = H - 2;
    int top = (2 + bottom - mh) / 2;
    QPoint glyphAt((W - g) / 2, (H - h) / 2);
    const bool oneLine = painter.fontMetrics().height() >= mh;
    if (!m_glyph.isNull() && !text().isEmpty()) {
        switch (m_layout) {
        case TButtonLayout::blGlyphLeft:
            if (oneLine) right += g + 2;
            else left += g + 2;
            glyphAt = QPoint((W - w - g - 2) / 2, (H - h) / 2);
            break;
        case TButtonLayout::blGlyphRight:
            if (oneLine) left -= g + 2;
            else right -= g + 2;
            glyphAt = QPoint(W - g - (W - w - g - 2) / 2, (H - h) / 2);
            break;
        case TButtonLayout::blGlyphTop:
            top += (h + 2) / 2;
            bottom += (h + 2) / 2;
            glyphAt = QPoint((W - g) / 2, top - 2 - h);
            break;
        case TButtonLayout::blGlyphBottom:
            top -= (h + 2) / 2;
            bottom -= (h + 2) / 2;
            glyphAt = QPoint((W - g) / 2, top + 2 + mh);
            break;
        }
    }
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint();
    if (!m_glyph.isNull()) painter.drawPixmap(glyphAt + shift, m_glyph);
    const QRect box(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (!isEnabled()) {
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(box.translated(1, 1), kTextFlags, text());
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
        painter.drawText(box, kTextFlags, text());
        return;
    }
    painter.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
    painter.drawText(box.translated(shift), kTextFlags, text());
}

void TRndRectBtn::paintEdges(QPainter& painter, bool pressed) {
    const TRndRectEdgeColors colors = RndRectEdgeColors(m_color);
    const int L = 0, T = 0, R = width(), B = height();
    // Each outline is offset so that the window's shape clips away its far half: raised
    // buttons keep light edges top-left and dark ones bottom-right, pressed ones the reverse.
    const QRectF outer(penRect(L, T, R + 2, B + 2)), inner(penRect(L - 2, T - 2, R, B));
    const QRectF outerB(penRect(L - 1, T - 1, R + 3, B + 3)), innerB(penRect(L - 3, T - 3, R + 1, B + 1));
    const std::pair<QColor, QRectF> outlines[] = {{colors.lightA, pressed ? inner : outer},
                                                  {colors.darkA, pressed ? outer : inner},
                                                  {colors.lightB, pressed ? innerB : outerB},
                                                  {colors.darkB, pressed ? outerB : innerB}};
    painter.setBrush(Qt::NoBrush);
    for (const auto& [color, rect] : outlines) {
        painter.setPen(QPen(color, kEdgePen));
        painter.drawPath(roundedPath(rect, m_ellipseWidth + 4, m_ellipseHeight + 4));
    }
}

void TRndRectBtn::paintFocusMark(QPainter& painter, bool pressed) {
    QRect area = rect().adjusted(3, 3, -3, -3);
    if (pressed) area.translate(1, 1);
    if (m_ellipseWidth == 0 || m_ellipseHeight == 0) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = area;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        return;
    }
    const QPainterPath ring =
        roundedPath(area, m_ellipseWidth - 6, m_ellipseHeight - 6)
            .subtracted(roundedPath(area.adjusted(1, 1, -1, -1), m_ellipseWidth - 8, m_ellipseHeight - 8));
    // Inverting every other pixel gives a dotted ring that shows on any colour.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillPath(ring, QBrush(Qt::white, Qt::Dense4Pattern));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TRndRectBtn::keyPressEvent(QKeyEvent* event) {
    std::array<int, 4>& memory = keyMemory();
    std::rotate(memory.begin(), memory.begin() + 1, memory.end());
    memory.back() = event->key();
    if (memory != kFlashKeys) {
        QPushButton::keyPressEvent(event);
        return;
    }
    m_flashStep = 0;
    m_flashTimer.start();
    update();
}

void TRndRectBtn::flashStep() {
    if (++m_flashStep >= kFlashSteps) {
        m_flashStep = -1;
        m_flashTimer.stop();
    }
    update();
}

}  // namespace tollamar
