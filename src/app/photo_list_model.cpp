#include "app/photo_list_model.h"

namespace tollamar {

TPhotoListModel::TPhotoListModel(const TPhotoList& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list) {}

int TPhotoListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.size());
}

int TPhotoListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant TPhotoListModel::data(const QModelIndex& index, int role) const {
    const TItemData* item = entry(index.row());
    if (!item || role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0: return item->caption();
    case 1: return item->Camera;
    case 2: return item->Comment;
    default: return {};
    }
}

QVariant TPhotoListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case 0: return QStringLiteral("ファイル");
    case 1: return QStringLiteral("デジタルカメラ");
    case 2: return QStringLiteral("コメント");
    default: return {};
    }
}

Qt::ItemFlags TPhotoListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

TItemData* TPhotoListModel::entry(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= m_list.size()) return nullptr;
    return m_list[static_cast<size_t>(row)].get();
}

int TPhotoListModel::rowOf(const TItemData* item) const {
    for (size_t i = 0; i < m_list.size(); ++i)
        if (m_list[i].get() == item) return static_cast<int>(i);
    return -1;
}

}  // namespace tollamar
