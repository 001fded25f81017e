#include "platform/file_stamp.h"

#include "platform/file_ops.h"

#include <sys/stat.h>

namespace tollamar {

namespace {

int64_t nanoseconds(const timespec& time) {
    return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

}  // namespace

TFileStamp FileStampOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || stat(NativePath(path).constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return {};
    TFileStamp stamp;
    stamp.device = static_cast<uint64_t>(st.st_dev);
    stamp.inode = static_cast<uint64_t>(st.st_ino);
    stamp.size = static_cast<int64_t>(st.st_size);
    stamp.modifiedNs = nanoseconds(st.st_mtim);
    stamp.changedNs = nanoseconds(st.st_ctim);
    return stamp;
}

}  // namespace tollamar
