#include "ui/infowin/text_tree_view.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace tollamar {
namespace {

void addChildren(QTreeWidgetItem& parent, const QList<TTextNode>& nodes) {
    for (const TTextNode& node : nodes) {
        auto* item = new QTreeWidgetItem(&parent, {node.text});
        addChildren(*item, node.children);
    }
}

// Rows are counted depth first over every item, collapsed or not.
int absoluteIndex(const QTreeWidget& tree, const QTreeWidgetItem* wanted) {
    int index = 0;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it, ++index)
        if (*it == wanted) return index;
    return -1;
}

QTreeWidgetItem* itemAtAbsoluteIndex(QTreeWidget& tree, int index) {
    if (index < 0) return nullptr;
    QTreeWidgetItemIterator it(&tree);
    for (; *it && index > 0; ++it) --index;
    return *it;
}

QTreeWidgetItem* firstParentItem(const QTreeWidget& tree) {
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (tree.topLevelItem(i)->childCount() > 0) return tree.topLevelItem(i);
    return nullptr;
}

// Scrolling to a row inside a collapsed item would expand it; its outermost collapsed
// ancestor is the row on screen instead.
QTreeWidgetItem* visibleRowOf(QTreeWidgetItem* item) {
    QTreeWidgetItem* shown = item;
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        if (!parent->isExpanded()) shown = parent;
    return shown;
}

bool sameShape(const QTreeWidgetItem& item, const TTextNode& node) {
    if (item.childCount() != node.children.size()) return false;
    for (int i = 0; i < item.childCount(); ++i) {
        // child() answers null outside its range; GCC's -O3 inlining sees that branch.
        const QTreeWidgetItem* child = item.child(i);
        if (!child || !sameShape(*child, node.children[i])) return false;
    }
    return true;
}

void setTexts(QTreeWidgetItem& item, const TTextNode& node, QList<QTreeWidgetItem*>& changed) {
    if (item.text(0) != node.text) {
        item.setText(0, node.text);
        changed.append(&item);
    }
    for (int i = 0; i < item.childCount(); ++i) setTexts(*item.child(i), node.children[i], changed);
}

bool onScreen(const QTreeWidgetItem& item) {
    for (const QTreeWidgetItem* parent = item.parent(); parent; parent = parent->parent())
        if (!parent->isExpanded()) return false;
    return true;
}

int depthOf(const QTreeWidgetItem& item) {
    int depth = 0;
    for (const QTreeWidgetItem* parent = item.parent(); parent; parent = parent->parent()) ++depth;
    return depth;
}

int lineWidth(const QTreeWidget& tree, TextWidths& widths, int margin, const QTreeWidgetItem& item) {
    if (!onScreen(item)) return 0;
    const int decoration = tree.rootIsDecorated() ? tree.indentation() : 0;
    return decoration + depthOf(item) * tree.indentation() + widths.advance(item.text(0)) + margin;
}

// Also points the widths at the tree's font.
int lineMargin(const QTreeWidget& tree, TextWidths& widths) {
    widths.useFont(tree.font());
    return 2 * QFontMetrics(tree.font()).averageCharWidth();
}

// The column never gets narrower than the widest line, so long lines scroll sideways
// instead of being cut short.
void setColumnWidth(QTreeWidget& tree, int width) {
    if (tree.header()->minimumSectionSize() != width) tree.header()->setMinimumSectionSize(width);
}

}  // namespace

void TextWidths::useFont(const QFont& font) {
    // Bounded: a long run of photos with their own dates would otherwise only add.
    constexpr qsizetype kMostTexts = 4096;
    const QString key = font.key();
    if (key == m_fontKey && m_advances.size() < kMostTexts) return;
    m_fontKey = key;
    m_metrics.emplace(font);
    m_advances.clear();
}

int TextWidths::advance(const QString& text) {
    if (const auto found = m_advances.constFind(text); found != m_advances.cend()) return *found;
    const int width = m_metrics->horizontalAdvance(text);
    m_advances.insert(text, width);
    return width;
}

// Measured from the texts: the delegate's size hints lay every row out in full and cost
// far more than the plain advance of each line.
void FitTreeColumn(QTreeWidget& tree, TextWidths& widths) {
    const int margin = lineMargin(tree, widths);
    int widest = 0;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        widest = std::max(widest, lineWidth(tree, widths, margin, **it));
    setColumnWidth(tree, widest);
}

void WidenTreeColumn(QTreeWidget& tree, const QList<QTreeWidgetItem*>& items, TextWidths& widths) {
    const int margin = lineMargin(tree, widths);
    int widest = tree.header()->minimumSectionSize();
    for (const QTreeWidgetItem* item : items) widest = std::max(widest, lineWidth(tree, widths, margin, *item));
    setColumnWidth(tree, widest);
}

bool SetTreeTexts(QTreeWidget& tree, const QList<TTextNode>& nodes, QList<QTreeWidgetItem*>& changed) {
    if (tree.topLevelItemCount() != nodes.size()) return false;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (!sameShape(*tree.topLevelItem(i), nodes[i])) return false;
    {
        // Each changed item would tell the view on its own, which then lays the first row
        // out again for its height; one-line rows keep their height, so one repaint does.
        const QSignalBlocker quiet(tree.model());
        for (int i = 0; i < tree.topLevelItemCount(); ++i) setTexts(*tree.topLevelItem(i), nodes[i], changed);
    }
    if (!changed.isEmpty()) tree.viewport()->update();
    return true;
}

void FillTree(QTreeWidget& tree, const QList<TTextNode>& nodes) {
    tree.clear();
    QList<QTreeWidgetItem*> top;
    top.reserve(nodes.size());
    for (const TTextNode& node : nodes) {
        auto* item = new QTreeWidgetItem(QStringList{node.text});
        addChildren(*item, node.children);
        top.append(item);
    }
    tree.addTopLevelItems(top);
}

QList<int> SaveTreeState(const QTreeWidget& tree) {
    if (tree.topLevelItemCount() == 0) return {};
    const QTreeWidgetItem* topRow = tree.itemAt(0, 0);
    QList<int> state{topRow ? std::max(absoluteIndex(tree, topRow), 0) : 0};
    const QTreeWidgetItem* parent = firstParentItem(tree);
    if (!parent) return state;
    state.append(parent->isExpanded() ? 1 : 0);
    for (int i = 0; i < parent->childCount(); ++i) state.append(parent->child(i)->isExpanded() ? 1 : 0);
    return state;
}

void RestoreTreeState(QTreeWidget& tree, const QList<int>& state) {
    QTreeWidgetItem* parent = firstParentItem(tree);
    if (state.size() >= 2 && parent) {
        parent->setExpanded(state[1] != 0);
        // A photo may have fewer children than the one the state was taken from.
        const int count = std::min<int>(parent->childCount(), static_cast<int>(state.size()) - 2);
        for (int i = 0; i < count; ++i) parent->child(i)->setExpanded(state[2 + i] != 0);
    }
    if (state.isEmpty()) return;
    if (QTreeWidgetItem* item = itemAtAbsoluteIndex(tree, state[0]))
        tree.scrollToItem(visibleRowOf(item), QAbstractItemView::PositionAtTop);
}

}  // namespace tollamar
