#include "ui/imagewin/image_view.h"

#include "imaging/fit_geometry.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace tollamar {

namespace {

constexpr int kOverlayFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kScrollStep = 20;

}  // namespace

TImageView::TImageView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    // The window handles no keys of its own: the arrows stay with the photo list.
    setFocusPolicy(Qt::NoFocus);
    // Every paint fills its whole rectangle: the background is never erased separately.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
}

void TImageView::SetImageMode(TImageMode mode) {
    if (mode == m_mode) return;
    const QSize client = viewport()->size();
    const float fx = VisibleCentre(horizontalScrollBar()->value(), client.width(), m_area.width());
    const float fy = VisibleCentre(verticalScrollBar()->value(), client.height(), m_area.height());
    m_mode = mode;
    if (!hasPicture()) return;
    updateScrollRanges();
    if (mode != TImageMode::Scaled) {
        const QSize zoomed = ZoomedSize(mode, m_picture.size());
        horizontalScrollBar()->setValue(CentredPosition(zoomed.width(), fx, client.width()));
        verticalScrollBar()->setValue(CentredPosition(zoomed.height(), fy, client.height()));
    }
    LayoutImage();
    viewport()->update();
}

void TImageView::setPicture(const QImage& picture) {
    m_picture = picture;
    updateScrollRanges();
    centreScroll();
    LayoutImage();
    viewport()->update();
}

void TImageView::clearPicture() { setPicture(QImage()); }

void TImageView::setPictureVisible(bool visible) {
    m_pictureVisible = visible;
    viewport()->update();
}

void TImageView::centreScroll() {
    const QSize zoomed = ZoomedSize(m_mode, m_picture.size());
    const QSize client = viewport()->size();
    horizontalScrollBar()->setValue(CentredPosition(zoomed.width(), 0.5f, client.width()));
    verticalScrollBar()->setValue(CentredPosition(zoomed.height(), 0.5f, client.height()));
}

void TImageView::updateScrollRanges() {
    const bool scrolls = m_mode != TImageMode::Scaled && hasPicture();
    const Qt::ScrollBarPolicy policy = scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    const QSize zoomed = scrolls ? ZoomedSize(m_mode, m_picture.size()) : QSize(0, 0);
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, zoomed.width() - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, zoomed.height() - client.height()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
}

void TImageView::LayoutImage() {
    if (!hasPicture() || m_picture.width() <= 0 || m_picture.height() <= 0) {
        m_area = QRect(0, 0, 0, 0);
    } else if (m_mode == TImageMode::Scaled) {
        m_area = CalcFitRect(viewport()->rect(), m_picture);
    } else {
        const QSize zoomed = ZoomedSize(m_mode, m_picture.size());
        const QSize client = viewport()->size();
        m_area = QRect(QPoint(AreaOffset(client.width(), zoomed.width(), horizontalScrollBar()->value()),
                              AreaOffset(client.height(), zoomed.height(), verticalScrollBar()->value())),
                       zoomed);
    }
}

void TImageView::setStatus(const QString& text, bool visible) {
    m_statusText = text;
    m_statusVisible = visible;
    viewport()->update();
}

void TImageView::setOverlayText(const QString& text) {
    if (text == m_overlayText) return;
    m_overlayText = text;
    viewport()->update();
}

void TImageView::setOverlayVisible(bool visible) {
    m_overlayVisible = visible;
    viewport()->update();
}

QString TImageView::overlayDisplayText() const {
    QString text = m_overlayText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QRect TImageView::overlayBand() const {
    if (!m_overlayVisible || m_overlayText.isEmpty()) return {};
    const int width = viewport()->width();
    const QRect text = viewport()->fontMetrics().boundingRect(QRect(0, 0, width, 1 << 20), kOverlayFlags,
                                                              overlayDisplayText());
    return QRect(0, 0, width, text.height());
}

void TImageView::setPictureCursor(const QCursor& cursor) {
    m_pictureCursor = cursor;
    m_cursorChanged = true;
    updateCursor(viewport()->mapFromGlobal(QCursor::pos()));
}

void TImageView::updateCursor(const QPoint& pos) {
    const bool over = m_pictureVisible && m_area.contains(pos);
    if (over == m_cursorOverPicture && !m_cursorChanged) return;
    m_cursorOverPicture = over;
    m_cursorChanged = false;
    viewport()->setCursor(over ? m_pictureCursor : QCursor(Qt::ArrowCursor));
}

void TImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    paintScene(painter, event->rect());
    const QRect band = overlayBand() & event->rect();
    if (!band.isEmpty()) paintOverlay(painter, band);
}

void TImageView::paintScene(QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, palette().color(QPalette::Window));
    if (m_pictureVisible) paintPicture(painter, rect & m_area);
    if (m_statusVisible && !m_statusText.isEmpty()) {
        painter.setFont(viewport()->font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, m_statusText);
    }
}

void TImageView::paintPicture(QPainter& painter, const QRect& exposed) {
    if (exposed.isEmpty() || !hasPicture()) return;
    // Pixels are repeated or dropped, never blended.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (m_mode == TImageMode::Scaled) {
        painter.save();
        painter.setClipRect(exposed);
        painter.drawImage(m_area, m_picture);
        painter.restore();
        return;
    }
    const TZoomCopy copy = ZoomCopyRect(m_mode, exposed.translated(-m_area.topLeft()));
    painter.drawImage(copy.dest.translated(m_area.topLeft()), m_picture, copy.source);
}

// The band is darkened from the pixels painted under it, so the scene under it is
// painted off screen first.
void TImageView::paintOverlay(QPainter& painter, const QRect& rect) {
    const qreal ratio = viewport()->devicePixelRatioF();
    QImage buffer((QSizeF(rect.size()) * ratio).toSize(), QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter off(&buffer);
        off.translate(-rect.topLeft());
        paintScene(off, rect);
    }
    DarkenToSevenEighths(buffer);
    {
        QPainter off(&buffer);
        off.translate(-rect.topLeft());
        off.setFont(viewport()->font());
        off.setPen(Qt::white);
        off.drawText(overlayBand(), kOverlayFlags, overlayDisplayText());
    }
    painter.drawImage(rect.topLeft(), buffer);
}

void TImageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
    LayoutImage();
    viewport()->update();
}

void TImageView::scrollContentsBy(int dx, int dy) {
    LayoutImage();
    // Only the newly exposed strip is painted, unless something stays put on top.
    if (overlayBand().isEmpty() && !m_statusVisible) viewport()->scroll(dx, dy);
    else viewport()->update();
}

bool TImageView::onPicture(const QPoint& pos) const {
    return m_pictureVisible && m_area.contains(pos) && !overlayBand().contains(pos);
}

void TImageView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !onPicture(pos)) return;
    m_dragging = true;
    m_dragStart = pos - m_area.topLeft();
    if (!window()->isActiveWindow()) ClickGuard = 2;
}

void TImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    updateCursor(pos);
    if (!m_dragging) return;
    // The area moves with the scroll, so the grabbed point stays under the pointer.
    const QPoint moved = pos - m_area.topLeft() - m_dragStart;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
    ++ClickGuard;
}

void TImageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) return;
    m_dragging = false;
    const int guard = ClickGuard;
    ClickGuard = 0;
    if (onPicture(event->position().toPoint())) emit pictureClicked(guard, event->modifiers());
}

void TImageView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onPicture(event->position().toPoint())) emit pictureDoubleClicked();
}

void TImageView::contextMenuEvent(QContextMenuEvent* event) { emit contextMenuRequested(event->globalPos()); }

void TImageView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    // The click that brings the window forward must not count as a click on the picture.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        QGuiApplication::mouseButtons() != Qt::NoButton)
        ClickGuard = 10;
}

}  // namespace tollamar
