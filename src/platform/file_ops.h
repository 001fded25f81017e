#pragma once
// File operations with the guarantees a photo rewrite needs: moves never replace a file,
// deletes retry while another process holds the file, writes reach the disk.

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <span>
#include <sys/stat.h>
#include <sys/types.h>

namespace tollamar {

enum TFileAttribute : unsigned {
    faNormal = 0x80,  // set only when no other attribute is
    faReadOnly = 1,
    faHidden = 2,
    faSystem = 4,
    faDirectory = 16,
};

QByteArray NativePath(const QString& path);

// Fails (false, errno set) when the target exists; never renames over a file.
bool MoveFileNoReplace(const QString& from, const QString& to);
// Owner write permission added; the photo then counts as normal.
bool SetAttributesNormal(const QString& path);
// 0xFFFFFFFF when the path does not exist.
// The attributes of a file of that mode at path (faHidden comes from its name).
unsigned FileAttributesFromMode(mode_t mode, const QString& path);
unsigned GetFileAttributesOf(const QString& path);
// Clears read-only, then deletes; retries for up to 3 s while the error may pass.
bool DeleteFileRetry(const QString& path);
bool FileExists(const QString& path);

// The whole of a regular file, as large as it was when opened; raises the open error
// (also for anything but a regular file) or the read error.
QByteArray ReadWholeFile(const QString& path);

// A file created with O_EXCL, written from the pieces in order and forced to disk
// together with its folder entry. With `like`, it is created private and then takes that
// file's permission bits (plus owner write) and, where allowed, its owner. Raises the write error; on failure
// a file it created is removed again, and nothing else is touched.
void WriteNewFileSynced(const QString& path, std::initializer_list<QByteArrayView> pieces,
                        const struct stat* like);

// Copies a regular file to a new file `to`, which must not exist yet (false with errno
// EEXIST when it does; never replaces anything). The copy keeps the source's permission
// bits and access and modification times and is forced to disk. It is written under a
// temporary name and moved under `to` only when complete, so a failure (false, errno set)
// or a kill never leaves a partial copy under `to`.
bool CopyFileNoReplace(const QString& from, const QString& to);

// The file a path names after following symbolic links; the path itself when it
// does not resolve.
QString ResolveLinks(const QString& path);

}  // namespace tollamar
