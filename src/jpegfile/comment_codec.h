#pragma once
// The byte forms of a comment: UTF-16LE behind the mark FF FE, or code page 932. A
// payload without the mark may also be UTF-8 written by another tool; IsUnmarkedUtf8
// tells the two apart.

#include <QByteArray>
#include <QString>

namespace tollamar {

// How a payload is stored, by the rule DecodeComment reads it with; None for no bytes.
enum class CommentForm { None, ShiftJis, Utf16, Utf8 };
CommentForm StoredCommentForm(QByteArrayView payload);

// The joined COM payloads as text, with every character <= U+0020 trimmed from both ends.
QString DecodeComment(QByteArrayView payload);
// The payload WriteComment stores: FF FE + UTF-16LE up to the first U+0000, or code
// page 932 with '?' for characters it lacks.
QByteArray EncodeComment(const QString& text, bool asUnicode);

}  // namespace tollamar
