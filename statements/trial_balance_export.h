// The trial balance as a spreadsheet, in the layout the window shows: six
// columns (opening, period debits and credits, closing) or two (the closing as
// a debit or a credit), with the totals of the rows written; the opening and
// closing totals carry their status words, as the total boxes show them.
#pragma once

#include <span>

#include <QDate>

#include "platform/sheet/table.h"
#include "statements/trial_balance_rules.h"

namespace statements {

// Six columns over `rows` (every row, in their order) for the period `from` to
// `to`: "Trial Balance", "From " and " To " with both dates "mmmm dd, yyyy".
// `rows` must outlive the table. Throws std::overflow_error when a total does not fit.
sheet::Table sixColumnTable(std::span<const AccountFigures> rows, const QDate& from, const QDate& to);

// Two columns over the rows of `rows` that listedInTwoColumns, as at `to`:
// "Trial Balance", "As On " and the date. `rows` must outlive the table.
// Throws std::overflow_error when a total does not fit.
sheet::Table twoColumnTable(std::span<const AccountFigures> rows, const QDate& to);

} // namespace statements
