#include "app/ini_file.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/settings_file.h"

namespace tollamar {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isComment(QStringView line) { return line.startsWith(u';'); }

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QStringView> sectionName(QStringView line) {
    line = line.trimmed();
    if (!line.startsWith(u'[')) return std::nullopt;
    const qsizetype close = line.indexOf(u']');
    if (close < 0) return std::nullopt;
    return line.mid(1, close - 1).trimmed();
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(QStringView value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value.toString();
}

std::optional<int> parseInteger(QStringView text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace

TIniFile::TIniFile(const QString& fileName) : m_fileName(fileName) {
    QByteArray bytes = ReadSettingsFile(fileName);
    if (bytes.startsWith(kUtf8Bom)) {
        m_byteOrderMark = true;
        bytes.remove(0, kUtf8Bom.size());
    }
    const QString text = DecodeUtf8OrCp932(bytes);
    if (text.contains(u'\n') && !text.contains(QStringLiteral("\r\n")))
        m_lineBreak = QStringLiteral("\n");
    m_lines = WithLfLineEnds(text).split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty()) m_lines.removeLast();
}

std::optional<TIniFile::Range> TIniFile::findSection(QStringView section) const {
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QStringView> name = sectionName(m_lines[i]);
        if (!name || !sameName(*name, section)) continue;
        qsizetype end = i + 1;
        while (end < m_lines.size() && !sectionName(m_lines[end])) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> TIniFile::findKey(QStringView section, QStringView key) const {
    const std::optional<Range> range = findSection(section);
    if (!range) return std::nullopt;
    for (qsizetype i = range->header + 1; i < range->end; ++i) {
        const QStringView line(m_lines[i]);
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || isComment(line.trimmed())) continue;
        if (sameName(line.left(equals).trimmed(), key.trimmed())) return i;
    }
    return std::nullopt;
}

bool TIniFile::ValueExists(QStringView section, QStringView key) const {
    return findKey(section, key).has_value();
}

QString TIniFile::ReadString(QStringView section, QStringView key, const QString& def) const {
    const std::optional<qsizetype> line = findKey(section, key);
    if (!line) return def;
    const QStringView text(m_lines[*line]);
    return unquoted(text.mid(text.indexOf(u'=') + 1));
}

int TIniFile::ReadInteger(QStringView section, QStringView key, int def) const {
    if (!ValueExists(section, key)) return def;
    return parseInteger(ReadString(section, key, QString())).value_or(def);
}

bool TIniFile::ReadBool(QStringView section, QStringView key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (value.contains(u'\n') || value.contains(u'\r'))
        throw Error(QStringLiteral("%1: the value of %2 holds a line break").arg(m_fileName, key));
    const QString line = key + u'=' + value;
    if (const std::optional<qsizetype> at = findKey(section, key)) {
        // The key keeps the spelling it has in the file.
        const QStringView old(m_lines[*at]);
        const QString kept = old.left(old.indexOf(u'=')).trimmed().toString() + u'=' + value;
        if (kept != m_lines[*at]) {
            m_lines[*at] = kept;
            m_changed = true;
        }
        return;
    }
    if (const std::optional<Range> range = findSection(section)) {
        qsizetype at = range->end;
        while (at > range->header + 1 && m_lines[at - 1].trimmed().isEmpty()) --at;
        m_lines.insert(at, line);
    } else {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty()) m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
    }
    m_changed = true;
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(QStringView section, QStringView key) {
    if (const std::optional<qsizetype> at = findKey(section, key)) {
        m_lines.removeAt(*at);
        m_changed = true;
    }
}

QString TIniFile::text() const {
    QString out;
    for (const QString& line : m_lines) out += line + m_lineBreak;
    return out;
}

void TIniFile::UpdateFile() {
    if (!m_changed) return;
    // A settings file that is a symbolic link stays one: the file it names is replaced.
    QByteArray bytes = m_byteOrderMark ? kUtf8Bom : QByteArray();
    bytes += text().toUtf8();
    WriteSettingsFile(m_fileName, bytes);
    m_changed = false;
}

void WriteIniStringNow(const QString& fileName, const QString& section, const QString& key,
                       const QString& value) {
    TIniFile ini(fileName);
    ini.WriteString(section, key, value);
    ini.UpdateFile();
}

}  // namespace tollamar
