// Test host: a small window that places a VoucherLineGrid the way the opening
// balances do (list above the cell from visible row 10, its captions, as many
// rows as accounts + 500), so the grid's rules are tried through a window.
#pragma once

#include <vector>

#include <QWidget>

#include "accounts/voucher_line_grid.h"

namespace app { class Parent; }

namespace testing_support {

class LineGridHost : public QWidget {
    Q_OBJECT

public:
    // Loads `lines`, then adds blank rows until the grid holds the number of
    // accounts in main.Pelkconn + 500, runs the totals and puts the current cell
    // on the first row. `params` defaults to the opening balances' values.
    explicit LineGridHost(app::Parent& main, std::vector<accounts::SubTranRow> lines = {},
                          accounts::LineGridParams params = accounts::openingBalanceGrid());

    accounts::VoucherLineGrid& lines() { return *m_lines; }

private:
    accounts::VoucherLineGrid* m_lines;
};

} // namespace testing_support
