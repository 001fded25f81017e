#include "picture.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tollamar::samples {

namespace {

struct Rgb {
    int r, g, b;
};

// Palette of background pairs; the photo number picks one.
constexpr std::array<std::array<Rgb, 2>, 6> kGradients{{
    {{{20, 60, 140}, {250, 180, 90}}},   // dusk
    {{{10, 90, 40}, {200, 230, 120}}},   // meadow
    {{{120, 20, 60}, {250, 220, 230}}},  // blossom
    {{{30, 30, 30}, {180, 200, 220}}},   // overcast
    {{{0, 110, 160}, {230, 250, 255}}},  // sea
    {{{90, 50, 20}, {240, 200, 120}}},   // autumn
}};

uint8_t Clamp(int v)
{
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

void Put(Picture& p, int x, int y, Rgb c)
{
    if (x < 0 || y < 0 || x >= p.width || y >= p.height)
        return;
    const size_t i = (static_cast<size_t>(y) * p.width + x) * 3;
    p.rgb[i] = Clamp(c.r);
    p.rgb[i + 1] = Clamp(c.g);
    p.rgb[i + 2] = Clamp(c.b);
}

void FillRect(Picture& p, int x0, int y0, int w, int h, Rgb c)
{
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            Put(p, x, y, c);
}

void FillCircle(Picture& p, int cx, int cy, int radius, Rgb c)
{
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius)
                Put(p, x, y, c);
}

void PaintGradient(Picture& p, int number)
{
    const auto& pair = kGradients[static_cast<size_t>(number) % kGradients.size()];
    const bool diagonal = number % 2 == 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const double t = diagonal ? (x + y) / double(p.width + p.height)
                                      : y / double(std::max(1, p.height - 1));
            const Rgb c{static_cast<int>(pair[0].r + (pair[1].r - pair[0].r) * t),
                        static_cast<int>(pair[0].g + (pair[1].g - pair[0].g) * t),
                        static_cast<int>(pair[0].b + (pair[1].b - pair[0].b) * t)};
            Put(p, x, y, c);
        }
    }
}

// Seven-segment digits: bits a..g from the top clockwise, g the middle bar.
constexpr std::array<uint8_t, 10> kSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                            0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void PaintDigit(Picture& p, int digit, int x, int y, int size, Rgb c)
{
    const int t = std::max(1, size / 5);  // bar thickness
    const int h = size;                   // half height
    const uint8_t s = kSegments[static_cast<size_t>(digit)];
    if (s & 0x01) FillRect(p, x, y, size, t, c);
    if (s & 0x02) FillRect(p, x + size - t, y, t, h, c);
    if (s & 0x04) FillRect(p, x + size - t, y + h, t, h, c);
    if (s & 0x08) FillRect(p, x, y + 2 * h - t, size, t, c);
    if (s & 0x10) FillRect(p, x, y + h, t, h, c);
    if (s & 0x20) FillRect(p, x, y, t, h, c);
    if (s & 0x40) FillRect(p, x, y + h - t / 2, size, t, c);
}

void PaintNumber(Picture& p, int number)
{
    const int size = std::max(4, std::min(p.width, p.height) / 8);
    const int digits = number >= 1000 ? 4 : number >= 100 ? 3 : number >= 10 ? 2 : 1;
    int x = p.width - (digits * size * 3) / 2 - size / 2;
    const int y = p.height - 2 * size - size / 2;
    for (int i = digits - 1; i >= 0; --i) {
        int divisor = 1;
        for (int k = 0; k < i; ++k)
            divisor *= 10;
        PaintDigit(p, (number / divisor) % 10, x, y, size, {255, 255, 255});
        x += size * 3 / 2;
    }
}

}  // namespace

Picture PaintPhoto(int width, int height, int number)
{
    Picture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    PaintGradient(p, number);
    const int unit = std::max(2, std::min(width, height) / 10);
    // A sun or moon, and a few blocks along the bottom like buildings or rocks.
    FillCircle(p, width / 4 + (number * 37) % (width / 2), height / 4, unit * 3 / 2,
               {255, 240 - (number * 13) % 80, 120});
    for (int i = 0; i < 5; ++i) {
        const int h = unit * (2 + (number + i * 3) % 4);
        FillRect(p, i * width / 5 + unit / 4, height - h, width / 5 - unit / 2, h,
                 {40 + i * 30, 40 + (number * 11 + i * 20) % 120, 60});
    }
    PaintNumber(p, number);
    return p;
}

Picture Thumbnail(const Picture& photo, int width, int height)
{
    Picture t{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3, 0)};
    const double scale = std::min(double(width) / photo.width, double(height) / photo.height);
    const int w = std::max(1, static_cast<int>(std::lround(photo.width * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(photo.height * scale)));
    const int left = (width - w) / 2;
    const int top = (height - h) / 2;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Centre sample of the source area; a thumbnail needs no better filter.
            const int sx = std::min(photo.width - 1, static_cast<int>((x + 0.5) / scale));
            const int sy = std::min(photo.height - 1, static_cast<int>((y + 0.5) / scale));
            const size_t i = (static_cast<size_t>(sy) * photo.width + sx) * 3;
            Put(t, left + x, top + y, {photo.rgb[i], photo.rgb[i + 1], photo.rgb[i + 2]});
        }
    }
    return t;
}

}  // namespace tollamar::samples
