#pragma once
// What each photo of the sample album holds: size, comment and its byte form, Exif
// record and the time it was taken. Fixed by the photo's number alone, so every run
// writes the same album.

#include "exif_writer.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace tollamar::samples {

enum class CommentForm { None, ShiftJis, Unicode };

struct PhotoPlan {
    int number = 0;  // 1-based; also painted on the picture
    QString fileName;
    int width = 0;
    int height = 0;
    QString comment;
    CommentForm form = CommentForm::None;
    QDateTime taken;  // local time; also the file's modification time
    bool hasExif = false;
    bool withThumbnail = false;
    ExifRecord exif;  // without thumbnail bytes, which are rendered from the picture
};

// The first photos are the special cases (both comment forms, multi-line, outside
// Shift-JIS, none, over one segment, no Exif, ...); the rest vary by number.
std::vector<PhotoPlan> PlanAlbum(int count);

}  // namespace tollamar::samples
