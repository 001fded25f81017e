#pragma once
// Which tag of IFD0 and of the Exif IFD fills which field of TExifInfo, and how its
// value becomes the field's text.

#include "exif/exif_info.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace tollamar {

class TiffReader;
struct TiffEntry;

// The field's new text; nullopt leaves the field as it was.
using ExifConversion = std::optional<QString> (*)(const TiffReader& tiff, const TiffEntry& entry);

struct ExifTagRule {
    uint16_t tag;
    QString TExifInfo::*field;
    ExifConversion convert;
};

// nullptr for a tag the directory's table does not hold.
const ExifTagRule* FindIfd0Rule(uint16_t tag);
const ExifTagRule* FindExifIfdRule(uint16_t tag);

}  // namespace tollamar
