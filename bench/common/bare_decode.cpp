#include "bare_decode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/mman.h>

std::vector<unsigned char> readFile(const std::string& path) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) { std::perror(path.c_str()); std::exit(1); }
    std::fseek(in, 0, SEEK_END);
    std::vector<unsigned char> bytes(static_cast<size_t>(std::ftell(in)));
    std::fseek(in, 0, SEEK_SET);
    if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) std::exit(1);
    std::fclose(in);
    return bytes;
}

namespace {
volatile unsigned g_sink;
constexpr size_t kHugePage = 2 * 1024 * 1024;
}  // namespace

// The baseline: read the file, decode it with libjpeg's defaults plus the scale and
// transform asked for, into one buffer for the whole picture.
// hugePages puts the picture in memory advised for 2 MiB pages, as Tollamar does, to
// compare the decoding work alone.
void bareDecode(const std::string& path, unsigned denom, J_DCT_METHOD method, bool hugePages) {
    const std::vector<unsigned char> bytes = readFile(path);
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = denom;
    cinfo.dct_method = method;
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t{cinfo.output_width} * cinfo.output_components;
    const size_t size = (stride * cinfo.output_height + kHugePage - 1) / kHugePage * kHugePage;
    const std::unique_ptr<JSAMPLE, decltype(&std::free)> memory(
        static_cast<JSAMPLE*>(hugePages ? std::aligned_alloc(kHugePage, size) : std::malloc(size)),
        &std::free);
    if (hugePages) madvise(memory.get(), size, MADV_HUGEPAGE);
    JSAMPLE* pixels = memory.get();
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[16];
        const JDIMENSION n = std::min<JDIMENSION>(16, cinfo.output_height - cinfo.output_scanline);
        for (JDIMENSION i = 0; i < n; ++i) rows[i] = &pixels[(cinfo.output_scanline + i) * stride];
        jpeg_read_scanlines(&cinfo, rows, n);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    g_sink = g_sink + pixels[stride / 2];
}
