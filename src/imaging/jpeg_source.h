#pragma once
// libjpeg data sources. Both end the data the way libjpeg's own sources do: a premature
// end becomes a warning and a fake EOI marker, so a truncated photo still decodes with
// its missing rows filled in, while a truncated header fails with a decode error.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>

namespace tollamar {

// A whole compressed file in memory; the bytes must outlive the decompressor.
struct JpegMemorySource {
    jpeg_source_mgr pub;
};

// A file read by descriptor in chunks into a caller's buffer. Skips over segments move
// the read offset instead of reading, so a header probe reads only the header.
struct JpegFileSource {
    jpeg_source_mgr pub;
    int fd;
    int64_t nextOffset;  // file offset of the byte after the buffered ones
    JOCTET* buffer;
    size_t capacity;
    int readErrno;  // 0, or why a read failed (the data then ends there)
};

void InitMemorySource(JpegMemorySource& source, const JOCTET* data, size_t size);
// The first `filled` bytes of buffer already hold the file's start.
void InitFileSource(JpegFileSource& source, int fd, JOCTET* buffer, size_t capacity,
                    size_t filled);

// One pread with EINTR retried and the platform's fault seam honoured: the byte count,
// or -1 with errno set.
int64_t ReadFileAt(int fd, JOCTET* into, size_t capacity, int64_t offset);

}  // namespace tollamar
