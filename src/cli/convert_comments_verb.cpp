#include "cli/catalogue_runs.h"
#include "cli/cli_io.h"
#include "cli/comment_forms.h"
#include "cli/photo_walk.h"
#include "jpegfile/comment_io.h"

namespace tollamar::cli {
namespace {

struct ConvertArgs {
    QStringList targets;
    bool withSubfolders = false;
    bool toUnicode = false;
};

QString parseConvertArgs(QStringList list, ConvertArgs& args) {
    bool targetGiven = false;
    while (!list.isEmpty()) {
        const QString arg = list.takeFirst();
        if (arg == QStringLiteral("--subdir")) {
            args.withSubfolders = true;
        } else if (arg == QStringLiteral("--to")) {
            const QString to = list.isEmpty() ? QString() : list.takeFirst();
            if (to != QStringLiteral("unicode") && to != QStringLiteral("sjis"))
                return QStringLiteral("--to takes unicode or sjis");
            args.toUnicode = to == QStringLiteral("unicode");
            targetGiven = true;
        } else if (arg == QStringLiteral("--")) {
            args.targets += list;
            list.clear();
        } else if (arg.startsWith(QStringLiteral("--"))) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else {
            args.targets.append(arg);
        }
    }
    if (!targetGiven) return QStringLiteral("--to unicode|sjis needed");
    return args.targets.isEmpty() ? QStringLiteral("no folder or photo given") : QString();
}

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
        ReportError(photo, QStringLiteral("コメントの書き込みに失敗しました"));
        return false;
    }
    ++tally.converted;
    return true;
}

}  // namespace

int ConvertCommentsVerb(QStringList list) {
    ConvertArgs args;
    if (const QString error = parseConvertArgs(list, args); !error.isEmpty())
        return UsageError(QStringLiteral("convert-comments: ") + error);
    QStringList photos;
    const bool allFound = CollectPhotos(args.targets, args.withSubfolders, photos);
    ConvertTally tally;
    // Writes are bound by fsync, not by reading, so the photos go one at a time.
    const int status = ForEachFile(photos, [&](const QString& photo) {
        return convertPhoto(photo, args.toUnicode, tally);
    });
    const int failed = int(photos.size()) - tally.converted - tally.already - tally.refused - tally.without;
    PrintLine(QStringLiteral("converted %1, already in the target %2, refused %3, failed %4, "
                             "without a comment %5")
                  .arg(tally.converted).arg(tally.already).arg(tally.refused).arg(failed).arg(tally.without));
    return allFound ? status : kExitFailed;
}

}  // namespace tollamar::cli
