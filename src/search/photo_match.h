#pragma once
// The per-file test of a search, free of any window so that the command line and the
// search page share it. It reads the file's header once: the comment, and the Exif
// (APP1) data too when Exif conditions apply.

#include <QString>

namespace tollamar {

struct SearchCriteria;

// True when the photo meets the criteria. Safe to call from several threads at once.
// Raises the open error, and the stream read error when a COM segment is cut off by the
// end of the file. Exif that is missing, cut off or damaged only fails the Exif
// conditions.
bool PhotoMatches(const SearchCriteria& criteria, const QString& fileName);

}  // namespace tollamar
