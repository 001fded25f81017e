#include "cli/cli_io.h"
#include "cli/verbs.h"
#include "jpegfile/exif_segment_file.h"

namespace tollamar::cli {
namespace {

int exportExifVerb(QStringList args) {
    if (args.size() != 2) return UsageError(QStringLiteral("export-exif: FILE and OUT needed"));
    const QString out = args[1];
    return ForEachFile({args[0]}, [&](const QString& photo) {
        ExportExifSegment(photo, out);
        return true;
    });
}

int importExifVerb(QStringList args) {
    if (args.size() != 2) return UsageError(QStringLiteral("import-exif: FILE and IN needed"));
    const QString in = args[1];
    return ForEachFile({args[0]}, [&](const QString& photo) {
        if (ImportExifSegment(photo, in)) return true;
        ReportError(photo, QStringLiteral("‘Exif(APP1)’の書き込みに失敗しました"));
        return false;
    });
}

}  // namespace

QList<Verb> ExifSegmentVerbs() {
    return {
        {QStringLiteral("export-exif"), QStringLiteral("FILE OUT.exif"),
         QStringLiteral("save the photo's Exif (APP1) data to a file"), exportExifVerb},
        {QStringLiteral("import-exif"), QStringLiteral("FILE IN.exif"),
         QStringLiteral("replace the photo's Exif (APP1) data with a file's contents"), importExifVerb},
    };
}

}  // namespace tollamar::cli
