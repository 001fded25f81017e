#include "cli/catalogue_runs.h"
#include "cli/cli_io.h"
#include "cli/comment_forms.h"
#include "cli/parallel_files.h"
#include "cli/photo_walk.h"
#include "cli/tsv_escape.h"
#include "cli/verbs.h"
#include "exif/exif_values.h"
#include "search/photo_header.h"

namespace tollamar::cli {
namespace {

// Exif writes "2003:05:04 13:22:10"; tables sort and parse "2003-05-04 13:22:10". A
// value of another shape is passed on as the camera wrote it. Parsed by hand because
// QDateTime::fromString costs more per photo than reading the whole header.
QString cameraDate(const QString& exifValue) {
    static constexpr char16_t kShape[] = u"0000:00:00 00:00:00";
    if (exifValue.size() != 19) return exifValue.trimmed();
    for (qsizetype i = 0; i < 19; ++i) {
        const bool digitWanted = kShape[i] == u'0';
        const bool fits = digitWanted ? exifValue[i].isDigit() : exifValue[i] == QChar(kShape[i]);
        if (!fits) return exifValue.trimmed();
    }
    QString iso = exifValue;
    iso[4] = iso[7] = u'-';
    return iso;
}

// path, comment, encoding, bytes, date: one TSV line or one JSON object.
QString photoRecord(const QString& path, bool json) {
    const PhotoHeader header = ReadPhotoHeader(path, true);
    ExifValueList values;
    ReadHeaderExif(header, values);
    const QString date = cameraDate(values.value(u"DateTimeOrg"));
    const StoredComment stored = StoredFromPayload(header.comment);
    const QString bytes = QString::number(stored.payload.size());
    if (!json) {
        return QStringList{EscapeTsvField(path), EscapeTsvField(stored.text), FormName(stored.form),
                           bytes, EscapeTsvField(date)}
            .join(u'\t');
    }
    return QStringLiteral(
               "{\"path\": %1, \"comment\": %2, \"encoding\": \"%3\", \"bytes\": %4, \"date\": %5}")
        .arg(JsonString(path), JsonString(stored.text), FormName(stored.form), bytes,
             date.isEmpty() ? QStringLiteral("null") : JsonString(date));
}

}  // namespace

int CommentsVerb(QStringList list) {
    PhotoTargets targets;
    const QString error = TakePhotoTargets(
        list, QStringLiteral("--format"), {QStringLiteral("tsv"), QStringLiteral("json")}, false, targets);
    if (!error.isEmpty()) return UsageError(QStringLiteral("comments: ") + error);
    const bool json = targets.choice == QStringLiteral("json");
    // JSON objects are held back by one, so that the last one goes out without a comma.
    QString pending;
    if (json) PrintLine(QStringLiteral("["));
    const int status = ForEachFileInParallel(
        targets.photos, [&](const QString& photo) { return photoRecord(photo, json); },
        [&](const QString&, const QString& record) {
            if (!json) return PrintLine(record);
            if (!pending.isEmpty()) PrintLine(pending + u',');
            pending = record;
        });
    if (json) {
        if (!pending.isEmpty()) PrintLine(pending);
        PrintLine(QStringLiteral("]"));
    }
    return targets.allFound ? status : kExitFailed;
}

QList<Verb> CatalogueVerbs() {
    return {
        {QStringLiteral("comments"), QStringLiteral("[--subdir] [--format tsv|json] FOLDER|FILE..."),
         QStringLiteral("list every photo's comment, one record per photo: path, comment, stored "
                        "encoding (sjis, utf16, utf8 or none), stored bytes, camera date. TSV writes "
                        "tab, CR, LF and backslash in a comment or path as \\t, \\r, \\n and \\\\"),
         CommentsVerb},
        {QStringLiteral("set-comments"), QStringLiteral("[--unicode] [--dry-run] FILE.tsv|-"),
         QStringLiteral("set each photo's comment from lines PATH<TAB>COMMENT (the escapes of "
                        "comments; further columns are ignored), as Shift-JIS or UTF-16; a photo "
                        "whose comment already reads the same is left alone. --dry-run lists the "
                        "photos that would change"),
         SetCommentsVerb},
        {QStringLiteral("convert-comments"), QStringLiteral("--to unicode|sjis [--subdir] FOLDER|FILE..."),
         QStringLiteral("store each comment in the other encoding with the same text; to Shift-JIS "
                        "only when every character survives, else the photo is left alone and the "
                        "characters named"),
         ConvertCommentsVerb},
    };
}

}  // namespace tollamar::cli
