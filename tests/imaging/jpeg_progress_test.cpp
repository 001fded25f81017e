#include "imaging/jpeg_progress.h"

#include <gtest/gtest.h>

using namespace tollamar;

namespace {

JpegProgressState at(long counter, unsigned row, long completed = 0, long total = 1) {
    JpegProgressState state;
    state.completedPasses = completed;
    state.totalPasses = total;
    state.passCounter = counter;
    state.passLimit = 100;
    state.outputScanline = row;
    state.outputWidth = 640;
    state.outputHeight = 480;
    return state;
}

}  // namespace

TEST(JpegProgress, PercentCountsPassesAndTruncates) {
    EXPECT_EQ(JpegProgressPercent(at(50, 0)), 50);
    EXPECT_EQ(JpegProgressPercent(at(99, 0)), 99);
    EXPECT_EQ(JpegProgressPercent(at(50, 0, 1, 2)), 75);
    EXPECT_EQ(JpegProgressPercent(at(1, 0, 0, 3)), 0);  // 0.33
    JpegProgressState noLimit = at(5, 0, 1, 2);
    noLimit.passLimit = 0;
    EXPECT_EQ(JpegProgressPercent(noLimit), 50);
    EXPECT_EQ(JpegProgressPercent(at(0, 0, 0, 0)), 0);
    EXPECT_EQ(JpegProgressPercent(at(0, 0, 5, 2)), 100);
}

TEST(JpegProgress, ReportsAtMostEveryHalfSecondAndOnlyOnChange) {
    JpegProgressThrottle throttle;
    JpegProgressReport report;
    EXPECT_FALSE(throttle.Tick(1000, at(10, 48), report));  // first call starts the clock
    EXPECT_FALSE(throttle.Tick(1499, at(20, 96), report));
    ASSERT_TRUE(throttle.Tick(1500, at(20, 96), report));
    EXPECT_EQ(report.percent, 20);
    EXPECT_EQ(report.rows, QRect(0, 0, 640, 96));
    EXPECT_TRUE(report.redrawNow);
    EXPECT_FALSE(throttle.Tick(2100, at(20, 100), report));  // same percentage
    ASSERT_TRUE(throttle.Tick(2101, at(21, 98), report));   // clock ran from 1500
    EXPECT_EQ(report.rows, QRect(0, 96, 640, 2));
    EXPECT_FALSE(report.redrawNow);  // fewer than 4 rows
}

TEST(JpegProgress, BandThatWrapsRunsToTheBottom) {
    JpegProgressThrottle throttle;
    JpegProgressReport report;
    throttle.Tick(0, at(0, 0), report);
    ASSERT_TRUE(throttle.Tick(600, at(90, 400, 0, 2), report));
    ASSERT_TRUE(throttle.Tick(1200, at(10, 16, 1, 2), report));  // second output pass
    EXPECT_EQ(report.rows, QRect(0, 400, 640, 80));
}
