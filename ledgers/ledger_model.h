// The account ledger's grid rows over the lines of one build: the columns and
// formats the window shows, with the running balance and status worked out
// from each line's running difference when a cell is drawn.
#pragma once

#include <QAbstractTableModel>

#include "ledgers/ledger_store.h"

namespace ledgers {

class LedgerModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Date, TranNo, Description, Debit, Credit, BalanceColumn, Status, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows `lines`, referring to their vouchers by the names in `kinds`, in
    // place of what the model showed.
    void setLines(std::vector<LedgerLine> lines, KindNames kinds);
    void clear() { setLines({}, {}); }
    const std::vector<LedgerLine>& lines() const { return m_lines; }
    const KindNames& kinds() const { return m_kinds; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display texts: date "dd-MM-yy", the short reference, the description,
    // amounts "0.00;(0.00)", the balance as a positive amount and its status.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<LedgerLine> m_lines;
    KindNames m_kinds;
};

} // namespace ledgers
