#include "app/font_record.h"
#include "app_fixture.h"
#include "platform/codepage.h"

#include <QFontInfo>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace tollamar;

namespace {

QByteArray recordWith(int height, int weight, bool italic, const QString& face) {
    QByteArray record(kFontRecordSize, '\0');
    qToLittleEndian<int32_t>(height, record.data());
    qToLittleEndian<int32_t>(7, record.data() + 4);  // width: not mapped, must survive
    qToLittleEndian<int32_t>(weight, record.data() + 16);
    record[20] = italic ? '\xFF' : '\0';
    record[23] = '\x80';
    record[26] = '\x05';  // quality
    record[27] = '\x31';  // pitch and family
    const QByteArray name = ToCp932(face);
    record.replace(28, name.size(), name);
    return record;
}

}  // namespace

TEST(FontRecord, HexFormRoundTripsAndRejectsBadDigits) {
    const QByteArray record = DefaultFontRecord();
    ASSERT_EQ(record.size(), 60);
    const QString hex = FontRecordToHex(record);
    EXPECT_EQ(hex.size(), 120);
    EXPECT_EQ(hex, hex.toUpper());
    EXPECT_TRUE(hex.startsWith(QStringLiteral("F4FFFFFF"))) << "height -12, little-endian";
    EXPECT_EQ(FontRecordFromHex(hex.toLower()), record);
    EXPECT_EQ(FontRecordFromHex(hex + QStringLiteral("ZZ")), record) << "only the first 120 digits count";
    EXPECT_FALSE(FontRecordFromHex(hex.left(119)));
    QString bad = hex;
    bad[57] = u'G';
    EXPECT_FALSE(FontRecordFromHex(bad));
    EXPECT_EQ(FromCp932(record.mid(28, 15)), QStringLiteral("ＭＳ Ｐゴシック"));
}

TEST(FontRecord, MapsToQFontAndBackKeepingTheOtherBytes) {
    apptest::EnsureApplication();
    const QByteArray record = recordWith(-16, 700, true, QStringLiteral("ＭＳ ゴシック"));
    const std::optional<QFont> font = FontFromRecord(record, QFont());
    ASSERT_TRUE(font);
    EXPECT_EQ(font->pixelSize(), 16);
    EXPECT_EQ(font->weight(), QFont::Bold);
    EXPECT_TRUE(font->italic());
    EXPECT_FALSE(font->underline());
    EXPECT_EQ(font->family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(RecordFromFont(*font, record), record) << "unchanged font, unchanged record";

    QFont changed = *font;
    changed.setPixelSize(20);
    changed.setItalic(false);
    changed.setFamily(QStringLiteral("DejaVu Sans"));
    const QByteArray back = RecordFromFont(changed, record);
    const std::optional<QFont> again = FontFromRecord(back, QFont());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->pixelSize(), 20);
    EXPECT_FALSE(again->italic());
    EXPECT_EQ(again->family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(back.mid(4, 12), record.mid(4, 12)) << "width, escapement, orientation kept";
    EXPECT_EQ(back.mid(23, 5), record.mid(23, 5)) << "character set, precision, quality, pitch kept";
    EXPECT_EQ(back.mid(28 + 11), QByteArray(21, '\0')) << "the old face leaves no bytes behind";
}

TEST(FontRecord, LeavesOpenWhatTheRecordDoesNotSay) {
    apptest::EnsureApplication();
    QFont base(QStringLiteral("DejaVu Sans"));
    base.setPixelSize(15);
    const std::optional<QFont> font = FontFromRecord(recordWith(0, 0, false, QString()), base);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->pixelSize(), 15);
    EXPECT_EQ(font->family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(font->weight(), QFont::Normal);
    const std::optional<QFont> cell = FontFromRecord(recordWith(20, 400, false, QStringLiteral("DejaVu Sans")), base);
    ASSERT_TRUE(cell);
    EXPECT_GT(cell->pixelSize(), 10);
    EXPECT_LE(cell->pixelSize(), 20) << "a positive height is the cell, larger than the characters";
    EXPECT_FALSE(FontFromRecord(QByteArray(59, '\0'), base));
    QString longFace(40, QChar(0x5199));  // 80 bytes in code page 932
    QFont wide = base;
    wide.setFamily(longFace);
    const QByteArray cut = RecordFromFont(wide, DefaultFontRecord());
    EXPECT_EQ(cut.size(), 60);
    EXPECT_EQ(cut[28 + 30], '\0') << "the face is cut before a double-byte character would split";
    EXPECT_EQ(cut[59], '\0');
}
