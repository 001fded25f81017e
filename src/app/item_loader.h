#pragma once
// Reading what the list shows of one photo: comment, summaries and thumbnail.

#include "app/item_data.h"

namespace tollamar {

// Fills Comment, Summary and Camera, then Thumbnail: the embedded Exif thumbnail's
// bytes when they form a walkable JPEG, else the photo decoded and fitted into
// width x height. True when a thumbnail was made; false when the entry already had
// one. Raises file, Exif and decode errors; the fields filled before the error stay,
// and a failed decode leaves the blank bitmap.
bool LoadItemDetails(int width, int height, TItemData& entry);

// The bitmap in its compact stored form (24 bits per pixel).
QImage CompactThumbnail(const QImage& bitmap);

}  // namespace tollamar
