#pragma once
// A photo held for a rewrite: open for reading, with an exclusive advisory lock that every
// writer of this program takes, so two writers of one photo take turns.

#include <QString>
#include <sys/stat.h>

namespace tollamar {

class LockedFile {
public:
    // Opens the regular file at path (no link followed) and locks it, waiting up to 30 s
    // for another writer; the lock is taken on the file that is under the name at that
    // moment. Raises the open error, or a message that the file stays in use.
    explicit LockedFile(const QString& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    int fd() const { return m_fd; }
    // The file's status when it was locked, before anything was read.
    const struct stat& status() const { return m_status; }

private:
    bool tryOpen(const QString& path);

    int m_fd = -1;
    struct stat m_status {};
};

// Whether two statuses are one version of one file: device, inode, size and
// modification time to the nanosecond; the change time too when withChangeTime.
bool SameVersion(const struct stat& a, const struct stat& b, bool withChangeTime);

}  // namespace tollamar
