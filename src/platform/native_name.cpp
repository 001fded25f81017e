#include "platform/native_name.h"

#include "platform/codepage.h"

#include <QStringList>

namespace tollamar {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

// The length of the valid UTF-8 sequence at p (1 to 4), or 0 when none starts there.
int validSequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned c = *p;
    if (c < 0x80) return 1;
    int more;
    unsigned lowest;
    if (c >= 0xC2 && c <= 0xDF) { more = 1; lowest = 0x80; }
    else if (c >= 0xE0 && c <= 0xEF) { more = 2; lowest = 0x800; }
    else if (c >= 0xF0 && c <= 0xF4) { more = 3; lowest = 0x10000; }
    else return 0;
    if (end - p <= more) return 0;
    unsigned code = c & (0x3Fu >> more);
    for (int i = 1; i <= more; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3Fu);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return more + 1;
}

// A component (no '/') for display: the raw bytes decoded by the first reading that
// takes all of them.
QString displayComponent(QStringView component) {
    if (!HasRawBytes(component)) return component.toString();
    const QByteArray bytes = NativeName(component);
    if (IsValidCp932(bytes)) return FromCp932(bytes);
    QString shown;
    for (QChar c : component) {
        if (isEscapedByte(c.unicode()))
            shown += QStringLiteral("\\x") + QString::number(c.unicode() - kEscapeBase, 16).toUpper();
        else
            shown += c;
    }
    return shown;
}

}  // namespace

QString NameFromNative(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    QString name;
    name.reserve(bytes.size());
    while (p < end) {
        const auto* run = p;
        while (p < end) {
            const int n = validSequenceLength(p, end);
            if (n == 0) break;
            p += n;
        }
        name += QString::fromUtf8(reinterpret_cast<const char*>(run), p - run);
        if (p < end) name += QChar(static_cast<char16_t>(kEscapeBase + *p++));
    }
    return name;
}

QByteArray NativeName(QStringView name) {
    if (!HasRawBytes(name)) return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    qsizetype run = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !isEscapedByte(name[i].unicode())) continue;
        bytes += name.mid(run, i - run).toUtf8();
        if (i < name.size()) bytes += static_cast<char>(name[i].unicode() - kEscapeBase);
        run = i + 1;
    }
    return bytes;
}

bool HasRawBytes(QStringView name) {
    for (QChar c : name)
        if (isEscapedByte(c.unicode())) return true;
    return false;
}

namespace {
const QString kFileScheme = QStringLiteral("file://");
}  // namespace

QString FolderToSetting(const QString& folder) {
    if (!HasRawBytes(folder)) return folder;
    return kFileScheme + QString::fromLatin1(NativeName(folder).toPercentEncoding("/"));
}

QString FolderFromSetting(const QString& value) {
    if (!value.startsWith(kFileScheme + u'/')) return value;
    return NameFromNative(QByteArray::fromPercentEncoding(value.mid(kFileScheme.size()).toLatin1()));
}

QString DisplayName(QStringView name) {
    if (!HasRawBytes(name)) return name.toString();
    QStringList shown;
    for (QStringView component : name.split(u'/')) shown.append(displayComponent(component));
    return shown.join(u'/');
}

QString DisplayFileName(QStringView path) { return DisplayName(path.sliced(path.lastIndexOf(u'/') + 1)); }

}  // namespace tollamar
