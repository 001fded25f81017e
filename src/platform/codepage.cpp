#include "platform/codepage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace tollamar {
namespace {

// One converter per direction and thread: opening an iconv descriptor costs far more
// than converting a comment.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t handle() {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

// Converts in to out; an input unit iconv rejects is replaced by `replacement` and
// skipped (skipBad tells how many bytes it spans); *replaced counts the replacements.
template <typename Skip>
QByteArray convert(iconv_t cd, QByteArrayView in, QByteArrayView replacement, Skip skipBad,
                   qsizetype* replaced = nullptr) {
    QByteArray out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = static_cast<size_t>(in.size());
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
        const qsizetype used = dst - out.data();
        if (errno == E2BIG || dstLeft < static_cast<size_t>(replacement.size())) {
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = static_cast<size_t>(out.size() - used);
            continue;
        }
        // EILSEQ or EINVAL (a sequence cut off at the end): replace and step over it.
        if (replaced) ++*replaced;
        memcpy(dst, replacement.data(), static_cast<size_t>(replacement.size()));
        dst += replacement.size();
        dstLeft -= static_cast<size_t>(replacement.size());
        const size_t step = std::min(srcLeft, skipBad(src, srcLeft));
        src += step;
        srcLeft -= step;
    }
    out.resize(dst - out.data());
    return out;
}

char16_t utf16UnitAt(const char* p) {
    return static_cast<char16_t>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
}

// A surrogate pair is one character and becomes one '?'; a lone surrogate is a unit of
// its own, so the unit after it is still converted.
size_t utf16UnitSize(const char* p, size_t left) {
    if (left < 4) return 2;
    return QChar::isHighSurrogate(utf16UnitAt(p)) && QChar::isLowSurrogate(utf16UnitAt(p + 2)) ? 4 : 2;
}

QByteArray fromCp932Units(QByteArrayView bytes, qsizetype* replaced) {
    thread_local Converter conv("UTF-16LE", "CP932");
    static const char16_t kQuestion = u'?';
    return convert(conv.handle(), bytes, QByteArrayView(reinterpret_cast<const char*>(&kQuestion), 2),
                   [](const char*, size_t) { return size_t{1}; }, replaced);
}

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// In valid UTF-8 a byte of E0 or above starts a sequence of three or four bytes: a
// character beyond U+07FF, as every kana and kanji is.
bool hasLongUtf8Sequence(QByteArrayView validUtf8) {
    for (char c : validUtf8)
        if (static_cast<unsigned char>(c) >= 0xE0) return true;
    return false;
}

}  // namespace

QByteArray ToCp932(QStringView text) {
    if (text.isEmpty()) return {};
    thread_local Converter conv("CP932", "UTF-16LE");
    const QByteArrayView in(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return convert(conv.handle(), in, "?", utf16UnitSize);
}

QString FromCp932(QByteArrayView bytes) {
    if (bytes.isEmpty()) return {};
    const QByteArray out = fromCp932Units(bytes, nullptr);
    return QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
}

bool IsValidCp932(QByteArrayView bytes) {
    qsizetype replaced = 0;
    fromCp932Units(bytes, &replaced);
    return replaced == 0;
}

bool IsValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned c = *p++;
        if (c < 0x80) continue;
        int more;
        unsigned lowest;
        if (c >= 0xC2 && c <= 0xDF) { more = 1; lowest = 0x80; }
        else if (c >= 0xE0 && c <= 0xEF) { more = 2; lowest = 0x800; }
        else if (c >= 0xF0 && c <= 0xF4) { more = 3; lowest = 0x10000; }
        else return false;
        if (end - p < more) return false;
        unsigned code = c & (0x3Fu >> more);
        for (int i = 0; i < more; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            code = (code << 6) | (p[i] & 0x3Fu);
        }
        p += more;
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    }
    return true;
}

QString DecodeUtf8OrCp932(QByteArrayView bytes) {
    return IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : FromCp932(bytes);
}

bool IsUnmarkedUtf8(QByteArrayView bytes) {
    if (isAscii(bytes) || !IsValidUtf8(bytes)) return false;
    if (hasLongUtf8Sequence(bytes)) return true;
    qsizetype replaced = 0;
    fromCp932Units(bytes, &replaced);
    return replaced != 0;
}

QString DecodeUnmarkedText(QByteArrayView bytes) {
    // Both readings agree on ASCII, which most camera texts and many comments are.
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    return IsUnmarkedUtf8(bytes) ? QString::fromUtf8(bytes) : FromCp932(bytes);
}

QString WithLfLineEnds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QString UpToFirstNul(QString text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) text.truncate(nul);
    return text;
}

}  // namespace tollamar
