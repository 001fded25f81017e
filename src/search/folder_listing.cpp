#include "search/folder_listing.h"

#include "platform/file_ops.h"
#include "platform/native_name.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

namespace tollamar {
namespace {

// Most file systems give the entry's type with its name; only links (and file systems
// that do not say) cost a stat, which follows the link to what it names.
std::optional<FolderEntry::Kind> kindOf(int folderFd, const dirent& entry) {
    if (entry.d_type == DT_REG) return FolderEntry::File;
    if (entry.d_type == DT_DIR) return FolderEntry::Folder;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return std::nullopt;
    struct stat st {};
    if (fstatat(folderFd, entry.d_name, &st, 0) != 0) return std::nullopt;
    if (S_ISREG(st.st_mode)) return FolderEntry::File;
    if (S_ISDIR(st.st_mode)) return FolderEntry::Folder;
    return std::nullopt;
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

QList<FolderEntry> FolderListing::listOnce(const QString& folder) {
    QList<FolderEntry> entries;
    DIR* dir = opendir(NativePath(folder).constData());
    m_lastError = dir ? 0 : errno;
    if (!dir) return entries;
    struct stat st {};
    if (fstat(dirfd(dir), &st) == 0 && m_listed.insert({st.st_dev, st.st_ino}).second) {
        while (const dirent* entry = readdir(dir)) {
            if (isDotOrDotDot(entry->d_name)) continue;
            const std::optional<FolderEntry::Kind> kind = kindOf(dirfd(dir), *entry);
            if (!kind) continue;
            entries.append({NameFromNative(entry->d_name), *kind});
        }
    }
    // The whole listing is read before the walk descends, so a deep tree does not hold
    // one open folder per level.
    closedir(dir);
    return entries;
}

}  // namespace tollamar
