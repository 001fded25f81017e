#include "imaging/jpeg_source.h"

#include "platform/fault_injection.h"

#include <cerrno>
#include <jerror.h>
#include <unistd.h>

namespace tollamar {

namespace {

// What a source hands libjpeg once the data is used up.
const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};

void warnAndEnd(j_decompress_ptr cinfo) {
    cinfo->err->msg_code = JWRN_JPEG_EOF;
    cinfo->err->emit_message(reinterpret_cast<j_common_ptr>(cinfo), -1);
    cinfo->src->next_input_byte = kFakeEoi;
    cinfo->src->bytes_in_buffer = sizeof kFakeEoi;
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillFromMemory(j_decompress_ptr cinfo) {
    warnAndEnd(cinfo);
    return TRUE;
}

void skipInMemory(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* src = cinfo->src;
    if (count <= 0) return;
    if (static_cast<size_t>(count) > src->bytes_in_buffer) {
        // A skip past the end lands on the fake EOI.
        warnAndEnd(cinfo);
        return;
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<size_t>(count);
}

JpegFileSource& fileSourceOf(j_decompress_ptr cinfo) {
    // pub is the first member of the standard-layout JpegFileSource.
    return *reinterpret_cast<JpegFileSource*>(cinfo->src);
}

boolean fillFromFile(j_decompress_ptr cinfo) {
    JpegFileSource& source = fileSourceOf(cinfo);
    if (source.readErrno == 0) {
        const int64_t n = ReadFileAt(source.fd, source.buffer, source.capacity, source.nextOffset);
        if (n > 0) {
            source.nextOffset += n;
            source.pub.next_input_byte = source.buffer;
            source.pub.bytes_in_buffer = static_cast<size_t>(n);
            return TRUE;
        }
        if (n < 0) source.readErrno = errno;
    }
    warnAndEnd(cinfo);
    return TRUE;
}

void skipInFile(j_decompress_ptr cinfo, long count) {
    JpegFileSource& source = fileSourceOf(cinfo);
    if (count <= 0) return;
    if (static_cast<size_t>(count) <= source.pub.bytes_in_buffer) {
        source.pub.next_input_byte += count;
        source.pub.bytes_in_buffer -= static_cast<size_t>(count);
        return;
    }
    // Past the buffer: move the offset, so big APPn segments are never read.
    source.nextOffset += count - static_cast<long>(source.pub.bytes_in_buffer);
    source.pub.bytes_in_buffer = 0;
}

}  // namespace

int64_t ReadFileAt(int fd, JOCTET* into, size_t capacity, int64_t offset) {
    if (const int injected = faults::Take(faults::Op::Read)) {
        errno = injected;
        return -1;
    }
    for (;;) {
        const ssize_t n = pread(fd, into, capacity, static_cast<off_t>(offset));
        if (n >= 0 || errno != EINTR) return n;
    }
}

void InitMemorySource(JpegMemorySource& source, const JOCTET* data, size_t size) {
    source.pub.init_source = initSource;
    source.pub.fill_input_buffer = fillFromMemory;
    source.pub.skip_input_data = skipInMemory;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = termSource;
    source.pub.next_input_byte = data;
    source.pub.bytes_in_buffer = size;
}

void InitFileSource(JpegFileSource& source, int fd, JOCTET* buffer, size_t capacity,
                    size_t filled) {
    source.pub.init_source = initSource;
    source.pub.fill_input_buffer = fillFromFile;
    source.pub.skip_input_data = skipInFile;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = termSource;
    source.pub.next_input_byte = buffer;
    source.pub.bytes_in_buffer = filled;
    source.fd = fd;
    source.nextOffset = static_cast<int64_t>(filled);
    source.buffer = buffer;
    source.capacity = capacity;
    source.readErrno = 0;
}

}  // namespace tollamar
