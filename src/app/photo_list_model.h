#pragma once
// The photo list as a Qt model: rows are the entries of the PhotoList, produced on
// demand; nothing is stored per row. Column 0 is the file, 1 the camera, 2 the comment.

#include "app/item_data.h"

#include <QAbstractTableModel>

namespace tollamar {

class TPhotoListModel : public QAbstractTableModel {
public:
    TPhotoListModel(const TPhotoList& list, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The entry of a row; null outside the list.
    TItemData* entry(int row) const;
    // The row of an entry; -1 when it is not listed.
    int rowOf(const TItemData* entry) const;

    // Around every change of the list's length or order: the views drop their rows
    // before and take the new count after.
    void beginRebuild() { beginResetModel(); }
    void endRebuild() { endResetModel(); }

private:
    const TPhotoList& m_list;
};

}  // namespace tollamar
