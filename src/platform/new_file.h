#pragma once
// A file built under a temporary name in the folder of the name it will end up under,
// so that name only ever holds a complete file: the old one or the finished new one.

#include <QByteArrayView>
#include <QString>
#include <ctime>
#include <initializer_list>
#include <sys/stat.h>

namespace tollamar {

class NewFileBeside {
public:
    // Creates ".tollamar-XXXXXX" exclusively beside finalPath with the given mode (the
    // umask applies). Raises the write error naming finalPath.
    NewFileBeside(const QString& finalPath, mode_t mode);
    // Removes the temporary file unless it was put in place.
    ~NewFileBeside();
    NewFileBeside(const NewFileBeside&) = delete;
    NewFileBeside& operator=(const NewFileBeside&) = delete;

    // Each raises the write error naming the final path.
    void write(std::initializer_list<QByteArrayView> pieces);
    // Owner and group where permitted, then mode, then the extended attributes that can
    // be set (user.*, security.*, the POSIX access ACL) of the open file `from`.
    void takeMetadataOf(int from, const struct stat& st, mode_t mode);
    void setTimes(const timespec& access, const timespec& modification);
    // Forces the data to disk and closes; raises the write error (a failed close too).
    void finish();

    // Renames over the final name and forces the folder to disk; raises the write error.
    void replaceFinal();
    // Moves under the final name only if that name is free; false (errno EEXIST) if not.
    bool placeNoReplace();
    // The temporary name from now on belongs to the caller (after an exchange).
    void release() { m_placed = true; }

    const QString& tempPath() const { return m_tempPath; }
    int fd() const { return m_fd; }

private:
    [[noreturn]] void fail(int errnoValue);

    QString m_finalPath;
    QString m_tempPath;
    int m_fd = -1;
    bool m_placed = false;
};

// Replaces path with the bytes through a temporary file, fsync and rename; an existing
// file keeps its mode and stays in place whole when anything fails. A symbolic link
// stays a link and its target is replaced. Raises the write error naming path.
void WriteFileReplacing(const QString& path, QByteArrayView bytes);

// Raises when output names the same file as input (by name after links, or the same
// file on disk), which writing would destroy.
void RefuseOutputOverInput(const QString& input, const QString& output);

// Forces the folder entry of path to disk; false with errno on failure.
bool SyncFolderOf(const QString& path);

// Temporary names made by NewFileBeside start with this.
inline constexpr char kTempPrefix[] = ".tollamar-";

}  // namespace tollamar
