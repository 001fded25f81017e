#include "jpegfile/comment_codec.h"

#include "platform/codepage.h"

namespace tollamar {
namespace {

// Code units after the FF FE mark up to the first U+0000; an odd last byte is the low
// byte of a final unit whose high byte is 0.
QString decodeUtf16(QByteArrayView units) {
    QString text;
    text.reserve(units.size() / 2 + 1);
    for (qsizetype i = 0; i < units.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(units[i]);
        const auto hi = i + 1 < units.size() ? static_cast<unsigned char>(units[i + 1]) : 0u;
        const auto unit = static_cast<char16_t>(lo | (hi << 8));
        if (unit == 0) break;
        text.append(QChar(unit));
    }
    return text;
}

QString trimControls(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text[first].unicode() <= 0x20) ++first;
    while (last > first && text[last - 1].unicode() <= 0x20) --last;
    return text.mid(first, last - first);
}

}  // namespace

CommentForm StoredCommentForm(QByteArrayView payload) {
    if (payload.isEmpty()) return CommentForm::None;
    if (payload.size() >= 2 && payload[0] == '\xFF' && payload[1] == '\xFE') return CommentForm::Utf16;
    if (IsUnmarkedUtf8(payload)) return CommentForm::Utf8;
    return CommentForm::ShiftJis;
}

QString DecodeComment(QByteArrayView payload) {
    switch (StoredCommentForm(payload)) {
    case CommentForm::None: return {};
    case CommentForm::Utf16: return trimControls(decodeUtf16(payload.sliced(2)));
    case CommentForm::Utf8: return trimControls(QString::fromUtf8(payload));
    case CommentForm::ShiftJis: break;
    }
    return trimControls(FromCp932(payload));
}

QByteArray EncodeComment(const QString& text, bool asUnicode) {
    if (!asUnicode) return ToCp932(text);
    qsizetype units = text.indexOf(QChar(0));
    if (units < 0) units = text.size();
    QByteArray payload("\xFF\xFE", 2);
    payload.reserve(2 + units * 2);
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t unit = text[i].unicode();
        payload.append(static_cast<char>(unit & 0xFF));
        payload.append(static_cast<char>(unit >> 8));
    }
    return payload;
}

}  // namespace tollamar
