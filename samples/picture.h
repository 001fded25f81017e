#pragma once
// RGB rasters for the sample photos: a gradient with a few shapes and the photo's
// number drawn large, so every sample is told apart at a glance.

#include <cstdint>
#include <vector>

namespace tollamar::samples {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3, rows top to bottom
};

// The same number always paints the same picture.
Picture PaintPhoto(int width, int height, int number);
// The picture reduced to fit width x height, centred on black bars (an Exif
// thumbnail is a fixed 160x120 whatever the photo's shape).
Picture Thumbnail(const Picture& photo, int width, int height);

}  // namespace tollamar::samples
