#include "imaging/jpeg_cache.h"
#include "support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

using namespace tollamar;

namespace {

const TFileStamp kStamp{1, 1, 100, 0, 0};

// A picture of width x height; its cost is width x height x 3 bytes.
QImage picture(int width, int height) { return QImage(width, height, QImage::Format_RGB32); }

QStringList names(const TJpegCache& cache) {
    QStringList out;
    for (const TJpegItem& item : cache.Items()) out.append(item.FileName);
    return out;
}

}  // namespace

// The trim walks from the newest entry and keeps every one that still fits, so it
// differs from a least-recently-used cache that stops at the first eviction.
TEST(JpegCache, TrimKeepsNewestFirstAndOlderEntriesThatStillFit) {
    TJpegCache big;  // 6 MB = 6,291,456 bytes
    big.Add("a", kStamp, picture(1600, 1200));  // 5,760,000
    EXPECT_EQ(names(big), QStringList({"a"}));
    big.Add("b", kStamp, picture(640, 480));  // 921,600: both together exceed
    EXPECT_EQ(names(big), QStringList({"b"}));

    TJpegCache middle;
    middle.Add("old", kStamp, picture(1000, 1667));  // 5,001,000
    middle.Add("mid", kStamp, picture(1000, 667));   // 2,001,000
    middle.Add("new", kStamp, picture(1000, 1000));  // 3,000,000
    EXPECT_EQ(names(middle), QStringList({"mid", "new"}));

    TJpegCache skip;
    skip.Add("old", kStamp, picture(1000, 333));   // 999,000
    skip.Add("mid", kStamp, picture(1000, 1667));  // 5,001,000
    skip.Add("new", kStamp, picture(1000, 1000));  // 3,000,000
    EXPECT_EQ(names(skip), QStringList({"old", "new"}));

    // A hit becomes the newest and survives the next trim ahead of older entries.
    ASSERT_TRUE(skip.TakeFromCache("old", kStamp).has_value());
    skip.Add("next", kStamp, picture(1000, 1000));
    EXPECT_EQ(names(skip), QStringList({"old", "next"}));

    EXPECT_TRUE(skip.SetCacheSize(0));
    EXPECT_TRUE(skip.Items().empty());
}

TEST(JpegCache, BudgetIsSixtyFourBitAndRangeChecked) {
    EXPECT_EQ(TJpegCache(3000).BudgetBytes(), int64_t{3000} * 1048576);  // past 2^31
    EXPECT_EQ(TJpegCache(-5).BudgetBytes(), 0);
    TJpegCache cache(1000);  // a hand-written value is used as read
    cache.Add("a", kStamp, picture(1000, 1000));
    EXPECT_EQ(cache.Items().size(), 1u);
    EXPECT_FALSE(cache.SetCacheSize(300));
    EXPECT_FALSE(cache.SetCacheSize(-1));
    EXPECT_EQ(cache.CacheSize(), 1000);
    EXPECT_TRUE(cache.SetCacheSize(256));
    EXPECT_FALSE(cache.SetCacheSize(256));
}

TEST(JpegCache, ChangedFileOrFailedDecodeIsAMiss) {
    testsupport::TempFolder folder;
    const QString file = folder.write("p.jpg", QByteArray(1000, 'a'));
    const TFileStamp before = FileStampOf(file);
    TJpegCache cache(64);
    cache.Add(file, before, picture(100, 100));
    EXPECT_TRUE(cache.TakeFromCache(file, FileStampOf(file)).has_value());

    // Rewritten as the safe rewrite does it: a new file of the same length renamed into
    // place, with the old modification time put back.
    struct stat old {};
    ASSERT_EQ(stat(QFile::encodeName(file).constData(), &old), 0);
    const QString fresh = folder.write("p.new", QByteArray(1000, 'b'));
    ASSERT_EQ(std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(file).constData()), 0);
    const timespec times[2] = {old.st_atim, old.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
    const TFileStamp after = FileStampOf(file);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.modifiedNs, before.modifiedNs);
    EXPECT_FALSE(cache.TakeFromCache(file, after).has_value());
    EXPECT_TRUE(cache.Items().empty());  // the stale entry is gone

    cache.Add(file, after, QImage());
    cache.Add(folder.path("gone.jpg"), FileStampOf(folder.path("gone.jpg")), picture(10, 10));
    EXPECT_TRUE(cache.Items().empty());
}
