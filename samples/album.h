#pragma once
// Writes the sample album: one JPEG per plan, its modification time set to the
// moment the photo was taken.

#include "album_plan.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tollamar::samples {

// The file's bytes: picture by libjpeg, Exif APP1 after SOI, comment before SOS.
QByteArray RenderPhoto(const PhotoPlan& plan);
// Writes bytes to path (replacing an earlier sample) and sets its modification
// time. Throws std::runtime_error on failure.
void WriteFile(const QString& path, const QByteArray& bytes, const QDateTime& modified);
// Writes the first count photos into folder, creating it. Returns the file names.
QStringList WriteAlbum(const QString& folder, int count);

}  // namespace tollamar::samples
