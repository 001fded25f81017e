#include "album.h"

#include "comment_payload.h"
#include "jpeg_assembly.h"
#include "jpeg_encoder.h"
#include "picture.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace tollamar::samples {

namespace {

constexpr int kPhotoQuality = 85;
constexpr int kThumbnailQuality = 75;
constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 120;

QByteArray CommentPayload(const PhotoPlan& plan)
{
    switch (plan.form) {
    case CommentForm::ShiftJis:
        return ShiftJisPayload(plan.comment);
    case CommentForm::Unicode:
        return UnicodePayload(plan.comment);
    case CommentForm::None:
        break;
    }
    return {};
}

[[noreturn]] void Fail(const QString& what, const QString& path, const QString& reason)
{
    throw std::runtime_error(QStringLiteral("%1 %2: %3").arg(what, path, reason).toStdString());
}

}  // namespace

QByteArray RenderPhoto(const PhotoPlan& plan)
{
    const Picture picture = PaintPhoto(plan.width, plan.height, plan.number);
    QByteArray exif;
    if (plan.hasExif) {
        ExifRecord record = plan.exif;
        if (plan.withThumbnail)
            record.thumbnail = EncodeJpeg(Thumbnail(picture, kThumbnailWidth, kThumbnailHeight),
                                          kThumbnailQuality, false);
        exif = BuildExifPayload(record);
    }
    const QByteArray encoded = EncodeJpeg(picture, kPhotoQuality, !plan.hasExif);
    return AssemblePhoto(encoded, exif, CommentPayload(plan));
}

void WriteFile(const QString& path, const QByteArray& bytes, const QDateTime& modified)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Fail(QStringLiteral("cannot create"), path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        Fail(QStringLiteral("cannot write"), path, file.errorString());
    if (modified.isValid() && !file.setFileTime(modified, QFileDevice::FileModificationTime))
        Fail(QStringLiteral("cannot set the time of"), path, file.errorString());
}

QStringList WriteAlbum(const QString& folder, int count)
{
    if (!QDir().mkpath(folder))
        Fail(QStringLiteral("cannot create folder"), folder, QStringLiteral("mkpath failed"));
    const QDir dir(folder);
    QStringList written;
    for (const PhotoPlan& plan : PlanAlbum(count)) {
        WriteFile(dir.filePath(plan.fileName), RenderPhoto(plan), plan.taken);
        written << plan.fileName;
    }
    return written;
}

}  // namespace tollamar::samples
