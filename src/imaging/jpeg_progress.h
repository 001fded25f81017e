#pragma once
// Turns libjpeg's progress monitor calls into the object's progress reports: at most one
// every 500 ms, only when the percentage moved, each with the band of rows decoded since
// the previous report.

#include <QRect>
#include <cstdint>

namespace tollamar {

// Where the decompressor stands when it calls its progress monitor.
struct JpegProgressState {
    long completedPasses = 0;
    long totalPasses = 0;
    long passCounter = 0;
    long passLimit = 0;
    unsigned outputScanline = 0;
    unsigned outputWidth = 0;
    unsigned outputHeight = 0;
};

struct JpegProgressReport {
    int percent = 0;
    QRect rows;  // the rows decoded since the previous report
    bool redrawNow = false;
};

class JpegProgressThrottle {
public:
    static constexpr int64_t kIntervalMs = 500;

    // nowMs comes from a monotonic clock. True when a report is due; it is then in report.
    bool Tick(int64_t nowMs, const JpegProgressState& state, JpegProgressReport& report);

private:
    bool m_clockStarted = false;
    int64_t m_lastReportMs = 0;
    int m_lastPercent = 0;  // the starting report said 0
    unsigned m_lastRow = 0;
};

// trunc(100 x (completed passes + pass counter / pass limit) / total passes), within 0..100.
int JpegProgressPercent(const JpegProgressState& state);

}  // namespace tollamar
