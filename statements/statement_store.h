// The SQL of the income statement and the balance sheet: each main type's
// credits minus debits of the counted lines of a period (read from the month
// totals and the days the dates cut, as the trial balance reads them), the
// statement's grouped rows over FS and FSNature, and the work table TempBS.
#pragma once

#include <span>
#include <vector>

#include "platform/data/hierarchy.h"
#include "statements/statement_rules.h"

namespace platform {
class Database;
class Transaction;
}

namespace statements {

// Every main type of AccLevel1, by TypeID, with its nature's side and the
// credits minus the debits of its accounts' counted lines of year `fyId` in
// `period` (posted, uncancelled vouchers of the year). Throws
// platform::DbError (also when a sum overflows).
std::vector<MainTypeFigure> mainTypeFigures(platform::Database& db, int fyId, const StatementPeriod& period);

// The income statement's rows from `figures`: the sides of FS 3 and 4 by FSID
// ("MainHeads": FSID, FSType), every nature by NatureID related on FSID
// ("Heads": NatureID, FSID, AccNatureTop), and every main type related on
// NatureID ("ChildCmd": TypeID, Type, NatureID, Diff in cents). Throws
// platform::DbError.
platform::Hierarchy incomeStatementRows(platform::Database& db, std::span<const MainTypeFigure> figures);

// Empties TempBS and writes `rows` in their order, inside `tx`. Throws
// platform::DbError.
void writeTempBS(platform::Transaction& tx, std::span<const TempBSRow> rows);

// The balance sheet's rows: the sides of FS 1 and 2 by FSID ("FSCmd": FSID,
// FSType), their natures by NatureID related on FSID ("NatureCmd": NatureID,
// FSID, AccNatureTop), and the rows of TempBS by TypeID related on NatureID
// ("DetailCmd": TypeID, NatureID, Type, Balance in cents). Throws platform::DbError.
platform::Hierarchy balanceSheetReportRows(platform::Database& db);

} // namespace statements
