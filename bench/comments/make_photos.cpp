// Writes COUNT photos into FOLDER: a WIDTHxHEIGHT picture encoded once by libjpeg, each
// copy with its own comment (Shift-JIS and UTF-16 in turn, ASCII-only so that no
// conversion library is needed here) and an APP1 block of filler bytes. With "exif" the
// APP1 block starts with real Exif data (maker, model, date and time taken, flash) that
// differs from photo to photo.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <string>
#include <vector>

static std::vector<unsigned char> encode(int width, int height) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 92, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    unsigned seed = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
        // Noise keeps the compressed size near what a camera writes.
        for (auto& b : row) b = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 24);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<unsigned char> bytes(out, out + size);
    free(out);
    return bytes;
}

static void appendSegment(std::vector<unsigned char>& out, unsigned char marker, const std::string& payload) {
    const size_t length = payload.size() + 2;
    out.insert(out.end(), {0xFF, marker, static_cast<unsigned char>(length >> 8),
                           static_cast<unsigned char>(length & 0xFF)});
    out.insert(out.end(), payload.begin(), payload.end());
}

// Little-endian TIFF: IFD0 (Make, Model, Exif IFD pointer) at 8 with its strings at 50
// and 56, the Exif IFD (DateTimeOriginal, Flash) at 64 with the date at 94.
static std::string exifTiff(int i) {
    std::string t("II*\0\x08\0\0\0", 8);
    const auto u16 = [&](unsigned v) { t += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
    const auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
    const auto entry = [&](unsigned tag, unsigned type, unsigned count, unsigned value) {
        u16(tag), u16(type), u32(count), u32(value);
    };
    u16(3), entry(0x010F, 2, 6, 50), entry(0x0110, 2, 8, 56), entry(0x8769, 4, 1, 64), u32(0);
    t += std::string(i % 3 ? "Canon" : "NIKON") + '\0' + "Model " + static_cast<char>('A' + i % 4) + '\0';
    u16(2), entry(0x9003, 2, 20, 94), entry(0x9209, 3, 1, i % 2 ? 0u : 1u), u32(0);
    const auto n = static_cast<unsigned>(i);
    char date[21];
    std::snprintf(date, sizeof date, "2004:%02u:%02u %02u:%02u:00", 1 + n % 12, 1 + n % 28, n % 24, n % 60);
    return t + std::string(date, 20);
}

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s FOLDER COUNT WIDTH HEIGHT [APP1BYTES [exif]]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    const std::vector<unsigned char> picture = encode(std::atoi(argv[3]), std::atoi(argv[4]));
    const std::string app1(argc > 5 ? static_cast<size_t>(std::atoi(argv[5])) : 8000, 'x');
    const bool withExif = argc > 6 && std::string(argv[6]) == "exif";
    for (int i = 0; i < count; ++i) {
        std::string comment = "photo " + std::to_string(i) + " at the sea with a boat";
        if (i % 2) {
            std::string wide = "\xFF\xFE";
            for (char c : comment) wide += {c, '\0'};
            comment = wide;
        }
        std::vector<unsigned char> out(picture.begin(), picture.begin() + 2);
        const std::string tiff = withExif ? exifTiff(i) : std::string();
        appendSegment(out, 0xE1, std::string("Exif\0\0", 6) + tiff + app1.substr(std::min(tiff.size(), app1.size())));
        appendSegment(out, 0xFE, comment);
        out.insert(out.end(), picture.begin() + 2, picture.end());
        char name[64];
        std::snprintf(name, sizeof name, "/IMG_%05d.jpg", i);
        FILE* f = std::fopen((folder + name).c_str(), "wb");
        if (!f) return 1;
        std::fwrite(out.data(), 1, out.size(), f);
        std::fclose(f);
    }
    return 0;
}
