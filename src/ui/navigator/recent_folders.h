#pragma once
// Recent.INI: the folders opened most recently, one path per line, newest first, in
// the form of list_file.h.

#include <QString>
#include <QStringList>

namespace tollamar {

class TIniFile;

constexpr int kDefaultRecentCount = 20;

// The lines of the file; empty when it does not exist.
QStringList LoadRecentFolders(const QString& fileName);
// Replaces the file with the lines; raises the write error.
void SaveRecentFolders(const QString& fileName, const QStringList& folders);

// The list after opening path: one trailing separator removed (the root stays "/"),
// every equal line removed, the path put first, and at most maxCount lines kept. An
// empty path stands for programFolder.
QStringList WithRecentFolder(QStringList folders, QString path, int maxCount,
                             const QString& programFolder);

// MaxCount of section Recent in NaviForm.INI, forced into 1 to 100 (default 20).
int RecentMaxCount(const QString& naviIniFileName);
int RecentMaxCount(const TIniFile& naviIni);

}  // namespace tollamar
