#include "jpegfile/comment_io.h"
#include "jpegfile/safe_rewrite.h"
#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/file_times.h"
#include "platform/notice.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QFile>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::TempFolder;

class SafeRewrite : public ::testing::Test {
protected:
    void SetUp() override {
        SetNoticeHandler([this](const QString& text) { notices.append(text); });
        original = JpegBuilder().soi().com("old").tables().sosAndData().bytes();
        photo = dir.write("photo.jpg", original);
        TFileTimes t;
        t.lastAccess = {1400000000, 111};
        t.lastWrite = {1300000000, 222000};
        SetFileTimes(photo, t);
    }
    void TearDown() override {
        faults::Reset();
        SetNoticeHandler(nullptr);
    }
    void expectUntouched(const QStringList& entries = {"photo.jpg"}) {
        EXPECT_EQ(TempFolder::read(photo), original);
        EXPECT_EQ(dir.entries(), entries);
        TFileTimes t;
        ASSERT_TRUE(GetFileTimes(photo, t));
        EXPECT_EQ(t.lastWrite.tv_sec, 1300000000);
        EXPECT_EQ(t.lastWrite.tv_nsec, 222000);
    }

    TempFolder dir;
    QByteArray original;
    QString photo;
    QStringList notices;
};

TEST_F(SafeRewrite, SuccessKeepsTimesAndLeavesNoBackup) {
    ASSERT_TRUE(ReplaceSegmentInFile(photo, "new", 0xFE));
    TFileTimes t;  // before anything reads the file again and moves its access time
    ASSERT_TRUE(GetFileTimes(photo, t));
    EXPECT_EQ(t.lastWrite.tv_sec, 1300000000);
    EXPECT_EQ(t.lastWrite.tv_nsec, 222000);
    EXPECT_EQ(t.lastAccess.tv_sec, 1400000000);
    EXPECT_EQ(ReadComment(photo), QStringLiteral("new"));
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg"}));
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(SafeRewrite, NotAJpegGoesToItsBackupAndStraightBack) {
    original = "GIF89a not a photo";
    photo = dir.write("photo.jpg", original);
    TFileTimes t;
    t.lastWrite = {1300000000, 222000};
    t.lastAccess = t.lastWrite;
    SetFileTimes(photo, t);
    EXPECT_FALSE(ReplaceSegmentInFile(photo, "new", 0xFE));
    expectUntouched();
}

TEST_F(SafeRewrite, WriteFailureRestoresThePhotoAndRaises) {
    faults::FailNth(faults::Op::Write, 1, ENOSPC);
    EXPECT_THROW(ReplaceSegmentInFile(photo, "new", 0xFE), Error);
    expectUntouched();
    faults::FailNth(faults::Op::Write, 2, ENOSPC);  // after the header was written
    EXPECT_THROW(ReplaceSegmentInFile(photo, QByteArray(100000, 'c'), 0xFE), Error);
    expectUntouched();
}

TEST_F(SafeRewrite, TruncatedSegmentRaisesAfterTheRestore) {
    original = JpegBuilder().soi().segment(0xDB, QByteArray(200, 1)).bytes().chopped(50);
    photo = dir.write("photo.jpg", original);
    EXPECT_THROW(ReplaceSegmentInFile(photo, "new", 0xFE), Error);
    EXPECT_EQ(TempFolder::read(photo), original);
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg"}));
}

TEST_F(SafeRewrite, AllBackupNamesTakenOrImmovableFileLeavesItAlone) {
    faults::FailNth(faults::Op::Rename, 1, EBUSY);
    EXPECT_FALSE(ReplaceSegmentInFile(photo, "new", 0xFE));
    expectUntouched();

    QStringList names{"photo.jpg"};
    for (int n = 0; n <= 999; ++n) {
        const QString name = QStringLiteral("photo.jpg.%1").arg(n, 3, 10, QChar(u'0'));
        dir.write(name, "taken");
        names.append(name);
    }
    EXPECT_FALSE(ReplaceSegmentInFile(photo, "new", 0xFE));
    expectUntouched(names);
}

TEST_F(SafeRewrite, UsesTheFirstFreeBackupNameAndLeavesOthersAlone) {
    dir.write("photo.jpg.000", "a");
    dir.write("photo.jpg.001", "b");
    EXPECT_EQ(RenameToBackup(photo), dir.path("photo.jpg.002"));
    ASSERT_TRUE(MoveFileNoReplace(dir.path("photo.jpg.002"), photo));
    ASSERT_TRUE(ReplaceSegmentInFile(photo, "new", 0xFE));
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg", "photo.jpg.000", "photo.jpg.001"}));
    EXPECT_EQ(TempFolder::read(dir.path("photo.jpg.001")), "b");
}

TEST_F(SafeRewrite, FailedMoveBackRaisesAndKeepsThePhotoInItsBackup) {
    original = "not a jpeg";
    photo = dir.write("photo.jpg", original);
    faults::FailNth(faults::Op::Rename, 2, EIO);  // the move back
    try {
        ReplaceSegmentInFile(photo, "new", 0xFE);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("ファイルの復元に失敗しました"));
    }
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg.000"}));
    EXPECT_EQ(TempFolder::read(dir.path("photo.jpg.000")), original);

    // Write failure followed by a failed move back: the same, with nothing half-written.
    ASSERT_TRUE(MoveFileNoReplace(dir.path("photo.jpg.000"), photo));
    original = JpegBuilder().soi().tables().sosAndData().bytes();
    QFile::remove(photo);
    photo = dir.write("photo.jpg", original);
    faults::FailNth(faults::Op::Write, 1, ENOSPC);
    faults::FailNth(faults::Op::Rename, 2, EIO);
    EXPECT_THROW(ReplaceSegmentInFile(photo, "new", 0xFE), Error);
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg.000"}));
    EXPECT_EQ(TempFolder::read(dir.path("photo.jpg.000")), original);
}

TEST_F(SafeRewrite, UndeletableBackupIsReportedButTheWriteCounts) {
    faults::FailNth(faults::Op::Delete, 1, EPERM);
    ASSERT_TRUE(ReplaceSegmentInFile(photo, "new", 0xFE));
    EXPECT_EQ(notices, QStringList({QStringLiteral("photo.jpg\r\n元ファイルの削除に失敗しました")}));
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg", "photo.jpg.000"}));
    EXPECT_EQ(TempFolder::read(dir.path("photo.jpg.000")), original);
    EXPECT_EQ(ReadComment(photo), QStringLiteral("new"));
}

TEST_F(SafeRewrite, ReadOnlyPhotoBecomesWritableAndKeepsItsOtherBits) {
    chmod(NativePath(photo).constData(), 0444);
    ASSERT_TRUE(ReplaceSegmentInFile(photo, "new", 0xFE));
    struct stat st {};
    stat(NativePath(photo).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(SafeRewrite, SymbolicLinkRewritesItsTargetAndStaysALink) {
    const QString link = dir.path("link.jpg");
    ASSERT_EQ(symlink("photo.jpg", NativePath(link).constData()), 0);
    ASSERT_TRUE(WriteComment(link, QStringLiteral("via link"), false));
    struct stat st {};
    lstat(NativePath(link).constData(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadComment(photo), QStringLiteral("via link"));
    EXPECT_EQ(dir.entries(), QStringList({"link.jpg", "photo.jpg"}));
}

TEST_F(SafeRewrite, MissingFileRaisesTheOpenError) {
    EXPECT_THROW(ReplaceSegmentInFile(dir.path("gone.jpg"), "new", 0xFE), Error);
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg"}));
}
