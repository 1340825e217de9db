// The printed ledgers of many accounts, AccLedgerMulti: one group per account
// with its brought-forward line (for a period), its lines, totals and closing
// balance. Building the rows (MultiLedgersQry) is the printing window's work;
// the report closes them when it ends.
#pragma once

#include <memory>
#include <optional>

#include <QString>

#include "platform/report/layout.h"
#include "reports/ledgers/acc_ledger.h"

namespace platform { class Hierarchy; }
namespace report { class ReportFeed; }

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

// The report object over `data` (the window's MultiLedgersQry, which must
// outlive the report), initialised from `window`: company, period line,
// currency captions, the brought-forward line hidden without a period, a page
// break after each account when asked, "Printed By: " + user. The report
// closes `data` when it ends.
std::unique_ptr<report::ReportFeed> makeAccLedgerMulti(platform::Hierarchy& data, const AccLedgerMultiSource& window);

} // namespace ledger_reports
