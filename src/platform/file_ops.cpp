#include "platform/file_ops.h"

#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "platform/native_name.h"
#include "platform/new_file.h"
#include "platform/regular_file.h"

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

QByteArray NativePath(const QString& path) { return NativeName(path); }

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

unsigned FileAttributesFromMode(mode_t mode, const QString& path) {
    unsigned attributes = 0;
    if (S_ISDIR(mode)) attributes |= faDirectory;
    else if (!S_ISREG(mode)) attributes |= faSystem;
    if (!(mode & S_IWUSR)) attributes |= faReadOnly;
    if (QFileInfo(path).fileName().startsWith(u'.')) attributes |= faHidden;
    return attributes ? attributes : faNormal;
}

unsigned GetFileAttributesOf(const QString& path) {
    struct stat st {};
    if (stat(NativePath(path).constData(), &st) != 0) return 0xFFFFFFFFu;
    return FileAttributesFromMode(st.st_mode, path);
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

QByteArray ReadWholeFile(const QString& path) {
    struct stat st {};
    const FdGuard fd(OpenRegularFile(path, st));
    return ReadUpTo(fd.get(), path, st.st_size);
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

static void takeOwnership(int fd, const struct stat* like) {
    if (!like) return;
    // Only root may give a file away; for anyone else the file simply stays theirs.
    if (fchown(fd, like->st_uid, like->st_gid) != 0) errno = 0;
    fchmod(fd, (like->st_mode & 07777) | S_IWUSR);
}

void WriteNewFileSynced(const QString& path, std::initializer_list<QByteArrayView> pieces,
                        const struct stat* like) {
    const QByteArray native = NativePath(path);
    // A copy of a private file starts private: a reader that opened it while it was wider
    // would keep reading after the bits narrowed.
    const int fd = open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, like ? 0600 : 0666);
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
    SyncFolderOf(path);
}

// The copy is made under a temporary name and moved under its own name only when whole,
// so a copy cut short by a kill or a full disk never stands under the photo's name.
static bool copyThroughTemp(int in, const struct stat& source, const QString& to) {
    NewFileBeside out(to, source.st_mode & 0777);
    std::vector<char> buffer(1 << 20);
    for (off_t done = 0; done < source.st_size;) {
        const ssize_t n = pread(in, buffer.data(), std::min<size_t>(buffer.size(), source.st_size - done), done);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw errno;
        out.write({QByteArrayView(buffer.data(), n)});
        done += n;
    }
    out.setTimes(source.st_atim, source.st_mtim);
    out.finish();
    return out.placeNoReplace();
}

bool CopyFileNoReplace(const QString& from, const QString& to) {
    try {
        struct stat st {};
        const FdGuard in(OpenRegularFile(from, st));
        if (access(NativePath(to).constData(), F_OK) == 0) return failWith(EEXIST);
        return copyThroughTemp(in.get(), st, to);
    } catch (int err) {
        return failWith(err);
    } catch (const Error&) {
        return failWith(EIO);
    }
}

QString ResolveLinks(const QString& path) {
    char resolved[PATH_MAX];
    if (!realpath(NativePath(path).constData(), resolved)) return path;
    return NameFromNative(resolved);
}

}  // namespace tollamar
