#include "imaging/jpeg_decoder.h"

#include "imaging/bitmap_memory.h"
#include "imaging/jpeg_source.h"

#include <QList>
#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <jerror.h>

namespace tollamar {

JpegDecodeError::JpegDecodeError(int code)
    : Error(QStringLiteral("JPEG エラー #%1").arg(code)), m_code(code) {}

void ThrowJpegError(int code) { throw JpegDecodeError(code); }

namespace {

// Functions marked "under the error path" run between setjmp and the end of the
// decompressor's life: libjpeg may longjmp out of them, so they hold only trivially
// destructible locals.

// Real progressive files have a few dozen scans; a file with thousands of tiny scans
// would keep the decoder busy for minutes.
constexpr int kMaxScans = 500;
// libjpeg's own buffers (whole-picture coefficient arrays of progressive files, the
// two-pass quantiser's buffer); a bigger need fails with JERR_NO_BACKING_STORE.
constexpr long kLibjpegMemoryLimit = 2L * 1024 * 1024 * 1024;
// The decoded bitmap: 536 megapixels in RGB32. A few bytes of header can claim
// 65500 x 65500 pixels (16 GiB), which would take the machine down before any error.
constexpr qsizetype kMaxBitmapBytes = qsizetype{2} * 1024 * 1024 * 1024;
constexpr JDIMENSION kRowsPerRead = 16;
constexpr int kPaletteColours = 236;

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_BGRA;  // bytes of 0xffRRGGBB in memory
#else
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_ARGB;
#endif

struct JpegSession {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr error;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOut(j_common_ptr cinfo) {
    std::longjmp(static_cast<JpegSession*>(cinfo->client_data)->jump, 1);
}

void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

void prepareSession(JpegSession& session) {
    session.cinfo.err = jpeg_std_error(&session.error);
    session.error.error_exit = jumpOut;
    session.error.emit_message = ignoreMessage;
    session.error.output_message = ignoreOutput;
    session.cinfo.client_data = &session;
}

[[noreturn]] void failWith(j_decompress_ptr cinfo, J_MESSAGE_CODE code) {
    cinfo->err->msg_code = code;
    cinfo->err->error_exit(reinterpret_cast<j_common_ptr>(cinfo));
    std::abort();  // error_exit never returns
}

struct HeaderJob {
    JpegSession session;
    jpeg_source_mgr* source;
    boolean requireImage;
    JpegHeaderInfo info;
};

bool runHeader(HeaderJob& job) {
    if (setjmp(job.session.jump) != 0) {
        jpeg_destroy_decompress(&job.session.cinfo);
        return false;
    }
    jpeg_create_decompress(&job.session.cinfo);
    job.session.cinfo.src = job.source;
    job.info.hasImage = jpeg_read_header(&job.session.cinfo, job.requireImage) == JPEG_HEADER_OK;
    job.info.width = static_cast<int>(job.session.cinfo.image_width);
    job.info.height = static_cast<int>(job.session.cinfo.image_height);
    jpeg_destroy_decompress(&job.session.cinfo);
    return true;
}

enum class Layout { Rgb32, CmykToRgb32, Gray8, Indexed };
enum class Outcome { Finished, Stopped, Failed };

struct DecodeJob;

struct ProgressHook {
    jpeg_progress_mgr pub;
    DecodeJob* job;
};

struct DecodeJob {
    JpegSession session{};
    ProgressHook progress{};
    JpegMemorySource source{};
    const JpegDecodeSettings* settings = nullptr;
    JpegDecodeListener* listener = nullptr;
    JpegProgressThrottle throttle;
    Layout layout = Layout::Rgb32;
    bool started = false;
    bool stopped = false;
    QImage bitmap;
    uchar* bits = nullptr;
    qsizetype stride = 0;
};

bool isCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// Adobe applications store CMYK inverted (0 = full ink) and say so in APP14.
QRgb cmykToRgb(int c, int m, int y, int k, bool inverted) {
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
}

void convertCmykRow(JSAMPROW row, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x) {
        JSAMPLE* pixel = row + 4 * x;
        const QRgb rgb = cmykToRgb(pixel[0], pixel[1], pixel[2], pixel[3], inverted);
        std::memcpy(pixel, &rgb, sizeof rgb);
    }
}

QList<QRgb> paletteOf(const jpeg_decompress_struct& cinfo) {
    QList<QRgb> palette;
    palette.reserve(cinfo.actual_number_of_colors);
    for (int i = 0; i < cinfo.actual_number_of_colors; ++i) {
        const auto v = [&](int component) { return static_cast<int>(cinfo.colormap[component][i]); };
        if (cinfo.out_color_components == 1)
            palette.append(qRgb(v(0), v(0), v(0)));
        else if (cinfo.out_color_components == 4)
            palette.append(cmykToRgb(v(0), v(1), v(2), v(3), cinfo.saw_Adobe_marker));
        else
            palette.append(qRgb(v(0), v(1), v(2)));
    }
    return palette;
}

QImage::Format formatOf(Layout layout) {
    switch (layout) {
    case Layout::Gray8: return QImage::Format_Grayscale8;
    case Layout::Indexed: return QImage::Format_Indexed8;
    case Layout::Rgb32:
    case Layout::CmykToRgb32: break;
    }
    return QImage::Format_RGB32;
}

qsizetype bitmapBytes(const DecodeJob& job) {
    const qsizetype bytesPerPixel = formatOf(job.layout) == QImage::Format_RGB32 ? 4 : 1;
    return qsizetype{job.session.cinfo.output_width} * job.session.cinfo.output_height *
           bytesPerPixel;
}

// Plain C++ work without libjpeg calls: false when the memory cannot be had.
bool allocateBitmap(DecodeJob& job) noexcept {
    try {
        const jpeg_decompress_struct& cinfo = job.session.cinfo;
        QImage bitmap = NewBitmap(static_cast<int>(cinfo.output_width),
                                  static_cast<int>(cinfo.output_height), formatOf(job.layout));
        if (bitmap.isNull()) return false;
        if (job.layout == Layout::Indexed) bitmap.setColorTable(paletteOf(cinfo));
        job.bits = bitmap.bits();
        job.stride = bitmap.bytesPerLine();
        job.bitmap = std::move(bitmap);
        return true;
    } catch (...) {
        return false;
    }
}

// Under the error path.
void chooseLayout(DecodeJob& job) {
    j_decompress_ptr cinfo = &job.session.cinfo;
    const JpegDecodeSettings& settings = *job.settings;
    if (isCmyk(cinfo->jpeg_color_space) && !settings.grayscale) {
        // libjpeg converts CMYK to nothing but CMYK; the rows are turned into RGB in place.
        cinfo->out_color_space = JCS_CMYK;
        job.layout = settings.quantize ? Layout::Indexed : Layout::CmykToRgb32;
    } else if (settings.grayscale || cinfo->jpeg_color_space == JCS_GRAYSCALE) {
        cinfo->out_color_space = JCS_GRAYSCALE;
        job.layout = settings.quantize ? Layout::Indexed : Layout::Gray8;
    } else {
        cinfo->out_color_space = settings.quantize ? JCS_RGB : kRgb32Space;
        job.layout = settings.quantize ? Layout::Indexed : Layout::Rgb32;
    }
}

// Under the error path.
void applySettings(DecodeJob& job) {
    j_decompress_ptr cinfo = &job.session.cinfo;
    const JpegDecodeSettings& settings = *job.settings;
    cinfo->scale_num = 1;
    cinfo->scale_denom = static_cast<unsigned>(settings.scaleDenom);
    cinfo->do_block_smoothing = settings.smoothing;
    if (settings.fastDct) {
        cinfo->dct_method = JDCT_IFAST;
        cinfo->two_pass_quantize = FALSE;
        cinfo->dither_mode = JDITHER_ORDERED;
    } else {
        cinfo->dct_method = JDCT_FLOAT;
    }
    chooseLayout(job);
    if (settings.quantize) {
        cinfo->quantize_colors = TRUE;
        cinfo->desired_number_of_colors = kPaletteColours;
    }
}

int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void stopHere(DecodeJob& job) {
    job.stopped = true;
    std::longjmp(job.session.jump, 1);
}

// libjpeg's progress monitor; under the error path.
void onProgress(j_common_ptr common) {
    DecodeJob& job = *reinterpret_cast<ProgressHook*>(common->progress)->job;
    const jpeg_decompress_struct& cinfo = job.session.cinfo;
    if (cinfo.input_scan_number > kMaxScans) failWith(&job.session.cinfo, JERR_BAD_PROGRESSION);
    if (job.listener->StopRequested()) stopHere(job);
    JpegProgressState state;
    state.completedPasses = job.progress.pub.completed_passes;
    state.totalPasses = job.progress.pub.total_passes;
    state.passCounter = job.progress.pub.pass_counter;
    state.passLimit = job.progress.pub.pass_limit;
    state.outputScanline = cinfo.output_scanline;
    state.outputWidth = cinfo.output_width;
    state.outputHeight = cinfo.output_height;
    JpegProgressReport report;
    if (job.throttle.Tick(nowMs(), state, report)) job.listener->Running(report);
}

// Under the error path.
void startDecode(DecodeJob& job) {
    j_decompress_ptr cinfo = &job.session.cinfo;
    cinfo->mem->max_memory_to_use = kLibjpegMemoryLimit;
    cinfo->src = &job.source.pub;
    job.progress.pub.progress_monitor = onProgress;
    job.progress.job = &job;
    cinfo->progress = &job.progress.pub;
    jpeg_read_header(cinfo, TRUE);
    applySettings(job);
    job.started = true;
    job.listener->Starting();
    jpeg_start_decompress(cinfo);
    if (bitmapBytes(job) > kMaxBitmapBytes) failWith(cinfo, JERR_IMAGE_TOO_BIG);
    if (!allocateBitmap(job)) failWith(cinfo, JERR_OUT_OF_MEMORY);
    if (job.listener->StopRequested()) stopHere(job);
    job.listener->BitmapReady(job.bitmap);
}

// Under the error path.
void readRows(DecodeJob& job) {
    j_decompress_ptr cinfo = &job.session.cinfo;
    if (job.listener->StopRequested()) stopHere(job);
    JSAMPROW rows[kRowsPerRead];
    const JDIMENSION first = cinfo->output_scanline;
    const JDIMENSION count = std::min(kRowsPerRead, cinfo->output_height - first);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = job.bits + (first + i) * job.stride;
    const JDIMENSION read = jpeg_read_scanlines(cinfo, rows, count);
    // A source that never suspends always yields rows; guard against a loop all the same.
    if (read == 0) failWith(cinfo, JERR_INPUT_EOF);
    if (job.layout == Layout::CmykToRgb32)
        for (JDIMENSION i = 0; i < read; ++i)
            convertCmykRow(rows[i], cinfo->output_width, cinfo->saw_Adobe_marker);
}

Outcome runDecode(DecodeJob& job) {
    if (setjmp(job.session.jump) != 0) {
        jpeg_destroy_decompress(&job.session.cinfo);
        return job.stopped ? Outcome::Stopped : Outcome::Failed;
    }
    jpeg_create_decompress(&job.session.cinfo);
    startDecode(job);
    while (job.session.cinfo.output_scanline < job.session.cinfo.output_height) readRows(job);
    jpeg_finish_decompress(&job.session.cinfo);
    jpeg_destroy_decompress(&job.session.cinfo);
    return Outcome::Finished;
}

}  // namespace

JpegHeaderInfo ReadJpegHeader(jpeg_source_mgr& source, bool requireImage) {
    HeaderJob job{};
    prepareSession(job.session);
    job.source = &source;
    job.requireImage = requireImage ? TRUE : FALSE;
    if (!runHeader(job)) ThrowJpegError(job.session.error.msg_code);
    return job.info;
}

JpegHeaderInfo ReadJpegHeader(QByteArrayView data, bool requireImage) {
    JpegMemorySource source{};
    InitMemorySource(source, reinterpret_cast<const JOCTET*>(data.data()),
                     static_cast<size_t>(data.size()));
    return ReadJpegHeader(source.pub, requireImage);
}

JpegDecodeResult DecodeJpeg(QByteArrayView data, const JpegDecodeSettings& settings,
                            JpegDecodeListener& listener) {
    DecodeJob job;
    prepareSession(job.session);
    InitMemorySource(job.source, reinterpret_cast<const JOCTET*>(data.data()),
                     static_cast<size_t>(data.size()));
    job.settings = &settings;
    job.listener = &listener;
    switch (runDecode(job)) {
    case Outcome::Finished:
        listener.Ending(true);
        return {job.bitmap, false};
    case Outcome::Stopped:
        return {job.bitmap, true};
    case Outcome::Failed:
        break;
    }
    if (job.started) listener.Ending(false);
    ThrowJpegError(job.session.error.msg_code);
}

}  // namespace tollamar
