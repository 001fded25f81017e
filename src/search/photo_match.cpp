#include "search/photo_match.h"

#include "exif/exif_values.h"
#include "jpegfile/comment_codec.h"
#include "search/photo_header.h"
#include "search/search_criteria.h"

namespace tollamar {

bool PhotoMatches(const SearchCriteria& criteria, const QString& fileName) {
    const PhotoHeader header = ReadPhotoHeader(fileName, criteria.useExif);
    if (!CommentMatches(criteria, DecodeComment(header.comment))) return false;
    if (!criteria.useExif) return true;
    ExifValueList values;
    const bool exifRead = ReadHeaderExif(header, values);
    return ExifConditionsMet(criteria, exifRead, values);
}

}  // namespace tollamar
