// The opening balances as a spreadsheet: the saved lines of the year's
// opening-balance voucher under "Accounts Opening Balance", with the debit and
// credit totals of the lines written. ExcelExport writes and shows it.
#pragma once

#include <vector>

#include <QDate>

#include "accounts/line_grid_rules.h"
#include "platform/sheet/table.h"

namespace accounts {

// The table of `lines` (as stored, in serial order) for the year starting
// `fyStart`: code, name, debit and credit (an empty amount an empty cell),
// the date line "As On " and the start "mmmm dd, yyyy". `lines` must outlive
// the table. Throws std::overflow_error when a total does not fit.
sheet::Table openingBalanceTable(const std::vector<SubTranRow>& lines, const QDate& fyStart);

} // namespace accounts
