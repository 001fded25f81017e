#pragma once
// A file's three times. Linux cannot set the birth time, so a rewrite restores the
// access and modification times and the birth time is reported as read.

#include <QString>
#include <ctime>

namespace tollamar {

struct TFileTimes {
    timespec creation{};    // birth time where the file system records one, else mtime
    timespec lastAccess{};
    timespec lastWrite{};
};

bool GetFileTimes(const QString& fileName, TFileTimes& times);
// Sets access and modification time (nanoseconds kept); the link itself is followed.
bool SetFileTimes(const QString& fileName, const TFileTimes& times);

}  // namespace tollamar
