#pragma once

#include <QString>

class QIODevice;

namespace tollamar {

// The comment of a JPEG stream from its current position; empty when it has none. COM
// segments before damage still count. Raises the stream read error when a COM
// segment runs past the end.
QString ReadComment(QIODevice& stream);
// Reads the header of the file only; raises the open error.
QString ReadComment(const QString& fileName);

// Replaces the whole comment of the file through ReplaceSegmentInFile; true when the
// file now holds it, false when it was left as it was. Errors of the rewrite pass on.
bool WriteComment(const QString& fileName, const QString& text, bool asUnicode);
// Adds text to the comment the file holds once it is locked for the rewrite, so two
// programs appending at once both keep their text. Returns and raises as WriteComment.
bool AppendComment(const QString& fileName, const QString& text, bool asUnicode);

}  // namespace tollamar
