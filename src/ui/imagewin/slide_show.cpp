#include "ui/imagewin/slide_show.h"

#include <QElapsedTimer>

namespace tollamar {
namespace {

quint32 monotonicMs() {
    static const QElapsedTimer start = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return static_cast<quint32>(start.elapsed());
}

}  // namespace

TSlideShow::TSlideShow(Clock clock, QObject* parent)
    : QObject(parent), m_clock(clock ? std::move(clock) : Clock(monotonicMs)) {
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &TSlideShow::tick);
    m_stamp = m_clock();
}

void TSlideShow::setActive(bool active) {
    if (active) m_timer.start();
    else m_timer.stop();
    restart();
}

void TSlideShow::restart() { m_stamp = m_clock(); }

void TSlideShow::tick() {
    if (!isActive()) return;
    const quint32 now = m_clock();
    // Unsigned: correct across the counter's wrap-around.
    if (static_cast<quint32>(now - m_stamp) <= kWaitMs) return;
    m_stamp = now;
    emit next();
}

}  // namespace tollamar
