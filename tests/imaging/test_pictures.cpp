#include "test_pictures.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace imagingtest {

namespace {

int componentsOf(Kind kind) {
    switch (kind) {
    case Kind::Grey: return 1;
    case Kind::AdobeCmyk: return 4;
    case Kind::Progressive: break;
    }
    return 3;
}

void fillRow(Kind kind, int width, int y, std::vector<JSAMPLE>& row) {
    const int n = componentsOf(kind);
    for (int x = 0; x < width; ++x) {
        JSAMPLE* p = &row[static_cast<size_t>(x * n)];
        if (kind == Kind::AdobeCmyk) {
            p[0] = 255, p[1] = 0, p[2] = 0, p[3] = 255;
        } else {
            for (int c = 0; c < n; ++c) p[c] = static_cast<JSAMPLE>((x * 7 + y * 3 + c * 60) & 0xFF);
        }
    }
}

}  // namespace

QByteArray EncodePicture(Kind kind, int width, int height) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = componentsOf(kind);
    cinfo.in_color_space = kind == Kind::Grey ? JCS_GRAYSCALE
                           : kind == Kind::AdobeCmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (kind == Kind::Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width * cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(kind, width, static_cast<int>(cinfo.next_scanline), row);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize));
    std::free(out);
    return bytes;
}

QImage ReferenceDecode(const QByteArray& jpeg, int scaleDenom, bool fastDct) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(scaleDenom);
    cinfo.dct_method = fastDct ? JDCT_IFAST : JDCT_FLOAT;
    jpeg_start_decompress(&cinfo);
    QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                 cinfo.output_components == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {image.scanLine(static_cast<int>(cinfo.output_scanline))};
        jpeg_read_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

}  // namespace imagingtest
