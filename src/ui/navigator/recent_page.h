#pragma once
// The navigator's page of recently opened folders: one row per line of Recent.INI,
// each drawn with the middle of a long path left out. Selecting a row opens its folder.

#include <QFontMetrics>
#include <QWidget>
#include <functional>

class QTreeWidget;

namespace tollamar {

class TRecentPage : public QWidget {
public:
    explicit TRecentPage(QWidget* parent);

    // Replaces the rows, with drawing suspended meanwhile; opens nothing.
    void fillRows(const QStringList& folders);
    QStringList rows() const;
    // Deselects without opening anything.
    void clearSelection();

    QTreeWidget* RecentList;
    // A row the user selected: its folder.
    std::function<void(const QString& folder)> onOpen;

private:
    void RecentListChange();

    bool m_filling = false;
};

// path as it fits in width: whole, or with the middle left out so that its start and
// its last folder name stay visible (the last name is cut only when it alone is wider).
QString ElidePath(const QFontMetrics& metrics, const QString& path, int width);

}  // namespace tollamar
