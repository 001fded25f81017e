#pragma once
// The whole search command as the main window runs it: the questions before and after,
// the run inside the progress dialog, and the new photo list. The window supplies a
// front end; everything that decides lives here.

#include "search/search_run.h"

#include <QStringView>
#include <functional>

namespace tollamar {

struct SearchQuestion {
    QStringView title;
    QStringView text;
    bool yesNo;  // Yes/No buttons; OK/Cancel otherwise. Always the question icon.
};

inline constexpr SearchQuestion kAskSearchEmptyComments{
    u"キーワードが未記入です", u"‘コメント’が未記入の写真を探しますか？", false};
inline constexpr SearchQuestion kAskSearchListedPhotos{
    u"‘フォルダ’が空欄です", u"リストに表示されている写真から探しますか？", false};
inline constexpr SearchQuestion kAskUpdateListAfterStop{
    u"検索を中断しました", u"リストを更新しますか？", true};

// Title of the progress dialog during a search.
inline constexpr QStringView kSearchProgressTitle = u"検索中です";

// Where the folders come from, read from the page when the search starts.
struct SearchScope {
    QStringList folders;  // FolderList; empty = the photos listed in the main window
    bool withSubfolders = false;
};

class SearchFrontEnd {
public:
    virtual ~SearchFrontEnd() = default;
    // A message box with the question icon; true for OK or Yes.
    virtual bool ask(const SearchQuestion& question) = 0;
    // Shows the progress dialog modally and calls work inside it with a host over the
    // dialog; work answers true when it ran to its end. True when the dialog closed
    // with OK; false when it closed with Cancel, also after work raised an error that
    // the front end showed.
    virtual bool runWithProgress(const std::function<bool(SearchHost&)>& work) = 0;
    // Full paths of the listed photos, in display order.
    virtual QStringList listedPhotos() = 0;
    virtual void setCurrentFolder(const QString& folder) = 0;
    virtual void showFileList(const QStringList& files) = 0;
};

// Runs the search command; the state keeps the matches and the count afterwards.
void DoSearch(const SearchCriteria& criteria, const SearchScope& scope, SearchState& state,
              SearchFrontEnd& frontEnd);

}  // namespace tollamar
