#include "jpegfile/backup_names.h"

#include "platform/fault_injection.h"
#include "platform/file_ops.h"
#include "platform/native_name.h"

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace tollamar {

// Cut to at most maxBytes of UTF-8 without splitting a character.
static QByteArray cutName(QByteArray name, qsizetype maxBytes) {
    if (name.size() <= maxBytes) return name;
    qsizetype end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.left(end);
}

QString BackupName(const QString& fileName, int n) {
    const QString suffix = QStringLiteral(".%1").arg(n, 3, 10, QChar(u'0'));
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const QByteArray name = NativeName(QStringView(fileName).mid(slash + 1));
    if (name.size() + suffix.size() <= NAME_MAX) return fileName + suffix;
    return fileName.left(slash + 1) + NameFromNative(cutName(name, NAME_MAX - suffix.size())) + suffix;
}

// File systems without hard links refuse with one of these.
static bool noHardLinks(int errnoValue) {
    return errnoValue == EPERM || errnoValue == EOPNOTSUPP || errnoValue == EMLINK;
}

QString LinkToBackup(const QString& fileName, QByteArrayView content, const struct stat& like) {
    const QByteArray from = NativePath(fileName);
    bool copy = false;
    for (int n = 0; n <= 999; ++n) {
        const QString backup = BackupName(fileName, n);
        if (const int injected = faults::Take(faults::Op::Rename)) {
            errno = injected;
            return {};
        }
        if (!copy && link(from.constData(), NativePath(backup).constData()) == 0) return backup;
        if (!copy && noHardLinks(errno)) copy = true;
        if (copy) {
            try {
                WriteNewFileSynced(backup, {content}, &like);
                return backup;
            } catch (...) {
                if (!FileExists(backup)) return {};
                errno = EEXIST;
            }
        }
        if (errno != EEXIST) return {};
    }
    return {};
}

QStringList ExistingBackups(const QString& fileName) {
    QStringList found;
    for (int n = 0; n <= 999; ++n) {
        const QString backup = BackupName(fileName, n);
        if (access(NativePath(backup).constData(), F_OK) == 0) found.append(backup);
    }
    return found;
}

}  // namespace tollamar
