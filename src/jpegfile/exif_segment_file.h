#pragma once
// Exif segment files (*.exif): the payloads of all APP1 segments of a photo joined in
// file order, with no marker, length or header of their own.

#include <QByteArray>
#include <QString>

namespace tollamar {

// Writes the photo's APP1 payloads to exifFile (replaced when it exists; an empty file
// for a photo without APP1). The photo is read before exifFile is touched, so a photo
// that cannot be opened leaves exifFile as it was. Raises open and write errors.
void ExportExifSegment(const QString& photo, const QString& exifFile);

// The whole of exifFile, to be imported into photo; raises the open or read error, or
// when exifFile is the photo itself.
QByteArray ReadExifSegmentFile(const QString& photo, const QString& exifFile);

// The whole of exifFile becomes the photo's APP1 data (empty removes it), through the
// safe rewrite. Returns its result; raises what it raises and the open error of exifFile.
bool ImportExifSegment(const QString& photo, const QString& exifFile);

}  // namespace tollamar
