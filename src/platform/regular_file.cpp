#include "platform/regular_file.h"

#include "platform/errors.h"
#include "platform/native_name.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tollamar {

FdGuard::~FdGuard() {
    if (m_fd >= 0) close(m_fd);
}

int FdGuard::release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

QString NotRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) return ErrnoText(EISDIR);
    if (S_ISFIFO(mode)) return QStringLiteral("Is a named pipe, not a regular file");
    if (S_ISSOCK(mode)) return QStringLiteral("Is a socket, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("Is a device, not a regular file");
    return QStringLiteral("Not a regular file");
}

static int openNonBlocking(const QByteArray& native, int flags) {
    int fd = open(native.constData(), flags);
    // O_NOATIME is for the file's owner only; anyone else reads the ordinary way.
    if (fd < 0 && errno == EPERM && (flags & O_NOATIME))
        fd = open(native.constData(), flags & ~O_NOATIME);
    return fd;
}

int OpenRegularFile(const QString& path, struct stat& st, int extraFlags) {
    if (const int injected = faults::Take(faults::Op::Read)) ThrowOpenError(path, injected);
    const int fd = openNonBlocking(NativePath(path), O_RDONLY | O_NONBLOCK | O_CLOEXEC | extraFlags);
    if (fd < 0) ThrowOpenError(path, errno);
    FdGuard guard(fd);
    if (fstat(fd, &st) != 0) ThrowOpenError(path, errno);
    if (!S_ISREG(st.st_mode))
        throw Error(QStringLiteral("ファイル %1 を開けません。%2").arg(DisplayName(path), NotRegularReason(st.st_mode)));
    return guard.release();
}

QByteArray ReadUpTo(int fd, const QString& path, qint64 size) {
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const int injected = faults::Take(faults::Op::ReadData);
        const ssize_t n = injected ? -1 : pread(fd, bytes.data() + done, static_cast<size_t>(size - done), done);
        if (n == 0) break;
        if (n < 0 && !injected && errno == EINTR) continue;
        if (n < 0) ThrowReadError(path, injected ? injected : errno);
        done += n;
    }
    bytes.truncate(static_cast<qsizetype>(done));
    return bytes;
}

}  // namespace tollamar
