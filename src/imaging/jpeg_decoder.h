#pragma once
// The glue between libjpeg's decompressor and the image object: one entry point for
// reading a header and one for decoding. Each keeps libjpeg's setjmp/longjmp error path
// inside one function that destroys the decompressor before the error becomes an
// exception, so no longjmp ever crosses a C++ frame with a destructor.

#include "imaging/jpeg_progress.h"
#include "platform/errors.h"

#include <QByteArrayView>
#include <QImage>

struct jpeg_source_mgr;

namespace tollamar {

// An error that libjpeg reported while reading a header or decoding.
class JpegDecodeError : public Error {
public:
    explicit JpegDecodeError(int code);
    // libjpeg's message code (J_MESSAGE_CODE).
    int code() const { return m_code; }

private:
    int m_code;
};

// Raises JpegDecodeError with the text "JPEG エラー #<code>".
[[noreturn]] void ThrowJpegError(int code);

struct JpegDecodeSettings {
    int scaleDenom = 1;     // 1, 2, 4 or 8
    bool fastDct = false;   // fast integer transform, one-pass quantiser, ordered dither
    bool grayscale = false;
    bool smoothing = true;  // block smoothing of progressive pictures
    bool quantize = false;  // 8 bits per pixel with a palette of up to 236 colours
};

struct JpegHeaderInfo {
    bool hasImage = false;  // false for a header of tables only
    int width = 0;          // full, unscaled size
    int height = 0;
};

// Reads up to the first SOS (or EOI) from a source of jpeg_source.h. Raises JpegDecodeError.
JpegHeaderInfo ReadJpegHeader(jpeg_source_mgr& source, bool requireImage);
JpegHeaderInfo ReadJpegHeader(QByteArrayView data, bool requireImage);

// Follows a decode. Every call comes from the decoding thread, from inside DecodeJpeg;
// none may throw.
class JpegDecodeListener {
public:
    virtual ~JpegDecodeListener() = default;
    // The header is read; decompression is about to start.
    virtual void Starting() noexcept {}
    // A report passed the 500 ms and changed-percentage tests.
    virtual void Running(const JpegProgressReport& report) noexcept { (void)report; }
    // The decode finished (succeeded) or an error ended it; not called after a stop.
    virtual void Ending(bool succeeded) noexcept { (void)succeeded; }
    // The bitmap has its final size, format and palette, and no row is in it yet. The
    // rows are written into this very pixel memory, so a copy taken here sees them
    // arrive, also the rows of a decode that is later stopped or fails.
    virtual void BitmapReady(const QImage& bitmap) noexcept { (void)bitmap; }
    // Polled before each read of rows and at every progress call; true stops the decode.
    virtual bool StopRequested() noexcept { return false; }
};

struct JpegDecodeResult {
    QImage bitmap;         // on a stop: the rows read so far, or null before the rows began
    bool stopped = false;
};

// Decodes a whole JPEG file held in memory straight into the bitmap's scanlines:
// Format_RGB32 for colour, Format_Grayscale8 for grey output, Format_Indexed8 when
// quantising. CMYK pictures (Adobe inverted or plain) come out as RGB. Raises
// JpegDecodeError; a failed decode returns no bitmap.
JpegDecodeResult DecodeJpeg(QByteArrayView data, const JpegDecodeSettings& settings,
                            JpegDecodeListener& listener);

}  // namespace tollamar
