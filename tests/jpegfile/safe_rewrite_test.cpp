#include "jpegfile/comment_io.h"
#include "jpegfile/backup_names.h"
#include "jpegfile/safe_rewrite.h"
#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/file_times.h"
#include "platform/notice.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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
        TFileTimes t;  // before the content is read, which moves the access time
        ASSERT_TRUE(GetFileTimes(photo, t));
        EXPECT_EQ(t.lastWrite.tv_sec, 1300000000);
        EXPECT_EQ(t.lastWrite.tv_nsec, 222000);
        EXPECT_EQ(t.lastAccess.tv_sec, accessTime);
        EXPECT_EQ(TempFolder::read(photo), original);
        EXPECT_EQ(dir.entries(), entries);
        SetFileTimes(photo, t);  // the read above moved the access time
    }

    TempFolder dir;
    time_t accessTime = 1400000000;
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
    t.lastAccess = {accessTime, 0};
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

TEST_F(SafeRewrite, FailureAtAnyStepLeavesThePhotoWholeUnderItsName) {
    faults::FailNth(faults::Op::Rename, 2, EIO);  // the exchange, after the backup link
    EXPECT_THROW(ReplaceSegmentInFile(photo, "new", 0xFE), Error);
    expectUntouched();
    faults::FailNth(faults::Op::ReadData, 1, EIO);  // a read error is no end of file
    EXPECT_THROW(ReplaceSegmentInFile(photo, "new", 0xFE), Error);
    expectUntouched();
    faults::FailNth(faults::Op::Access, 1, EACCES);  // another user's photo in our folder
    try {
        ReplaceSegmentInFile(photo, "new", 0xFE);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Permission denied"))) << e.message().toStdString();
    }
    expectUntouched();
}

TEST_F(SafeRewrite, AnotherProgramsSaveBetweenReadAndReplaceIsKept) {
    const QByteArray theirs = JpegBuilder().soi().com("theirs").tables().sosAndData().bytes();
    // An editor that saves through a new file and a rename...
    faults::BeforeReplace([&] {
        dir.write("editor.tmp", theirs);
        rename(NativePath(dir.path("editor.tmp")).constData(), NativePath(photo).constData());
    });
    EXPECT_THROW(ReplaceSegmentInFile(photo, "new", 0xFE), Error);
    EXPECT_EQ(TempFolder::read(photo), theirs);
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg"}));
    // ...and one that writes into the same file.
    faults::BeforeReplace([&] {
        QFile f(photo);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("more");
    });
    EXPECT_THROW(ReplaceSegmentInFile(photo, "new", 0xFE), Error);
    EXPECT_EQ(TempFolder::read(photo), theirs + "more");
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg"}));
}

TEST_F(SafeRewrite, CutOffPhotoBesideABackupIsRefusedNamingIt) {
    const QByteArray cut = original.left(original.size() - 3);  // scan without EOI
    dir.write("photo.jpg", cut);
    dir.write("photo.jpg.000", original);
    try {
        ReplaceSegmentInFile(photo, "new", 0xFE);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(dir.path("photo.jpg.000"))) << e.message().toStdString();
    }
    EXPECT_EQ(TempFolder::read(photo), cut);
    EXPECT_EQ(TempFolder::read(dir.path("photo.jpg.000")), original);

    QFile::remove(photo);
    try {
        ReplaceSegmentInFile(photo, "new", 0xFE);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(dir.path("photo.jpg.000"))) << e.message().toStdString();
    }
    EXPECT_EQ(dir.entries(), QStringList({"photo.jpg.000"}));
}

TEST_F(SafeRewrite, OnlyRegularFilesAreOpenedAndNothingHangs) {
    ASSERT_EQ(mkfifo(NativePath(dir.path("fifo.jpg")).constData(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", NativePath(dir.path("zero.jpg")).constData()), 0);
    QDir().mkdir(dir.path("folder.jpg"));
    for (const char* name : {"fifo.jpg", "zero.jpg", "folder.jpg"}) {
        try {
            ReplaceSegmentInFile(dir.path(name), "new", 0xFE);
            ADD_FAILURE() << name << ": no error raised";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(dir.path(name)) || e.message().contains("/dev/zero")) << name;
        }
        EXPECT_THROW(ReadComment(dir.path(name)), Error) << name;
    }
}

// The value of an xattr, empty when the file has none.
static QByteArray attribute(const QString& path, const char* name) {
    char value[256] = {};
    const ssize_t n = getxattr(NativePath(path).constData(), name, value, sizeof value);
    return n < 0 ? QByteArray() : QByteArray(value, n);
}

TEST_F(SafeRewrite, PrivatePhotoKeepsItsModeAttributesAndAccessList) {
    // An access list that lets one more user read: owner rw, user 65534 r, group r, mask r.
    const unsigned char acl[] = {2, 0, 0, 0,  1, 0, 6, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                 2, 0, 4, 0, 0xFE, 0xFF, 0, 0,  4, 0, 4, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                                 0x10, 0, 4, 0, 0xFF, 0xFF, 0xFF, 0xFF,  0x20, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    const QByteArray native = NativePath(photo);
    struct stat st {};
    // The folder's default list is for new files: a photo that had no list of its own
    // must not come back readable by that user.
    if (setxattr(NativePath(dir.path({})).constData(), "system.posix_acl_default", acl, sizeof acl, 0) == 0) {
        chmod(native.constData(), 0640);
        ASSERT_TRUE(ReplaceSegmentInFile(photo, "new", 0xFE));
        EXPECT_EQ(attribute(photo, "system.posix_acl_access"), QByteArray());
        stat(native.constData(), &st);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
    }
    chmod(native.constData(), 0600);
    ASSERT_TRUE(ReplaceSegmentInFile(photo, "new", 0xFE));
    stat(native.constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    const bool haveAcl = setxattr(native.constData(), "system.posix_acl_access", acl, sizeof acl, 0) == 0;
    const bool haveXattr = setxattr(native.constData(), "user.rating", "5", 1, 0) == 0;
    if (!haveAcl && !haveXattr) GTEST_SKIP() << "no extended attributes on this file system";
    const QByteArray aclBefore = attribute(photo, "system.posix_acl_access");
    stat(native.constData(), &st);
    const mode_t modeBefore = st.st_mode & 07777;
    ASSERT_TRUE(ReplaceSegmentInFile(photo, "newer", 0xFE));
    EXPECT_EQ(attribute(photo, "system.posix_acl_access"), aclBefore);
    EXPECT_EQ(attribute(photo, "user.rating"), haveXattr ? QByteArray("5") : QByteArray());
    stat(native.constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, modeBefore);
}

TEST_F(SafeRewrite, LongNameRewritesThroughAShorterBackupName) {
    const QString name = QString(247, u'n') + QStringLiteral("写.jpg");  // 254 bytes
    photo = dir.write(name, original);
    faults::FailNth(faults::Op::Delete, 1, EPERM);  // keeps the backup to look at
    ASSERT_TRUE(ReplaceSegmentInFile(photo, "new", 0xFE));
    EXPECT_EQ(ReadComment(photo), QStringLiteral("new"));
    QStringList entries = dir.entries();
    entries.removeOne(QStringLiteral("photo.jpg"));
    ASSERT_EQ(entries.size(), 2) << entries.join(u' ').toStdString();
    ASSERT_TRUE(entries.removeOne(name));
    EXPECT_LE(QFile::encodeName(entries[0]).size(), 255);
    EXPECT_EQ(ExistingBackups(photo), QStringList({dir.path(entries[0])}));
    EXPECT_EQ(TempFolder::read(dir.path(entries[0])), original);
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

TEST_F(SafeRewrite, NamesThatAreNotUtf8AreRewrittenUnderTheirOwnBytes) {
    QStringList expected = {"photo.jpg"};
    for (const QString& name : testsupport::ForeignNames()) {
        const QString path = dir.write(name, original);
        ASSERT_TRUE(WriteComment(path, QStringLiteral("新しい"), false));
        EXPECT_EQ(ReadComment(path), QStringLiteral("新しい"));
        // The numbered backup and the temporary file were made from the same bytes.
        struct stat like {};
        ASSERT_EQ(stat(NativePath(path).constData(), &like), 0);
        ASSERT_TRUE(LinkToBackup(path, original, like).endsWith(u".000"));
        EXPECT_EQ(ExistingBackups(path), QStringList({BackupName(path, 0)}));
        ASSERT_TRUE(DeleteFileRetry(BackupName(path, 0)));
        expected.append(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.entries(), expected);
    EXPECT_TRUE(notices.isEmpty());
}
