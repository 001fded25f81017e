#pragma once
// TImageView: one picture in a scroll area, fitted to the client or at a fixed scale,
// with a status text over the client and the comment band across its top. Only the
// exposed part of the picture is ever painted, so a x4 view of a 10,000-pixel photo
// costs no more than a fitted one. The view knows nothing of files or decoding: the
// image window and the full-screen display both feed it pictures.

#include "ui/imagewin/image_geometry.h"

#include <QAbstractScrollArea>
#include <QImage>

namespace tollamar {

class TImageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TImageView(QWidget* parent = nullptr);

    TImageMode ImageMode() const { return m_mode; }
    // Switches the mode keeping the visible centre where it was.
    void SetImageMode(TImageMode mode);

    // The picture on screen (shares pixels; null when none).
    const QImage& picture() const { return m_picture; }
    // Puts a picture on screen: a fixed mode places it at the origin, the scroll is
    // centred and the area laid out.
    void setPicture(const QImage& picture);
    void clearPicture();
    void setPictureVisible(bool visible);
    bool pictureVisible() const { return m_pictureVisible; }
    // Both scroll positions at the middle of their range.
    void centreScroll();
    // Sizes and places the picture area for the client size, mode and scroll.
    void LayoutImage();
    // The picture area in viewport coordinates; empty without a picture.
    QRect pictureArea() const { return m_area; }

    QString statusText() const { return m_statusText; }
    bool statusVisible() const { return m_statusVisible; }
    void setStatus(const QString& text, bool visible);

    QString overlayText() const { return m_overlayText; }
    bool overlayVisible() const { return m_overlayVisible; }
    void setOverlayText(const QString& text);
    void setOverlayVisible(bool visible);
    // The band the comment takes at the top of the viewport; empty when not drawn.
    QRect overlayBand() const;

    // Counts what a press has done since it began (see pictureClicked).
    int ClickGuard = 0;
    // The cursor over the picture area (a crosshair unless set).
    void setPictureCursor(const QCursor& cursor);
    QCursor pictureCursor() const { return m_pictureCursor; }

signals:
    void pictureDoubleClicked();
    // A left button released over the picture, with ClickGuard as it stood before the
    // release reset it: below 2 it was a click that neither dragged nor activated.
    void pictureClicked(int clickGuard, Qt::KeyboardModifiers modifiers);
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool hasPicture() const { return !m_picture.isNull(); }
    bool onPicture(const QPoint& pos) const;
    void updateScrollRanges();
    void updateCursor(const QPoint& pos);
    void paintScene(QPainter& painter, const QRect& rect);
    void paintPicture(QPainter& painter, const QRect& exposed);
    void paintOverlay(QPainter& painter, const QRect& rect);
    QString overlayDisplayText() const;

    QImage m_picture;
    TImageMode m_mode = TImageMode::Scaled;
    QRect m_area;
    bool m_pictureVisible = false;
    QString m_statusText;
    bool m_statusVisible = false;
    QString m_overlayText;
    bool m_overlayVisible = false;
    bool m_dragging = false;
    QPoint m_dragStart;  // area coordinates
    QCursor m_pictureCursor{Qt::CrossCursor};
    bool m_cursorOverPicture = false;
    bool m_cursorChanged = true;
};

}  // namespace tollamar
