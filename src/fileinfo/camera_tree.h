#pragma once
// The camera items of the information window: model, date, one summary line and the
// full Exif text under a details item.

#include "exif/exif_info.h"
#include "exif/text_tree.h"

#include <QList>

namespace tollamar {

// "f mm, Fn, t sec, ISOn, bEV, Flash-ON" from the record's texts.
QString CameraSummaryLine(const TExifInfo& info);
QList<TTextNode> BuildCameraTree(const TExifInfo& info);

}  // namespace tollamar
