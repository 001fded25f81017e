// ReplaceSegment over arbitrary bytes. The first byte picks the marker and the length of
// the new data taken from the end of the input. A successful rebuild must walk again
// and hold exactly the new data under that marker.
#include "jpegfile/byte_source.h"
#include "jpegfile/segment_replace.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint8_t marker = (data[0] & 1) ? 0xFE : 0xE1;
    const auto dataLength = std::min<size_t>(data[1], size - 2);
    QByteArray content(reinterpret_cast<const char*>(data + 2),
                       static_cast<qsizetype>(size - 2 - dataLength));
    const QByteArray newData(reinterpret_cast<const char*>(data + size - dataLength),
                             static_cast<qsizetype>(dataLength));
    try {
        if (!tollamar::ReplaceSegment(content, newData, marker)) return 0;
    } catch (const tollamar::Error&) {
        return 0;
    }
    QByteArray payloads;
    tollamar::MemorySource source(content);
    if (!tollamar::ExtractSegment(source, marker, payloads) || payloads != newData) std::abort();
    return 0;
}
