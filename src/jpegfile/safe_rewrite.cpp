#include "jpegfile/safe_rewrite.h"

#include "jpegfile/backup_names.h"
#include "jpegfile/segment_rebuild.h"
#include "jpegfile/segment_replace.h"
#include "platform/errors.h"
#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/locked_file.h"
#include "platform/native_name.h"
#include "platform/new_file.h"
#include "platform/notice.h"
#include "platform/regular_file.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace tollamar {

QString RenameToBackup(const QString& fileName) {
    for (int n = 0; n <= 999; ++n) {
        const QString backup = BackupName(fileName, n);
        if (MoveFileNoReplace(fileName, backup)) return backup;
        // A name that is free but still refused means the file itself cannot be moved.
        if (errno != EEXIST && errno != ENOTEMPTY) return {};
    }
    return {};
}

namespace {

// A missing photo whose backup survived an earlier, interrupted rewrite.
void refuseMissingWithBackup(const QString& target) {
    if (access(NativePath(target).constData(), F_OK) == 0 || errno != ENOENT) return;
    const QStringList backups = ExistingBackups(target);
    if (backups.isEmpty()) return;
    throw Error(QStringLiteral("ファイル %1 がありません。写真はバックアップ %2 に残っています")
                    .arg(target, backups.last()));
}

// The scan must end in EOI; a cut-off file beside a backup is most likely what an
// interrupted copy or rewrite left, and must never become the source of a new file.
void refuseCutOffScan(const QString& target, QByteArrayView content, qsizetype scanStart) {
    if (HasEoiAfter(content, scanStart)) return;
    const QStringList backups = ExistingBackups(target);
    if (backups.isEmpty()) return;
    throw Error(QStringLiteral("ファイル %1 の画像データが途中で切れています。元の写真がバックアップ %2 "
                               "に残っているかもしれません。書き換えを中止しました")
                    .arg(target, backups.join(QStringLiteral(", "))));
}

// The owner may always make the photo writable; anyone else needs write permission.
void refuseUnwritable(const QString& target, const struct stat& st) {
    int err = faults::Take(faults::Op::Access);
    if (err == 0 && geteuid() != st.st_uid &&
        faccessat(AT_FDCWD, NativePath(target).constData(), W_OK, AT_EACCESS) != 0)
        err = errno;
    if (err != 0) ThrowWriteError(target, err);
}

[[noreturn]] void throwChanged(const QString& target) {
    throw Error(QStringLiteral("ファイル %1 は読み込んだ後に他のプログラムが変更しました。"
                               "その変更を残し、書き換えを中止しました")
                    .arg(target));
}

// Exchanges the new file with the photo in one step, then checks that what came out is
// the version that was read; if not, the other program's file goes straight back.
void exchangeChecked(NewFileBeside& out, const QString& target, const struct stat& expected) {
    const QByteArray temp = NativePath(out.tempPath()), name = NativePath(target);
    if (const int injected = faults::Take(faults::Op::Rename)) ThrowWriteError(target, injected);
    if (renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, name.constData(), RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) ThrowWriteError(target, errno);
        // No exchange on this file system: check, then rename over.
        struct stat now {};
        if (lstat(name.constData(), &now) != 0 || !SameVersion(now, expected, true)) throwChanged(target);
        out.replaceFinal();
        return;
    }
    out.release();  // the temporary name now holds the old photo (or another program's file)
    // The exchange itself moves both change times, so they cannot take part here.
    struct stat swapped {};
    if (lstat(temp.constData(), &swapped) == 0 && SameVersion(swapped, expected, false)) {
        unlink(temp.constData());
        return;
    }
    if (renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, name.constData(), RENAME_EXCHANGE) != 0)
        throw Error(QStringLiteral("ファイルの復元に失敗しました。%1 の他のプログラムによる版は %2 にあります。%3")
                        .arg(target, out.tempPath(), ErrnoText(errno)));
    unlink(temp.constData());
    throwChanged(target);
}

// Only the name this rewrite made goes: the file behind it may be another program's by
// now, and must not be made writable the way DeleteFileRetry does before deleting.
void dropOurBackup(const QString& backup) { unlink(NativePath(backup).constData()); }

// Backup, checks, exchange, folder sync; the backup stays only when deleting it fails.
bool putInPlace(NewFileBeside& out, const QString& target, const LockedFile& photo,
                QByteArrayView content) {
    const QString backup = LinkToBackup(target, content, photo.status());
    if (backup.isEmpty()) return false;
    faults::RunBeforeReplace();
    // The link moved the change time; everything else must be as read.
    struct stat expected {};
    if (fstat(photo.fd(), &expected) != 0 || !SameVersion(expected, photo.status(), false)) {
        dropOurBackup(backup);
        throwChanged(target);
    }
    try {
        exchangeChecked(out, target, expected);
    } catch (...) {
        dropOurBackup(backup);
        throw;
    }
    if (!SyncFolderOf(target)) ThrowWriteError(target, errno);
    if (!DeleteFileRetry(backup))
        ShowNotice(DisplayFileName(target) + QStringLiteral("\r\n元ファイルの削除に失敗しました"));
    return true;
}

}  // namespace

bool ReplaceSegmentInFile(const QString& fileName, QByteArrayView data, uint8_t marker) {
    return ReplaceSegmentInFile(fileName, [data](QByteArrayView) { return data.toByteArray(); }, marker);
}

bool ReplaceSegmentInFile(const QString& fileName, const std::function<QByteArray(QByteArrayView)>& makeData,
                          uint8_t marker) {
    const QString target = ResolveLinks(fileName);
    refuseMissingWithBackup(target);
    const LockedFile photo(target);
    const struct stat& st = photo.status();
    const QByteArray content = ReadUpTo(photo.fd(), target, st.st_size);
    const std::optional<RebuiltHeader> rebuilt = RebuildHeader(content, makeData(content), marker);
    if (!rebuilt) return false;
    refuseCutOffScan(target, content, rebuilt->tailOffset);
    refuseUnwritable(target, st);

    NewFileBeside out(target, 0600);
    // A read-only photo comes back writable by its owner, as a rewritten file always has.
    out.takeMetadataOf(photo.fd(), st, (st.st_mode & 07777) | S_IWUSR);
    out.write({rebuilt->head, QByteArrayView(content).sliced(rebuilt->tailOffset)});
    out.setTimes(st.st_atim, st.st_mtim);
    out.finish();
    return putInPlace(out, target, photo, content);
}

}  // namespace tollamar
