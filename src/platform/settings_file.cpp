#include "platform/settings_file.h"

#include "platform/errors.h"
#include "platform/file_ops.h"
#include "platform/new_file.h"
#include "platform/notice.h"

#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <cerrno>
#include <unistd.h>

namespace tollamar {
namespace {

QMutex g_mutex;
QSet<QString> g_unreadable;  // absolute paths, links resolved

QString keyOf(const QString& path) { return QFileInfo(ResolveLinks(path)).absoluteFilePath(); }

}  // namespace

QByteArray ReadSettingsFile(const QString& path) {
    try {
        return ReadWholeFile(path);
    } catch (const Error& e) {
        if (access(NativePath(path).constData(), F_OK) != 0 && errno == ENOENT) return {};
        QMutexLocker lock(&g_mutex);
        if (g_unreadable.contains(keyOf(path))) return {};
        g_unreadable.insert(keyOf(path));
        lock.unlock();
        ShowNotice(e.message() + QStringLiteral("\r\nこのファイルは書き換えずに残します"));
        return {};
    }
}

void WriteSettingsFile(const QString& path, QByteArrayView bytes) {
    {
        QMutexLocker lock(&g_mutex);
        if (g_unreadable.contains(keyOf(path))) return;
    }
    WriteFileReplacing(path, bytes);
}

}  // namespace tollamar
