#pragma once
// Text trees shown in tree widgets, and the expansion and scroll state a tree keeps
// from one photo to the next.

#include "exif/text_tree.h"

#include <QHash>
#include <QFontMetrics>
#include <QList>
#include <QString>
#include <optional>

class QFont;
class QTreeWidget;
class QTreeWidgetItem;

namespace tollamar {

// Replaces the tree's items with the nodes, all collapsed.
void FillTree(QTreeWidget& tree, const QList<TTextNode>& nodes);
// When the items have the nodes' shape (the same count of children at every level),
// gives each item its node's text, lists in changed the items whose text changed and
// returns true; expansion and scroll stay, and only those rows are drawn again. False,
// with nothing changed, otherwise.
bool SetTreeTexts(QTreeWidget& tree, const QList<TTextNode>& nodes, QList<QTreeWidgetItem*>& changed);
// The advances of line texts in one font. Lines such as a camera's settings come back
// photo after photo, and laying a line out costs far more than looking it up.
class TextWidths {
public:
    // Measures in font from now on; the kept advances go when it is another font.
    void useFont(const QFont& font);
    // The horizontal advance of text in that font, as QFontMetrics gives it.
    int advance(const QString& text);

private:
    QString m_fontKey;
    std::optional<QFontMetrics> m_metrics;
    QHash<QString, int> m_advances;
};

// Makes the column as wide as the longest line on screen, so that long lines scroll
// sideways; the second form only widens it for the lines of the items given.
void FitTreeColumn(QTreeWidget& tree, TextWidths& widths);
void WidenTreeColumn(QTreeWidget& tree, const QList<QTreeWidgetItem*>& items, TextWidths& widths);

// The state list: the absolute index of the top visible row, then the expanded flag of
// the first top-level item with children and of each of its children. Empty for an
// empty tree.
QList<int> SaveTreeState(const QTreeWidget& tree);
// Applies the flags for the children the tree has and scrolls the row at the index to
// the top when the tree has it; a row inside a collapsed item gives its visible parent.
void RestoreTreeState(QTreeWidget& tree, const QList<int>& state);

}  // namespace tollamar
