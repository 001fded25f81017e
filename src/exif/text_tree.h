#pragma once
// A tree of text lines, built by the format code and shown by whichever widget wants it.

#include <QList>
#include <QString>

namespace tollamar {

struct TTextNode {
    QString text;
    QList<TTextNode> children;
};

}  // namespace tollamar
