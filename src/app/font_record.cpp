#include "app/font_record.h"

#include "platform/codepage.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cstdint>

namespace tollamar {
namespace {

// Offsets into the record.
constexpr int kHeight = 0;
constexpr int kWeight = 16;
constexpr int kItalic = 20;
constexpr int kUnderline = 21;
constexpr int kStrikeOut = 22;
constexpr int kCharSet = 23;
constexpr int kFaceName = 28;
constexpr int kFaceSize = 32;  // NUL included
constexpr uint8_t kShiftJisCharSet = 128;
constexpr int kNormalWeight = 400;

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

int32_t readInt(const QByteArray& record, int at) {
    return qFromLittleEndian<int32_t>(record.constData() + at);
}

void writeInt(QByteArray& record, int at, int32_t value) {
    qToLittleEndian<int32_t>(value, record.data() + at);
}

QString faceName(const QByteArray& record) {
    const QByteArray face = record.mid(kFaceName, kFaceSize);
    const qsizetype nul = face.indexOf('\0');
    return FromCp932(nul < 0 ? face : face.left(nul));
}

// At most 31 bytes, never ending inside a double-byte character.
QByteArray faceBytes(const QString& family) {
    QByteArray bytes;
    for (qsizetype i = 0; i < family.size(); ++i) {
        const qsizetype step = family[i].isHighSurrogate() && i + 1 < family.size() ? 2 : 1;
        const QByteArray one = ToCp932(QStringView(family).mid(i, step));
        if (bytes.size() + one.size() > kFaceSize - 1) break;
        bytes += one;
        i += step - 1;
    }
    return bytes;
}

// A positive record height is the cell height (ascent plus descent); Qt sizes fonts by
// the character height, so the cell is scaled down by the font's own proportions.
int pixelSizeForCell(QFont font, int cellHeight) {
    font.setPixelSize(cellHeight);
    const int cell = QFontMetrics(font).height();
    if (cell <= 0) return cellHeight;
    return std::max(1, static_cast<int>(static_cast<int64_t>(cellHeight) * cellHeight / cell));
}

}  // namespace

QByteArray DefaultFontRecord() {
    QByteArray record(kFontRecordSize, '\0');
    writeInt(record, kHeight, -12);
    writeInt(record, kWeight, kNormalWeight);
    record[kCharSet] = static_cast<char>(kShiftJisCharSet);
    const QByteArray face = faceBytes(QStringLiteral("ＭＳ Ｐゴシック"));
    record.replace(kFaceName, face.size(), face);
    return record;
}

std::optional<QByteArray> FontRecordFromHex(QStringView digits) {
    if (digits.size() < 2 * kFontRecordSize) return std::nullopt;
    QByteArray record(kFontRecordSize, '\0');
    for (int i = 0; i < kFontRecordSize; ++i) {
        const int high = hexDigit(digits[2 * i]);
        const int low = hexDigit(digits[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        record[i] = static_cast<char>(high << 4 | low);
    }
    return record;
}

QString FontRecordToHex(const QByteArray& record) {
    return QString::fromLatin1(record.toHex().toUpper());
}

std::optional<QFont> FontFromRecord(const QByteArray& record, const QFont& base) {
    if (record.size() != kFontRecordSize) return std::nullopt;
    QFont font = base;
    const QString face = faceName(record);
    if (!face.isEmpty()) font.setFamilies({face});
    const int32_t height = readInt(record, kHeight);
    if (height < 0 && height > -1000) font.setPixelSize(-height);
    else if (height > 0 && height < 1000) font.setPixelSize(pixelSizeForCell(font, height));
    const int32_t weight = readInt(record, kWeight);
    font.setWeight(static_cast<QFont::Weight>(weight <= 0 ? kNormalWeight : std::min(weight, 1000)));
    font.setItalic(record[kItalic] != 0);
    font.setUnderline(record[kUnderline] != 0);
    font.setStrikeOut(record[kStrikeOut] != 0);
    return font;
}

QByteArray RecordFromFont(const QFont& font, const QByteArray& keep) {
    QByteArray record = keep.size() == kFontRecordSize ? keep : DefaultFontRecord();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    writeInt(record, kHeight, -pixels);
    writeInt(record, kWeight, font.weight());
    // A flag keeps its stored byte while it means the same; Windows writes 1 or 255.
    const auto flag = [&](int at, bool on) {
        if ((record[at] != 0) != on) record[at] = on ? 1 : 0;
    };
    flag(kItalic, font.italic());
    flag(kUnderline, font.underline());
    flag(kStrikeOut, font.strikeOut());
    const QString family = font.families().isEmpty() ? font.family() : font.families().first();
    if (faceName(record) != family) {
        const QByteArray face = faceBytes(family);
        record.replace(kFaceName, kFaceSize, QByteArray(kFaceSize, '\0'));
        record.replace(kFaceName, face.size(), face);
    }
    return record;
}

void InstallFontSubstitutes() {
    const QStringList installed = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                                   QStringLiteral("VL PGothic"), QStringLiteral("DejaVu Sans"),
                                   QStringLiteral("Sans Serif")};
    for (const char* name : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ ＵＩ Ｇｏｔｈｉｃ", "MS PGothic",
                             "MS Gothic", "MS UI Gothic", "メイリオ", "Meiryo", "Meiryo UI",
                             "ＭＳ Ｐ明朝", "ＭＳ 明朝", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma"})
        QFont::insertSubstitutions(QString::fromUtf8(name), installed);
}

}  // namespace tollamar
