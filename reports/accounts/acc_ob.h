// AccOB, the printed opening balances of a year: its layout and its
// initialisation. The opening balances window opens the data (main types and
// sub types with their nets, the voucher's lines) and shows the report.
#pragma once

#include <memory>

#include <QDate>
#include <QString>

#include "platform/report/layout.h"
#include "platform/report/report_feed.h"

namespace platform { class Hierarchy; }

namespace account_reports {

// The sign-in state the report shows beside its data.
struct AccObCaptions {
    QString bizName;
    QString userName;
    QString currencySymbol;
    QDate fyStart;
};

// The layout: a report header with the business name (CoName), the title and
// the date line (ReportDate); per main type a shaded line with Level1ID, Type,
// Bal and Status of the top level; per sub type a line with Level2ID,
// L2AccName, Bal and Status of member "level2" and the column headings (Lbl1,
// Lbl2 for debit and credit); per line AccCode, AccName, Debit and Credit of
// member "level3"; the standard page footer; and the totals of Debit and
// Credit over every line (TtlLbl). Amounts are whole cents, printed
// "#,##0.00;(#,##0.00)"; an empty amount prints nothing.
report::Report accObLayout();

// The report object over `AOB`, whose levels are as above, with the captions
// filled from `captions`: the business name, "As On " and the year's start
// ("mmm dd, yyyy"), "Totals  ", "Debit " and "Credit " each followed by the
// currency symbol, and "Printed By: " and the user. At its end the report
// closes `AOB`, which must stay alive until then.
std::unique_ptr<report::ReportFeed> AccOB(platform::Hierarchy& AOB, const AccObCaptions& captions);

} // namespace account_reports
