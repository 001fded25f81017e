#pragma once
// File names as the system gives them. Linux names are bytes; a name that is not valid
// UTF-8 (Shift-JIS from Windows, Latin-1 from old archives) still names a file. Inside
// the program a name is a QString in which valid UTF-8 is decoded normally and every byte
// of an invalid sequence is kept as the lone low surrogate U+DC80 + byte, so the bytes
// come back unchanged whenever the name is handed to the system.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tollamar {

// The QString for native name bytes; lossless: NativeName(NameFromNative(b)) == b.
QString NameFromNative(QByteArrayView bytes);
// The bytes to hand to the system for a name made by NameFromNative (or any text).
QByteArray NativeName(QStringView name);
// Whether a name holds bytes that are not valid UTF-8.
bool HasRawBytes(QStringView name);
// A folder as settings and list files store it: as it is when its name is UTF-8, else as
// "file://" and the name's bytes percent-encoded, which no older file holds.
QString FolderToSetting(const QString& folder);
// The folder a stored value names; older values read as they always did.
QString FolderFromSetting(const QString& value);
// The name as shown to people, component by component: UTF-8 when valid, else code page
// 932 when that decodes, else UTF-8 with each undecodable byte as \xHH.
QString DisplayName(QStringView name);
// The last part of a path (the file's own name) as shown to people.
QString DisplayFileName(QStringView path);

}  // namespace tollamar
