#include "ui/navigator/recent_folders.h"

#include "app/ini_file.h"
#include "platform/native_name.h"
#include "ui/navigator/list_file.h"

#include <algorithm>

namespace tollamar {

QStringList LoadRecentFolders(const QString& fileName) {
    QStringList folders = ReadListFile(fileName);
    for (QString& folder : folders) folder = FolderFromSetting(folder);
    return folders;
}

void SaveRecentFolders(const QString& fileName, const QStringList& folders) {
    QStringList lines = folders;
    for (QString& line : lines) line = FolderToSetting(line);
    WriteListFile(fileName, lines);
}

QStringList WithRecentFolder(QStringList folders, QString path, int maxCount,
                             const QString& programFolder) {
    if (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
    if (path.isEmpty()) path = programFolder;
    // Linux paths differ by case, so only an exact match is the same folder.
    folders.removeAll(path);
    folders.prepend(path);
    while (folders.size() > std::max(1, maxCount)) folders.removeLast();
    return folders;
}

int RecentMaxCount(const QString& naviIniFileName) {
    return RecentMaxCount(TIniFile(naviIniFileName));
}

int RecentMaxCount(const TIniFile& naviIni) {
    return std::clamp(naviIni.ReadInteger(u"Recent", u"MaxCount", kDefaultRecentCount), 1, 100);
}

}  // namespace tollamar
