#pragma once
// Display texts of Exif values: rationals, exposure time and bias, flash, component and
// version texts, and the words of the enumerated tags (Exif 2.2, section 4.6).

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

namespace tollamar {

class TiffReader;
struct TiffEntry;

// "#0div" for a zero denominator, else numerator / denominator with the given number
// of decimals: RationalText(72, 1, 1) is 72.0.
QString RationalText(uint32_t numerator, uint32_t denominator, int decimals);
// RATIONAL entries only (else empty): the first value's RationalText; with all set and
// 1 < count < 10, every further value after ":" (0.31:0.33). nullopt when the values
// lie outside the data.
std::optional<QString> RationalListText(const TiffReader& tiff, const TiffEntry& entry, bool all,
                                        int decimals);
// Above 1 s the general text (2, 1.5); down to a microsecond "1/N" (1/250, 1/1); else empty.
QString ExposureTimeText(float seconds);
// Whole, halves, thirds and quarters as fractions, else one or two decimals, else the
// general text; signed unless zero: 0, +1, +1/3, -1/2, +0.3, +0.125.
QString ExposureBiasText(float ev);
// "Off", "On", or "On" with what the strobe return light detection reported.
QString FlashText(uint16_t code);
// UNDEFINED with count 4 only (else empty): the four component codes as letters (RGB).
QString ComponentsText(const TiffReader& tiff, const TiffEntry& entry);
// The first four characters of the value as a version: 0220 gives 2.20. nullopt when
// they lie outside the data.
std::optional<QString> VersionText(const TiffReader& tiff, const TiffEntry& entry);

// Enumerations; nullopt where a code has no text and the field keeps its value.
std::optional<QString> ResolutionUnitText(int64_t code);
QString PhotometricText(int64_t code);
QString ExposureProgramText(int64_t code);
QString MeteringModeText(int64_t code);
QString LightSourceText(int64_t code);
std::optional<QString> SensingMethodText(int64_t code);

// Bytes of an ASCII value as text, UTF-8 or code page 932 by the rule of
// DecodeUnmarkedText (older Japanese software writes Shift-JIS into these fields).
QString ExifStringText(QByteArrayView bytes);

}  // namespace tollamar
