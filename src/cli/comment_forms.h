#pragma once
// A photo's comment as it is stored (bytes, text, form), and the checks that let the bulk
// verbs store a text in Shift-JIS or UTF-16 without a reader ever seeing something else.

#include "jpegfile/comment_codec.h"

#include <QByteArray>
#include <QString>

namespace tollamar::cli {

struct StoredComment {
    QByteArray payload;  // the joined COM payloads
    QString text;        // as every reader sees it
    CommentForm form = CommentForm::None;
};

StoredComment StoredFromPayload(QByteArray payload);
// Reads the header only; raises the open error and the stream read error.
StoredComment ReadStoredComment(const QString& fileName);
// "sjis", "utf16", "utf8" or "none".
QString FormName(CommentForm form);

// Lone LF becomes CR LF, the line end the comment editor and other readers expect.
QString WithCrLf(QString text);

// Why the text cannot be stored in the form and read back unchanged ("Shift-JIS cannot
// hold 😀 (U+1F600)"); empty when it can.
QString StoreProblem(const QString& text, bool asUnicode);
// The same for moving a stored comment to the other form; it also refuses Shift-JIS
// bytes that do not decode, whose original bytes a conversion would lose, and, going to
// UTF-16, Shift-JIS bytes that are valid UTF-8 too, whose reading is in doubt.
QString ConvertProblem(const StoredComment& stored, bool toUnicode);

}  // namespace tollamar::cli
