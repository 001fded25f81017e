#pragma once
// Reading and writing the settings and list files (*.INI, the favourite and recent
// lists). A file that exists but cannot be read must not be replaced by what the program
// made of its absence: such a file is reported once and left alone for the whole run.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tollamar {

// The file's bytes; empty when it does not exist. A file that exists but cannot be read
// (or is not a regular file) is reported once through ShowNotice, naming the file and
// the reason, and is then never written in this run.
QByteArray ReadSettingsFile(const QString& path);

// Replaces the file whole through a temporary file (WriteFileReplacing); does nothing for
// a file that could not be read in this run. Raises the write error naming the file.
void WriteSettingsFile(const QString& path, QByteArrayView bytes);

}  // namespace tollamar
