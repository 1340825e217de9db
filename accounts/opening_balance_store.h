// The SQL of the opening balances: the lines of a year's opening-balance
// voucher, the number of accounts, and the save of the lines. The voucher's
// header is written by the financial years (main/year_store) and never here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "accounts/line_grid_rules.h"
#include "platform/data/hierarchy.h"

namespace platform {
class Database;
class Transaction;
}

namespace accounts {

struct OpeningSave;

// The lines of voucher `tranNo` by Serial. Null amounts read as empty cells.
// Throws platform::DbError.
std::vector<SubTranRow> loadOpeningLines(platform::Database& db, std::int64_t tranNo);

// The accounts of the chart whose main type exists (NoofAcc). Throws platform::DbError.
std::int64_t countOpeningAccounts(platform::Database& db);

// The opening balances as printed (AOB). Top level: one row per main type
// with lines in year `fyId`'s opening-balance vouchers (Level1ID, Type,
// Debits, Credits, Drs, Crs, Diff, Bal, Status). "level2": the same nets per
// sub type (Level2ID, Level1ID, L2AccName, ...), related by Level1ID.
// "level3": the lines of voucher `tranNo` (AccCode, AccName, Debit, Credit,
// Level2ID), related by Level2ID, by code. Debits and Credits are the sums
// (null without amounts), Drs and Crs the same read as 0, Diff = Drs - Crs,
// and Bal with Status how Diff shows (its absolute value, "Credit" below
// zero, else "Debit"). AccName is the chart's name of the account; lines of
// accounts no longer in the chart are left out. Throws platform::DbError.
platform::Hierarchy openOpeningBalancesPrint(platform::Database& db, int fyId, std::int64_t tranNo);

// Writes `plan` under voucher `tranNo`: its inserts, updates and deletes, each
// through one prepared statement reused for every line. Balance and Status are
// not written. Throws platform::DbError (an account that is gone, or a line
// with both amounts, is a constraint error); the caller rolls back.
void saveOpeningLines(platform::Transaction& tx, std::int64_t tranNo, const OpeningSave& plan);

} // namespace accounts
