// The rewrite and the other writers under real processes: killed at each step, two at
// once, on a full disk.

#include "cli_run.h"
#include "jpegfile/comment_io.h"
#include "jpegfile/segment_replace.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::TempFolder;

namespace {

// The comment stands right before SOS, where a rewrite puts it.
QByteArray bigPhoto(QByteArrayView comment, char fill = '\x12') {
    return JpegBuilder().soi().app1("Exif-ish").tables().com(comment).sosAndData(QByteArray(600000, fill)).bytes();
}

// Files other than the listed ones that a run left in the folder.
QStringList strays(const TempFolder& dir, const QStringList& expected) {
    QStringList left = dir.entries();
    for (const QString& name : expected) left.removeOne(name);
    return left;
}

// strace, or empty when it is missing or cannot trace here. LeakSanitizer cannot run
// under ptrace, so a sanitizer build's traced programs go without their exit-time leak
// check rather than fail at exit.
QString usableStrace() {
    const QByteArray asan = qgetenv("ASAN_OPTIONS");
    qputenv("ASAN_OPTIONS", asan + (asan.isEmpty() ? "" : ":") + "detect_leaks=0");
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty() || RunProgram(strace, {"-o", "/dev/null", "true"}).status != 0) return {};
    return strace;
}

}  // namespace

TEST(RewriteUnderKill, TheNameHoldsTheOldOrTheNewFileWholeAtEveryStep) {
    const QString strace = usableStrace();
    if (strace.isEmpty()) GTEST_SKIP() << "strace cannot trace here";
    TempFolder dir;
    const QByteArray before = bigPhoto("old");
    const QByteArray after = bigPhoto("new");
    const QString photo = dir.write("p.jpg", before);
    int kills = 0;
    for (const char* call : {"write", "fchmod", "fsetxattr", "utimensat", "fsync", "link", "renameat2", "unlink"}) {
        for (int nth = 1; nth <= 2; ++nth) {
            const QString inject = QStringLiteral("inject=%1:signal=KILL:when=%2").arg(call).arg(nth);
            const CliRun run = RunProgram(
                strace, {"-f", "-o", "/dev/null", "-e", inject, TOLLAMAR_CLI, "set-comment", "new", photo});
            kills += run.killed;
            const QByteArray now = TempFolder::read(photo);
            EXPECT_TRUE(now == before || now == after) << call << " #" << nth << ": " << now.size() << " bytes";
            // recover clears temporary files and leaves the photo and its backups alone;
            // a backup left beside it holds the old photo whole.
            EXPECT_EQ(cli({"recover", "--apply", dir.path({})}).status, 0);
            EXPECT_TRUE(TempFolder::read(photo) == now);
            for (const QString& name : strays(dir, {"p.jpg"})) {
                EXPECT_EQ(name, QStringLiteral("p.jpg.000")) << call << " #" << nth;
                EXPECT_TRUE(TempFolder::read(dir.path(name)) == before) << call << " #" << nth;
                QFile::remove(dir.path(name));
            }
            // A later run is not held up by a lock the killed one had.
            ASSERT_EQ(cli({"set-comment", "old", photo}).status, 0);
            ASSERT_TRUE(TempFolder::read(photo) == before);
        }
    }
    EXPECT_GT(kills, 8);
}

TEST(RewriteUnderKill, RecoverPutsACompleteBackupBackOnlyWhereThePhotoIsMissingOrCutOff) {
    TempFolder dir;
    const QByteArray whole = bigPhoto("whole");
    dir.write("cut.jpg", whole.left(1000));
    dir.write("cut.jpg.000", whole);
    dir.write("gone.jpg.001", whole);
    dir.write("fine.jpg", bigPhoto("fine"));
    dir.write("fine.jpg.000", whole);
    dir.write("bad.jpg.000", whole.left(500));
    // A name with no room for the suffix has its backup under a shortened name.
    const QString stem(251, u'L');
    dir.write(stem + ".jpg", whole.left(1000));
    dir.write(stem + ".000", whole);
    const QString foreign = testsupport::ForeignNames()[2];  // a lone 0xFF byte
    dir.write(foreign + ".002", whole);
    const CliRun listed = cli({"recover", dir.path({})});
    EXPECT_EQ(listed.status, 0);
    EXPECT_TRUE(listed.out.contains(dir.path("gone.jpg.001") + ": complete JPEG; the photo " +
                                    dir.path("gone.jpg") + " is missing"))
        << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains(" the photo " + dir.path(stem + ".jpg") + " (cut off)"))
        << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains(dir.path(foreign + ".002") + ": complete JPEG; the photo " + dir.path(foreign)));
    EXPECT_EQ(dir.entries().size(), 9);  // listing touches nothing
    // set-comment refuses the cut-off photo and names its backup.
    const CliRun refused = cli({"set-comment", "x", dir.path("cut.jpg")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(dir.path("cut.jpg.000"))) << refused.err.toStdString();

    EXPECT_EQ(cli({"recover", "--apply", dir.path({})}).status, 0);
    EXPECT_EQ(dir.entries(),
              QStringList({stem + ".jpg", "bad.jpg.000", "cut.jpg", "fine.jpg", "fine.jpg.000", "gone.jpg", foreign}));
    EXPECT_TRUE(TempFolder::read(dir.path(stem + ".jpg")) == whole);
    EXPECT_TRUE(TempFolder::read(dir.path(foreign)) == whole);
    EXPECT_TRUE(TempFolder::read(dir.path("cut.jpg")) == whole);
    EXPECT_TRUE(TempFolder::read(dir.path("gone.jpg")) == whole);
    EXPECT_EQ(ReadComment(dir.path("fine.jpg")), QStringLiteral("fine"));
}

TEST(RewriteConcurrency, TwoWritersOverTheSamePhotosLoseNothing) {
    TempFolder dir;
    QStringList photos, names;
    for (int i = 0; i < 40; ++i) {
        names.append(QStringLiteral("p%1.jpg").arg(i));
        photos.append(dir.write(names.last(), bigPhoto("old", static_cast<char>(i + 1))));
    }
    QProcess a, b;
    a.start(QStringLiteral(TOLLAMAR_CLI), QStringList({"set-comment", "AAAA"}) + photos);
    b.start(QStringLiteral(TOLLAMAR_CLI), QStringList({"set-comment", "BB"}) + photos);
    ASSERT_TRUE(a.waitForFinished(120000) && b.waitForFinished(120000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();
    for (int i = 0; i < photos.size(); ++i) {
        const QByteArray now = TempFolder::read(photos[i]);
        const QString comment = ReadComment(photos[i]);
        EXPECT_TRUE(comment == "AAAA" || comment == "BB") << names[i].toStdString();
        EXPECT_TRUE(now == bigPhoto(comment.toLatin1(), static_cast<char>(i + 1))) << names[i].toStdString();
    }
    EXPECT_EQ(strays(dir, names), QStringList());
}

// Blocks until a file whose name starts with prefix is created in the watched folder.
static bool waitForCreated(int inotifyFd, const char* prefix) {
    alignas(inotify_event) char buffer[4096];
    pollfd ready{inotifyFd, POLLIN, 0};
    while (poll(&ready, 1, 60000) == 1) {
        const ssize_t got = read(inotifyFd, buffer, sizeof buffer);
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && std::strncmp(event->name, prefix, std::strlen(prefix)) == 0) return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return false;
}

// An appender that starts while another holds the photo must add to what that one
// wrote, not to the comment it could read before the photo was free.
TEST(RewriteConcurrency, AnAppendWaitingForAnotherKeepsBothTexts) {
    const QString strace = usableStrace();
    if (strace.isEmpty()) GTEST_SKIP() << "strace cannot trace here";
    TempFolder dir;
    const QString photo = dir.write("p.jpg", bigPhoto("old"));
    const int watch = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    const auto closeWatch = qScopeGuard([&] { close(watch); });
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(dir.path({})).constData(), IN_CREATE), 0);
    // The first writer is held at its fsync, with the photo locked and its new file begun.
    QProcess first, second;
    first.start(strace, {"-f", "-o", "/dev/null", "-e", "inject=fsync:delay_enter=1000000", TOLLAMAR_CLI,
                         "set-comment", "--append", "+A", photo});
    ASSERT_TRUE(waitForCreated(watch, ".tollamar-"));
    second.start(QStringLiteral(TOLLAMAR_CLI), {"set-comment", "--append", "+B", photo});
    ASSERT_TRUE(first.waitForFinished(120000) && second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(ReadComment(photo), QStringLiteral("old+A+B"));
}

// Where the file system has no hard links the backup is a copy, and a copy of a private
// photo must be private too (the deletion is made to fail to keep it to look at).
TEST(RewriteUnderKill, ABackupCopyOfAPrivatePhotoIsPrivate) {
    const QString strace = usableStrace();
    if (strace.isEmpty()) GTEST_SKIP() << "strace cannot trace here";
    TempFolder dir;
    const QString photo = dir.write("p.jpg", bigPhoto("old"));
    ASSERT_EQ(chmod(QFile::encodeName(photo).constData(), 0600), 0);
    const CliRun run = RunProgram(strace, {"-f", "-o", "/dev/null", "-e", "inject=link,linkat:error=EPERM", "-e",
                                           "inject=unlink,unlinkat:error=EPERM", TOLLAMAR_CLI, "set-comment", "new", photo});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(ReadComment(photo), QStringLiteral("new"));
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(dir.path("p.jpg.000")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(TempFolder::read(dir.path("p.jpg.000")) == bigPhoto("old"));
}

TEST(RewriteOnFullDisk, FailuresNameFileAndReasonAndKeepEveryEarlierFile) {
    TempFolder dir;
    const QString mount = dir.path("small");
    QDir().mkdir(mount);
    if (RunProgram("mount", {"-t", "tmpfs", "-o", "size=2m", "tmpfs", mount}).status != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    const auto unmount = qScopeGuard([&] { RunProgram("umount", {mount}); });
    const QByteArray before = bigPhoto("old");
    const QString photo = mount + "/p.jpg", exif = mount + "/p.exif";
    QFile::copy(dir.write("src.jpg", before), photo);
    ASSERT_EQ(cli({"export-exif", photo, exif}).status, 0);
    // Fill the disk to its last bytes.
    QFile filler(mount + "/filler");
    filler.open(QIODevice::WriteOnly);
    while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {}
    filler.close();

    const CliRun set = cli({"set-comment", QString(60000, u'c'), photo});
    EXPECT_EQ(set.status, 1);
    EXPECT_TRUE(set.err.contains(photo) && set.err.contains("No space left")) << set.err.toStdString();
    EXPECT_TRUE(TempFolder::read(photo) == before);
    QFile::remove(mount + "/filler");
    ASSERT_EQ(cli({"import-exif", photo, dir.write("big.exif", QByteArray(300000, 'e'))}).status, 0);
    filler.open(QIODevice::WriteOnly);
    while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {}
    filler.close();
    const QByteArray goodExport = TempFolder::read(exif), imported = TempFolder::read(photo);
    const CliRun exported = cli({"export-exif", photo, exif});
    EXPECT_EQ(exported.status, 1);
    EXPECT_TRUE(exported.err.contains(exif) && exported.err.contains("No space left")) << exported.err.toStdString();
    EXPECT_TRUE(TempFolder::read(exif) == goodExport);
    const CliRun thumb = cli({"thumbnail", photo, photo});  // never over the photo itself
    EXPECT_EQ(thumb.status, 1);
    EXPECT_TRUE(TempFolder::read(photo) == imported);
    EXPECT_EQ(QDir(mount).entryList(QDir::Files | QDir::Hidden),
              QStringList({"filler", "p.exif", "p.jpg"}));
}
