#include "ui/navigator/list_file.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/file_ops.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>

namespace tollamar {

QStringList ReadListFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = DecodeUtf8OrCp932(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void WriteListFile(const QString& fileName, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
    errno = 0;
    QSaveFile file(ResolveLinks(fileName));
    if (!file.open(QIODevice::WriteOnly)) ThrowOpenError(fileName, errno ? errno : EACCES);
    if (file.write(bytes) != bytes.size() || !file.commit()) ThrowWriteError(fileName, errno ? errno : EIO);
}

bool FitsOnOneLine(QStringView text) { return !text.contains(u'\n') && !text.contains(u'\r'); }

}  // namespace tollamar
