#pragma once
// The program's side of the Wordseek library: hands it a comment and keywords as
// UTF-8, so every Unicode character of a comment can be matched.

#include <QString>
#include <QStringList>

namespace tollamar {

// True when Wordseek finds the keywords in the comment (all of them when andSearch,
// one of them otherwise). The comment counts up to its first NUL; empty keywords
// are ignored, and a list with none matches nothing. Letters a-z and A-Z are taken
// as equal when ignoreCase. Raises nothing.
bool MatchComment(const QString& comment, const QStringList& keywords, bool ignoreCase,
                  bool andSearch);

}  // namespace tollamar
