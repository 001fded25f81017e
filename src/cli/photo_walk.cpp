#include "cli/photo_walk.h"

#include "cli/cli_io.h"
#include "platform/file_ops.h"
#include "search/photo_match.h"
#include "search/search_run.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tollamar::cli {

bool CollectPhotos(const QStringList& targets, bool withSubfolders, QStringList& photos) {
    const SearchCriteria everything;
    SearchHost quiet;
    SearchState state;
    SearchRun run(everything, quiet, state);
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
    return allFound;
}

}  // namespace tollamar::cli
