#include "cli/tsv_escape.h"

namespace tollamar::cli {

namespace {

// Most comments and paths need no escape at all; copying them whole keeps a listing of
// thousands of photos from spending its time appending one character at a time.
bool needsEscape(QStringView text, bool json) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || (json ? u == u'"' || u < 0x20 || QChar::isSurrogate(u) : u == u'\t' || u == u'\r' || u == u'\n'))
            return true;
    }
    return false;
}

}  // namespace

QString EscapeTsvField(QStringView text) {
    if (!needsEscape(text, false)) return text.toString();
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\t': out += QLatin1String("\\t"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        default: out += c;
        }
    }
    return out;
}

bool UnescapeTsvField(QStringView field, QString& text, QString& error) {
    text.clear();
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            text += field[i];
            continue;
        }
        const char16_t next = ++i < field.size() ? field[i].unicode() : u'\0';
        switch (next) {
        case u't': text += u'\t'; break;
        case u'r': text += u'\r'; break;
        case u'n': text += u'\n'; break;
        case u'\\': text += u'\\'; break;
        default:
            error = i < field.size() ? QStringLiteral("unknown escape \\%1").arg(field[i])
                                     : QStringLiteral("backslash at the end of a field");
            return false;
        }
    }
    return true;
}

QString JsonString(QStringView text) {
    if (!needsEscape(text, true)) return u'"' + text.toString() + u'"';
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += u'\\';
            out += c;
        } else if (u == u'\n') {
            out += QLatin1String("\\n");
        } else if (u == u'\r') {
            out += QLatin1String("\\r");
        } else if (u == u'\t') {
            out += QLatin1String("\\t");
        } else if (u < 0x20 || QChar::isSurrogate(u)) {
            // A byte of a name that is not UTF-8 stays a lone surrogate escape, which
            // JSON readers accept and which maps back to the byte.
            out += QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out + u'"';
}

}  // namespace tollamar::cli
