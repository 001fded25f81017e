// The Exif thumbnail reader over arbitrary APP1 payloads: no read outside the payload,
// a thumbnail only from inside it, and nothing raised but the damaged-Exif error.
#include "exif/exif_thumbnail.h"
#include "platform/errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Inputs without the Exif mark are also tried behind one, so that most runs reach
    // the TIFF structure; the copy is exactly as long as its data.
    std::vector<char> bytes(data, data + size);
    if (size < 4 || (data[0] | 0x20) != 'e') bytes.insert(bytes.begin(), {'E', 'x', 'i', 'f', '\0', '\0'});
    const QByteArrayView payload(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QByteArray thumbnail;
    try {
        if (tollamar::ReadExifThumbnailFromPayload(payload, thumbnail) && thumbnail.size() > payload.size())
            std::abort();
    } catch (const tollamar::Error&) {
    }
    return 0;
}
