#include "commands/photo_import.h"

#include "platform/file_ops.h"
#include "platform/file_times.h"
#include "platform/folder_ops.h"
#include "platform/native_name.h"

#include <QDateTime>

namespace tollamar {

namespace {

QString withSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

}  // namespace

QStringList ListImportFiles(const QString& folder) {
    QStringList names;
    if (folder.isEmpty()) return names;
    // Devices, sockets and FIFOs stay out: reading a FIFO would hang.
    for (const QString& name : FolderFileNames(folder))
        if (name.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive)) names.append(name);
    return names;
}

QString DayFolderName(const TFileTimes& times) {
    const timespec& time =
        (times.lastWrite.tv_sec == 0 && times.lastWrite.tv_nsec == 0) ? times.creation : times.lastWrite;
    const QDate day = QDateTime::fromSecsSinceEpoch(time.tv_sec, Qt::LocalTime).date();
    return QString::asprintf("%.4d%.2d%.2d", day.year(), day.month(), day.day());
}

static bool importOne(const QString& source, const QString& targetFolder, const QString& name) {
    if (!MakeFolderPath(targetFolder)) return false;
    return CopyFileNoReplace(source, targetFolder + name);
}

TImportResult RunImport(const QString& sourceFolder, const QString& destinationFolder,
                        const TImportHooks& hooks) {
    const QString from = withSeparator(sourceFolder), to = withSeparator(destinationFolder);
    const QStringList names = ListImportFiles(sourceFolder);
    TImportResult result;
    for (int i = 0; i < names.size(); ++i) {
        const QString source = from + names[i];
        TFileTimes times;
        const bool dated = GetFileTimes(source, times);
        const QString target = dated ? to + DayFolderName(times) + u'/' : to;
        if (hooks.progress)
            hooks.progress(DisplayName(target) + QStringLiteral("..."),
                           QStringLiteral("%1\r\n%2/%3").arg(DisplayName(names[i])).arg(i + 1).arg(names.size()));
        if (dated && importOne(source, target, names[i])) ++result.copied;
        else ++result.skipped;
        if (hooks.cancelled && hooks.cancelled()) {
            result.cancelled = true;
            break;
        }
    }
    return result;
}

}  // namespace tollamar
