#pragma once
// Folders by their native name bytes (see native_name.h), which Qt's folder classes
// cannot carry when a name is not valid UTF-8.

#include <QString>
#include <QStringList>

namespace tollamar {

// Whether the path names a folder (links followed).
bool IsFolder(const QString& path);
// Makes the folder and any missing parents; true when it exists afterwards.
bool MakeFolderPath(const QString& path);
// The names of the files in a folder, hidden ones included, sorted by code unit: regular
// files (links followed), and with `withSystem` also devices, sockets, FIFOs and dangling
// links. Empty when the folder cannot be read.
QStringList FolderFileNames(const QString& folder, bool withSystem = false);

// Qt's dialogs and file system model decode names as UTF-8 and put U+FFFD where the bytes
// were not; each such part of the path is replaced by the one entry of its folder that
// reads the same that way. The path itself when nothing needs replacing or matching.
QString NativePathFromQt(const QString& path);

}  // namespace tollamar
