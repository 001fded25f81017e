#include "platform/file_ops.h"

#include "platform/errors.h"
#include "platform/fault_injection.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tollamar {

QByteArray NativePath(const QString& path) { return QFile::encodeName(path); }

static bool failWith(int errnoValue) {
    errno = errnoValue;
    return false;
}

bool MoveFileNoReplace(const QString& from, const QString& to) {
    if (const int injected = faults::Take(faults::Op::Rename)) return failWith(injected);
    const QByteArray src = NativePath(from), dst = NativePath(to);
    if (renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without RENAME_NOREPLACE: link refuses an existing target just the same.
    if (link(src.constData(), dst.constData()) != 0) return false;
    if (unlink(src.constData()) != 0) {
        const int saved = errno;
        unlink(dst.constData());
        return failWith(saved);
    }
    return true;
}

bool SetAttributesNormal(const QString& path) {
    const QByteArray native = NativePath(path);
    struct stat st {};
    if (stat(native.constData(), &st) != 0) return false;
    if (st.st_mode & S_IWUSR) return true;
    return chmod(native.constData(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

unsigned GetFileAttributesOf(const QString& path) {
    struct stat st {};
    if (stat(NativePath(path).constData(), &st) != 0) return 0xFFFFFFFFu;
    unsigned attributes = 0;
    if (S_ISDIR(st.st_mode)) attributes |= faDirectory;
    else if (!S_ISREG(st.st_mode)) attributes |= faSystem;
    if (!(st.st_mode & S_IWUSR)) attributes |= faReadOnly;
    if (QFileInfo(path).fileName().startsWith(u'.')) attributes |= faHidden;
    return attributes ? attributes : faNormal;
}

bool FileExists(const QString& path) {
    struct stat st {};
    return stat(NativePath(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Errors that another process may clear by letting go of the file.
static bool mayPass(int errnoValue) {
    return errnoValue == EBUSY || errnoValue == ETXTBSY || errnoValue == EAGAIN ||
           errnoValue == EINTR;
}

bool DeleteFileRetry(const QString& path) {
    for (int i = 0; i < 10 && !SetAttributesNormal(path); ++i) std::this_thread::yield();
    const QByteArray native = NativePath(path);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        int err = faults::Take(faults::Op::Delete);
        if (err == 0 && unlink(native.constData()) == 0) return true;
        if (err == 0) err = errno;
        if (!mayPass(err) || clock.elapsed() > 3000) return failWith(err);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

static int openForRead(const QString& path) {
    if (const int injected = faults::Take(faults::Op::Read)) ThrowOpenError(path, injected);
    const int fd = open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) ThrowOpenError(path, errno);
    return fd;
}

QByteArray ReadWholeFile(const QString& path) {
    const int fd = openForRead(path);
    struct stat st {};
    QByteArray bytes;
    if (fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<qsizetype>(st.st_size));
    char chunk[1 << 16];
    for (;;) {
        // Reading straight into the reserved array would need resize() first, which
        // zero-fills it; the extra copy from a stack chunk costs less than that.
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            close(fd);
            ThrowReadError(path, saved);
        }
        bytes.append(chunk, n);
    }
    close(fd);
    return bytes;
}

static void writeAll(int fd, QByteArrayView piece) {
    const char* p = piece.data();
    qsizetype left = piece.size();
    while (left > 0) {
        if (const int injected = faults::Take(faults::Op::Write)) {
            errno = injected;
            throw errno;
        }
        const ssize_t n = write(fd, p, static_cast<size_t>(std::min<qsizetype>(left, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw errno;
        p += n;
        left -= n;
    }
}

static void syncFolderOf(const QByteArray& nativePath) {
    const qsizetype slash = nativePath.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : nativePath.left(std::max<qsizetype>(slash, 1));
    const int dfd = open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return;
    fsync(dfd);
    close(dfd);
}

static void takeOwnership(int fd, const struct stat* like) {
    if (!like) return;
    // Only root may give a file away; for anyone else the file simply stays theirs.
    if (fchown(fd, like->st_uid, like->st_gid) != 0) errno = 0;
    fchmod(fd, (like->st_mode & 07777) | S_IWUSR);
}

void WriteNewFileSynced(const QString& path, std::initializer_list<QByteArrayView> pieces,
                        const struct stat* like) {
    const QByteArray native = NativePath(path);
    const int fd = open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) ThrowWriteError(path, errno);
    try {
        takeOwnership(fd, like);
        for (QByteArrayView piece : pieces) writeAll(fd, piece);
        if (fsync(fd) != 0) throw errno;
        if (close(fd) != 0) {
            const int saved = errno;
            unlink(native.constData());
            ThrowWriteError(path, saved);
        }
    } catch (int err) {
        close(fd);
        unlink(native.constData());
        ThrowWriteError(path, err);
    }
    syncFolderOf(native);
}

static void copyContents(int in, int out) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = read(in, buffer.data(), buffer.size());
        if (n == 0) return;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw errno;
        writeAll(out, QByteArrayView(buffer.data(), n));
    }
}

// Copies into a target that this call has just created; throws the errno of a failure.
static void fillNewCopy(int in, int out, const struct stat& source) {
    copyContents(in, out);
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (futimens(out, times) != 0) throw errno;
    if (fsync(out) != 0) throw errno;
}

bool CopyFileNoReplace(const QString& from, const QString& to) {
    if (const int injected = faults::Take(faults::Op::Read)) return failWith(injected);
    const int in = open(NativePath(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int saved = st.st_mode == 0 ? errno : EINVAL;
        close(in);
        return failWith(saved);
    }
    const QByteArray target = NativePath(to);
    const int out = open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777);
    if (out < 0) {
        const int saved = errno;
        close(in);
        return failWith(saved);
    }
    int err = 0;
    try {
        fillNewCopy(in, out, st);
    } catch (int e) {
        err = e;
    }
    close(in);
    if (close(out) != 0 && err == 0) err = errno;
    if (err != 0) {
        // A truncated photo left under the target name would block every later copy.
        unlink(target.constData());
        return failWith(err);
    }
    syncFolderOf(target);
    return true;
}

QString ResolveLinks(const QString& path) {
    char resolved[PATH_MAX];
    if (!realpath(NativePath(path).constData(), resolved)) return path;
    return QFile::decodeName(resolved);
}

}  // namespace tollamar
