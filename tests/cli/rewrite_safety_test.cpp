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
#include <gtest/gtest.h>

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

}  // namespace

TEST(RewriteUnderKill, TheNameHoldsTheOldOrTheNewFileWholeAtEveryStep) {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty() || RunProgram(strace, {"-o", "/dev/null", "true"}).status != 0)
        GTEST_SKIP() << "strace cannot trace here";
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
    const QString foreign = testsupport::ForeignNames()[2];  // a lone 0xFF byte
    dir.write(foreign + ".002", whole);
    const CliRun listed = cli({"recover", dir.path({})});
    EXPECT_EQ(listed.status, 0);
    EXPECT_TRUE(listed.out.contains(dir.path("gone.jpg.001") + ": complete JPEG; the photo " +
                                    dir.path("gone.jpg") + " is missing"))
        << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains(dir.path(foreign + ".002") + ": complete JPEG; the photo " + dir.path(foreign)));
    EXPECT_EQ(dir.entries().size(), 7);  // listing touches nothing
    // set-comment refuses the cut-off photo and names its backup.
    const CliRun refused = cli({"set-comment", "x", dir.path("cut.jpg")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(dir.path("cut.jpg.000"))) << refused.err.toStdString();

    EXPECT_EQ(cli({"recover", "--apply", dir.path({})}).status, 0);
    EXPECT_EQ(dir.entries(), QStringList({"bad.jpg.000", "cut.jpg", "fine.jpg", "fine.jpg.000", "gone.jpg", foreign}));
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
