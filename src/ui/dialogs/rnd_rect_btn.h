#pragma once
// TRndRectBtn: a push button with rounded corners (its window shape is cut to a rounded
// rectangle) and a bevelled three-pixel edge whose colours derive from the button's
// colour, optionally with a picture beside the caption.

#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace tollamar {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The four edge colours of a button of colour base (per component, integer arithmetic).
struct TRndRectEdgeColors {
    QColor lightA;  // 255 - (255 - c) * 2 / 3
    QColor darkA;   // c * 3 / 4
    QColor lightB;  // 255 - (255 - c) / 4
    QColor darkB;   // c / 2
};
TRndRectEdgeColors RndRectEdgeColors(const QColor& base);

class TRndRectBtn : public QPushButton {
public:
    explicit TRndRectBtn(const QString& caption, QWidget* parent = nullptr);

    int EllipseWidth() const { return m_ellipseWidth; }
    int EllipseHeight() const { return m_ellipseHeight; }
    // Both reshape the window (UpdateRegion) and repaint.
    void setEllipseWidth(int width);
    void setEllipseHeight(int height);
    bool FocusMark() const { return m_focusMark; }
    void setFocusMark(bool on);
    QPixmap Glyph() const { return m_glyph; }
    void setGlyph(const QPixmap& glyph);
    TButtonLayout Layout() const { return m_layout; }
    void setLayout(TButtonLayout layout);
    // The background and the base of the edge colours; the button face colour at first.
    QColor Color() const { return m_color; }
    void setColor(const QColor& color);

    // Cuts the window to the rounded rectangle; a plain rectangle when either ellipse
    // size is below 1.
    void UpdateRegion();
    // True while the hidden key sequence's flash runs.
    bool isFlashing() const { return m_flashStep >= 0; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintCaptionAndGlyph(QPainter& painter, bool pressed);
    void paintEdges(QPainter& painter, bool pressed);
    void paintFocusMark(QPainter& painter, bool pressed);
    void flashStep();

    int m_ellipseWidth = 20;
    int m_ellipseHeight = 20;
    bool m_focusMark = true;
    QPixmap m_glyph;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    QColor m_color;
    QTimer m_flashTimer;
    int m_flashStep = -1;
};

}  // namespace tollamar
