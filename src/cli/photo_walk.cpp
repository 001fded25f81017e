#include "cli/photo_walk.h"

#include "cli/cli_io.h"
#include "platform/file_ops.h"
#include "search/photo_match.h"
#include "search/search_run.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tollamar::cli {

namespace {

// A folder the walk cannot open is reported as a file that cannot be read is, and
// makes the run fail: a listing without it must not look complete.
class WalkHost final : public SearchHost {
public:
    bool allRead = true;
    void folderUnreadable(const QString& folder, int errnoValue) override {
        ReportError(folder.endsWith(u'/') && folder.size() > 1 ? folder.chopped(1) : folder,
                    QString::fromLocal8Bit(std::strerror(errnoValue)));
        allRead = false;
    }
};

}  // namespace

bool CollectPhotos(const QStringList& targets, bool withSubfolders, QStringList& photos) {
    const SearchCriteria everything;
    WalkHost host;
    SearchState state;
    SearchRun run(everything, host, state);
    const SearchRun::FileTest collect = [&](const QString& path) {
        if (IsSearchedFileName(path)) photos.append(path);
        return FileAnswer::NoMatch;
    };
    bool allFound = true;
    for (const QString& target : targets) {
        struct stat st {};
        if (stat(NativePath(target).constData(), &st) != 0) {
            ReportError(target, QString::fromLocal8Bit(std::strerror(errno)));
            allFound = false;
        } else if (S_ISDIR(st.st_mode)) {
            run.WalkFolder(target, collect, withSubfolders);
        } else {
            collect(target);
        }
    }
    return allFound && host.allRead;
}

QString TakePhotoTargets(QStringList args, const QString& option, const QStringList& choices,
                         bool required, PhotoTargets& targets) {
    QStringList named;
    bool withSubfolders = false;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QStringLiteral("--subdir")) {
            withSubfolders = true;
        } else if (arg == option) {
            targets.choice = args.isEmpty() ? QString() : args.takeFirst();
            if (!choices.contains(targets.choice))
                return QStringLiteral("%1 takes %2").arg(option, choices.join(QStringLiteral(" or ")));
        } else if (arg == QStringLiteral("--")) {
            named += args;
            args.clear();
        } else if (arg.startsWith(QStringLiteral("--"))) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else {
            named.append(arg);
        }
    }
    if (required && targets.choice.isEmpty())
        return QStringLiteral("%1 %2 needed").arg(option, choices.join(u'|'));
    if (named.isEmpty()) return QStringLiteral("no folder or photo given");
    targets.allFound = CollectPhotos(named, withSubfolders, targets.photos);
    return {};
}

}  // namespace tollamar::cli
