// The trial balance's two grids over the rows of one run: six columns (opening,
// period, closing) and two columns (closing as debit or credit). Both read the
// same rows; texts are made when a cell is drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QAbstractTableModel>

#include "statements/trial_balance_rules.h"

namespace statements {

using BalanceRows = std::shared_ptr<const std::vector<AccountFigures>>;

class SixColumnModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { AccCode, AccName, OBalance, OStatus, Debits, Credits, CBalance, CStatus, ColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(BalanceRows rows);
    // The rows shown, or null before the first setRows.
    const BalanceRows& rows() const { return m_rows; }
    // The account code of row `row`, or nothing.
    std::optional<std::int64_t> codeAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Balances as positive amounts with their status, amounts "0.00;(0.00)".
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    BalanceRows m_rows;
};

class TwoColumnModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { AccCode, AccName, Debits, Credits, ColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    // Lists the rows of `rows` that listedInTwoColumns, in their order.
    void setRows(BalanceRows rows);
    std::optional<std::int64_t> codeAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // The closing in the debit or the credit column ("0.00;(0.00)"), the other empty.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    BalanceRows m_rows;
    std::vector<std::size_t> m_listed;   // indexes into m_rows
};

} // namespace statements
