#include "search/search_run.h"

#include "platform/errors.h"
#include "platform/native_name.h"
#include "search/photo_match.h"

namespace tollamar {

void SearchHost::showFolderLine(const QString&) {}

void SearchHost::showProgressLine(const QString&) {}

bool SearchHost::goOnAfterError(const QString&, const Error&) { return false; }
void SearchHost::folderUnreadable(const QString&, int) {}

QString FolderLine(const QString& folder) {
    QStringView path(folder);
    while (path.endsWith(u'/')) path.chop(1);
    return DisplayName(path.sliced(path.lastIndexOf(u'/') + 1)) + QStringLiteral("/...");
}

SearchRun::SearchRun(const SearchCriteria& criteria, SearchHost& host, SearchState& state)
    : m_criteria(criteria), m_host(host), m_state(state) {}

void SearchRun::begin() {
    m_state = {};
    m_listing = {};
    m_stopped = false;
}

bool SearchRun::SearchFolders(const QStringList& folders, bool withSubfolders) {
    begin();
    const FileTest test = [this](const QString& path) { return MatchFile(path); };
    for (const QString& folder : folders) {
        // An empty entry would otherwise become "/", the whole file system.
        if (!folder.isEmpty() && !WalkFolder(folder, test, withSubfolders)) return false;
    }
    return !m_stopped;
}

bool SearchRun::SearchList(const QStringList& photos) {
    begin();
    for (const QString& photo : photos) {
        const FileAnswer answer = MatchFile(photo);
        if (answer == FileAnswer::Stop) return false;
        if (answer == FileAnswer::Match) m_state.ResultList.append(photo);
    }
    return !m_stopped;
}

bool SearchRun::WalkFolder(const QString& folderPath, const FileTest& test, bool withSubfolders) {
    const QString folder = folderPath.endsWith(u'/') ? folderPath : folderPath + u'/';
    m_host.showFolderLine(FolderLine(folder));
    const QList<FolderEntry> entries = m_listing.listOnce(folder);
    if (m_listing.lastError() != 0) m_host.folderUnreadable(folder, m_listing.lastError());
    for (const FolderEntry& entry : entries) {
        if (entry.kind == FolderEntry::Folder) {
            if (withSubfolders && !entry.name.startsWith(u'.') &&
                !WalkFolder(folder + entry.name + u'/', test, true))
                return false;
            continue;
        }
        const QString path = folder + entry.name;
        const FileAnswer answer = test(path);
        if (answer == FileAnswer::Stop) return false;
        if (answer == FileAnswer::Match) m_state.ResultList.append(path);
    }
    return true;
}

FileAnswer SearchRun::MatchFile(const QString& path) {
    // Once stopped, every later file answers Stop without asking again.
    if (m_stopped || (m_stopped = m_host.stopRequested())) return FileAnswer::Stop;
    if (!IsSearchedFileName(path)) return FileAnswer::NoMatch;
    bool match = false;
    try {
        match = PhotoMatches(m_criteria, path);
    } catch (const Error& error) {
        if (!m_host.goOnAfterError(path, error)) throw;
        return FileAnswer::NoMatch;
    }
    ++m_state.ExaminedCount;
    QString line = path.sliced(path.lastIndexOf(u'/') + 1);
    line += u'\n' + QString::number(m_state.ResultList.size()) + u'/' +
            QString::number(m_state.ExaminedCount);
    m_host.showProgressLine(line);
    return match ? FileAnswer::Match : FileAnswer::NoMatch;
}

}  // namespace tollamar
