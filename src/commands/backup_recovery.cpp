#include "commands/backup_recovery.h"

#include "jpegfile/backup_names.h"
#include "jpegfile/segment_replace.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/folder_ops.h"
#include "platform/new_file.h"

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace tollamar {
namespace {

bool completeFile(const QString& path) {
    try {
        return IsCompleteJpeg(ReadWholeFile(path));
    } catch (const Error&) {
        return false;
    }
}

int compareTimes(const QString& a, const QString& b) {
    struct stat sa {}, sb {};
    if (stat(NativePath(a).constData(), &sa) != 0 || stat(NativePath(b).constData(), &sb) != 0) return 0;
    const auto key = [](const struct stat& s) { return std::pair(s.st_mtim.tv_sec, s.st_mtim.tv_nsec); };
    return key(sa) < key(sb) ? -1 : key(sb) < key(sa) ? 1 : 0;
}

// NAME.NNN. Tested by hand: a regular expression does not match a name that keeps bytes
// which are not UTF-8 as lone surrogates.
bool isBackupName(QStringView name) {
    if (name.size() < 5 || name[name.size() - 4] != u'.') return false;
    return std::all_of(name.end() - 3, name.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The photo a backup name belongs to: the name without its number, or for a long name
// that had to be cut, the file in the folder whose backups carry that name.
QString photoOf(const QString& folder, const QString& backupName, const QStringList& names) {
    const QString base = backupName.chopped(4);
    if (names.contains(base)) return folder + base;
    for (const QString& name : names) {
        // A numbered name as long as the photo's cuts down to the same backup name, and
        // the backups sort before the photo: they are never the photo.
        if (name.size() > base.size() && name.startsWith(base) && !isBackupName(name) &&
            BackupName(folder + name, 0) == folder + base + QStringLiteral(".000"))
            return folder + name;
    }
    return folder + base;
}

TLeftover examine(const QString& folder, const QString& name, const QStringList& names) {
    TLeftover leftover;
    leftover.path = folder + name;
    leftover.complete = completeFile(leftover.path);
    if (name.startsWith(QLatin1String(kTempPrefix))) {
        leftover.kind = TLeftover::Temporary;
        return leftover;
    }
    leftover.photo = photoOf(folder, name, names);
    leftover.photoExists = FileExists(leftover.photo);
    if (leftover.photoExists) {
        leftover.photoComplete = completeFile(leftover.photo);
        leftover.newerThanPhoto = compareTimes(leftover.path, leftover.photo);
    }
    return leftover;
}

}  // namespace

QList<TLeftover> FindLeftovers(const QString& folder) {
    if (!IsFolder(folder)) ThrowOpenError(folder, ENOENT);
    const QStringList names = FolderFileNames(folder, true);
    const QString prefix = QDir(folder).absolutePath() + u'/';
    QList<TLeftover> found;
    for (const QString& name : names) {
        if (name.startsWith(QLatin1String(kTempPrefix)) || isBackupName(name))
            found.append(examine(prefix, name, names));
    }
    return found;
}

QString DescribeLeftover(const TLeftover& l) {
    const QString holds = l.complete ? QStringLiteral("complete JPEG") : QStringLiteral("incomplete JPEG");
    if (l.kind == TLeftover::Temporary)
        return QStringLiteral("%1: unfinished temporary file (%2)").arg(l.path, holds);
    if (!l.photoExists) return QStringLiteral("%1: %2; the photo %3 is missing").arg(l.path, holds, l.photo);
    const QString age = l.newerThanPhoto > 0   ? QStringLiteral("newer than")
                        : l.newerThanPhoto < 0 ? QStringLiteral("older than")
                                               : QStringLiteral("as old as");
    const QString photo = l.photoComplete ? QStringLiteral("complete") : QStringLiteral("cut off");
    return QStringLiteral("%1: %2, %3 the photo %4 (%5)").arg(l.path, holds, age, l.photo, photo);
}

QString ApplyLeftover(const TLeftover& l) {
    if (l.kind == TLeftover::Temporary) {
        if (!DeleteFileRetry(l.path)) ThrowWriteError(l.path, errno);
        return QStringLiteral("%1: removed").arg(l.path);
    }
    if (!l.complete || (l.photoExists && l.photoComplete)) return {};
    const QByteArray from = NativePath(l.path), to = NativePath(l.photo);
    // A missing photo must not appear meanwhile and be replaced; a cut-off one is.
    const bool moved = l.photoExists ? std::rename(from.constData(), to.constData()) == 0
                                     : MoveFileNoReplace(l.path, l.photo);
    if (!moved) ThrowWriteError(l.photo, errno);
    SyncFolderOf(l.photo);
    return QStringLiteral("%1: put back as %2").arg(l.path, l.photo);
}

}  // namespace tollamar
