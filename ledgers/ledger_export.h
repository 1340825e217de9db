// The account ledger as a spreadsheet: the account's name and the period on
// top, the brought-forward line in row 5, one row per listed line with its
// running balance, and the totals of those lines. ExcelExport writes and shows it.
#pragma once

#include <optional>
#include <span>

#include <QDate>
#include <QString>

#include "ledgers/ledger_rules.h"
#include "ledgers/ledger_store.h"
#include "platform/sheet/table.h"

namespace ledgers {

// What the export takes from one build of the ledger window.
struct LedgerSheet {
    QString accName;                               // the name box, for A1
    std::optional<DateRange> period;               // "Period From" ticked: its dates
    QDate today;                                   // the date line of a whole-year ledger
    std::optional<platform::Money> broughtForward; // the difference, when the build had one
    std::span<const LedgerLine> lines;             // as built, with their running differences
    const KindNames* kinds = nullptr;              // for the lines' short references
    LedgerTotals totals;                           // the build's totals over `lines`
};

// The table of `s`: widths A 12, B 10, C 50, D to G 10; the headings "Date",
// "Tran No", "Description", "Debit", "Credit", "Balance", "Status"; the date
// as a date, an amount of 0 as an empty cell, the balance as a positive
// amount with its status. `s.lines` and `s.kinds` must outlive the table.
sheet::Table ledgerTable(const LedgerSheet& s);

} // namespace ledgers
