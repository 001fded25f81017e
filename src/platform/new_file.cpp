#include "platform/new_file.h"

#include "platform/errors.h"
#include "platform/native_name.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/regular_file.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace tollamar {

static QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool SyncFolderOf(const QString& path) {
    const int dfd = open(NativePath(folderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return false;
    const bool ok = fsync(dfd) == 0 || errno == EINVAL;  // some file systems cannot sync folders
    const int saved = errno;
    close(dfd);
    errno = saved;
    return ok;
}

NewFileBeside::NewFileBeside(const QString& finalPath, mode_t mode) : m_finalPath(finalPath) {
    const QString folder = folderOf(finalPath);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate64() % 2176782336ULL, 36);
        m_tempPath = folder + u'/' + QLatin1String(kTempPrefix) + suffix.rightJustified(6, u'0');
        m_fd = open(NativePath(m_tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0) return;
        if (errno != EEXIST) break;
    }
    const int saved = errno;
    m_tempPath.clear();
    ThrowWriteError(finalPath, saved);
}

NewFileBeside::~NewFileBeside() {
    if (m_fd >= 0) close(m_fd);
    if (!m_placed && !m_tempPath.isEmpty()) unlink(NativePath(m_tempPath).constData());
}

void NewFileBeside::fail(int errnoValue) { ThrowWriteError(m_finalPath, errnoValue); }

void NewFileBeside::write(std::initializer_list<QByteArrayView> pieces) {
    for (QByteArrayView piece : pieces) {
        const char* p = piece.data();
        qsizetype left = piece.size();
        while (left > 0) {
            if (const int injected = faults::Take(faults::Op::Write)) fail(injected);
            const ssize_t n = ::write(m_fd, p, static_cast<size_t>(std::min<qsizetype>(left, 1 << 30)));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) fail(errno);
            p += n;
            left -= n;
        }
    }
}

static constexpr const char* kAccessList = "system.posix_acl_access";

// Attributes that carry the file's access rules or the user's own data; trusted.* and
// other system.* names are the system's business and are left to it.
static bool worthCopying(const char* name) {
    return std::strncmp(name, "user.", 5) == 0 || std::strncmp(name, "security.", 9) == 0 ||
           std::strcmp(name, kAccessList) == 0;
}

static void copyAttributes(int from, int to) {
    const ssize_t size = flistxattr(from, nullptr, 0);
    if (size <= 0) return;
    std::vector<char> names(static_cast<size_t>(size));
    const ssize_t got = flistxattr(from, names.data(), names.size());
    std::vector<char> value;
    for (ssize_t at = 0; at < got; at += static_cast<ssize_t>(std::strlen(names.data() + at)) + 1) {
        const char* name = names.data() + at;
        if (!worthCopying(name)) continue;
        const ssize_t length = fgetxattr(from, name, nullptr, 0);
        if (length < 0) continue;
        value.resize(static_cast<size_t>(length) + 1);
        const ssize_t n = fgetxattr(from, name, value.data(), value.size());
        // An attribute the user may not set (another user's security label) is skipped.
        if (n >= 0) (void)fsetxattr(to, name, value.data(), static_cast<size_t>(n), 0);
    }
}

void NewFileBeside::takeMetadataOf(int from, const struct stat& st, mode_t mode) {
    // Only root may give a file away; anyone else can still keep the group if a member.
    if (fchown(m_fd, st.st_uid, st.st_gid) != 0) (void)fchown(m_fd, static_cast<uid_t>(-1), st.st_gid);
    // The new file took the folder's default access list; a file that had none of its
    // own must not come back open to the users that list names. Dropped before the mode
    // widens, so the file is never readable by them meanwhile.
    if (fgetxattr(from, kAccessList, nullptr, 0) < 0) (void)fremovexattr(m_fd, kAccessList);
    if (fchmod(m_fd, mode) != 0) fail(errno);
    copyAttributes(from, m_fd);
}

void NewFileBeside::setTimes(const timespec& access, const timespec& modification) {
    const timespec times[2] = {access, modification};
    if (futimens(m_fd, times) != 0) fail(errno);
}

void NewFileBeside::finish() {
    if (fsync(m_fd) != 0) fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0) fail(errno);
}

void NewFileBeside::replaceFinal() {
    if (const int injected = faults::Take(faults::Op::Rename)) fail(injected);
    if (rename(NativePath(m_tempPath).constData(), NativePath(m_finalPath).constData()) != 0) fail(errno);
    m_placed = true;
    if (!SyncFolderOf(m_finalPath)) fail(errno);
}

bool NewFileBeside::placeNoReplace() {
    if (!MoveFileNoReplace(m_tempPath, m_finalPath)) return false;
    m_placed = true;
    SyncFolderOf(m_finalPath);
    return true;
}

void RefuseOutputOverInput(const QString& input, const QString& output) {
    struct stat in {}, out {};
    const bool sameFile = stat(NativePath(input).constData(), &in) == 0 &&
                          stat(NativePath(output).constData(), &out) == 0 &&
                          in.st_dev == out.st_dev && in.st_ino == out.st_ino;
    if (sameFile || ResolveLinks(input) == ResolveLinks(output))
        throw Error(QStringLiteral("%1 は写真そのものです。別の名前を指定してください").arg(DisplayName(output)));
}

// The mode of the file being replaced, 0 for a new one; only a regular file is replaced.
static mode_t modeToKeep(const QString& path) {
    struct stat st {};
    if (stat(NativePath(path).constData(), &st) != 0) return 0;
    if (!S_ISREG(st.st_mode))
        throw Error(QStringLiteral("ファイル %1 の書き込みに失敗しました。%2").arg(DisplayName(path), NotRegularReason(st.st_mode)));
    return st.st_mode & 07777;
}

void WriteFileReplacing(const QString& path, QByteArrayView bytes) {
    const QString target = ResolveLinks(path);
    const mode_t keep = modeToKeep(target);
    // Replacing a private file: private from the start, so no reader gets in before the chmod.
    NewFileBeside file(target, keep != 0 ? 0600 : 0666);
    if (keep != 0 && fchmod(file.fd(), keep) != 0) ThrowWriteError(path, errno);
    file.write({bytes});
    file.finish();
    file.replaceFinal();
}

}  // namespace tollamar
