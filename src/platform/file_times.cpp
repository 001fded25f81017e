#include "platform/file_times.h"

#include "platform/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tollamar {

static timespec toTimespec(const statx_timestamp& t) {
    timespec ts{};
    ts.tv_sec = t.tv_sec;
    ts.tv_nsec = t.tv_nsec;
    return ts;
}

static bool statxOf(const QString& fileName, unsigned mask, struct statx& stx) {
    return statx(AT_FDCWD, NativePath(fileName).constData(), 0, mask, &stx) == 0;
}

static TFileTimes timesOf(const struct statx& stx) {
    TFileTimes times;
    times.lastAccess = toTimespec(stx.stx_atime);
    times.lastWrite = toTimespec(stx.stx_mtime);
    times.creation = (stx.stx_mask & STATX_BTIME) ? toTimespec(stx.stx_btime) : times.lastWrite;
    return times;
}

bool GetFileTimes(const QString& fileName, TFileTimes& times) {
    struct statx stx {};
    if (!statxOf(fileName, STATX_BTIME | STATX_ATIME | STATX_MTIME, stx)) return false;
    times = timesOf(stx);
    return true;
}

bool GetFileFacts(const QString& fileName, TFileFacts& facts) {
    struct statx stx {};
    if (!statxOf(fileName, STATX_BASIC_STATS | STATX_BTIME, stx)) return false;
    facts.size = static_cast<int64_t>(stx.stx_size);
    facts.attributes = FileAttributesFromMode(stx.stx_mode, fileName);
    facts.times = timesOf(stx);
    return true;
}

bool SetFileTimes(const QString& fileName, const TFileTimes& times) {
    const timespec both[2] = {times.lastAccess, times.lastWrite};
    return utimensat(AT_FDCWD, NativePath(fileName).constData(), both, 0) == 0;
}

}  // namespace tollamar
