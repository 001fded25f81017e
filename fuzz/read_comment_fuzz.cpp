// ReadComment over arbitrary bytes: the walk must end, never read past the data, and
// raise nothing but the stream read error.
#include "jpegfile/comment_io.h"
#include "jpegfile/segment_walk.h"
#include "platform/errors.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    try {
        (void)tollamar::ReadComment(stream);
    } catch (const tollamar::Error&) {
    }
    (void)tollamar::IsJpegStream(QByteArrayView(bytes));
    return 0;
}
