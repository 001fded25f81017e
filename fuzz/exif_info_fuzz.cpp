// The full Exif parser and the Exif text over arbitrary APP1 payloads: no read outside
// the payload, no hang, and nothing raised but the damaged-Exif error.
#include "exif/exif_info.h"
#include "exif/exif_parser.h"
#include "exif/exif_text.h"
#include "platform/errors.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Inputs without the Exif mark are also tried behind one, so that most runs reach
    // the TIFF structure; the copy is exactly as long as its data.
    std::vector<char> bytes(data, data + size);
    if (size < 4 || (data[0] | 0x20) != 'e') bytes.insert(bytes.begin(), {'E', 'x', 'i', 'f', '\0', '\0'});
    const QByteArrayView payload(bytes.data(), static_cast<qsizetype>(bytes.size()));
    tollamar::TExifInfo info;
    try {
        (void)tollamar::ReadExifInfoFromPayload(info, payload);
    } catch (const tollamar::Error&) {
    }
    tollamar::TTextNode root;
    tollamar::AddExifText(root, info);
    return 0;
}
