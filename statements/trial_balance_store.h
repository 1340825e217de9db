// The SQL of the trial balance: every account's opening, period and closing
// figures in one pass over the year's counted lines (those of posted,
// uncancelled vouchers of the year, as the ledger counts them), and the main
// types and sub types the window offers for a selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QDate>

#include "ledgers/account_selection.h"
#include "platform/text/money.h"
#include "statements/trial_balance_rules.h"

namespace platform { class Database; }

namespace statements {

// The selection and the type lists live with the ledgers, which share them.
using ledgers::AccountSelection;
using ledgers::MainTypeEntry;
using ledgers::SubTypeEntry;
using ledgers::mainTypes;
using ledgers::subTypesOf;

struct TrialBalance {
    // Accounts whose opening, period debits or period credits are not zero
    // (and so whose closing may be), by code. The two-column layout lists
    // those of them that listedInTwoColumns.
    std::vector<AccountFigures> rows;
    BalanceTotals totals;   // totalsOf(rows)
};

// The trial balance of year `fyId` for the period `from` to `to` (both
// included) over the accounts of `selection`. Opening figures are the counted
// lines dated before `from` (with `from` at the year's start: the
// opening-balance voucher), closing figures those up to `to`, and the period's
// the closing sums less the opening sums: negative for a `from` after `to`.
// "All" covers the accounts with a main type (Level1ID above 0). Throws
// platform::DbError (also when a sum overflows).
TrialBalance trialBalance(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                          const AccountSelection& selection);

} // namespace statements
