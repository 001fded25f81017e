#pragma once
// The full Exif parser: IFD0 and the Exif IFD of a photo's APP1 data into TExifInfo.

#include "exif/exif_info.h"

#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace tollamar {

// Fills the record from an APP1 payload ("Exif", zero, pad, TIFF data). True when the
// Exif and TIFF headers were valid and IFD0 was walked; false, record unchanged, when
// there is no usable Exif. Fields are only ever set, never cleared. Raises the
// damaged-Exif error when a directory runs past the end; fields set so far stay.
bool ReadExifInfoFromPayload(TExifInfo& info, QByteArrayView payload);
// The same for the JPEG stream from its position: false also when the segment walk did
// not reach SOS or there is no APP1. Raises the stream read error of a cut-off segment.
bool ReadExifInfo(TExifInfo& info, QIODevice& stream);
// The same for a file; raises the open error.
bool ReadExifInfo(TExifInfo& info, const QString& fileName);

}  // namespace tollamar
