#pragma once
// Rewriting a photo without ever losing it. The new file is built under a temporary name
// in the photo's folder, given the photo's permissions, attributes and times, and forced
// to disk; the photo gets a numbered backup (a hard link, so nothing is copied); the new
// file then trades places with the photo in one atomic exchange, the folder is forced to
// disk and the backup goes. At every moment the photo's name holds the whole old file or
// the whole new one, and the backup holds the old one until the new one is safely there.

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <functional>

namespace tollamar {

// fileName + ".000" ... ".999": the first name the file could be moved to, or empty.
QString RenameToBackup(const QString& fileName);

// True when the file now holds the new content; false when the file is as it was (not
// a JPEG, no backup name free, no backup could be made). Raises, leaving the photo as it
// was: the open and read errors; "not a regular file"; the write error (also for a photo
// the user may not write); a refusal naming the backup when the photo's image data is
// cut off and a backup lies beside it, or when only a backup is left; a refusal when
// another program changed the photo after it was read. A path that is a symbolic link
// rewrites the file it points to. Two rewrites of one photo take turns.
bool ReplaceSegmentInFile(const QString& fileName, QByteArrayView data, uint8_t marker);
// The same, with the data made from the file's bytes as read once the photo is locked:
// a change that builds on the old segment then never drops what another writer finished
// in the meantime.
bool ReplaceSegmentInFile(const QString& fileName, const std::function<QByteArray(QByteArrayView)>& makeData,
                          uint8_t marker);

}  // namespace tollamar
