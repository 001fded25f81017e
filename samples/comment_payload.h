#pragma once
// The two byte forms of a JPEG comment: code page 932 (Shift-JIS as Windows writes
// it), or FF FE followed by UTF-16LE.

#include <QByteArray>
#include <QString>

namespace tollamar::samples {

// Characters code page 932 has no code for become '?'.
QByteArray ShiftJisPayload(const QString& text);
QByteArray UnicodePayload(const QString& text);

}  // namespace tollamar::samples
