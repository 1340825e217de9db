// What the ledger-like windows share around their grid: the read-only grid of
// whole rows, and the current line's voucher boxes (TranType, LTranNo,
// LTranType) from which a double-click opens the voucher.
#pragma once

#include <cstdint>
#include <string>

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QTableView;
class QWidget;

namespace app { class Parent; }

namespace ledgers {

// The grid "LedgerGrid" over `model`: whole rows chosen one at a time, never
// edited, no row numbers, rows of one fixed height (a ledger of many thousand
// lines shows without measuring each).
QTableView* makeLedgerGrid(QWidget* parent, QAbstractItemModel* model);

// The label TranType (the current line's voucher, in full) and the hidden
// boxes LTranNo and LTranType.
struct CurrentLineBoxes {
    QLabel* tranType = nullptr;
    QLineEdit* lTranNo = nullptr;
    QLineEdit* lTranType = nullptr;

    // Makes the three under `parent`.
    static CurrentLineBoxes make(QWidget* parent);
    // Shows voucher `tranNo` of type `tranType`, called `reference`.
    void show(const std::string& reference, std::int32_t tranNo, int tranType) const;
    // No current line.
    void clear() const;
    // OpenVoucherFromLine for the line shown; nothing when there is none.
    void openVoucher(app::Parent& main) const;
};

} // namespace ledgers
