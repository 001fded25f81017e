#pragma once
// Rewriting a photo without ever losing it: the file is moved to a numbered backup
// name, the new file is written and forced to disk, then the backup is deleted; any
// failure moves the backup back. The file times are kept.

#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace tollamar {

// fileName + ".000" ... ".999": the first name the file could be moved to, or empty.
QString RenameToBackup(const QString& fileName);

// True when the file now holds the new content; false when the file is as it was
// (not a JPEG, no backup name free, the file cannot be moved). Raises the open error,
// write errors (after the original is back) and "ファイルの復元に失敗しました" when the
// backup cannot be moved back (the photo then stays under the backup name). A path
// that is a symbolic link rewrites the file it points to.
bool ReplaceSegmentInFile(const QString& fileName, QByteArrayView data, uint8_t marker);

}  // namespace tollamar
