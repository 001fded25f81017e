#pragma once
// The image window's decoded pictures, kept so that stepping back to a photo seen a
// moment ago is instant. An ordered list, oldest first; a budget in megabytes bounds
// the sum of the costs (width x height x 3 bytes per picture). Trimming walks from the
// newest entry to the oldest and deletes every entry that would take the sum over the
// budget, so an older, smaller picture that still fits survives a bigger, newer one.
// Interface thread only. Pictures share their pixels with the picture on screen.

#include "platform/file_stamp.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tollamar {

struct TJpegItem {
    QString FileName;
    TFileStamp Stamp;  // the file the picture was decoded from
    QImage Bitmap;

    // width x height x 3 whatever the depth; 0 for an empty bitmap.
    int64_t Cost() const;
};

class TJpegCache {
public:
    static constexpr int kDefaultCacheSize = 6;
    static constexpr int kMaxCacheSize = 256;

    // cacheSize as read from the settings, not range-checked (a negative one keeps nothing).
    explicit TJpegCache(int cacheSize = kDefaultCacheSize) : m_cacheSize(cacheSize) {}

    int CacheSize() const { return m_cacheSize; }
    // CacheSize megabytes in bytes, in 64 bits; 0 for a negative size.
    int64_t BudgetBytes() const;
    // Takes a size in 0..256 that differs from the current one and trims; true then.
    bool SetCacheSize(int megabytes);

    // The picture of fileName when an entry holds it and the file is still the one it
    // was decoded from; that entry becomes the newest. An entry of a changed or
    // vanished file is dropped and nullopt returned.
    std::optional<QImage> TakeFromCache(const QString& fileName, const TFileStamp& stamp);
    // Appends an entry and trims. An empty picture or an unknown file is not kept: a
    // failed decode is tried again the next time.
    void Add(const QString& fileName, const TFileStamp& stamp, const QImage& bitmap);
    void TrimCache();

    const std::vector<TJpegItem>& Items() const { return m_items; }

private:
    std::vector<TJpegItem> m_items;  // oldest first
    int m_cacheSize;
};

}  // namespace tollamar
