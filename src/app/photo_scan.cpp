#include "app/photo_scan.h"

#include "platform/file_ops.h"
#include "platform/native_name.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace tollamar {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

QChar asciiLower(QChar c) {
    return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

bool endsWithFolded(QStringView name, QStringView suffix) {
    if (name.size() < suffix.size()) return false;
    const QStringView tail = name.right(suffix.size());
    for (qsizetype i = 0; i < suffix.size(); ++i)
        if (asciiLower(tail[i]) != suffix[i]) return false;
    return true;
}

}  // namespace

bool IsPhotoFileName(QStringView name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return false;
    const QStringView extension = name.mid(dot);
    return (extension.size() == 4 && endsWithFolded(extension, u".jpg")) ||
           (extension.size() == 5 && endsWithFolded(extension, u".jpeg"));
}

TPhotoList ScanPhotoFolder(const QString& folder) {
    TPhotoList list;
    std::unique_ptr<DIR, DirCloser> dir(opendir(NativePath(folder).constData()));
    if (!dir) return list;
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    while (const dirent* entry = readdir(dir.get())) {
        const QString name = NameFromNative(entry->d_name);
        // The name is tested first so that only candidates cost a stat.
        if (!IsPhotoFileName(name)) continue;
        // One statx relative to the open folder gives the type (links followed) and the
        // creation time: birth time where the file system records one, else mtime.
        struct statx stx {};
        if (statx(dirfd(dir.get()), entry->d_name, 0, STATX_TYPE | STATX_BTIME | STATX_MTIME, &stx) != 0)
            continue;
        // Folders and devices, sockets and FIFOs are not photos.
        if (!S_ISREG(stx.stx_mode)) continue;
        const statx_timestamp& t = (stx.stx_mask & STATX_BTIME) ? stx.stx_btime : stx.stx_mtime;
        const qint64 created = FileTimeFromTimespec(timespec{static_cast<time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)});
        list.push_back(std::make_unique<TItemData>(prefix + name, created));
    }
    // readdir gives hash order on Linux; an unsorted list takes the order a Windows
    // listing has (names without regard to case), which is what users expect to see.
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        return a->FileName.compare(b->FileName, Qt::CaseInsensitive) < 0;
    });
    return list;
}

TPhotoList PhotoListFromPaths(const QStringList& paths) {
    TPhotoList list;
    list.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths) list.push_back(std::make_unique<TItemData>(path));
    return list;
}

}  // namespace tollamar
