// Writes COUNT photos into FOLDER: a WIDTHxHEIGHT picture encoded once by libjpeg, each
// copy with its own comment (Shift-JIS and UTF-16 in turn, ASCII-only so that no
// conversion library is needed here) and an APP1 block of filler bytes.
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

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s FOLDER COUNT WIDTH HEIGHT [APP1BYTES]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    const std::vector<unsigned char> picture = encode(std::atoi(argv[3]), std::atoi(argv[4]));
    const std::string app1(argc > 5 ? static_cast<size_t>(std::atoi(argv[5])) : 8000, 'x');
    for (int i = 0; i < count; ++i) {
        std::string comment = "photo " + std::to_string(i) + " at the sea with a boat";
        if (i % 2) {
            std::string wide = "\xFF\xFE";
            for (char c : comment) wide += {c, '\0'};
            comment = wide;
        }
        std::vector<unsigned char> out(picture.begin(), picture.begin() + 2);
        appendSegment(out, 0xE1, std::string("Exif\0\0", 6) + app1);
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
