#include "cli/catalogue_runs.h"
#include "cli/cli_io.h"
#include "cli/comment_forms.h"
#include "commands/command_texts.h"
#include "cli/photo_walk.h"
#include "jpegfile/comment_io.h"

namespace tollamar::cli {
namespace {

struct ConvertTally {
    int converted = 0, already = 0, refused = 0, without = 0;
};

// False when the photo was refused or its rewrite failed.
bool convertPhoto(const QString& photo, bool toUnicode, ConvertTally& tally) {
    const StoredComment stored = ReadStoredComment(photo);
    if (stored.text.isEmpty()) {
        ++tally.without;
        return true;
    }
    // UTF-8 is neither form the file format names, so it is converted to either.
    if (stored.form == (toUnicode ? CommentForm::Utf16 : CommentForm::ShiftJis)) {
        ++tally.already;
        return true;
    }
    if (const QString problem = ConvertProblem(stored, toUnicode); !problem.isEmpty()) {
        ++tally.refused;
        ReportError(photo, QStringLiteral("left as it is: ") + problem);
        return false;
    }
    if (!WriteComment(photo, stored.text, toUnicode)) {
        ReportError(photo, texts::CommentWriteFailed());
        return false;
    }
    ++tally.converted;
    return true;
}

}  // namespace

int ConvertCommentsVerb(QStringList list) {
    PhotoTargets targets;
    const QString error = TakePhotoTargets(
        list, QStringLiteral("--to"), {QStringLiteral("unicode"), QStringLiteral("sjis")}, true, targets);
    if (!error.isEmpty()) return UsageError(QStringLiteral("convert-comments: ") + error);
    const bool toUnicode = targets.choice == QStringLiteral("unicode");
    const QStringList& photos = targets.photos;
    ConvertTally tally;
    // Writes are bound by fsync, not by reading, so the photos go one at a time.
    const int status = ForEachFile(photos, [&](const QString& photo) {
        return convertPhoto(photo, toUnicode, tally);
    });
    const int failed = int(photos.size()) - tally.converted - tally.already - tally.refused - tally.without;
    PrintLine(QStringLiteral("converted %1, already in the target %2, refused %3, failed %4, "
                             "without a comment %5")
                  .arg(tally.converted).arg(tally.already).arg(tally.refused).arg(failed).arg(tally.without));
    return targets.allFound ? status : kExitFailed;
}

}  // namespace tollamar::cli
