// The printed trial balances: AccBalRpt and AccBalRpt2 (grouped by main type
// and sub type, six or two columns) and AccBalRptRange and AccBalRptRange2
// (a code range), their layouts and their initialisation from the trial
// balance window. Making the rows (PrintBalances) is the window's work.
#pragma once

#include <memory>

#include <QDate>
#include <QString>

#include "platform/report/layout.h"

namespace platform { class Hierarchy; }
namespace report { class ReportFeed; }

namespace statement_reports {

// What the trial-balance reports read from their window when initialised.
struct AccBalSource {
    QString bizName;          // BizName
    QString user;             // UName
    QString currencySymbol;
    bool allAccounts = true;  // AllOpt: the grouped reports' title stays "Trial Balance"
    QDate from;               // BalDt(0)
    QDate to;                 // BalDt(1)
    // The opening and closing totals with their "  Debit " or " Credit "
    // ending (six columns only).
    QString openingText;
    QString closingText;
};

// The layouts with their initialisation's captions left as designed: a report
// header (CoName, ReportLabel, ReportDate), the grouped reports' shaded main-
// type line and sub-type line with the column captions, one line per account,
// the two-column sub-type sums, the standard page footer and the totals.
report::Report accBalRptLayout();
report::Report accBalRpt2Layout();
report::Report accBalRptRangeLayout();
report::Report accBalRptRange2Layout();

// The report objects over `PrintBalances`, which must outlive them and which
// they close when they end: the grouped ones over the levels of the main
// types, "level2" and "level3", the range ones over one level. Captions:
// CoName, the title ("Accounts Balances" unless all accounts in the grouped
// reports), the period ("From  " from "  To  " to, or "As On  " to, dates as
// "mmmm dd, yyyy"), "Totals  " + currency symbol, the opening and closing
// totals (six columns) and "Printed By: " + user.
std::unique_ptr<report::ReportFeed> AccBalRpt(platform::Hierarchy& PrintBalances, const AccBalSource& window);
std::unique_ptr<report::ReportFeed> AccBalRpt2(platform::Hierarchy& PrintBalances, const AccBalSource& window);
std::unique_ptr<report::ReportFeed> AccBalRptRange(platform::Hierarchy& PrintBalances, const AccBalSource& window);
std::unique_ptr<report::ReportFeed> AccBalRptRange2(platform::Hierarchy& PrintBalances, const AccBalSource& window);

} // namespace statement_reports
