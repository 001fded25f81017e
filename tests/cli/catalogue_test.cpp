#include "cli_run.h"
#include "jpegfile/comment_codec.h"
#include "jpegfile/comment_io.h"
#include "platform/codepage.h"
#include "support/jpeg_builder.h"
#include "support/temp_folder.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tollamar;
using testsupport::FromSos;
using testsupport::JpegBuilder;
using testsupport::SegmentPayloads;
using testsupport::TempFolder;

namespace {

const QByteArray kExif = "Exif\0\0not parsed here";

QByteArray photo(QByteArrayView comment) {
    JpegBuilder builder;
    builder.soi().app1(kExif);
    if (!comment.isEmpty()) builder.com(comment);
    return builder.tables().sosAndData().bytes();
}

// Bytes, inode and modification time: a photo left alone keeps all three.
struct FileState {
    QByteArray bytes;
    ino_t inode = 0;
    long long mtimeNs = 0;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path) {
    struct stat st {};
    stat(path.toLocal8Bit().constData(), &st);
    return {TempFolder::read(path), st.st_ino, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
}

// An old, odd time, so that a rewrite that failed to restore it shows.
QString aged(const QString& path) {
    const timespec times[2] = {{978307200, 123456789}, {978307200, 123456789}};
    utimensat(AT_FDCWD, path.toLocal8Bit().constData(), times, 0);
    return path;
}

// The exported table by photo path: comment, encoding, bytes, date as written.
QMap<QString, QStringList> byPath(const QString& tsv) {
    QMap<QString, QStringList> rows;
    for (const QString& line : tsv.split(u'\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split(u'\t');
        rows[fields.takeFirst()] = fields;
    }
    return rows;
}

}  // namespace

TEST(CatalogueCli, ExportEditAndSetBackRoundTripsInBothEncodings) {
    // Edits as a user types them into the table, escapes and all.
    const QString japaneseEdit = QStringLiteral(R"(朝\r\n夕\tタブ \\ 円)");
    const QString japaneseText = QStringLiteral("朝\r\n夕\tタブ \\ 円");
    const QString emojiEdit = QStringLiteral(R"(絵文字 😀 \\n)");
    for (const bool unicode : {false, true}) {
        SCOPED_TRACE(unicode ? "unicode" : "shift-jis");
        TempFolder dir;
        const QString sj = aged(dir.write("sj.jpg", photo(ToCp932(QStringLiteral("一行目\r\n二行目")))));
        const QString u16 = aged(dir.write("u16.jpg", photo(EncodeComment(QStringLiteral("say \"hi\"\t😀"), true))));
        const QString u8 = aged(dir.write("u8.jpg", photo(QStringLiteral("日本語").toUtf8())));
        const QString none = aged(dir.write("none.jpg", photo({})));
        const QString folder = QFileInfo(sj).path();
        const FileState sjBefore = stateOf(sj), u8Before = stateOf(u8), noneBefore = stateOf(none);

        const CliRun exported = cli({"comments", folder});
        ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
        QMap<QString, QStringList> rows = byPath(exported.out);
        ASSERT_EQ(rows.size(), 4);
        EXPECT_EQ(rows[sj], QStringList({QStringLiteral(R"(一行目\r\n二行目)"), "sjis", "14", ""}));
        EXPECT_EQ(rows[u16].mid(0, 2), QStringList({QStringLiteral(R"(say "hi"\t😀)"), "utf16"}));
        EXPECT_EQ(rows[u8].value(1), QStringLiteral("utf8"));
        EXPECT_EQ(rows[none], QStringList({"", "none", "0", ""}));

        const QJsonArray json = QJsonDocument::fromJson(cli({"comments", "--format", "json", folder}).out.toUtf8()).array();
        ASSERT_EQ(json.size(), 4);
        for (const QJsonValue& record : json) {
            if (record[QStringLiteral("path")] == u16) {
                EXPECT_EQ(record[QStringLiteral("comment")].toString(), QStringLiteral("say \"hi\"\t😀"));
            }
        }

        rows[sj][0] = japaneseEdit;
        rows[u16][0] = emojiEdit;
        QString table;
        for (auto row = rows.cbegin(); row != rows.cend(); ++row)
            table += row.key() + u'\t' + row.value().join(u'\t') + u'\n';
        const QStringList setArgs = unicode ? QStringList{"set-comments", "--unicode", "-"} : QStringList{"set-comments", "-"};
        const CliRun set = cli(setArgs, table.toUtf8());

        EXPECT_EQ(ReadComment(sj), japaneseText);
        EXPECT_EQ(SegmentPayloads(TempFolder::read(sj), 0xFE).value(0).startsWith("\xFF\xFE"), unicode);
        EXPECT_EQ(FromSos(TempFolder::read(sj)), FromSos(sjBefore.bytes));
        EXPECT_EQ(SegmentPayloads(TempFolder::read(sj), 0xE1), QList<QByteArray>({kExif}));
        EXPECT_EQ(stateOf(sj).mtimeNs, sjBefore.mtimeNs);
        EXPECT_EQ(stateOf(u8), u8Before);
        EXPECT_EQ(stateOf(none), noneBefore);
        if (unicode) {
            EXPECT_EQ(set.status, 0) << set.err.toStdString();
            EXPECT_EQ(set.out, QStringLiteral("changed 2, unchanged 2, failed 0\n"));
            EXPECT_EQ(ReadComment(u16), QStringLiteral("絵文字 😀 \\n"));
        } else {
            // Shift-JIS has no emoji: that photo is named by its line and left alone.
            EXPECT_EQ(set.status, 1);
            EXPECT_EQ(set.out, QStringLiteral("changed 1, unchanged 2, failed 1\n"));
            const int line = int(rows.keys().indexOf(u16)) + 1;
            EXPECT_TRUE(set.err.contains(QStringLiteral("stdin:%1: %2: ").arg(line).arg(u16))) << set.err.toStdString();
            EXPECT_TRUE(set.err.contains(QStringLiteral("😀 (U+1F600)"))) << set.err.toStdString();
            EXPECT_EQ(ReadComment(u16), QStringLiteral("say \"hi\"\t😀"));
        }
        EXPECT_EQ(byPath(cli({"comments", folder}).out)[sj].value(0), japaneseEdit);
    }
}

TEST(CatalogueCli, SetCommentsReportsEachBadLineByNumberAndGoesOn) {
    TempFolder dir;
    const QString a = aged(dir.write("a.jpg", photo("old")));
    const QString missing = dir.path("missing.jpg");
    const QByteArray table = "no tab here\n" + missing.toUtf8() + "\tx\n" + a.toUtf8() + "\tbad \\q\n\n" +
                             a.toUtf8() + "\t\x82\xA0\n" + a.toUtf8() + "\tnew\r\n";
    const QString tsv = dir.write("edits.tsv", table);
    const FileState before = stateOf(a);

    const CliRun dry = cli({"set-comments", "--dry-run", tsv});
    EXPECT_EQ(dry.status, 1);
    EXPECT_EQ(dry.out, a + QStringLiteral("\nwould change 1, unchanged 0, failed 4\n"));
    EXPECT_EQ(stateOf(a), before);

    const CliRun run = cli({"set-comments", tsv});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QStringLiteral("changed 1, unchanged 0, failed 4\n"));
    for (const QString& where : {tsv + ":1: ", tsv + ":2: " + missing + ": ", tsv + ":3: ", tsv + ":5: "})
        EXPECT_TRUE(run.err.contains(where)) << where.toStdString() << "\n" << run.err.toStdString();
    EXPECT_EQ(ReadComment(a), QStringLiteral("new"));
    EXPECT_EQ(dir.entries(), QStringList({"a.jpg", "edits.tsv"}));

    // The table set again changes nothing at all.
    const FileState written = stateOf(a);
    EXPECT_EQ(cli({"set-comments", tsv}).out, QStringLiteral("changed 0, unchanged 1, failed 4\n"));
    EXPECT_EQ(stateOf(a), written);
}

TEST(CatalogueCli, ConvertToShiftJisRefusesWhatItCannotHoldAndConvertsBack) {
    TempFolder dir;
    const QString kanji = aged(dir.write("kanji.jpg", photo(EncodeComment(QStringLiteral("漢字と仮名\r\n二行"), true))));
    const QString emoji = aged(dir.write("emoji.jpg", photo(EncodeComment(QStringLiteral("犬 é 😀"), true))));
    const QString sj = aged(dir.write("sj.jpg", photo(ToCp932(QStringLiteral("既に")))));
    const QString u8 = aged(dir.write("u8.jpg", photo(QStringLiteral("日本").toUtf8())));
    aged(dir.write("none.jpg", photo({})));
    const QString folder = QFileInfo(sj).path();
    const FileState kanjiBefore = stateOf(kanji), emojiBefore = stateOf(emoji), sjBefore = stateOf(sj);

    const CliRun toSjis = cli({"convert-comments", "--to", "sjis", folder});
    EXPECT_EQ(toSjis.status, 1);
    EXPECT_EQ(toSjis.out, QStringLiteral("converted 2, already in the target 1, refused 1, failed 0, without a comment 1\n"));
    // A lower-case letter is named as itself, not as its capital.
    EXPECT_TRUE(toSjis.err.contains(emoji + QStringLiteral(": ")) &&
                toSjis.err.contains(QStringLiteral("é (U+00E9), 😀 (U+1F600)")))
        << toSjis.err.toStdString();
    EXPECT_EQ(SegmentPayloads(TempFolder::read(kanji), 0xFE), QList<QByteArray>({ToCp932(QStringLiteral("漢字と仮名\r\n二行"))}));
    EXPECT_EQ(SegmentPayloads(TempFolder::read(u8), 0xFE), QList<QByteArray>({ToCp932(QStringLiteral("日本"))}));
    EXPECT_EQ(FromSos(TempFolder::read(kanji)), FromSos(kanjiBefore.bytes));
    EXPECT_EQ(SegmentPayloads(TempFolder::read(kanji), 0xE1), QList<QByteArray>({kExif}));
    EXPECT_EQ(stateOf(kanji).mtimeNs, kanjiBefore.mtimeNs);
    EXPECT_EQ(stateOf(emoji), emojiBefore);
    EXPECT_EQ(stateOf(sj), sjBefore);

    // "Café" as another tool wrote it in UTF-8 reads as Shift-JIS; converting would make
    // that reading final for every reader.
    const QString cafe = aged(dir.write("cafe.jpg", photo(QStringLiteral("Café").toUtf8())));
    const FileState cafeBefore = stateOf(cafe);
    const CliRun toUnicode = cli({"convert-comments", "--to", "unicode", folder});
    EXPECT_EQ(toUnicode.status, 1);
    EXPECT_EQ(toUnicode.out, QStringLiteral("converted 3, already in the target 1, refused 1, failed 0, without a comment 1\n"));
    EXPECT_TRUE(toUnicode.err.contains(cafe + QStringLiteral(": left as it is: the stored bytes also read as UTF-8 (Café)")))
        << toUnicode.err.toStdString();
    EXPECT_EQ(stateOf(cafe), cafeBefore);
    EXPECT_EQ(SegmentPayloads(TempFolder::read(kanji), 0xFE), SegmentPayloads(kanjiBefore.bytes, 0xFE));
    EXPECT_EQ(ReadComment(sj), QStringLiteral("既に"));
    EXPECT_EQ(ReadComment(u8), QStringLiteral("日本"));
}
