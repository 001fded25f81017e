// The segment listing over arbitrary bytes: it must end, stay inside the data and
// raise nothing.
#include "fileinfo/segment_list.h"
#include "jpegfile/byte_source.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));
    tollamar::MemorySource source(bytes);
    tollamar::TTextNode parent;
    tollamar::ListSegments(source, parent);
    return 0;
}
