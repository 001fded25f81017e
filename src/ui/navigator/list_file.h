#pragma once
// The navigator's list files (Favorite.INI, Recent.INI): one entry per line and no
// sections, despite the name. Written in UTF-8 with CR LF; read as UTF-8 when valid,
// else as code page 932 (files carried over from a Shift-JIS system), with CR, LF or
// CR LF ending a line.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace tollamar {

// The lines of the file, without the empty piece after a final line break; empty when
// the file does not exist or cannot be read.
QStringList ReadListFile(const QString& fileName);
// Replaces the file (through a symbolic link, the file it names) with the lines;
// raises the open or write error and leaves the old file whole then.
void WriteListFile(const QString& fileName, const QStringList& lines);
// False for text with a CR or LF, which would come back as two entries.
bool FitsOnOneLine(QStringView text);

}  // namespace tollamar
