// The printed job ledger, JobLedger: its layout and its initialisation from
// what the job ledger window shows. Building the rows (JobLedgerQry) and
// closing them are the window's work: this report has no end step of its own.
#pragma once

#include <memory>

#include <QString>

#include "platform/report/layout.h"

namespace platform { class Recordset; }
namespace report { class ReportFeed; }

namespace ledger_reports {

// What JobLedger reads from the job ledger window when it is initialised.
struct JobLedgerSource {
    QString bizName;          // the sign-in state's BizName
    QString currencySymbol;
    QString jobText;          // the ledger's job: "JobNo (JobDesc)"
    QString profitText;       // the window's Balance box, as shown
};

// The JobLedger layout with its captions not yet filled: caption "Job
// Ledger", landscape; the report header (CoName, LedgerAcc), the column
// captions on a grey band, one detail line per row of JobLedgerQry (date
// "dd-MM-yy", amounts "#,##0.00;(#,##0.00)" from cents, the running profit in
// Balance), the standard page footer, and the totals on a grey band (TtlLbl,
// the sums of Debit and Credit, Total1).
report::Report jobLedgerLayout();

// The report object JobLedger over `data` (the window's JobLedgerQry, which
// must outlive the report), initialised from `window`: company, "Job Ledger
// -- " and the job, "Totals  " and the currency symbol, Total1 the profit as
// the window shows it, and an empty user line. The report keeps `data` open
// when it ends.
std::unique_ptr<report::ReportFeed> makeJobLedger(platform::Recordset& data, const JobLedgerSource& window);

} // namespace ledger_reports
