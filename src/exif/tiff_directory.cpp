#include "exif/tiff_directory.h"

namespace tollamar {

std::optional<TiffDirectory> TiffDirectory::open(const TiffReader& tiff, uint64_t offset) {
    if (offset >= tiff.size()) return std::nullopt;
    const std::optional<uint16_t> count = tiff.u16(offset);
    if (!count) ThrowExifDamaged();
    return TiffDirectory(tiff, offset, *count);
}

bool TiffDirectory::hasEntry(int index) const { return m_tiff->contains(entryOffset(index), 12); }

TiffEntry TiffDirectory::entry(int index) const {
    if (!hasEntry(index)) ThrowExifDamaged();
    const uint64_t at = entryOffset(index);
    TiffEntry e;
    e.tag = *m_tiff->u16(at);
    e.type = *m_tiff->u16(at + 2);
    e.count = *m_tiff->u32(at + 4);
    e.field = at + 8;
    e.fieldValue = *m_tiff->u32(at + 8);
    return e;
}

uint32_t TiffDirectory::nextOffset() const {
    const std::optional<uint32_t> next = m_tiff->u32(entryOffset(m_count));
    if (!next) ThrowExifDamaged();
    return *next;
}

}  // namespace tollamar
