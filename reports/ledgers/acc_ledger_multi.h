// The printed ledgers of many accounts, AccLedgerMulti: one group per account
// with its brought-forward line (for a period), its lines, totals and closing
// balance. Building the rows (MultiLedgersQry, read a slice of accounts at a
// time) is the printing window's work.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QString>

#include "platform/report/layout.h"
#include "reports/ledgers/acc_ledger.h"

namespace report {
class ReportFeed;
class SlicedData;
}

namespace ledger_reports {

// What AccLedgerMulti reads from the multi-ledger window when it is initialised.
struct AccLedgerMultiSource {
    QString bizName;
    QString user;
    QString currencySymbol;
    std::optional<AccLedgerSource::Period> period;   // PeriodOpt ticked: LedgerDt
    bool newPage = false;                            // NewPageOpt
};

// The AccLedgerMulti layout with its captions not yet filled: caption "Account
// Ledgers", CoName in the page header, a group header per account (AccCode,
// AccountName, DateLbl, the column captions, BBF1 to BBF3), a detail line per
// ChildCmd line, a group footer with the totals and the closing balance, and
// the standard page footer.
report::Report accLedgerMultiLayout();

// The report object over `data` (the window's MultiLedgersQry, one slice
// per few accounts), initialised from `window`: company, period line,
// currency captions, the brought-forward line hidden without a period, a page
// break after each account when asked, "Printed By: " + user. `atEnd` runs
// when the report ends.
std::unique_ptr<report::ReportFeed> makeAccLedgerMulti(std::shared_ptr<const report::SlicedData> data,
                                                       const AccLedgerMultiSource& window,
                                                       std::function<void()> atEnd = {});

} // namespace ledger_reports
