#pragma once
// Filling the photo list: the JPEG files of one folder, or a given list of paths.

#include "app/item_data.h"

#include <QStringList>

namespace tollamar {

// True for names whose extension, from the last dot and with ASCII letters folded to
// lower case, is ".jpg" or ".jpeg".
bool IsPhotoFileName(QStringView name);

// One entry per JPEG file of the folder, in the order the file system lists them, with
// FileName and CreationTime set. Folders and entries that are neither regular files nor
// folders (devices, sockets, FIFOs) are skipped; hidden and read-only files are listed.
// A folder that cannot be listed gives an empty list.
TPhotoList ScanPhotoFolder(const QString& folder);

// One entry per path, in order, with only FileName set.
TPhotoList PhotoListFromPaths(const QStringList& paths);

}  // namespace tollamar
