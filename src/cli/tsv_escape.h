#pragma once
// The text forms of comment records. A TSV field writes tab, CR, LF and backslash as
// \t, \r, \n and \\, so that every record is one line and a comment reads back exactly;
// every other character stands for itself. JSON strings follow RFC 8259.

#include <QString>
#include <QStringView>

namespace tollamar::cli {

// The field with the four escapes applied.
QString EscapeTsvField(QStringView text);
// The text of an escaped field; false (with the complaint in error) on a backslash
// followed by anything but t, r, n or a backslash, or one at the end.
bool UnescapeTsvField(QStringView field, QString& text, QString& error);
// The text as a quoted JSON string; characters above U+001F other than " and \ stay as
// they are.
QString JsonString(QStringView text);

}  // namespace tollamar::cli
