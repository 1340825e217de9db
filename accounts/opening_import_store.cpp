// The import's SQL: one INSERT ... SELECT, every value bound.
#include "accounts/opening_import_store.h"

#include "platform/data/database.h"

namespace accounts {

std::int64_t importOpeningLines(platform::Transaction& tx, int fromYear, std::int64_t tranNo)
{
    // A line is a debit or a credit, so its own difference is exact; SUM then
    // adds whole numbers and fails on overflow, where TOTAL() would round.
    return tx.db().exec(
        "INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit, Balance, Status)"
        " SELECT ?, AccCode, AccName, '', CASE WHEN Diff >= 0 THEN Diff END, CASE WHEN Diff < 0 THEN -Diff END, 0, ''"
        " FROM (SELECT s.AccCode, a3.AccName, SUM(COALESCE(s.Debit, 0) - COALESCE(s.Credit, 0)) AS Diff"
        "       FROM Transactions t JOIN SubTransactions s ON s.TranNo = t.TranNo"
        "       JOIN AccLevel3 a3 ON a3.AccCode = s.AccCode"
        "       JOIN AccLevel1 a1 ON a1.TypeID = a3.Level1ID"
        "       JOIN FSNature n ON n.NatureID = a1.NatureID"
        "       WHERE a3.Level1ID > 0 AND t.FYID = ? AND t.Cancel = 0 AND n.FSID IN (1, 2)"
        "       GROUP BY s.AccCode, a3.AccName)"
        " ORDER BY AccCode",
        {tranNo, fromYear});
}

} // namespace accounts
