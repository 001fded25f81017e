#pragma once
// Folder enumeration for the search walk, in the order the file system returns the
// entries.

#include <QList>
#include <QString>
#include <set>
#include <sys/types.h>
#include <utility>

namespace tollamar {

struct FolderEntry {
    enum Kind { File, Folder };
    QString name;
    Kind kind;
};

// Remembers every folder it has listed by device and inode, so that a folder reached
// again through a symbolic link (a link cycle, two links to one folder) is listed once.
class FolderListing {
public:
    // The folder's regular files and subfolders, symbolic links followed. Devices,
    // sockets, FIFOs, dangling links and names that are not valid UTF-8 are left out.
    // Empty when the folder cannot be read or was listed before.
    QList<FolderEntry> listOnce(const QString& folder);
    // Why the last listOnce could not open its folder (an errno value); 0 when it could.
    int lastError() const { return m_lastError; }

private:
    std::set<std::pair<dev_t, ino_t>> m_listed;
    int m_lastError = 0;
};

}  // namespace tollamar
