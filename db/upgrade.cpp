// Layout upgrades. Version 2 gives the lines copies of their voucher's year,
// date and counting, adds the month totals of the accounts and reshapes the
// indexes the ledgers and balances read (balances.sql); the copies and totals
// of the lines already in the file are worked out once here.
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

// The day book's days of the lines already in the file, as its triggers would have kept them.
constexpr const char* kAfter3 =
    "INSERT INTO DayBookDays (FYID, Day, Lines, Debits, Credits)"
    " SELECT t.FYID, t.TranDate, COUNT(*), SUM(COALESCE(s.Debit, 0)), SUM(COALESCE(s.Credit, 0))"
    " FROM Transactions t JOIN TranType k ON k.TranType = t.TranType"
    " JOIN SubTransactions s ON s.TranNo = t.TranNo"
    " WHERE t.Cancel = 0 AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " GROUP BY t.FYID, t.TranDate;";

const std::string& to3()
{
    static const std::string sql = std::string(dayBookSql()) + kAfter3;
    return sql;
}

} // namespace

std::span<const platform::SchemaUpgrade> schemaUpgrades()
{
    static const platform::SchemaUpgrade steps[] = {{1, to2()}, {2, to3()}};
    return steps;
}

} // namespace db
