#include "jpegfile/safe_rewrite.h"

#include "jpegfile/segment_rebuild.h"
#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/file_times.h"
#include "platform/notice.h"

#include <QFileInfo>
#include <sys/stat.h>

namespace tollamar {

QString RenameToBackup(const QString& fileName) {
    for (int n = 0; n <= 999; ++n) {
        const QString backup = fileName + QStringLiteral(".%1").arg(n, 3, 10, QChar(u'0'));
        if (MoveFileNoReplace(fileName, backup)) return backup;
        // A name that is free but still refused means the file itself cannot be moved.
        if (errno != EEXIST && errno != ENOTEMPTY) return {};
    }
    return {};
}

namespace {

// The photo goes back under its own name. A file that someone else created there in
// the meantime is never deleted; the photo then stays under the backup name.
void restoreFromBackup(const QString& target, const QString& backup) {
    if (!MoveFileNoReplace(backup, target))
        throw Error(QStringLiteral("ファイルの復元に失敗しました"));
}

void finishRewrite(const QString& target, const QString& backup, bool haveTimes,
                   const TFileTimes& times) {
    if (!DeleteFileRetry(backup))
        ShowNotice(QFileInfo(target).fileName() + QStringLiteral("\r\n元ファイルの削除に失敗しました"));
    if (haveTimes) SetFileTimes(target, times);
}

}  // namespace

bool ReplaceSegmentInFile(const QString& fileName, QByteArrayView data, uint8_t marker) {
    const QString target = ResolveLinks(fileName);
    TFileTimes times;
    const bool haveTimes = GetFileTimes(target, times);
    struct stat original {};
    const bool haveStat = stat(NativePath(target).constData(), &original) == 0;
    const QByteArray content = ReadWholeFile(target);

    const QString backup = RenameToBackup(target);
    if (backup.isEmpty() || !FileExists(backup)) return false;
    std::optional<RebuiltHeader> rebuilt;
    try {
        rebuilt = RebuildHeader(content, data, marker);
        if (rebuilt)
            WriteNewFileSynced(target, {rebuilt->head, QByteArrayView(content).sliced(rebuilt->tailOffset)},
                               haveStat ? &original : nullptr);
    } catch (...) {
        restoreFromBackup(target, backup);
        throw;
    }
    if (!rebuilt) {
        restoreFromBackup(target, backup);
        return false;
    }
    finishRewrite(target, backup, haveTimes, times);
    return true;
}

}  // namespace tollamar
