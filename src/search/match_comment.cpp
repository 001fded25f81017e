#include "search/match_comment.h"

#include <wordseek.h>

#include <QByteArray>

namespace tollamar {

namespace {

// Text after a NUL is invisible to a C string, so it is cut here rather than
// silently by the library; for a keyword this also keeps it from splitting in two.
QByteArray Utf8UpToNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return (nul < 0 ? QStringView(text) : QStringView(text).left(nul)).toUtf8();
}

// Wordseek's keyword block: each keyword and a NUL, then one more NUL. An empty
// keyword would end the block early and drop the ones after it, so it is left out.
QByteArray PackKeywords(const QStringList& keywords)
{
    QByteArray block;
    for (const QString& keyword : keywords) {
        const QByteArray bytes = Utf8UpToNul(keyword);
        if (bytes.isEmpty())
            continue;
        block.append(bytes);
        block.append('\0');
    }
    block.append('\0');
    return block;
}

}  // namespace

bool MatchComment(const QString& comment, const QStringList& keywords, bool ignoreCase,
                  bool andSearch)
{
    const QByteArray block = PackKeywords(keywords);
    const QByteArray text = Utf8UpToNul(comment);
    // QByteArray keeps a NUL after its data, so constData() is a C string.
    return QueryMemo(text.constData(), block.constData(), ignoreCase ? 1 : 0,
                     andSearch ? 1 : 0) != 0;
}

}  // namespace tollamar
