#include "ui/infowin/paint_pacer.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tollamar {
namespace {

// Screens report 0 or odd rates at times (virtual displays, remote sessions); anything
// from 20 to 250 frames a second is taken as it stands.
int frameInterval(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    const double rate = screen ? screen->refreshRate() : 0.0;
    if (!(rate >= 20.0 && rate <= 250.0)) return 16;
    return std::max(4, static_cast<int>(std::lround(1000.0 / rate)));
}

}  // namespace

TPaintPacer::TPaintPacer(QWidget& widget) : QObject(&widget), m_widget(widget), m_frameMs(frameInterval(widget)) {
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &TPaintPacer::release);
}

void TPaintPacer::beginChange() {
    if (holding()) return;
    const qint64 since = m_sinceFrame.isValid() ? m_sinceFrame.elapsed() : m_frameMs;
    if (since >= m_frameMs || !m_widget.isVisible()) {
        m_sinceFrame.start();
        return;
    }
    // Updates asked for while painting is off are dropped; turning it on again repaints
    // the whole widget once.
    m_widget.setUpdatesEnabled(false);
    m_frameTimer.start(static_cast<int>(m_frameMs - since));
}

void TPaintPacer::release() {
    m_widget.setUpdatesEnabled(true);
    m_sinceFrame.start();
    emit released();
}

}  // namespace tollamar
