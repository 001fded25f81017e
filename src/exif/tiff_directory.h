#pragma once
// One image file directory (IFD): a 16-bit entry count, 12-byte entries, then the
// 32-bit offset of the next directory.

#include "exif/tiff_reader.h"

#include <cstdint>
#include <optional>

namespace tollamar {

struct TiffEntry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    uint64_t field = 0;       // where the 4-byte value field lies in the TIFF data
    uint32_t fieldValue = 0;  // the value field read as a LONG: the value or its offset

    // Where values of byteCount bytes in all lie: in the value field itself when they
    // fit into its 4 bytes, else at the offset it holds.
    uint64_t valuesAt(uint64_t byteCount) const { return byteCount <= 4 ? field : fieldValue; }
};

class TiffDirectory {
public:
    // nullopt when the directory would start outside the data (a wild offset: there is
    // nothing to walk). Raises the damaged-Exif error when the entry count is cut off.
    static std::optional<TiffDirectory> open(const TiffReader& tiff, uint64_t offset);

    int count() const { return m_count; }
    // False when the data ends before the whole entry.
    bool hasEntry(int index) const;
    // Raises the damaged-Exif error when the data ends before the whole entry.
    TiffEntry entry(int index) const;
    // The offset of the next directory; raises when the data ends before it.
    uint32_t nextOffset() const;

private:
    TiffDirectory(const TiffReader& tiff, uint64_t offset, int count)
        : m_tiff(&tiff), m_offset(offset), m_count(count) {}
    uint64_t entryOffset(int index) const { return m_offset + 2 + 12 * static_cast<uint64_t>(index); }

    const TiffReader* m_tiff;
    uint64_t m_offset;
    int m_count;
};

}  // namespace tollamar
