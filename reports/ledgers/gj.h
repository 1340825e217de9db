// The printed day book, GJ: its landscape layout and its initialisation from
// what the day-book window shows. Building the rows (GJQry) and closing them
// are the window's work: this report has no end step of its own.
#pragma once

#include <memory>

#include <QDate>
#include <QString>

#include "platform/report/layout.h"

namespace platform { class Recordset; }
namespace report { class ReportFeed; }

namespace ledger_reports {

// What GJ reads from the day-book window when it is initialised.
struct GJSource {
    QString bizName;          // the sign-in state's BizName
    QString user;             // UName
    QString currencySymbol;
    QDate first;              // LedgerDt(0)
    QDate last;               // LedgerDt(1)
};

// The GJ layout with its captions not yet filled: caption "General Journal",
// landscape, the report header (CoName, ReportLabel, LedgerDate), the grey page
// header with the column captions, one detail line per row of GJQry (fields
// TranRefShort, TranDate, AccCode, AccName, Desc, Debit, Credit), the standard
// page footer and the sums of the debits and credits in the report footer.
report::Report gjLayout();

// The report object GJ over `data` (the window's GJQry, which must outlive the
// report), initialised from `window`: company, period line, currency captions
// and "Printed By: " + user. The report keeps `data` open when it ends.
std::unique_ptr<report::ReportFeed> makeGJ(platform::Recordset& data, const GJSource& window);

// The period line: "For The Period From  " + first + "  To  " + last, dates as
// "mmmm dd, yyyy".
QString gjPeriodText(const QDate& first, const QDate& last);

} // namespace ledger_reports
