#pragma once
// The JPEG image object: a file's compressed bytes, the options that say how to decode
// them, and the decoded bitmap once asked for. One object serves one thread at a time;
// copies share the compressed bytes and the bitmap's pixels without copying them.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class QPainter;

namespace tollamar {

enum class TJPEGScale { FullSize = 1, Half = 2, Quarter = 4, Eighth = 8 };
enum class TJPEGPerformance { BestQuality, BestSpeed };
enum class TJPEGPixelFormat { Bits24, Bits8 };
enum class TProgressStage { Starting, Running, Ending };

// The options a new image object starts with. The program fills one record at start-up
// (PixelFormat from the screen) and hands it to the objects it makes.
struct TJPEGDefaults {
    TJPEGScale Scale = TJPEGScale::FullSize;
    TJPEGPerformance Performance = TJPEGPerformance::BestQuality;
    TJPEGPixelFormat PixelFormat = TJPEGPixelFormat::Bits24;
    bool Grayscale = false;
    bool Smoothing = true;
};

// The defaults for a screen of the given bits per pixel (QScreen::depth): 8-bit bitmaps
// on a display of 8 bits or fewer.
TJPEGDefaults JpegDefaultsForScreenDepth(int bitsPerPixel);

// The process-wide defaults that the image window's decodes start from. Set once at
// start-up, before any decode thread exists; plain defaults until then.
const TJPEGDefaults& JpegDefaults();
void SetJpegDefaults(const TJPEGDefaults& defaults);

// The size libjpeg gives a picture of fullSize decoded at scale (each side divided and
// rounded up).
QSize ScaledJpegSize(QSize fullSize, TJPEGScale scale);

class TJPEGImage;

// stage, percent, the band of rows decoded since the last report (Running only) and
// whether the band is worth repainting (at least 4 rows).
using TJPEGProgressEvent = std::function<void(TJPEGImage& sender, TProgressStage stage,
                                              int percent, bool redrawNow, const QRect& rows)>;

class TJPEGImage {
public:
    explicit TJPEGImage(const TJPEGDefaults& defaults = TJPEGDefaults());
    TJPEGImage(const TJPEGImage&) = default;
    TJPEGImage& operator=(const TJPEGImage&) = default;
    virtual ~TJPEGImage();

    // Holds the file's bytes; nothing is decoded. Raises the file open or read error.
    void LoadFromFile(const QString& fileName);
    // Holds a copy of the bytes (shared, not duplicated).
    void LoadFromData(const QByteArray& bytes);
    // The compressed bytes (shared, not copied); empty when Empty.
    QByteArray Data() const;

    // True when no data has been loaded.
    bool Empty() const;
    // The decoded bitmap's size once decoded; before that libjpeg's output size for
    // Scale. Raise "JPEG エラー #%d" when the header cannot be read; 0 when Empty.
    int Width() const;
    int Height() const;

    // The decoded bitmap, decoding on first use. Raises "JPEG エラー #%d"; a failed
    // decode leaves no bitmap. Null when Empty, or when a subclass stopped the decode.
    QImage Bitmap();
    bool HasBitmap() const { return !m_bitmap.isNull(); }
    // The picture stretched into rect by pixel replication or deletion (no smoothing).
    void Draw(QPainter& painter, const QRect& rect);

    // Changing an option that alters the decoded pixels discards the decoded bitmap.
    TJPEGScale Scale() const { return m_options.Scale; }
    void SetScale(TJPEGScale value);
    TJPEGPerformance Performance() const { return m_options.Performance; }
    void SetPerformance(TJPEGPerformance value);
    TJPEGPixelFormat PixelFormat() const { return m_options.PixelFormat; }
    void SetPixelFormat(TJPEGPixelFormat value);
    bool Grayscale() const { return m_options.Grayscale; }
    void SetGrayscale(bool value);
    bool Smoothing() const { return m_options.Smoothing; }
    void SetSmoothing(bool value);

    // Called on the decoding thread during Bitmap(); an exception it raises ends the
    // decode and is passed on by Bitmap().
    void SetOnProgress(TJPEGProgressEvent handler) { m_onProgress = std::move(handler); }

protected:
    // For a subclass that cancels decodes: polled before every read of rows and at each
    // libjpeg progress call; true ends the decode and Bitmap() returns no bitmap.
    virtual bool StopRequested() { return false; }
    // The bitmap has its size, format and palette; the rows are then decoded into this
    // very pixel memory, so a copy taken here receives them as they come.
    virtual void BitmapReady(const QImage& bitmap) { (void)bitmap; }

private:
    struct TJPEGData;
    friend class JpegImageListener;

    const TJPEGData& data() const;  // raises the header's decode error
    void progress(TProgressStage stage, int percent, bool redrawNow, const QRect& rows);
    void discardBitmap() { m_bitmap = QImage(); }

    std::shared_ptr<const TJPEGData> m_data;
    TJPEGDefaults m_options;
    QImage m_bitmap;
    TJPEGProgressEvent m_onProgress;
};

}  // namespace tollamar
