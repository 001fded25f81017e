#include "cli/cli_io.h"
#include "cli/parallel_files.h"
#include "cli/photo_walk.h"
#include "cli/verbs.h"
#include "search/photo_match.h"
#include "search/search_criteria.h"

namespace tollamar::cli {
namespace {

struct SearchArgs {
    SearchCriteria criteria;
    QStringList targets;  // folders to walk, or photos to test as they are
    bool withSubfolders = false;
};

// Sets an Exif condition from the option's value; returns the complaint, empty when the
// value was good.
QString takeValueOption(const QString& option, const QString& value, SearchArgs& args) {
    SearchCriteria& c = args.criteria;
    c.useExif = true;
    if (option == QStringLiteral("--maker")) {
        c.maker = value;
        return {};
    }
    if (option == QStringLiteral("--flash")) {
        if (value != QStringLiteral("on") && value != QStringLiteral("off"))
            return QStringLiteral("--flash takes on or off");
        c.flash = value == QStringLiteral("on") ? FlashChoice::On : FlashChoice::Off;
        return {};
    }
    if (option.startsWith(QStringLiteral("--date-"))) {
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (!date.isValid()) return QStringLiteral("%1 takes a date YYYY-MM-DD").arg(option);
        (option == QStringLiteral("--date-from") ? c.dateFrom : c.dateTo) = date;
        return {};
    }
    QTime time = QTime::fromString(value, QStringLiteral("HH:mm"));
    if (!time.isValid()) time = QTime::fromString(value, QStringLiteral("HH:mm:ss"));
    if (!time.isValid()) return QStringLiteral("%1 takes a time HH:MM").arg(option);
    (option == QStringLiteral("--time-from") ? c.timeFrom : c.timeTo) = time;
    return {};
}

// Options and folders until "--", keywords after it; the error text of a bad command.
QString parseArgs(QStringList list, SearchArgs& args) {
    static const QStringList valued = {"--maker", "--date-from", "--date-to", "--time-from",
                                       "--time-to", "--flash"};
    while (!list.isEmpty()) {
        const QString arg = list.takeFirst();
        if (arg == QStringLiteral("--")) break;
        if (!arg.startsWith(QStringLiteral("--"))) {
            args.targets.append(arg);
        } else if (arg == QStringLiteral("--or")) {
            args.criteria.andSearch = false;
        } else if (arg == QStringLiteral("--case")) {
            args.criteria.caseSensitive = true;
        } else if (arg == QStringLiteral("--subdir")) {
            args.withSubfolders = true;
        } else if (!valued.contains(arg)) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else if (list.isEmpty()) {
            return QStringLiteral("%1 needs a value").arg(arg);
        } else if (const QString error = takeValueOption(arg, list.takeFirst(), args); !error.isEmpty()) {
            return error;
        }
    }
    // Each argument is one keyword, blanks and all; the window's field is split at
    // blanks before it gets this far.
    for (const QString& keyword : list)
        if (!keyword.isEmpty()) args.criteria.keywords.append(keyword);
    if (args.targets.isEmpty()) args.targets.append(QStringLiteral("."));
    return {};
}

int searchVerb(QStringList list) {
    SearchArgs args;
    if (const QString error = parseArgs(list, args); !error.isEmpty())
        return UsageError(QStringLiteral("search: ") + error);
    QStringList photos;
    const bool allFound = CollectPhotos(args.targets, args.withSubfolders, photos);
    // The headers are read on every core; the matches still print in walk order.
    const int status = ForEachFileInParallel(
        photos,
        [&](const QString& photo) {
            return PhotoMatches(args.criteria, photo) ? QStringLiteral("1") : QString();
        },
        [](const QString& photo, const QString& matched) {
            if (!matched.isEmpty()) PrintLine(photo);
        });
    return allFound ? status : kExitFailed;
}

}  // namespace

QList<Verb> SearchVerbs() {
    return {{QStringLiteral("search"),
             QStringLiteral("[--or] [--case] [--subdir] [--maker TEXT] [--date-from YYYY-MM-DD] "
                            "[--date-to YYYY-MM-DD] [--time-from HH:MM] [--time-to HH:MM] "
                            "[--flash on|off] [FOLDER|FILE...] [-- KEYWORD...]"),
             QStringLiteral("print the photos whose comment holds the keywords (all of them, or "
                            "one with --or) and that meet the Exif conditions, in the order found; "
                            "with neither, the photos without a comment. No FOLDER: the current one. A range whose start is "
                            "later than its end wraps (--time-from 20:00 --time-to 06:00)"),
             searchVerb}};
}

}  // namespace tollamar::cli
