#include "imaging/jpeg_image.h"

#include "imaging/jpeg_decoder.h"
#include "platform/file_ops.h"

#include <QPainter>
#include <exception>

namespace tollamar {

// The compressed bytes and what their header says, shared by copies of an object. The
// header is read once at load; a header that libjpeg rejects is kept as its error code
// and raised when the size or the picture is asked for.
struct TJPEGImage::TJPEGData {
    QByteArray bytes;
    QSize size;
    int headerError = 0;
};

// Passes the decoder's events to the image object. The object's handlers may throw;
// the first exception stops the decode and is raised again once libjpeg is gone.
class JpegImageListener final : public JpegDecodeListener {
public:
    explicit JpegImageListener(TJPEGImage& image) : m_image(image) {}

    void Starting() noexcept override {
        guarded([&] { m_image.progress(TProgressStage::Starting, 0, false, QRect()); });
    }
    void Running(const JpegProgressReport& report) noexcept override {
        guarded([&] {
            m_image.progress(TProgressStage::Running, report.percent, report.redrawNow,
                             report.rows);
        });
    }
    void Ending(bool succeeded) noexcept override {
        guarded([&] {
            m_image.progress(TProgressStage::Ending, succeeded ? 100 : 0, false, QRect());
        });
    }
    void BitmapReady(const QImage& bitmap) noexcept override {
        guarded([&] { m_image.BitmapReady(bitmap); });
    }
    bool StopRequested() noexcept override {
        bool stop = true;
        guarded([&] { stop = m_image.StopRequested(); });
        return stop || m_failure;
    }
    void rethrowFailure() const {
        if (m_failure) std::rethrow_exception(m_failure);
    }

private:
    template <typename F>
    void guarded(F&& call) noexcept {
        if (m_failure) return;
        try {
            call();
        } catch (...) {
            m_failure = std::current_exception();
        }
    }

    TJPEGImage& m_image;
    std::exception_ptr m_failure;
};

TJPEGDefaults JpegDefaultsForScreenDepth(int bitsPerPixel) {
    TJPEGDefaults defaults;
    defaults.PixelFormat = bitsPerPixel <= 8 ? TJPEGPixelFormat::Bits8 : TJPEGPixelFormat::Bits24;
    return defaults;
}

namespace {
TJPEGDefaults g_defaults;
}  // namespace

const TJPEGDefaults& JpegDefaults() { return g_defaults; }

void SetJpegDefaults(const TJPEGDefaults& defaults) { g_defaults = defaults; }

QSize ScaledJpegSize(QSize fullSize, TJPEGScale scale) {
    const int64_t denom = static_cast<int64_t>(scale);
    const auto divideUp = [&](int side) {
        return static_cast<int>((static_cast<int64_t>(side) + denom - 1) / denom);
    };
    return QSize(divideUp(fullSize.width()), divideUp(fullSize.height()));
}

TJPEGImage::TJPEGImage(const TJPEGDefaults& defaults) : m_options(defaults) {}

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromFile(const QString& fileName) { LoadFromData(ReadWholeFile(fileName)); }

void TJPEGImage::LoadFromData(const QByteArray& bytes) {
    auto loaded = std::make_shared<TJPEGData>();
    loaded->bytes = bytes;
    try {
        const JpegHeaderInfo header = ReadJpegHeader(QByteArrayView(bytes), true);
        loaded->size = QSize(header.width, header.height);
    } catch (const JpegDecodeError& error) {
        loaded->headerError = error.code();
    }
    m_data = std::move(loaded);
    discardBitmap();
}

QByteArray TJPEGImage::Data() const { return m_data ? m_data->bytes : QByteArray(); }

bool TJPEGImage::Empty() const { return !m_data; }

const TJPEGImage::TJPEGData& TJPEGImage::data() const {
    if (m_data->headerError != 0) ThrowJpegError(m_data->headerError);
    return *m_data;
}

int TJPEGImage::Width() const {
    if (!m_bitmap.isNull()) return m_bitmap.width();
    return m_data ? ScaledJpegSize(data().size, m_options.Scale).width() : 0;
}

int TJPEGImage::Height() const {
    if (!m_bitmap.isNull()) return m_bitmap.height();
    return m_data ? ScaledJpegSize(data().size, m_options.Scale).height() : 0;
}

QImage TJPEGImage::Bitmap() {
    if (!m_bitmap.isNull() || !m_data) return m_bitmap;
    JpegDecodeSettings settings;
    settings.scaleDenom = static_cast<int>(m_options.Scale);
    settings.fastDct = m_options.Performance == TJPEGPerformance::BestSpeed;
    settings.grayscale = m_options.Grayscale;
    settings.smoothing = m_options.Smoothing;
    settings.quantize = m_options.PixelFormat == TJPEGPixelFormat::Bits8;

    JpegImageListener listener(*this);
    JpegDecodeResult result = DecodeJpeg(QByteArrayView(data().bytes), settings, listener);
    listener.rethrowFailure();
    if (!result.stopped) m_bitmap = std::move(result.bitmap);
    return m_bitmap;
}

void TJPEGImage::Draw(QPainter& painter, const QRect& rect) {
    const QImage bitmap = Bitmap();
    if (bitmap.isNull() || rect.isEmpty()) return;
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect, bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void TJPEGImage::progress(TProgressStage stage, int percent, bool redrawNow, const QRect& rows) {
    if (m_onProgress) m_onProgress(*this, stage, percent, redrawNow, rows);
}

void TJPEGImage::SetScale(TJPEGScale value) {
    if (value != m_options.Scale) discardBitmap();
    m_options.Scale = value;
}

void TJPEGImage::SetPerformance(TJPEGPerformance value) {
    if (value != m_options.Performance) discardBitmap();
    m_options.Performance = value;
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat value) {
    if (value != m_options.PixelFormat) discardBitmap();
    m_options.PixelFormat = value;
}

void TJPEGImage::SetGrayscale(bool value) {
    if (value != m_options.Grayscale) discardBitmap();
    m_options.Grayscale = value;
}

void TJPEGImage::SetSmoothing(bool value) {
    if (value != m_options.Smoothing) discardBitmap();
    m_options.Smoothing = value;
}

}  // namespace tollamar
