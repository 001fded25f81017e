#include "jpegfile/comment_io.h"

#include "jpegfile/byte_source.h"
#include "jpegfile/comment_codec.h"
#include "jpegfile/safe_rewrite.h"
#include "jpegfile/segment_walk.h"

namespace tollamar {

// Whether the walk reached SOS does not matter: COM segments met before damage count.
static QString readFrom(ByteSource& source) {
    QByteArray payload;
    ExtractSegment(source, kMarkerCOM, payload);
    return DecodeComment(payload);
}

QString ReadComment(QIODevice& stream) {
    DeviceSource source(stream);
    return readFrom(source);
}

QString ReadComment(const QString& fileName) {
    FileSource source(fileName);
    return readFrom(source);
}

bool WriteComment(const QString& fileName, const QString& text, bool asUnicode) {
    const QByteArray payload = EncodeComment(text, asUnicode);
    return ReplaceSegmentInFile(fileName, payload, kMarkerCOM);
}

bool AppendComment(const QString& fileName, const QString& text, bool asUnicode) {
    const auto appended = [&](QByteArrayView content) {
        MemorySource source(content);
        return EncodeComment(readFrom(source) + text, asUnicode);
    };
    return ReplaceSegmentInFile(fileName, appended, kMarkerCOM);
}

}  // namespace tollamar
