#include "platform/locked_file.h"

#include "platform/errors.h"
#include "platform/native_name.h"
#include "platform/file_ops.h"
#include "platform/regular_file.h"

#include <QElapsedTimer>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace tollamar {

bool SameVersion(const struct stat& a, const struct stat& b, bool withChangeTime) {
    const bool same = a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
                      a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
    if (!same || !withChangeTime) return same;
    return a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

LockedFile::LockedFile(const QString& path) {
    QElapsedTimer clock;
    clock.start();
    while (!tryOpen(path)) {
        if (clock.elapsed() > 30000)
            throw Error(QStringLiteral("ファイル %1 は他のプログラムが書き換え中です。%2")
                            .arg(DisplayName(path), ErrnoText(EWOULDBLOCK)));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

LockedFile::~LockedFile() {
    if (m_fd >= 0) close(m_fd);  // closing lets the lock go
}

// False while another writer holds the lock, or when the name moved on to a new file
// while this one waited (the other writer put its result in place): then try again.
bool LockedFile::tryOpen(const QString& path) {
    FdGuard fd(OpenRegularFile(path, m_status, O_NOFOLLOW | O_NOATIME));
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK || errno == EINTR) return false;
        if (errno != ENOLCK && errno != EINVAL) ThrowOpenError(path, errno);
        // A file system without locks: go on unlocked, the version checks still hold.
    }
    struct stat atName {};
    if (stat(NativePath(path).constData(), &atName) != 0) ThrowOpenError(path, errno);
    if (atName.st_dev != m_status.st_dev || atName.st_ino != m_status.st_ino) return false;
    // The status that counts is the one after the lock: the previous writer has finished.
    if (fstat(fd.get(), &m_status) != 0) ThrowOpenError(path, errno);
    m_fd = fd.release();
    return true;
}

}  // namespace tollamar
