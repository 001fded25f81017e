#include "cli/comment_forms.h"

#include "jpegfile/segment_walk.h"
#include "platform/codepage.h"

#include <QStringDecoder>
#include <QStringList>
#include <algorithm>

namespace tollamar::cli {
namespace {

// Each character (a surrogate pair counts as one) that does not come back from code
// page 932 as itself: missing ones become '?', and a few map to a look-alike.
QStringList lostInCp932(const QString& text) {
    QStringList lost;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
        i += width;
        if (FromCp932(ToCp932(character)) == character) continue;
        const QString code = QString::number(character.toUcs4().value(0), 16).rightJustified(4, u'0').toUpper();
        const QString named = QStringLiteral("%1 (U+%2)").arg(character, code);
        if (!lost.contains(named)) lost.append(named);
    }
    return lost;
}

// An invalid byte sequence decodes to '?', which is byte 0x3F, a byte that is never part
// of a two-byte character; more question marks than 0x3F bytes means a sequence was bad.
bool hasUndecodableCp932(const QByteArray& payload) {
    return FromCp932(payload).count(u'?') > payload.count('?');
}

// Bytes beyond ASCII that are valid UTF-8 as well as Shift-JIS (the "Café" another tool
// wrote) read as Shift-JIS; their UTF-8 text, or empty when there is no such doubt.
QString otherUtf8Reading(const QByteArray& payload) {
    if (std::all_of(payload.begin(), payload.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(payload);
    return utf8.hasError() ? QString() : text.trimmed();
}

}  // namespace

StoredComment StoredFromPayload(QByteArray payload) {
    StoredComment stored;
    stored.form = StoredCommentForm(payload);
    stored.text = DecodeComment(payload);
    stored.payload = std::move(payload);
    return stored;
}

StoredComment ReadStoredComment(const QString& fileName) {
    QByteArray payload;
    ExtractSegmentFromFile(fileName, kMarkerCOM, payload);
    return StoredFromPayload(std::move(payload));
}

QString FormName(CommentForm form) {
    switch (form) {
    case CommentForm::ShiftJis: return QStringLiteral("sjis");
    case CommentForm::Utf16: return QStringLiteral("utf16");
    case CommentForm::Utf8: return QStringLiteral("utf8");
    case CommentForm::None: break;
    }
    return QStringLiteral("none");
}

QString WithCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

QString StoreProblem(const QString& text, bool asUnicode) {
    // A stored comment ends at U+0000, so everything after it would be lost.
    if (text.contains(QChar(0))) return QStringLiteral("the text holds U+0000");
    if (asUnicode) return {};
    if (FromCp932(ToCp932(text)) != text) {
        const QStringList lost = lostInCp932(text);
        if (!lost.isEmpty())
            return QStringLiteral("Shift-JIS cannot hold ") + lost.join(QStringLiteral(", "));
    }
    // Shift-JIS bytes that happen to be valid UTF-8 would be read back as UTF-8.
    if (DecodeComment(ToCp932(text)) != DecodeComment(EncodeComment(text, true)))
        return QStringLiteral("its Shift-JIS bytes would be read back as other text");
    return {};
}

QString ConvertProblem(const StoredComment& stored, bool toUnicode) {
    if (stored.form == CommentForm::ShiftJis && hasUndecodableCp932(stored.payload))
        return QStringLiteral("the stored bytes are not all Shift-JIS");
    // Converting would make the Shift-JIS reading final for the tools that read UTF-8.
    if (const QString other = stored.form == CommentForm::ShiftJis && toUnicode ? otherUtf8Reading(stored.payload) : QString();
        !other.isEmpty())
        return QStringLiteral("the stored bytes also read as UTF-8 (%1); set-comments can store the intended text").arg(other);
    return StoreProblem(stored.text, toUnicode);
}

}  // namespace tollamar::cli
