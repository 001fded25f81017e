#pragma once
// Code page 932 (Shift-JIS as Windows writes it), the byte form of comments and of
// settings files carried over from Windows.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tollamar {

// Characters code page 932 cannot represent become '?'.
QByteArray ToCp932(QStringView text);
// Every byte is converted, NUL included; an invalid sequence becomes '?'.
QString FromCp932(QByteArrayView bytes);
// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(QByteArrayView bytes);
// Settings and list files: UTF-8 when valid, else code page 932.
QString DecodeUtf8OrCp932(QByteArrayView bytes);

}  // namespace tollamar
