// The printed account ledger, AccLedger: its layout and its initialisation from
// what the ledger window shows. Building the rows (LedgerQry) and closing them
// are the window's work: this report has no end step of its own.
#pragma once

#include <memory>
#include <optional>

#include <QDate>
#include <QString>

#include "platform/report/layout.h"
#include "platform/text/money.h"

namespace platform { class Recordset; }
namespace report { class ReportFeed; }

namespace ledger_reports {

// What AccLedger reads from the ledger window when it is initialised.
struct AccLedgerSource {
    QString bizName;               // the sign-in state's BizName
    QString user;                  // UName
    QString currencySymbol;
    QString accCode;               // ACodeTxt
    QString accName;               // Acc
    // DateOpt ticked: the first and last day of LedgerDt; empty: the whole year.
    struct Period {
        QDate first;
        QDate last;
    };
    std::optional<Period> period;
    // The brought-forward line, OBLbl1 to OBLbl3: its text, its amount (never
    // negative) and its status; all empty when there is none.
    QString broughtForwardText;
    std::optional<platform::Money> broughtForward;
    QString broughtForwardStatus;
    platform::Money closing;       // the window's Balance, never negative
    QString closingStatus;         // the window's Status
};

// The AccLedger layout with its captions not yet filled: caption "Accounts
// Ledgers", the report header (CoName, LedgerCode, LedgerAcc, LedgerDate), the
// page header with the column captions and the brought-forward line (Bal1 to
// Bal3), one detail line per row of LedgerQry, the standard page footer and the
// totals in the report footer.
report::Report accLedgerLayout();

// The report object AccLedger over `data` (the window's LedgerQry, which must
// outlive the report), initialised from `window`: company, account, period
// texts (the whole year's "Ended On" date is shell::today()), amount captions
// with the currency symbol, the brought-forward line, the closing balance and
// "Printed By: " + user. The report keeps `data` open when it ends.
std::unique_ptr<report::ReportFeed> makeAccLedger(platform::Recordset& data, const AccLedgerSource& window);

// The report header's period line: "Ledger For The Period From  " + first + "  To  "
// + last, or "Ledger For The Period Ended On  " + `today` for the whole year,
// dates as "mmmm dd, yyyy".
QString ledgerPeriodText(const std::optional<AccLedgerSource::Period>& period, const QDate& today);

} // namespace ledger_reports
