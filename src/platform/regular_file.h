#pragma once
// Reading files that must be regular files: a FIFO, device, socket or folder under a
// photo's name is refused at once instead of blocking or being read without end.

#include <QByteArray>
#include <QString>
#include <sys/stat.h>

namespace tollamar {

// Closes a descriptor when it goes out of scope.
class FdGuard {
public:
    explicit FdGuard(int fd = -1) : m_fd(fd) {}
    ~FdGuard();
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int get() const { return m_fd; }
    int release();

private:
    int m_fd;
};

// A read-only descriptor of a regular file, its status in st. Never blocks on a FIFO;
// extraFlags may add O_NOFOLLOW or O_NOATIME (dropped where the system refuses it).
// Raises the open error; "not a regular file" names the kind of file found.
int OpenRegularFile(const QString& path, struct stat& st, int extraFlags = 0);

// At most size bytes from the start of fd (fewer when the file is shorter by now);
// raises the read error, so an I/O error never looks like the end of the file.
QByteArray ReadUpTo(int fd, const QString& path, qint64 size);

// The errno-style reason text for a file that is not regular ("Is a directory", ...).
QString NotRegularReason(mode_t mode);

}  // namespace tollamar
