#include "search_fixtures.h"

#include "platform/folder_ops.h"
#include "platform/native_name.h"
#include "support/jpeg_builder.h"

#include <fcntl.h>
#include <unistd.h>

namespace searchtest {
namespace {

struct Tiff {
    bool big;
    QByteArray n(uint32_t value, int bytes) const {
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(static_cast<char>(value >> (8 * (big ? bytes - 1 - i : i))));
        return out;
    }
    // A directory at offset `at` with ASCII values stored after it, then one inline entry.
    QByteArray ifd(uint32_t at, QList<std::pair<uint16_t, QByteArray>> texts, uint16_t tag,
                   uint16_t type, uint32_t value) const {
        QByteArray dir = n(static_cast<uint32_t>(texts.size() + 1), 2), data;
        auto dataAt = static_cast<uint32_t>(at + 2 + 12 * (texts.size() + 1) + 4);
        for (const auto& [textTag, text] : texts) {
            dir += n(textTag, 2) + n(2, 2) + n(static_cast<uint32_t>(text.size() + 1), 4) +
                   n(dataAt + static_cast<uint32_t>(data.size()), 4);
            data += text + '\0';
        }
        dir += n(tag, 2) + n(type, 2) + n(1, 4) + (type == 3 ? n(value, 2) + n(0, 2) : n(value, 4));
        return dir + n(0, 4) + data;
    }
};

}  // namespace

QByteArray ExifPayload(const QByteArray& make, const QByteArray& model,
                       const QByteArray& dateTime, uint16_t flash, bool bigEndian) {
    const Tiff t{bigEndian};
    const QList<std::pair<uint16_t, QByteArray>> ifd0 = {{0x010F, make}, {0x0110, model}};
    const auto exifAt = static_cast<uint32_t>(8 + t.ifd(8, ifd0, 0x8769, 4, 0).size());
    return QByteArray("Exif\0\0", 6) + (bigEndian ? QByteArray("MM\0\x2A", 4) : QByteArray("II\x2A\0", 4)) +
           t.n(8, 4) + t.ifd(8, ifd0, 0x8769, 4, exifAt) +
           t.ifd(exifAt, {{0x9003, dateTime}}, 0x9209, 3, flash);
}

QByteArray Photo(const QByteArray& comPayload, const QByteArray& app1) {
    testsupport::JpegBuilder jpeg;
    jpeg.soi();
    if (!app1.isEmpty()) jpeg.app1(app1);
    if (!comPayload.isEmpty()) jpeg.com(comPayload);
    return jpeg.tables().sosAndData().bytes();
}

QString WritePhoto(const QString& path, const QByteArray& bytes) {
    // Through the system calls, so that names which are not UTF-8 keep their bytes.
    tollamar::MakeFolderPath(path.left(path.lastIndexOf(u'/')));
    const int fd = open(tollamar::NativeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && write(fd, bytes.constData(), bytes.size()) == bytes.size();
    if (fd >= 0) close(fd);
    if (!written) qFatal("cannot write %s", qPrintable(path));
    return path;
}

}  // namespace searchtest
