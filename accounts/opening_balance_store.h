// The SQL of the opening balances: the lines of a year's opening-balance
// voucher, the number of accounts, and the save of the lines. The voucher's
// header is written by the financial years (main/year_store) and never here.
#pragma once

#include <cstdint>
#include <vector>

#include "accounts/line_grid_rules.h"

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

// Writes `plan` under voucher `tranNo`: its inserts, updates and deletes, each
// through one prepared statement reused for every line. Balance and Status are
// not written. Throws platform::DbError (an account that is gone, or a line
// with both amounts, is a constraint error); the caller rolls back.
void saveOpeningLines(platform::Transaction& tx, std::int64_t tranNo, const OpeningSave& plan);

} // namespace accounts
