// The read-only list model base.
#include "platform/forms/list_model.h"

namespace forms {

ListModel::ListModel(QStringList captions, QObject* parent)
    : QAbstractTableModel(parent)
    , m_captions(std::move(captions))
{
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_captions.size());
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_captions.size())
        return m_captions[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace forms
