// bench_make_folder OUTDIR COUNT WIDTH HEIGHT [--thumbnail]
// Writes COUNT camera-like photos: Exif from a few cameras, a Shift-JIS comment, and
// with --thumbnail a 160x120 Exif thumbnail. A handful of pictures are encoded and
// reused with varying Exif and comments, so large folders are written quickly; the
// pictures carry fine noise so that they decode like real photos rather than flat art.

#include "comment_payload.h"
#include "exif_writer.h"
#include "jpeg_assembly.h"
#include "jpeg_encoder.h"
#include "picture.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

using namespace tollamar::samples;

namespace {

constexpr int kVariants = 8;

struct Variant {
    QByteArray encoded;
    QByteArray thumbnail;
};

Variant makeVariant(int number, int width, int height, bool withThumbnail) {
    Picture picture = PaintPhoto(width, height, number);
    std::mt19937 noise(static_cast<unsigned>(number));
    for (uint8_t& value : picture.rgb)
        value = static_cast<uint8_t>(std::clamp(int(value) + int(noise() % 17) - 8, 0, 255));
    Variant v;
    v.encoded = EncodeJpeg(picture, 90, false);
    if (withThumbnail) v.thumbnail = EncodeJpeg(Thumbnail(picture, 160, 120), 75, false);
    return v;
}

ExifRecord cameraFor(int i, int width, int height, const QByteArray& thumbnail) {
    static const char* const makers[] = {"FICTICAM", "KYO", "Kestrel Optics"};
    static const char* const models[] = {"FC 20 Zoom", "K1", "KX-100"};
    ExifRecord r;
    r.littleEndian = i % 2 == 0;
    r.make = makers[i % 3];
    r.model = models[i % 3];
    const QByteArray stamp = QStringLiteral("2023:%1:%2 %3:%4:00")
                                 .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                 .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                 .arg(i % 24, 2, 10, QLatin1Char('0'))
                                 .arg(i % 60, 2, 10, QLatin1Char('0'))
                                 .toLatin1();
    r.dateTime = stamp;
    r.dateTimeOriginal = stamp;
    r.exposureTime = {1, static_cast<uint32_t>(60 + i % 200)};
    r.fNumber = {static_cast<uint32_t>(28 + i % 50), 10};
    r.iso = static_cast<uint16_t>(100 << (i % 4));
    r.focalLength = {static_cast<uint32_t>(70 + i % 300), 10};
    r.flash = static_cast<uint16_t>(i % 2);
    r.pixelWidth = static_cast<uint32_t>(width);
    r.pixelHeight = static_cast<uint32_t>(height);
    r.thumbnail = thumbnail;
    return r;
}

int usage() {
    std::fprintf(stderr, "usage: bench_make_folder OUTDIR COUNT WIDTH HEIGHT [--thumbnail]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc > 6) return usage();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    const bool withThumbnail = argc == 6 && QByteArray(argv[5]) == "--thumbnail";
    if (count < 1 || width < 8 || height < 8 || (argc == 6 && !withThumbnail)) return usage();
    QDir().mkpath(folder);
    std::vector<Variant> variants;
    for (int v = 0; v < std::min(kVariants, count); ++v) variants.push_back(makeVariant(v + 1, width, height, withThumbnail));
    for (int i = 0; i < count; ++i) {
        const Variant& v = variants[static_cast<size_t>(i) % variants.size()];
        const QByteArray exif = BuildExifPayload(cameraFor(i, width, height, v.thumbnail));
        const QByteArray comment = ShiftJisPayload(QStringLiteral("写真 %1 の説明、旅行 %2").arg(i).arg(i % 7));
        QFile file(QStringLiteral("%1/P%2.jpg").arg(folder).arg(i, 6, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(AssemblePhoto(v.encoded, exif, comment)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    std::printf("%d photos of %d x %d written to %s\n", count, width, height, qPrintable(folder));
    return 0;
}
