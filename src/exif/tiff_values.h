#pragma once
// The typed readers of the full Exif parser: one entry's value as an integer, a number
// or a text. A value that lies (partly) outside the data gives nullopt, and so does a
// rational with a zero denominator; the parser then leaves the field as it was.

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

namespace tollamar {

class TiffReader;
struct TiffEntry;

// The first BYTE, SHORT, LONG or SLONG, inline or at the offset; other types give 0.
std::optional<int64_t> IntegerValue(const TiffReader& tiff, const TiffEntry& entry);
// A SHORT with count 1; anything else gives 0.
uint16_t SingleShortValue(const TiffReader& tiff, const TiffEntry& entry);
// A single-precision number from the integer types, a (signed) rational, or an ASCII
// decimal (0 when the text is not a number); other types give 0.
std::optional<float> NumberValue(const TiffReader& tiff, const TiffEntry& entry);
// ASCII only (other types give empty text): count bytes up to the first zero byte,
// trimmed of blanks and control characters at both ends.
std::optional<QString> TextValue(const TiffReader& tiff, const TiffEntry& entry);
// ASCII only: the text at the offset up to its first zero byte, trimmed; the count is
// not used.
std::optional<QString> TextToZeroValue(const TiffReader& tiff, const TiffEntry& entry);
// The first SHORT or LONG in decimal; "?" for any other type.
std::optional<QString> FirstIntegerText(const TiffReader& tiff, const TiffEntry& entry);
// SHORT only (else empty): the first value, and with withList and count below 10 every
// further one after ":" (8:8:8).
std::optional<QString> ShortListText(const TiffReader& tiff, const TiffEntry& entry, bool withList);

// Blanks and control characters (codes 0 to 32) removed from both ends.
QByteArrayView TrimmedBytes(QByteArrayView bytes);

}  // namespace tollamar
