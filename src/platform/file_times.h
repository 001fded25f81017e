#pragma once
// A file's three times. Linux cannot set the birth time, so a rewrite restores the
// access and modification times and the birth time is reported as read. Also the size,
// attributes and times together, as a file's description shows them.

#include <QString>
#include <cstdint>
#include <ctime>

namespace tollamar {

struct TFileTimes {
    timespec creation{};    // birth time where the file system records one, else mtime
    timespec lastAccess{};
    timespec lastWrite{};
};

bool GetFileTimes(const QString& fileName, TFileTimes& times);
// Size, attributes (as GetFileAttributesOf gives them) and times from one statx; the
// link itself is followed.
struct TFileFacts {
    int64_t size = 0;
    unsigned attributes = 0;
    TFileTimes times;
};
bool GetFileFacts(const QString& fileName, TFileFacts& facts);
// Sets access and modification time (nanoseconds kept); the link itself is followed.
bool SetFileTimes(const QString& fileName, const TFileTimes& times);

}  // namespace tollamar
