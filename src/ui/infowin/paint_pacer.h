#pragma once
// Holds a widget's painting to the screen's frame rate. Stepping through photos with a
// key held down changes the window far more often than a screen shows frames, and
// every paint costs a trip to the display server; a change that follows the last frame
// within one frame interval waits for the next frame, where all of them are painted at
// once. A change after a pause paints at once, as it would without the pacer.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

namespace tollamar {

class TPaintPacer : public QObject {
    Q_OBJECT
public:
    explicit TPaintPacer(QWidget& widget);

    // Call before changing what the widget shows.
    void beginChange();
    // True from a held change until the frame that paints it.
    bool holding() const { return m_frameTimer.isActive(); }
    int frameMilliseconds() const { return m_frameMs; }

signals:
    // Painting resumed for the held changes; they are painted with the next events.
    void released();

private:
    void release();

    QWidget& m_widget;
    QTimer m_frameTimer;
    // Since the last change that was let through to paint.
    QElapsedTimer m_sinceFrame;
    int m_frameMs;
};

}  // namespace tollamar
