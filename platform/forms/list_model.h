// The base of the read-only list grids: fixed column captions, rows that can be
// selected but never edited. What the rows hold is left to the subclass.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace forms {

class ListModel : public QAbstractTableModel {
public:
    // One column a caption, in order; a caption may be empty.
    ListModel(QStringList captions, QObject* parent);

    int columnCount(const QModelIndex& parent = {}) const override;
    // Enabled and selectable; never editable.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The captions across the top; the default elsewhere.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_captions;
};

} // namespace forms
