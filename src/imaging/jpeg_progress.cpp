#include "imaging/jpeg_progress.h"

#include <algorithm>

namespace tollamar {

int JpegProgressPercent(const JpegProgressState& state) {
    if (state.totalPasses <= 0) return 0;
    double passes = static_cast<double>(state.completedPasses);
    if (state.passLimit > 0)
        passes += static_cast<double>(state.passCounter) / static_cast<double>(state.passLimit);
    const double percent = 100.0 * passes / static_cast<double>(state.totalPasses);
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

bool JpegProgressThrottle::Tick(int64_t nowMs, const JpegProgressState& state,
                                JpegProgressReport& report) {
    if (!m_clockStarted) {
        m_clockStarted = true;
        m_lastReportMs = nowMs;
        return false;
    }
    if (nowMs - m_lastReportMs < kIntervalMs) return false;
    const int percent = JpegProgressPercent(state);
    if (percent == m_lastPercent) return false;

    const unsigned top = std::min(m_lastRow, state.outputHeight);
    // A row counter below the last one means a new output pass began: the band runs to
    // the bottom of the picture.
    const unsigned bottom = state.outputScanline < m_lastRow ? state.outputHeight
                                                               : state.outputScanline;
    const int height = static_cast<int>(bottom - std::min(top, bottom));
    report.percent = percent;
    report.rows = QRect(0, static_cast<int>(top), static_cast<int>(state.outputWidth), height);
    report.redrawNow = height >= 4;

    m_lastReportMs = nowMs;
    m_lastPercent = percent;
    m_lastRow = state.outputScanline;
    return true;
}

}  // namespace tollamar
