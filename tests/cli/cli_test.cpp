#include "cli_run.h"
#include "jpegfile/comment_io.h"
#include "platform/codepage.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tollamar;
using testsupport::JpegBuilder;
using testsupport::SegmentPayloads;
using testsupport::TempFolder;

namespace {

QByteArray photo(QByteArrayView comment) {
    return JpegBuilder().soi().app1("Exif-ish").com(comment).tables().sosAndData().bytes();
}

}  // namespace

TEST(Cli, CommentPrintsUtf8WithLfAndHeadsEachFileWhenSeveral) {
    TempFolder dir;
    const QString a = dir.write("a.jpg", photo(ToCp932(QStringLiteral("一行目\r\n二行目"))));
    const QString b = dir.write("b b.jpg", photo(QByteArray("\xFF\xFE" "A\0", 4)));
    CliRun one = cli({"comment", a});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, QStringLiteral("一行目\n二行目\n"));

    CliRun several = cli({"comment", a, dir.path("missing.jpg"), b});
    EXPECT_EQ(several.status, 1);
    EXPECT_EQ(several.out, QStringLiteral("==> %1 <==\n一行目\n二行目\n\n==> %2 <==\nA\n").arg(a, b));
    EXPECT_TRUE(several.err.startsWith(QStringLiteral("tollamar-cli: %1: ").arg(dir.path("missing.jpg"))))
        << several.err.toStdString();
}

TEST(Cli, SetCommentWritesBothFormsFromArgumentOrStdinAndAppends) {
    TempFolder dir;
    const QString a = dir.write("a.jpg", photo("old"));
    const QString b = dir.write("b.jpg", photo("old"));
    EXPECT_EQ(cli({"set-comment", "--unicode", "-", a, b}, "海\n😀\n").status, 0);
    EXPECT_EQ(ReadComment(a), QStringLiteral("海\r\n😀"));
    EXPECT_EQ(SegmentPayloads(TempFolder::read(b), 0xFE).first().left(2), QByteArray("\xFF\xFE"));

    EXPECT_EQ(cli({"set-comment", "--append", "+tail", a}).status, 0);
    EXPECT_EQ(ReadComment(a), QStringLiteral("海\r\n?+tail"));  // Shift-JIS has no emoji
    EXPECT_EQ(dir.entries(), QStringList({"a.jpg", "b.jpg"}));

    const QString notJpeg = dir.write("c.jpg", "plain text");
    CliRun failed = cli({"set-comment", "x", notJpeg, a});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("コメントの書き込みに失敗しました")));
    EXPECT_EQ(TempFolder::read(notJpeg), "plain text");
    EXPECT_EQ(ReadComment(a), QStringLiteral("x"));
}

TEST(Cli, HalfWidthKatakanaCommentsSurviveAppendAndPrintingStopsAtNul) {
    TempFolder dir;
    const QString kana = dir.write("kana.jpg", photo("\xC8\xBA"));  // also reads as two-byte UTF-8
    EXPECT_EQ(cli({"comment", kana}).out, QStringLiteral("ﾈｺ\n"));
    ASSERT_EQ(cli({"set-comment", "--append", "X", kana}).status, 0);
    EXPECT_EQ(SegmentPayloads(TempFolder::read(kana), 0xFE), QList<QByteArray>({"\xC8\xBAX"}));

    const QString nul = dir.write("nul.jpg", photo(QByteArray("ab\0cd", 5)));
    EXPECT_EQ(cli({"comment", nul}).out.toUtf8(), QByteArray("ab\n"));
}

// Comments and names come from whoever made the photo: escape sequences in them are
// kept for a pipe but never reach a terminal, where they would clear the screen or set
// the title.
TEST(Cli, ControlCharactersFromAPhotoReachAPipeButNotATerminal) {
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty()) GTEST_SKIP() << "no script(1) to give the program a terminal";
    TempFolder dir;
    const QString f = dir.write("f.jpg", photo("a\x1b]0;title\x07\x1b[2Jend"));
    EXPECT_EQ(cli({"comment", f}).out.toUtf8(), QByteArray("a\x1b]0;title\x07\x1b[2Jend\n"));

    const QString missing = dir.path("\x1b[31mred.jpg");
    const QString command = QStringLiteral("'%1' comment '%2' '%3'").arg(QStringLiteral(TOLLAMAR_CLI), f, missing);
    const CliRun onTerminal = RunProgram(script, {"-qec", command, "/dev/null"});
    EXPECT_EQ(onTerminal.status, 1);
    EXPECT_FALSE(onTerminal.out.contains(u'\x1b')) << onTerminal.out.toStdString();
    EXPECT_FALSE(onTerminal.out.contains(u'\x07'));
    EXPECT_TRUE(onTerminal.out.contains(QStringLiteral("a?]0;title??[2Jend"))) << onTerminal.out.toStdString();
    EXPECT_TRUE(onTerminal.out.contains(QStringLiteral("?[31mred.jpg"))) << "the error names the file too";
}

// A user's run as a script would make it: root may open every folder. As root the
// program runs as nobody from a copy in the scratch folder, since the build may lie
// where nobody cannot reach.
CliRun asOrdinaryUser(const TempFolder& dir, const QStringList& args) {
    if (geteuid() != 0) return cli(args);
    const QString bin = dir.path("bin");
    if (QDir().mkpath(bin) && !QFileInfo::exists(bin + "/tollamar-cli")) {
        const QString built = QFileInfo(QStringLiteral(TOLLAMAR_CLI)).absolutePath();
        for (const QString& name : QDir(built).entryList({"tollamar-cli", "libWordseek.so*"}, QDir::Files))
            QFile::copy(built + u'/' + name, bin + u'/' + name);
    }
    return RunProgram(QStringLiteral("setpriv"),
                      QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", bin + "/tollamar-cli"} + args);
}

TEST(Cli, AFolderTheWalkCannotOpenIsReportedAndTheRunFails) {
    TempFolder dir;
    QFile::setPermissions(dir.path(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                            QFile::ExeOther);
    if (asOrdinaryUser(dir, {"--version"}).status != 0) GTEST_SKIP() << "cannot run as an ordinary user here";
    ASSERT_TRUE(QDir(dir.path("")).mkdir("open") && QDir(dir.path("")).mkdir("locked"));
    const QString open = dir.write("open/a.jpg", photo("seen"));
    dir.write("locked/b.jpg", photo("hidden"));
    const QString locked = dir.path("locked");
    QFile::setPermissions(locked, geteuid() == 0 ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                 : QFile::Permissions());
    const CliRun run = asOrdinaryUser(dir, {"comments", "--subdir", dir.path("")});
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains(open)) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("hidden")));
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("tollamar-cli: %1: ").arg(locked))) << run.err.toStdString();
}

TEST(Cli, ExifSegmentExportAndImportRoundTrip) {
    TempFolder dir;
    const QByteArray big(70000, 'e');
    const QString source = dir.write("src.jpg", JpegBuilder().soi().app1(big.left(65533)).app1(big.mid(65533))
                                                    .tables().sosAndData().bytes());
    const QString target = dir.write("dst.jpg", photo("keep"));
    const QString exif = dir.path("data.exif");
    ASSERT_EQ(cli({"export-exif", source, exif}).status, 0);
    EXPECT_EQ(TempFolder::read(exif), big);
    ASSERT_EQ(cli({"import-exif", target, exif}).status, 0);
    const QList<QByteArray> payloads = SegmentPayloads(TempFolder::read(target), 0xE1);
    ASSERT_EQ(payloads.size(), 2);
    EXPECT_EQ(payloads[0] + payloads[1], big);
    EXPECT_EQ(ReadComment(target), QStringLiteral("keep"));

    // Exporting over the photo itself is refused and leaves the photo as it was.
    const QByteArray before = TempFolder::read(source);
    EXPECT_EQ(cli({"export-exif", source, source}).status, 1);
    EXPECT_EQ(TempFolder::read(source), before);

    // A photo that cannot be read leaves an existing export file alone.
    dir.write("old.exif", "previous");
    EXPECT_EQ(cli({"export-exif", dir.path("missing.jpg"), dir.path("old.exif")}).status, 1);
    EXPECT_EQ(TempFolder::read(dir.path("old.exif")), "previous");
}

TEST(Cli, UsageErrorsExitWithTwoAndHelpListsTheVerbs) {
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"frobnicate"}).status, 2);
    EXPECT_EQ(cli({"comment"}).status, 2);
    EXPECT_EQ(cli({"set-comment", "--bogus", "x", "f"}).status, 2);
    const CliRun help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* verb : {"comment", "set-comment", "export-exif", "import-exif"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(verb))) << verb;
}

class CliOnAlbum : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        album = new TempFolder;
        QProcess::execute(QStringLiteral(TOLLAMAR_MAKE_SAMPLES), {album->path(QStringLiteral("a")), "12"});
    }
    static void TearDownTestSuite() { delete album; }
    static QString photo(const char* name) { return album->path(QStringLiteral("a/") + QString::fromLatin1(name)); }
    static TempFolder* album;
};
TempFolder* CliOnAlbum::album = nullptr;

TEST_F(CliOnAlbum, InfoExifValuesAndSummaryAgreeOnOnePhoto) {
    const CliRun values = cli({"values", photo("IMG_0001.jpg")});
    ASSERT_EQ(values.status, 0) << values.err.toStdString();
    EXPECT_TRUE(values.out.contains(QStringLiteral("\nModel=")));
    const QString model = values.out.section(QStringLiteral("Model="), 1).section(u'\n', 0, 0);

    const CliRun exif = cli({"exif", photo("IMG_0001.jpg")});
    EXPECT_TRUE(exif.out.startsWith(model + u'(')) << exif.out.toStdString();
    EXPECT_TRUE(exif.out.contains(QStringLiteral("\n【詳細】（ダブルクリックで開閉）\n  [")));

    const CliRun summary = cli({"summary", photo("IMG_0001.jpg")});
    const QStringList lines = summary.out.split(u'\n');
    ASSERT_GE(lines.size(), 7);
    EXPECT_TRUE(lines[0].startsWith(model));
    EXPECT_EQ(lines[3], QString());
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral(" pixels")));

    const CliRun info = cli({"info", photo("IMG_0001.jpg")});
    EXPECT_TRUE(info.out.startsWith(QStringLiteral("IMG_0001.jpg\n") + lines[4] + u'\n'));
    EXPECT_TRUE(info.out.contains(QStringLiteral("\n  000000: 0xD8: SOI（Start of Image）\n")));
}

TEST_F(CliOnAlbum, ThumbnailsFromEmbeddedOrDecodedPictures) {
    TempFolder out;
    int embedded = 0;
    for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.jpg", "IMG_0004.jpg"}) {
        ASSERT_EQ(cli({"thumbnail", "--size", "100x80", photo(name), out.path("t.png")}).status, 0) << name;
        const QImage image(out.path("t.png"));
        EXPECT_TRUE(image.width() == 100 || image.height() == 80) << name;
        if (cli({"thumbnail", "--embedded", photo(name), out.path("e.jpg")}).status == 0) {
            ++embedded;
            EXPECT_TRUE(TempFolder::read(out.path("e.jpg")).startsWith("\xFF\xD8"));
        }
    }
    EXPECT_GT(embedded, 0);
    EXPECT_EQ(cli({"thumbnail", "--size", "0x5", photo("IMG_0001.jpg"), out.path("t.png")}).status, 2);
    const QString notJpeg = out.write("bad.jpg", "not a photo");
    const CliRun bad = cli({"thumbnail", notJpeg, out.path("b.png")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("JPEG エラー"))) << bad.err.toStdString();
}

TEST_F(CliOnAlbum, CommentsListTheCameraDateInIsoForm) {
    const QString exifDate = cli({"values", photo("IMG_0001.jpg")}).out.section(QStringLiteral("DateTimeOrg="), 1).section(u'\n', 0, 0);
    ASSERT_EQ(exifDate.size(), 19);
    const QString isoDate = exifDate.left(10).replace(u':', u'-') + exifDate.mid(10);
    const CliRun listed = cli({"comments", photo("IMG_0001.jpg")});
    EXPECT_TRUE(listed.out.endsWith(u'\t' + isoDate + u'\n')) << listed.out.toStdString();
}

TEST(Cli, NamesThatAreNotUtf8AreReadWrittenListedAndPrintedAsTheirBytes) {
    TempFolder dir;
    const QStringList names = testsupport::ForeignNames();
    const QString sub = dir.path(names[0].chopped(4));
    QStringList photos;
    for (const QString& name : names) photos.append(dir.write(name, photo("old")));
    ASSERT_TRUE(MakeFolderPath(sub));
    photos.append(dir.write(names[0].chopped(4) + u'/' + names[2], photo("old")));
    EXPECT_EQ(cli(QStringList{"set-comment", "海"} + photos).status, 0);
    EXPECT_EQ(cli({"comment", photos[1]}).out, QStringLiteral("海\n"));
    CliRun found = cli({"search", "--subdir", dir.path(QString()), "--", "海"});
    QStringList lines = found.out.split(u'\n', Qt::SkipEmptyParts);
    lines.sort();
    photos.sort();
    EXPECT_EQ(lines, photos);
    // The listing goes back in through standard input and names the same files.
    const QString table = cli({"comments", "--subdir", dir.path(QString())}).out.replace(QStringLiteral("\t海"), QStringLiteral("\t山"));
    EXPECT_EQ(cli({"set-comments", "-"}, NativeName(table)).out, QStringLiteral("changed 4, unchanged 0, failed 0\n"));
    for (const QString& path : photos) EXPECT_EQ(ReadComment(path), QStringLiteral("山"));
    const QString exif = dir.path(names[1].chopped(4) + QStringLiteral(".exif"));
    EXPECT_EQ(cli({"export-exif", photos[2], exif}).status, 0);
    EXPECT_EQ(cli({"import-exif", photos[0], exif}).status, 0);
    CliRun missing = cli({"comment", dir.path(QStringLiteral("x") + names[1])});
    EXPECT_TRUE(missing.err.contains(QStringLiteral("xcaf\\xE9.jpg"))) << missing.err.toStdString();
    QStringList expected = {names[0], names[1], names[1].chopped(4) + QStringLiteral(".exif"), names[2], names[0].chopped(4)};
    expected.sort();
    EXPECT_EQ(dir.entries(), expected);
}
