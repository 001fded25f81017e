#pragma once
// The stored font: the 60-byte logical-font record of the Windows API (LOGFONTA),
// little-endian, kept in the settings as 120 hexadecimal digits. Only height, weight,
// italic, underline, strike-out and face name map to QFont; every other byte is carried
// through unchanged so that a file written elsewhere keeps them.

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QStringView>
#include <optional>

namespace tollamar {

constexpr int kFontRecordSize = 60;

// The design font: "ＭＳ Ｐゴシック", character height 12 pixels, Shift-JIS character set.
QByteArray DefaultFontRecord();

// The record from the first 120 digits (either case); nothing when there are fewer or
// one of them is not a hexadecimal digit.
std::optional<QByteArray> FontRecordFromHex(QStringView digits);
// 120 upper-case digits, high digit of each byte first.
QString FontRecordToHex(const QByteArray& record);

// The font the record describes, starting from base for what the record leaves open
// (height 0, an empty face); nothing when the record has the wrong size.
std::optional<QFont> FontFromRecord(const QByteArray& record, const QFont& base);
// The record of font, with the unmapped bytes taken from keep (a 60-byte record).
QByteArray RecordFromFont(const QFont& font, const QByteArray& keep);

// Makes the Windows design fonts that stored records name resolve to installed fonts
// with Japanese glyphs.
void InstallFontSubstitutes();

}  // namespace tollamar
