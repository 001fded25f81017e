#include "seeds.h"

#include "album.h"
#include "comment_payload.h"
#include "exif_writer.h"
#include "jpeg_assembly.h"
#include "jpeg_encoder.h"
#include "picture.h"

#include <QDir>

#include <stdexcept>
#include <utility>
#include <vector>

namespace tollamar::samples {

namespace {

constexpr int kSeedQuality = 50;

ExifRecord SeedRecord(bool littleEndian, const QByteArray& thumbnail)
{
    ExifRecord r;
    r.littleEndian = littleEndian;
    r.make = littleEndian ? "KYO" : "HARUKA";
    r.model = littleEndian ? "K1" : "Haruka Mini 3";
    r.software = "seed";
    r.dateTime = "2020:01:01 00:00:00";
    r.dateTimeOriginal = "2019:12:31 23:59:59";
    r.exposureTime = {1, 125};
    r.fNumber = {28, 10};
    r.apexValues = !littleEndian;
    r.exposureBias = {-1, 3};
    r.maxAperture = {297, 100};
    r.flash = littleEndian ? 0 : 25;
    r.focalLength = {227, 32};
    r.pixelWidth = 16;
    r.pixelHeight = 16;
    r.dimensionsAsLong = !littleEndian;
    r.thumbnail = thumbnail;
    return r;
}

QByteArray Tiny(int size, int number, bool withJfif)
{
    return EncodeJpeg(PaintPhoto(size, size, number), kSeedQuality, withJfif);
}

// Comments split over two segments in different places, a standalone marker and
// fill bytes before a marker: all valid, all easy to get wrong.
QByteArray OddStructure()
{
    const JpegParts parts = SplitAtSos(Tiny(8, 4, false));
    return QByteArray("\xFF\xD8", 2) + Segment(0xFE, "AB") + QByteArray("\xFF\x01\xFF\xFF", 4) +
           parts.header + Segment(0xFE, "CD") + parts.scan;
}

std::vector<std::pair<QString, QByteArray>> SeedFiles()
{
    const QByteArray thumbnail = EncodeJpeg(PaintPhoto(16, 12, 9), kSeedQuality, false);
    const QByteArray exifII = BuildExifPayload(SeedRecord(true, thumbnail));
    const QByteArray exifMM = BuildExifPayload(SeedRecord(false, {}));
    const QByteArray ii = AssemblePhoto(Tiny(16, 1, false), exifII,
                                        ShiftJisPayload(QStringLiteral("富士山\r\nFuji")));
    const QByteArray mm = AssemblePhoto(Tiny(16, 2, false), exifMM,
                                        UnicodePayload(QStringLiteral("𠮷 AB")));
    // Exif APP1 starts at offset 4; cut in the middle of its IFD0.
    const QByteArray cutInExif = ii.left(4 + 2 + 60);
    const QByteArray cutInScan = mm.left(mm.size() - 40);
    return {
        {QStringLiteral("seed_exif_ii_thumbnail.jpg"), ii},
        {QStringLiteral("seed_exif_mm.jpg"), mm},
        {QStringLiteral("seed_jfif_plain.jpg"), Tiny(8, 3, true)},
        {QStringLiteral("seed_odd_structure.jpg"), OddStructure()},
        {QStringLiteral("seed_unicode_odd_length.jpg"),
         AssemblePhoto(Tiny(8, 5, true), {}, QByteArray("\xFF\xFE\x41\x00\x42", 5))},
        {QStringLiteral("seed_truncated_exif.jpg"), cutInExif},
        {QStringLiteral("seed_truncated_scan.jpg"), cutInScan},
        {QStringLiteral("seed_ii.exif"), exifII},
        {QStringLiteral("seed_mm.exif"), exifMM},
    };
}

}  // namespace

QStringList WriteSeeds(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot create folder " + folder.toStdString());
    const QDir dir(folder);
    QStringList names;
    for (const auto& [name, bytes] : SeedFiles()) {
        WriteFile(dir.filePath(name), bytes, {});
        names << name;
    }
    return names;
}

}  // namespace tollamar::samples
