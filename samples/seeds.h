#pragma once
// A handful of small, varied JPEG and Exif files as starting corpora for the fuzz
// harnesses: tiny pictures, both Exif byte orders, both comment forms, unusual but
// valid structure, and truncated files.

#include <QString>
#include <QStringList>

namespace tollamar::samples {

// Writes the seed files into folder, creating it. Returns their names.
QStringList WriteSeeds(const QString& folder);

}  // namespace tollamar::samples
