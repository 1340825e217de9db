// The printed statements: IncStatement (the income statement) and BalSheet
// (the balance sheet), their layouts and their initialisation from the
// printing windows. Working out the figures is the windows' work.
#pragma once

#include <memory>

#include <QString>

#include "platform/report/layout.h"

namespace platform { class Hierarchy; }
namespace report { class ReportFeed; }

namespace statement_reports {

// What a statement reads from the sign-in state and its window.
struct StatementSource {
    QString bizName;          // BizName
    QString user;             // UName
    QString currencySymbol;
    QString period;           // PLSPeriod or BalOnDate
};

// IncStatement: the report header (CoName, the title, PLSDate, a thick rule,
// Ttl over the amounts), a heading per nature (member "Heads"), a line per
// main type with its amount (member "ChildCmd"), each side's name and total,
// the standard page footer and the net profit or loss over the whole report.
// Amounts "#,##0;(#,##0)".
report::Report incStatementLayout();
// BalSheet: the heading on every page (CoName, the title, BSDate, a thick rule,
// Ttl), each side's name (top level), a heading per nature (member
// "NatureCmd"), a line per row (member "DetailCmd"), the nature's sum, and the
// side's "Total" ending its page; the standard page footer.
report::Report balSheetLayout();

// The report objects over the windows' rows (PLSRst: levels MainHeads, Heads,
// ChildCmd; BSRptRst: FSCmd, NatureCmd, DetailCmd), which must outlive them and
// which they close when they end. Captions: CoName, the period line, "Amount "
// + currency symbol, "Printed By: " + user.
std::unique_ptr<report::ReportFeed> IncStatement(platform::Hierarchy& PLSRst, const StatementSource& window);
std::unique_ptr<report::ReportFeed> BalSheet(platform::Hierarchy& BSRptRst, const StatementSource& window);

} // namespace statement_reports
