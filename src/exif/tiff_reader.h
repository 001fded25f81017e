#pragma once
// Bounded access to the TIFF structure inside an Exif APP1 payload (TIFF 6.0, Exif 2.2).
// Every byte the Exif readers look at comes through TiffReader, which knows the end of
// the data and refuses to pass it; the byte order belongs to the data, not to the host.

#include <QByteArrayView>
#include <cstdint>
#include <optional>

namespace tollamar {

enum class ByteOrder { LittleEndian, BigEndian };

// TIFF field types that carry Exif values.
enum TiffType : uint16_t {
    kTiffByte = 1,
    kTiffAscii = 2,
    kTiffShort = 3,
    kTiffLong = 4,
    kTiffRational = 5,
    kTiffUndefined = 7,
    kTiffSLong = 9,
    kTiffSRational = 10,
};

class TiffReader {
public:
    TiffReader(QByteArrayView data, ByteOrder order)
        : m_data(data), m_order(order), m_budget(kBudgetFloor + 4 * size()) {}

    ByteOrder byteOrder() const { return m_order; }
    uint64_t size() const { return static_cast<uint64_t>(m_data.size()); }
    // True when [offset, offset + length) lies inside the data; immune to overflow.
    bool contains(uint64_t offset, uint64_t length) const {
        return offset <= size() && length <= size() - offset;
    }

    // nullopt when the value does not lie wholly inside the data.
    std::optional<uint8_t> u8(uint64_t offset) const;
    std::optional<uint16_t> u16(uint64_t offset) const;
    std::optional<uint32_t> u32(uint64_t offset) const;
    std::optional<QByteArrayView> bytes(uint64_t offset, uint64_t length) const;
    // The bytes from offset up to the first zero byte, or maxLength bytes when none of
    // them is zero. nullopt when the data ends first: the text would run outside.
    std::optional<QByteArrayView> bytesToZero(uint64_t offset, uint64_t maxLength) const;

private:
    // Real Exif texts are read once each and add up to less than the data. Thousands of
    // entries aimed at one long text would read it thousands of times, so the byte runs
    // read through one reader may add up to four times the data plus this much; past
    // that they read as lying outside.
    static constexpr uint64_t kBudgetFloor = 1 << 20;
    bool spend(uint64_t length) const;

    QByteArrayView m_data;
    ByteOrder m_order;
    mutable uint64_t m_budget;
};

// The TIFF data of an APP1 payload: "Exif" (letters in any case), a zero byte, one byte
// that is not examined, then the TIFF header (II or MM, then 42 in that order). Offsets
// inside Exif count from the header, so the reader starts there. nullopt: no Exif.
std::optional<TiffReader> OpenExifTiff(QByteArrayView payload);
// The offset of IFD0 stored in the TIFF header.
uint32_t FirstIfdOffset(const TiffReader& tiff);

// Raises the error of an Exif directory that runs past the end of the APP1 data.
[[noreturn]] void ThrowExifDamaged();

}  // namespace tollamar
