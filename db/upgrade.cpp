// Layout upgrades. Version 2 gives the lines copies of their voucher's year,
// date and counting, adds the month totals of the accounts and reshapes the
// indexes the ledgers and balances read (balances.sql); the copies and totals
// of the lines already in the file are worked out once here. Version 3 lets a
// job's amounts hold whole cents only (the triggers of schema.sql); version 4
// has the database refuse voucher dates that are not ISO text (iso_dates.sql);
// version 5 adds the day book's totals per day (day_book.sql); version 6
// replaces the triggers of the lines' copies of their voucher with ones that
// write each line without a temporary table (voucher_copies.sql). A file of
// version 1 gets those triggers at that last step too: balances.sql no longer
// holds them.
#include "db/upgrade.h"

#include <string>

#include "db/delivered.h"

namespace db {
namespace {

constexpr const char* kBefore2 =
    "DROP INDEX IF EXISTS SubTransactions_AccCode_TranNo;"
    "DROP INDEX IF EXISTS SubTransactions_AccCode_Amounts;"
    "DROP INDEX IF EXISTS SubTransactions_TranNo_Serial;"
    "DROP INDEX IF EXISTS Transactions_Counted;"
    "ALTER TABLE SubTransactions ADD COLUMN VoucherYear INTEGER;"
    "ALTER TABLE SubTransactions ADD COLUMN VoucherDate TEXT;"
    "ALTER TABLE SubTransactions ADD COLUMN Counted INTEGER NOT NULL DEFAULT 0 CHECK (Counted IN (0, 1));"
    "UPDATE SubTransactions SET VoucherYear = t.FYID, VoucherDate = t.TranDate,"
    " Counted = (t.Cancel = 0 AND t.Posted = 1)"
    " FROM Transactions t WHERE t.TranNo = SubTransactions.TranNo;";

constexpr const char* kAfter2 =
    "INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)"
    " SELECT VoucherYear, AccCode, substr(VoucherDate, 1, 7), SUM(COALESCE(Debit, 0)), SUM(COALESCE(Credit, 0))"
    " FROM SubTransactions WHERE Counted = 1"
    " GROUP BY VoucherYear, AccCode, substr(VoucherDate, 1, 7);";

const std::string& to2()
{
    static const std::string sql = std::string(kBefore2) + std::string(balancesSql()) + kAfter2;
    return sql;
}

// No window wrote jobs before version 3: an amount that is no whole number
// came from elsewhere. A real is read as cents, as the column was declared; a
// text is kept in the job's remarks rather than lost. The triggers are the
// ones schema.sql gives a new file.
constexpr const char* kTo3 =
    "UPDATE Jobs SET EstimatedCost = CAST(ROUND(EstimatedCost) AS INTEGER) WHERE typeof(EstimatedCost) = 'real';"
    "UPDATE Jobs SET ValueofWork = CAST(ROUND(ValueofWork) AS INTEGER) WHERE typeof(ValueofWork) = 'real';"
    "UPDATE Jobs SET Remarks = ltrim(COALESCE(Remarks, '') || ' Estimated Cost: ' || EstimatedCost),"
    " EstimatedCost = NULL WHERE typeof(EstimatedCost) NOT IN ('integer', 'null');"
    "UPDATE Jobs SET Remarks = ltrim(COALESCE(Remarks, '') || ' Value of Job: ' || ValueofWork),"
    " ValueofWork = NULL WHERE typeof(ValueofWork) NOT IN ('integer', 'null');"
    "CREATE TRIGGER IF NOT EXISTS Jobs_Amounts_Insert BEFORE INSERT ON Jobs"
    " WHEN typeof(NEW.EstimatedCost) NOT IN ('integer', 'null') OR typeof(NEW.ValueofWork) NOT IN ('integer', 'null')"
    " BEGIN SELECT RAISE(ABORT, 'a job''s amounts are whole cents'); END;"
    "CREATE TRIGGER IF NOT EXISTS Jobs_Amounts_Update BEFORE UPDATE OF EstimatedCost, ValueofWork ON Jobs"
    " WHEN typeof(NEW.EstimatedCost) NOT IN ('integer', 'null') OR typeof(NEW.ValueofWork) NOT IN ('integer', 'null')"
    " BEGIN SELECT RAISE(ABORT, 'a job''s amounts are whole cents'); END;";

// The day book's days of the lines already in the file, as its triggers would have kept them.
constexpr const char* kDayBookFill =
    "INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)"
    " SELECT t.FYID, t.TranDate, COUNT(*), SUM(COALESCE(s.Debit, 0)), SUM(COALESCE(s.Credit, 0))"
    " FROM Transactions t JOIN TranType k ON k.TranType = t.TranType"
    " JOIN SubTransactions s ON s.TranNo = t.TranNo"
    " WHERE t.Cancel = 0 AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " GROUP BY t.FYID, t.TranDate;";

const std::string& toDayBook()
{
    static const std::string sql = std::string(dayBookSql()) + kDayBookFill;
    return sql;
}

// The copies already in the file are right: only the triggers change.
constexpr const char* kDropCopyTriggers =
    "DROP TRIGGER IF EXISTS SubTransactions_Voucher_Insert;"
    "DROP TRIGGER IF EXISTS SubTransactions_Voucher_Move;"
    "DROP TRIGGER IF EXISTS Transactions_Lines_Update;";

const std::string& toSteadyCopies()
{
    static const std::string sql = std::string(kDropCopyTriggers) + std::string(voucherCopiesSql());
    return sql;
}

} // namespace

std::span<const platform::SchemaUpgrade> schemaUpgrades()
{
    static const platform::SchemaUpgrade steps[] = {{1, to2()}, {2, kTo3}, {3, isoDatesSql()}, {4, toDayBook()},
                                                   {5, toSteadyCopies()}};
    return steps;
}

} // namespace db
