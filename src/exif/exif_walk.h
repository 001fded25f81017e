#pragma once
// The walk both Exif readers share: IFD0 entry by entry, and where IFD0 holds the Exif
// IFD pointer, the Exif IFD's entries before IFD0 goes on with its next entry.

#include "exif/tiff_directory.h"

#include <array>
#include <cstdint>

namespace tollamar {

constexpr uint16_t kTagExifIfd = 0x8769;

namespace detail {

// Real files hold one Exif IFD pointer. A file that repeats it would make the walk
// read the same directory again and again, so each offset is walked once (a repeat
// would set the same texts anyway) and only the first few different ones at all.
class ExifIfdVisits {
public:
    bool firstVisit(uint32_t offset) {
        for (int i = 0; i < m_count; ++i)
            if (m_offsets[i] == offset) return false;
        if (m_count == static_cast<int>(m_offsets.size())) return false;
        m_offsets[m_count++] = offset;
        return true;
    }

private:
    std::array<uint32_t, 8> m_offsets{};
    int m_count = 0;
};

}  // namespace detail

// Calls onIfd0(entry) for IFD0's entries and onExif(entry) for the Exif IFD's. False
// when IFD0 lies outside the data; an Exif IFD outside it is not walked. Raises the
// damaged-Exif error when a directory's count or entry is cut off by the end.
template <typename OnIfd0, typename OnExif>
bool WalkExifDirectories(const TiffReader& tiff, OnIfd0&& onIfd0, OnExif&& onExif) {
    const std::optional<TiffDirectory> ifd0 = TiffDirectory::open(tiff, FirstIfdOffset(tiff));
    if (!ifd0) return false;
    detail::ExifIfdVisits visits;
    for (int i = 0; i < ifd0->count(); ++i) {
        const TiffEntry entry = ifd0->entry(i);
        if (entry.tag != kTagExifIfd) {
            onIfd0(entry);
            continue;
        }
        if (!visits.firstVisit(entry.fieldValue)) continue;
        if (const std::optional<TiffDirectory> exif = TiffDirectory::open(tiff, entry.fieldValue)) {
            for (int j = 0; j < exif->count(); ++j) onExif(exif->entry(j));
        }
    }
    return true;
}

}  // namespace tollamar
