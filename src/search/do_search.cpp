#include "search/do_search.h"

namespace tollamar {

void DoSearch(const SearchCriteria& criteria, const SearchScope& scope, SearchState& state,
              SearchFrontEnd& frontEnd) {
    if (criteria.keywords.isEmpty() && !criteria.useExif && !frontEnd.ask(kAskSearchEmptyComments))
        return;
    const bool fromFolders = !scope.folders.isEmpty();
    if (!fromFolders && !frontEnd.ask(kAskSearchListedPhotos)) return;
    // The listed photos are taken now: the dialog keeps the main window from changing them.
    const QStringList photos = fromFolders ? QStringList() : frontEnd.listedPhotos();
    const bool finished = frontEnd.runWithProgress([&](SearchHost& host) {
        SearchRun run(criteria, host, state);
        return fromFolders ? run.SearchFolders(scope.folders, scope.withSubfolders)
                           : run.SearchList(photos);
    });
    if (!finished && (state.ResultList.isEmpty() || !frontEnd.ask(kAskUpdateListAfterStop)))
        return;
    if (fromFolders) frontEnd.setCurrentFolder(scope.folders.last());
    frontEnd.showFileList(state.ResultList);
}

}  // namespace tollamar
