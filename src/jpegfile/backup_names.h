#pragma once
// Numbered backups of a photo: photo.jpg.000 ... photo.jpg.999 in the photo's folder.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <sys/stat.h>

namespace tollamar {

// fileName + ".%03d"; a name too long to take the suffix is cut (on a character
// boundary) so that the backup name still fits the file system's 255 bytes.
QString BackupName(const QString& fileName, int n);

// The first free backup name, made a hard link to the file (on file systems without hard
// links a synced copy of content with the permissions of `like`, the file's status).
// Empty, errno set, when no name is free or the backup cannot be made.
QString LinkToBackup(const QString& fileName, QByteArrayView content, const struct stat& like);

// The backup names of fileName that exist now, in number order.
QStringList ExistingBackups(const QString& fileName);

}  // namespace tollamar
