#include "ui/navigator/list_file.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/settings_file.h"

namespace tollamar {

QStringList ReadListFile(const QString& fileName) {
    QStringList lines = WithLfLineEnds(DecodeUtf8OrCp932(ReadSettingsFile(fileName))).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void WriteListFile(const QString& fileName, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
    WriteSettingsFile(fileName, bytes);
}

bool FitsOnOneLine(QStringView text) { return !text.contains(u'\n') && !text.contains(u'\r'); }

}  // namespace tollamar
