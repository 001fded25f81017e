#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/file_times.h"
#include "support/temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tollamar;
using testsupport::TempFolder;

class FileOps : public ::testing::Test {
protected:
    void TearDown() override { faults::Reset(); }
    TempFolder dir;
};

TEST_F(FileOps, MoveNeverReplacesAnExistingFile) {
    const QString a = dir.write("a", "first"), b = dir.write("b", "second");
    EXPECT_FALSE(MoveFileNoReplace(a, b));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(TempFolder::read(b), "second");
    EXPECT_EQ(TempFolder::read(a), "first");
    EXPECT_TRUE(MoveFileNoReplace(a, dir.path("c")));
    EXPECT_EQ(dir.entries(), QStringList({"b", "c"}));
}

TEST_F(FileOps, DeleteClearsReadOnlyAndReportsInjectedFailure) {
    const QString f = dir.write("ro.jpg", "x");
    chmod(NativePath(f).constData(), 0444);
    EXPECT_EQ(GetFileAttributesOf(f) & faReadOnly, faReadOnly);
    faults::FailNth(faults::Op::Delete, 1, EPERM);
    EXPECT_FALSE(DeleteFileRetry(f));
    EXPECT_TRUE(FileExists(f));
    EXPECT_TRUE(DeleteFileRetry(f));
    EXPECT_FALSE(FileExists(f));
    EXPECT_FALSE(DeleteFileRetry(f));  // gone already
}

TEST_F(FileOps, AttributesFollowTheLinuxEquivalents) {
    EXPECT_EQ(GetFileAttributesOf(dir.write(".hidden", "")), faHidden);
    EXPECT_EQ(GetFileAttributesOf(dir.path("")) & faDirectory, faDirectory);
    EXPECT_EQ(GetFileAttributesOf("/dev/null") & faSystem, faSystem);
    EXPECT_EQ(GetFileAttributesOf(dir.path("missing")), 0xFFFFFFFFu);
}

TEST_F(FileOps, WriteNewFileRefusesExistingNameAndCleansUpAfterFailure) {
    const QString existing = dir.write("photo.jpg", "keep me");
    EXPECT_ANY_THROW(WriteNewFileSynced(existing, {"new"}, nullptr));
    EXPECT_EQ(TempFolder::read(existing), "keep me");

    faults::FailNth(faults::Op::Write, 2, ENOSPC);
    EXPECT_ANY_THROW(WriteNewFileSynced(dir.path("new.jpg"), {"head", "tail"}, nullptr));
    EXPECT_FALSE(FileExists(dir.path("new.jpg")));

    struct stat like {};
    stat(NativePath(existing).constData(), &like);
    like.st_mode = S_IFREG | 0440;
    WriteNewFileSynced(dir.path("new.jpg"), {"head", "tail"}, &like);
    EXPECT_EQ(TempFolder::read(dir.path("new.jpg")), "headtail");
    struct stat made {};
    stat(NativePath(dir.path("new.jpg")).constData(), &made);
    EXPECT_EQ(made.st_mode & 0777, 0640u);  // the original's bits, plus owner write
}

TEST_F(FileOps, TimesRoundTripToTheNanosecond) {
    const QString f = dir.write("t.jpg", "x");
    TFileTimes set;
    set.lastAccess = {1600000000, 123456789};
    set.lastWrite = {1500000000, 987654321};
    ASSERT_TRUE(SetFileTimes(f, set));
    TFileTimes got;
    ASSERT_TRUE(GetFileTimes(f, got));
    EXPECT_EQ(got.lastWrite.tv_sec, 1500000000);
    EXPECT_EQ(got.lastWrite.tv_nsec, 987654321);
    EXPECT_EQ(got.lastAccess.tv_sec, 1600000000);
    EXPECT_FALSE(GetFileTimes(dir.path("missing"), got));
}

TEST_F(FileOps, ReadWholeFileRaisesTheOpenError) {
    EXPECT_EQ(ReadWholeFile(dir.write("f", QByteArray(200000, 'z'))).size(), 200000);
    EXPECT_ANY_THROW(ReadWholeFile(dir.path("missing")));
    faults::FailNth(faults::Op::Read, 1, EIO);
    EXPECT_ANY_THROW(ReadWholeFile(dir.path("f")));
}
