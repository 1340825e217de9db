// Layout upgrades. Version 2 adds the month totals of the accounts and reshapes
// the indexes the ledgers and balances read (balances.sql); the totals of the
// lines already in the file are worked out once here.
#include "db/upgrade.h"

#include <string>

#include "db/delivered.h"

namespace db {
namespace {

constexpr const char* kBefore2 =
    "DROP INDEX IF EXISTS SubTransactions_AccCode_TranNo;"
    "DROP INDEX IF EXISTS SubTransactions_AccCode_Amounts;"
    "DROP INDEX IF EXISTS SubTransactions_TranNo_Serial;"
    "DROP INDEX IF EXISTS Transactions_Counted;";

constexpr const char* kAfter2 =
    "INSERT INTO AccountMonths (FYID, AccCode, Month, Debits, Credits)"
    " SELECT t.FYID, s.AccCode, substr(t.TranDate, 1, 7), SUM(COALESCE(s.Debit, 0)), SUM(COALESCE(s.Credit, 0))"
    " FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
    " WHERE t.Cancel = 0 AND t.Posted = 1"
    " GROUP BY t.FYID, s.AccCode, substr(t.TranDate, 1, 7);";

const std::string& to2()
{
    static const std::string sql = std::string(kBefore2) + std::string(balancesSql()) + kAfter2;
    return sql;
}

} // namespace

std::span<const platform::SchemaUpgrade> schemaUpgrades()
{
    static const platform::SchemaUpgrade steps[] = {{1, to2()}};
    return steps;
}

} // namespace db
