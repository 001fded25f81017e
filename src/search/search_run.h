#pragma once
// The search over folders or over a list of photos. A host shows its progress and may
// stop it: the progress dialog on the interface thread in the window, nothing at all
// on the command line.

#include "search/folder_listing.h"
#include "search/search_criteria.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tollamar {

class Error;

// What a search shows and asks while it runs. The base class shows nothing, never
// stops, and lets a file error end the search.
class SearchHost {
public:
    virtual ~SearchHost() = default;
    // Called before every file: let the interface process pending events, then answer
    // whether the user has asked to stop.
    virtual bool stopRequested() { return false; }
    // The upper line: the folder being read, "Photos/...".
    virtual void showFolderLine(const QString& line);
    // The lower line after each examined photo: its name, a line break, then the
    // matches found before it, "/", and the photos examined ("IMG_0001.JPG\n3/57").
    virtual void showProgressLine(const QString& line);
    // A file could not be read. True goes on with the next file; false ends the
    // search, the error passing on to the search's caller.
    virtual bool goOnAfterError(const QString& path, const Error& error);
    // A folder of the walk could not be opened (errnoValue says why); the walk goes on
    // without it. Nothing is said by default.
    virtual void folderUnreadable(const QString& folder, int errnoValue);
};

// The outcome of the last search; kept until the next one starts.
struct SearchState {
    QStringList ResultList;  // full paths of the matches, in the order found
    int ExaminedCount = 0;   // JPEG files tested
};

enum class FileAnswer { Stop = -1, NoMatch = 0, Match = 1 };

// One search: the criteria, the host and the state are the caller's and must outlive
// the run. Runs on the thread that calls it.
class SearchRun {
public:
    using FileTest = std::function<FileAnswer(const QString& path)>;

    SearchRun(const SearchCriteria& criteria, SearchHost& host, SearchState& state);

    // A new search: clears the state, forgets earlier stops and walked folders, then
    // walks each folder in order (an empty entry is passed over). True when the search
    // ran to its end, false when the host stopped it. File errors the host does not go
    // on after pass on.
    bool SearchFolders(const QStringList& folders, bool withSubfolders);
    // A new search over the photos, tested in order.
    bool SearchList(const QStringList& photos);
    // Runs test on every file of the folder (path with or without its final '/') in the
    // file system's order, descending into a subfolder as soon as it is met (not into
    // one whose name starts with '.'), and appends the files it answers Match for to
    // ResultList. A folder reached again through a symbolic link is not walked again
    // during this search. False once test answers Stop.
    bool WalkFolder(const QString& folder, const FileTest& test, bool withSubfolders);
    // Stop once the host asks to; NoMatch for a file that is no *.jpg or *.jpeg (not
    // counted); else the photo's test, counted and shown.
    FileAnswer MatchFile(const QString& path);

private:
    void begin();

    const SearchCriteria& m_criteria;
    SearchHost& m_host;
    SearchState& m_state;
    FolderListing m_listing;
    bool m_stopped = false;
};

// "Photos/..." for the folder /home/user/Photos/.
QString FolderLine(const QString& folder);

}  // namespace tollamar
