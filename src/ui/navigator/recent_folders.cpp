#include "ui/navigator/recent_folders.h"

#include "app/ini_file.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/file_ops.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

namespace tollamar {

QStringList LoadRecentFolders(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = DecodeUtf8OrCp932(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void SaveRecentFolders(const QString& fileName, const QStringList& folders) {
    QByteArray bytes;
    for (const QString& folder : folders) bytes += folder.toUtf8() + "\r\n";
    errno = 0;
    QSaveFile file(ResolveLinks(fileName));
    if (!file.open(QIODevice::WriteOnly)) ThrowOpenError(fileName, errno ? errno : EACCES);
    if (file.write(bytes) != bytes.size() || !file.commit()) ThrowWriteError(fileName, errno ? errno : EIO);
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
    const int count = TIniFile(naviIniFileName).ReadInteger(u"Recent", u"MaxCount", kDefaultRecentCount);
    return std::clamp(count, 1, 100);
}

}  // namespace tollamar
