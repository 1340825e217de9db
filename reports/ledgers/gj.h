// The printed day book, GJ: its landscape layout and its initialisation from
// what the day-book window shows. Building the rows (GJQry, read a slice at a
// time) and their totals, and letting go of them, are the window's work: this
// report has no end step of its own.
#pragma once

#include <memory>

#include <QDate>
#include <QString>

#include "platform/report/layout.h"
#include "platform/text/money.h"

namespace report {
class ReportFeed;
class SlicedData;
}

namespace ledger_reports {

// What GJ reads from the day-book window when it is initialised.
struct GJSource {
    QString bizName;          // the sign-in state's BizName
    QString user;             // UName
    QString currencySymbol;
    QDate first;              // LedgerDt(0)
    QDate last;               // LedgerDt(1)
    // The sums of the rows' debits and credits: a report read a slice at a
    // time cannot sum its rows itself, so the window works them out.
    platform::Money debits;
    platform::Money credits;
};

// The GJ layout with its captions not yet filled: caption "General Journal",
// landscape, the report header (CoName, ReportLabel, LedgerDate), the grey page
// header with the column captions, one detail line per row of GJQry (fields
// TranRefShort, TranDate, AccCode, AccName, Desc, Debit, Credit), the standard
// page footer and, in the report footer, the debit and credit totals
// (Function1 and Function2, filled at initialisation).
report::Report gjLayout();

// The report object GJ over `data` (the window's GJQry, which it shares),
// initialised from `window`: company, period line, currency captions, the
// totals as "#,##0.00" and "Printed By: " + user. It has no end step.
std::unique_ptr<report::ReportFeed> makeGJ(std::shared_ptr<const report::SlicedData> data, const GJSource& window);

// The period line: "For The Period From  " + first + "  To  " + last, dates as
// "mmmm dd, yyyy".
QString gjPeriodText(const QDate& first, const QDate& last);

} // namespace ledger_reports
