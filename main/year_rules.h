// The rules of a financial year: its id, its dates, its abbreviation and the
// date of its opening-balance voucher. Plain values in and out; the window and
// the SQL live in financial_years and year_store.
#pragma once

#include <optional>

#include <QDate>
#include <QString>

#include "platform/forms/messages.h"

namespace app {

// The highest id the FinancialYear table admits (the id is one unsigned byte).
inline constexpr int kHighestYearId = 255;

// The id a new year gets: `highestId` (the highest stored, 0 when there is
// none) plus 1. Ids missing below the highest are never reused. Nothing when
// the highest is already kHighestYearId: the new id would not fit.
std::optional<int> nextYearId(int highestId);

// Refuses adding a year when nextYearId has no id for `highestId`: "Cannot Add".
std::optional<forms::Problem> checkCanAddYear(int highestId);

// Refuses a year whose end is not later than its start (the same day
// included), or whose dates are invalid: "Invalid Date". Nothing otherwise;
// overlaps, length and duplicate abbreviations are not checked.
std::optional<forms::Problem> checkYearDates(const QDate& start, const QDate& end);

// "YYYY-YY": the start's four-digit year, "-", the end's two-digit year
// (1 Jul 2012 - 30 Jun 2013 gives "2012-13"). Both dates must be valid.
QString yearAbbreviation(const QDate& start, const QDate& end);

// The date of a year's opening-balance voucher: the day before `start`.
QDate openingVoucherDate(const QDate& start);

} // namespace app
