#pragma once
// What identifies one version of a file on disk. A safe rewrite keeps the modification
// time and often the length, but it writes a new file under the old name, so the inode
// and the status-change time differ: all four are compared.

#include <QString>
#include <cstdint>

namespace tollamar {

struct TFileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = -1;  // -1: the file could not be examined
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;

    bool valid() const { return size >= 0; }
    bool operator==(const TFileStamp&) const = default;
};

// The stamp of the file a path names now (links followed); invalid when it does not exist.
TFileStamp FileStampOf(const QString& path);

}  // namespace tollamar
