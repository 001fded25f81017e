#include "jpeg_encoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace tollamar::samples {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's default handler calls exit(); this one unwinds to EncodeJpeg instead.
[[noreturn]] void OnError(j_common_ptr cinfo)
{
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

// Everything libjpeg touches between setjmp and longjmp is plain C data, so no
// destructor is skipped by the jump.
bool Encode(const Picture& picture, int quality, bool withJfif, unsigned char** out,
            unsigned long* outSize, char* message)
{
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.write_JFIF_header = withJfif ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    const JDIMENSION stride = cinfo.image_width * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg's row type is non-const, though it only reads the rows.
        JSAMPROW row = const_cast<JSAMPROW>(picture.rgb.data() + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

QByteArray EncodeJpeg(const Picture& picture, int quality, bool withJfif)
{
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = Encode(picture, quality, withJfif, &buffer, &size, message);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);  // allocated by jpeg_mem_dest with malloc
    if (!ok)
        throw std::runtime_error(std::string("libjpeg: ") + message);
    return bytes;
}

}  // namespace tollamar::samples
