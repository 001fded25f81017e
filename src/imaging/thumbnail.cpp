#include "imaging/thumbnail.h"

#include "imaging/fit_geometry.h"
#include "imaging/jpeg_size.h"
#include "platform/file_ops.h"

#include <QPainter>

namespace tollamar {

QImage MakeThumbnailBitmap(const QString& fileName, int boxWidth, int boxHeight,
                           const TJPEGDefaults& defaults) {
    return MakeThumbnailBitmap(ReadWholeFile(fileName), boxWidth, boxHeight, defaults);
}

QImage MakeThumbnailBitmap(const QByteArray& jpeg, int boxWidth, int boxHeight,
                           const TJPEGDefaults& defaults) {
    TJPEGImage image(defaults);
    image.SetPerformance(TJPEGPerformance::BestSpeed);
    image.LoadFromData(jpeg);
    // The scale comes from the header read at load, the same header ChooseJpegScale
    // would read from the file a second time.
    image.SetScale(TJPEGScale::FullSize);
    const QSize fullSize(image.Width(), image.Height());
    image.SetScale(ChooseJpegScaleForSize(fullSize, boxWidth, boxHeight));

    const QSize fitted = CalcFitSize(boxWidth, boxHeight, image);
    if (fitted.width() <= 0 || fitted.height() <= 0) return QImage();
    QImage thumbnail(fitted, QImage::Format_RGB32);
    if (thumbnail.isNull()) return thumbnail;
    QPainter painter(&thumbnail);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    DrawFitted(painter, QRect(QPoint(0, 0), fitted), image);
    painter.end();
    return thumbnail;
}

}  // namespace tollamar
