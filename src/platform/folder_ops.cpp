#include "platform/folder_ops.h"

#include "platform/native_name.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace tollamar {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool isListedFile(int folderFd, const char* name, bool withSystem) {
    struct stat st {};
    if (fstatat(folderFd, name, &st, 0) != 0) return withSystem;  // a dangling link
    if (S_ISDIR(st.st_mode)) return false;
    return S_ISREG(st.st_mode) || withSystem;
}

// The one entry of the folder whose name Qt would show as `shown`, else shown.
QString entryShownAs(const QString& folder, const QString& shown) {
    std::unique_ptr<DIR, DirCloser> dir(opendir(NativeName(folder.isEmpty() ? QStringLiteral("/") : folder).constData()));
    if (!dir) return shown;
    QString found;
    while (const dirent* entry = readdir(dir.get())) {
        if (QString::fromUtf8(entry->d_name) != shown) continue;
        if (!found.isEmpty()) return shown;  // two candidates: no way to tell
        found = NameFromNative(entry->d_name);
    }
    return found.isEmpty() ? shown : found;
}

}  // namespace

QString NativePathFromQt(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter)) return path;
    const QStringList parts = path.split(u'/');
    QString native = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& part = parts[i];
        native += u'/' + (part.contains(QChar::ReplacementCharacter) ? entryShownAs(native, part) : part);
    }
    return native;
}

bool IsFolder(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && stat(NativeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolderPath(const QString& path) {
    if (path.isEmpty()) return false;
    const QByteArray native = NativeName(path);
    for (qsizetype slash = native.indexOf('/', 1); ; slash = native.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? native : native.left(slash);
        if (mkdir(part.constData(), 0777) != 0 && errno != EEXIST) return false;
        if (slash < 0) break;
    }
    return IsFolder(path);
}

QStringList FolderFileNames(const QString& folder, bool withSystem) {
    QStringList names;
    std::unique_ptr<DIR, DirCloser> dir(opendir(NativeName(folder).constData()));
    if (!dir) return names;
    while (const dirent* entry = readdir(dir.get())) {
        if (isDotOrDotDot(entry->d_name)) continue;
        if (isListedFile(dirfd(dir.get()), entry->d_name, withSystem))
            names.append(NameFromNative(entry->d_name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tollamar
