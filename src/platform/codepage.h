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
// True when every byte belongs to a character code page 932 defines.
bool IsValidCp932(QByteArrayView bytes);
// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(QByteArrayView bytes);
// Settings and list files, which this program writes in UTF-8: UTF-8 when valid, else
// code page 932.
QString DecodeUtf8OrCp932(QByteArrayView bytes);
// Whether text a photo carries without saying its encoding (comments, Exif texts) is
// UTF-8: the bytes are valid UTF-8 with a byte above 0x7F and either hold a three- or
// four-byte sequence or are no valid code page 932. Otherwise they are code page 932:
// short UTF-8 such as "café" also reads as half-width katakana, and that reading wins
// because it survives a rewrite in code page 932 byte for byte.
bool IsUnmarkedUtf8(QByteArrayView bytes);
// Such text decoded by that rule.
QString DecodeUnmarkedText(QByteArrayView bytes);

// The text with CR LF and lone CR line ends turned into LF.
QString WithLfLineEnds(QString text);
// The text as far as its first NUL. A comment may hold NUL bytes; a terminal, a script
// and a C string see the text end there, so what is shown of it ends there too.
QString UpToFirstNul(QString text);

}  // namespace tollamar
