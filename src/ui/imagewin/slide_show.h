#pragma once
// TSlideShow: the automatic stepping of the full-screen display. It only says when the
// next photo is due: every half second it looks whether more than six seconds have
// passed since the last step or user action, on a 32-bit millisecond counter whose
// wrap-around does not matter (the difference is taken unsigned).

#include <QObject>
#include <QTimer>
#include <functional>

namespace tollamar {

class TSlideShow : public QObject {
    Q_OBJECT

public:
    // Milliseconds on a monotonic counter that may wrap around.
    using Clock = std::function<quint32()>;
    static constexpr int kTickMs = 500;
    static constexpr quint32 kWaitMs = 6000;

    // Without a clock, the process's monotonic millisecond counter is used.
    explicit TSlideShow(Clock clock = {}, QObject* parent = nullptr);

    // Starts or stops the timer; either way the wait starts again now.
    void setActive(bool active);
    bool isActive() const { return m_timer.isActive(); }
    // A step or a user action: the next automatic step is a full wait away.
    void restart();
    // What each timer tick runs: announces next when the wait is over, and restarts it.
    void tick();

signals:
    void next();

private:
    Clock m_clock;
    QTimer m_timer;
    quint32 m_stamp = 0;
};

}  // namespace tollamar
