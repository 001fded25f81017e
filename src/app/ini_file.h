#pragma once
// The settings files: classic INI text, "[Section]" lines and "key=value" lines below
// them. Lookups ignore the case of section and key names and the blanks around names
// and values; a value in double quotes loses them. Writing changes only the line of the
// key (or adds one at the end of its section) and keeps every other line, comment and
// line-break style as it was. Files are read as UTF-8 when valid, else as code page
// 932, and written as UTF-8.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace tollamar {

class TIniFile {
public:
    // Reads the file; a missing file reads as empty, and so does an unreadable one,
    // which is reported once and then never written in this run.
    explicit TIniFile(const QString& fileName);

    QString fileName() const { return m_fileName; }
    bool ValueExists(QStringView section, QStringView key) const;
    QString ReadString(QStringView section, QStringView key, const QString& def) const;
    // Decimal with an optional sign; def when absent or not a number that fits.
    int ReadInteger(QStringView section, QStringView key, int def) const;
    // Any integer other than 0 is true; def when absent or not an integer.
    bool ReadBool(QStringView section, QStringView key, bool def) const;

    // Raises when the value holds a line break, which the file form cannot carry.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void DeleteKey(QStringView section, QStringView key);

    // Writes the file when anything changed, replacing it whole (not a file that could
    // not be read); raises the write error.
    void UpdateFile();
    // The text UpdateFile writes.
    QString text() const;

private:
    struct Range {
        qsizetype header;  // the "[...]" line
        qsizetype end;     // one past the section's last line
    };
    std::optional<Range> findSection(QStringView section) const;
    std::optional<qsizetype> findKey(QStringView section, QStringView key) const;

    QString m_fileName;
    QStringList m_lines;
    QString m_lineBreak = QStringLiteral("\r\n");
    bool m_byteOrderMark = false;
    bool m_changed = false;
};

// One key written at once: read, set, written back (the immediate writes of commands).
void WriteIniStringNow(const QString& fileName, const QString& section, const QString& key,
                       const QString& value);

}  // namespace tollamar
