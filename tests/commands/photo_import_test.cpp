#include "commands/photo_import.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/file_times.h"
#include "support/temp_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTimeZone>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tollamar;
using testsupport::TempFolder;

namespace {

// Nine hours east of UTC all year round, so that local and UTC days differ before 09:00.
class EastOfUtc : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("TZ");
        m_hadTz = old != nullptr;
        if (old) m_oldTz = old;
        setenv("TZ", "JST-9", 1);
        tzset();
    }
    void TearDown() override {
        faults::Reset();
        if (m_hadTz) setenv("TZ", m_oldTz.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

    // Local wall-clock time in the zone above, as seconds since the epoch.
    static qint64 local(int y, int mo, int d, int h = 12, int mi = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), QTimeZone(9 * 3600)).toSecsSinceEpoch();
    }
    static QString put(const QString& path, const QByteArray& bytes, qint64 lastWrite) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) ADD_FAILURE() << "cannot write " << path.toStdString();
        f.close();
        TFileTimes times;
        times.lastAccess.tv_sec = static_cast<time_t>(lastWrite);
        times.lastWrite.tv_sec = static_cast<time_t>(lastWrite);
        EXPECT_TRUE(SetFileTimes(path, times));
        return path;
    }

    TImportResult import(const QString& from, const QString& to) {
        TImportHooks hooks;
        hooks.progress = [this](const QString& a, const QString& b) { lines << a + u'|' + b; };
        return RunImport(from, to, hooks);
    }

    static QStringList tree(const QString& root) {
        QStringList all;
        for (const QString& day : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            for (const QString& f : QDir(root + u'/' + day).entryList(QDir::Files, QDir::Name)) all << day + u'/' + f;
        return all;
    }

    TempFolder card, album;
    QStringList lines;

private:
    bool m_hadTz = false;
    std::string m_oldTz;
};

}  // namespace

TEST_F(EastOfUtc, PhotosGoIntoTheDayOfTheirLocalLastWriteTime) {
    put(card.path("a.jpg"), "A", local(2003, 12, 25, 0, 0));  // 24 Dec in UTC
    put(card.path("b.JPG"), "B", local(2003, 12, 25, 23, 59));
    put(card.path("c.Jpg"), "C", local(2003, 12, 26, 8, 30));
    put(card.path("d.jpeg"), "D", local(2003, 12, 26));
    put(card.path("e.jpg.txt"), "E", local(2003, 12, 26));
    QDir(card.path("")).mkdir(QStringLiteral("sub.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(card.path("pipe.jpg")).constData(), 0600), 0);

    const TImportResult first = import(card.path(""), album.path(""));
    EXPECT_EQ(first.copied, 3);
    EXPECT_EQ(tree(album.path("")),
              QStringList({"20031225/a.jpg", "20031225/b.JPG", "20031226/c.Jpg"}));
    EXPECT_EQ(TempFolder::read(album.path("20031226/c.Jpg")), "C");
    TFileTimes times;
    ASSERT_TRUE(GetFileTimes(album.path("20031225/a.jpg"), times));
    EXPECT_EQ(times.lastWrite.tv_sec, local(2003, 12, 25, 0, 0));
    ASSERT_EQ(lines.size(), 3);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QStringLiteral("|b.JPG"))) {
            EXPECT_EQ(lines[i], album.path("20031225/...") + QStringLiteral("|b.JPG\r\n%1/3").arg(i + 1));
        }
    }

    // The second run finds every photo in place and adds nothing.
    lines.clear();
    const TImportResult second = import(card.path(""), album.path(""));
    EXPECT_EQ(second.copied, 0);
    EXPECT_EQ(second.skipped, 3);
    EXPECT_EQ(tree(album.path("")).size(), 3);
    EXPECT_EQ(QDir(album.path("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

TEST_F(EastOfUtc, ImportingIntoTheSourceFolderAndFromNowhere) {
    put(card.path("a.jpg"), "A", local(2004, 1, 2));
    put(card.path("b.jpg"), "B", local(2004, 1, 3));
    EXPECT_EQ(import(card.path(""), card.path("")).copied, 2);
    EXPECT_EQ(TempFolder::read(card.path("20040102/a.jpg")), "A");
    EXPECT_EQ(TempFolder::read(card.path("20040103/b.jpg")), "B");
    EXPECT_EQ(card.entries(), QStringList({"20040102", "20040103", "a.jpg", "b.jpg"}));

    const TImportResult none = import(card.path("missing"), album.path(""));
    EXPECT_EQ(none.copied + none.skipped, 0);
    EXPECT_TRUE(album.entries().isEmpty());
    EXPECT_TRUE(ListImportFiles(QString()).isEmpty());
}

TEST_F(EastOfUtc, AFailedCopyLeavesNoPartialPhotoSoTheNextImportTakesIt) {
    const QByteArray big(3 * 1024 * 1024 + 17, 'j');
    put(card.path("big.jpg"), big, local(2011, 7, 7));
    faults::FailNth(faults::Op::Write, 2, ENOSPC);  // after the first megabyte
    EXPECT_EQ(import(card.path(""), album.path("")).skipped, 1);
    EXPECT_FALSE(QFile::exists(album.path("20110707/big.jpg")));
    EXPECT_EQ(import(card.path(""), album.path("")).copied, 1);
    EXPECT_EQ(TempFolder::read(album.path("20110707/big.jpg")), big);
}

TEST_F(EastOfUtc, DayFolderFallsBackToTheCreationTimeWhenLastWriteIsZero) {
    TFileTimes times;
    times.creation.tv_sec = static_cast<time_t>(local(2001, 2, 3, 1, 0));
    EXPECT_EQ(DayFolderName(times), QStringLiteral("20010203"));
    times.lastWrite.tv_sec = static_cast<time_t>(local(1999, 12, 31, 23, 59));
    EXPECT_EQ(DayFolderName(times), QStringLiteral("19991231"));
}

TEST(CopyFileNoReplace, NeverReplacesAndKeepsTheModificationTime) {
    TempFolder dir;
    const QString from = dir.write("from.jpg", "photo"), to = dir.write("to.jpg", "already here");
    EXPECT_FALSE(CopyFileNoReplace(from, to));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(TempFolder::read(to), "already here");
    // A dangling link is not followed into a new file either.
    ASSERT_EQ(symlink("nowhere.jpg", QFile::encodeName(dir.path("link.jpg")).constData()), 0);
    EXPECT_FALSE(CopyFileNoReplace(from, dir.path("link.jpg")));
    EXPECT_FALSE(QFile::exists(dir.path("nowhere.jpg")));

    TFileTimes old;
    old.lastAccess.tv_sec = old.lastWrite.tv_sec = 1000000000;
    old.lastWrite.tv_nsec = 123456789;
    ASSERT_TRUE(SetFileTimes(from, old));
    ASSERT_TRUE(CopyFileNoReplace(from, dir.path("copy.jpg")));
    TFileTimes copied;
    ASSERT_TRUE(GetFileTimes(dir.path("copy.jpg"), copied));
    EXPECT_EQ(copied.lastWrite.tv_sec, 1000000000);
    EXPECT_EQ(copied.lastWrite.tv_nsec, 123456789);
    EXPECT_EQ(TempFolder::read(dir.path("copy.jpg")), "photo");

    EXPECT_FALSE(CopyFileNoReplace(dir.path("missing.jpg"), dir.path("x.jpg")));
    EXPECT_FALSE(CopyFileNoReplace(dir.path(""), dir.path("y.jpg")));  // a folder
    EXPECT_FALSE(QFile::exists(dir.path("x.jpg")) || QFile::exists(dir.path("y.jpg")));
}
