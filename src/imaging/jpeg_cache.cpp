#include "imaging/jpeg_cache.h"

#include <algorithm>

namespace tollamar {

int64_t TJpegItem::Cost() const {
    if (Bitmap.isNull()) return 0;
    return int64_t{Bitmap.width()} * Bitmap.height() * 3;
}

int64_t TJpegCache::BudgetBytes() const { return int64_t{std::max(m_cacheSize, 0)} * 1048576; }

bool TJpegCache::SetCacheSize(int megabytes) {
    if (megabytes < 0 || megabytes > kMaxCacheSize || megabytes == m_cacheSize) return false;
    m_cacheSize = megabytes;
    TrimCache();
    return true;
}

std::optional<QImage> TJpegCache::TakeFromCache(const QString& fileName, const TFileStamp& stamp) {
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [&](const TJpegItem& item) { return item.FileName == fileName; });
    if (found == m_items.end()) return std::nullopt;
    if (!stamp.valid() || found->Stamp != stamp) {
        m_items.erase(found);
        return std::nullopt;
    }
    std::rotate(found, found + 1, m_items.end());
    return m_items.back().Bitmap;
}

void TJpegCache::Add(const QString& fileName, const TFileStamp& stamp, const QImage& bitmap) {
    if (bitmap.isNull() || !stamp.valid()) return;
    m_items.push_back({fileName, stamp, bitmap});
    TrimCache();
}

void TJpegCache::TrimCache() {
    const int64_t budget = BudgetBytes();
    int64_t total = 0;
    std::vector<TJpegItem> kept;
    kept.reserve(m_items.size());
    for (auto item = m_items.rbegin(); item != m_items.rend(); ++item) {
        const int64_t cost = item->Cost();
        if (total + cost > budget) continue;
        total += cost;
        kept.push_back(std::move(*item));
    }
    std::reverse(kept.begin(), kept.end());
    m_items = std::move(kept);
}

}  // namespace tollamar
