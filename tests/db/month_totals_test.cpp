// The lines' copies of their voucher's year, date and counting, and the month
// totals of the accounts, follow every write that can change what a line counts
// for: lines added, changed, moved and deleted, and vouchers posted, cancelled,
// re-dated, moved to another year and deleted. The triggers fired per line build
// no temporary table and read by key only. A file of the first layout gets the
// copies and totals when it is opened, a file of the layout before this one the
// new triggers.
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "db/delivered.h"
#include "db/upgrade.h"
#include "platform/data/database.h"

namespace {

using platform::Database;

// Rows where the stored totals and the totals worked out from the lines
// disagree; rows that came to zero may stay in the table.
constexpr const char* kDisagreements =
    "WITH expected AS ("
    "  SELECT t.FYID, s.AccCode, substr(t.TranDate, 1, 7) AS Month,"
    "   SUM(COALESCE(s.Debit, 0)) AS Debits, SUM(COALESCE(s.Credit, 0)) AS Credits"
    "  FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
    "  WHERE t.Cancel = 0 AND t.Posted = 1 GROUP BY 1, 2, 3)"
    " SELECT COUNT(*) FROM ("
    "  SELECT * FROM expected EXCEPT SELECT * FROM AccountMonths"
    "  UNION ALL"
    "  SELECT * FROM (SELECT * FROM AccountMonths WHERE Debits <> 0 OR Credits <> 0 EXCEPT SELECT * FROM expected))";

// Lines whose copies of their voucher's year, date and counting are stale.
constexpr const char* kStaleCopies =
    "SELECT COUNT(*) FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
    " WHERE s.VoucherYear IS NOT t.FYID OR s.VoucherDate IS NOT t.TranDate"
    " OR s.Counted <> (t.Cancel = 0 AND t.Posted = 1)";

// The steps costing more than a look-up by key in the triggers fired per line
// (those on SubTransactions) that `sql` would run, as "name: a temporary table"
// or "name: a scan from one end". Read from the statement's EXPLAIN, where each
// trigger's program follows the statement's and opens with the trigger's name;
// `fired` gets every such trigger seen.
std::set<std::string> costlyStepsOfPerLineTriggers(Database& db, const std::string& sql,
                                                   std::set<std::string>& fired)
{
    std::set<std::string> found;
    platform::Statement explain(db, "EXPLAIN " + sql);
    std::string program;
    while (explain.step()) {
        const std::string opcode = explain.column(1).toText();
        if (opcode == "Init") {
            const std::string p4 = explain.column(5).toText();
            program = p4.starts_with("-- TRIGGER SubTransactions_") ? p4.substr(11) : std::string();
            if (!program.empty())
                fired.insert(program);
        } else if (!program.empty() && opcode == "OpenEphemeral") {
            found.insert(program + ": a temporary table");
        } else if (!program.empty() && (opcode == "Rewind" || opcode == "Last")) {
            found.insert(program + ": a scan from one end");
        }
    }
    return found;
}

// Every kind of write that reaches lines, on the fixture's book.
constexpr const char* kLineWrites[] = {
    "INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (2, 20101001, 5)",
    "INSERT INTO SubTransactions (TranNo, AccCode, Debit) SELECT TranNo, 20101001, 5 FROM Transactions",
    "UPDATE SubTransactions SET TranNo = 3, AccCode = 20101002, Debit = 6 WHERE Serial = 1",
    "UPDATE SubTransactions SET VoucherYear = 2, Counted = 0 WHERE Serial = 1",
    "UPDATE Transactions SET FYID = 1, TranDate = '2026-07-06', Cancel = 0, Posted = 1, TranType = 41"
    " WHERE TranNo = 2",
    "DELETE FROM SubTransactions WHERE Serial = 1",
    "DELETE FROM Transactions WHERE TranNo = 2",
};

class MonthTotals : public testing::Test {
protected:
    Database db = Database::createEmpty(":memory:");

    void SetUp() override
    {
        db::fillDelivered(db, "2026-12-10", "2026-12-10 09:00:00");
        db.execScript(
            "INSERT INTO FinancialYear VALUES (2, '2027-07-01', '2028-06-30', '2027-28');"
            "INSERT INTO AccLevel1 (TypeID, Type, NatureID) SELECT 201, 'Assets', MIN(NatureID) FROM FSNature;"
            "INSERT INTO AccLevel2 VALUES (20101, 'Cash and Bank', 201);"
            "INSERT INTO AccLevel3 VALUES (20101001, 'Cash', 201, 20101), (20101002, 'Bank', 201, 20101),"
            " (20101003, 'Safe', 201, 20101);"
            // TranNo 1 is the delivered opening-balance voucher.
            "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES"
            " (1, '2026-07-05', 41, 1, 0, 1), (2, '2026-08-05', 41, 1, 0, 0), (3, '2026-07-20', 41, 1, 0, 1);"
            "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES"
            " (2, 20101001, 500, NULL), (2, 20101002, NULL, 500), (3, 20101001, 70, 0), (3, 20101003, 0, 70),"
            " (4, 20101002, 9, NULL), (4, 20101003, NULL, 9), (1, 20101001, 1000, NULL), (1, 20101003, NULL, 1000);");
    }
};

} // namespace

TEST_F(MonthTotals, FollowEveryWriteToLinesAndVouchers)
{
    ASSERT_EQ(db.scalar(kDisagreements).toInt(), 0);
    ASSERT_GT(db.scalar("SELECT COUNT(*) FROM AccountMonths WHERE Debits <> 0").toInt(), 0);
    struct Step { const char* name; const char* sql; };
    const Step steps[] = {
        {"post", "UPDATE Transactions SET Posted = 1 WHERE TranNo = 3"},
        {"un-post", "UPDATE Transactions SET Posted = 0 WHERE TranNo = 2"},
        {"post again", "UPDATE Transactions SET Posted = 1 WHERE TranNo = 2"},
        {"re-date into another month", "UPDATE Transactions SET TranDate = '2026-09-01' WHERE TranNo = 2"},
        {"move to another year", "UPDATE Transactions SET FYID = 2, TranDate = '2027-08-01' WHERE TranNo = 4"},
        {"cancel", "UPDATE Transactions SET Cancel = 1 WHERE TranNo = 4"},
        {"re-date a cancelled voucher", "UPDATE Transactions SET TranDate = '2027-09-01' WHERE TranNo = 4"},
        {"un-cancel", "UPDATE Transactions SET Cancel = 0 WHERE TranNo = 4"},
        {"change a line's account and amount", "UPDATE SubTransactions SET Debit = 800, AccCode = 20101002 WHERE Serial = 1"},
        {"null an amount", "UPDATE SubTransactions SET Credit = NULL WHERE Serial = 4"},
        {"move a line to another voucher", "UPDATE SubTransactions SET TranNo = 4 WHERE Serial = 2"},
        {"move a line to a voucher of another month and change it",
         "UPDATE SubTransactions SET TranNo = 3, AccCode = 20101003, Credit = 650 WHERE Serial = 2"},
        {"add a line", "INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (2, 20101003, 33)"},
        {"add a line to an unposted voucher", "UPDATE Transactions SET Posted = 0 WHERE TranNo = 3;"
                                              "INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (3, 20101003, 44)"},
        {"delete a line", "DELETE FROM SubTransactions WHERE Serial = 3"},
        {"delete a posted voucher with its lines", "DELETE FROM Transactions WHERE TranNo = 2"},
        {"delete an unposted voucher with its lines", "DELETE FROM Transactions WHERE TranNo = 3"},
        {"write a line's copies directly", "UPDATE SubTransactions SET Counted = 0, VoucherDate = '2020-01-01'"
                                           " WHERE Serial = 5"},
        {"clear a year", "DELETE FROM Transactions WHERE FYID = 2"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        db.execScript(step.sql);
        EXPECT_EQ(db.scalar(kDisagreements).toInt(), 0);
        EXPECT_EQ(db.scalar(kStaleCopies).toInt(), 0);
    }
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM AccountMonths WHERE FYID = 2 AND (Debits <> 0 OR Credits <> 0)").toInt(), 0);
}

// A temporary table built and dropped for each line made a statement writing
// many lines hand memory back to the system and ask for it again once per line;
// a scan would make each line cost more the bigger the book.
TEST_F(MonthTotals, TheTriggersFiredPerLineBuildNoTemporaryTableAndReadByKey)
{
    std::set<std::string> fired;
    for (const char* sql : kLineWrites) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(costlyStepsOfPerLineTriggers(db, sql, fired), std::set<std::string>{});
    }
    // The check saw the triggers it is about.
    EXPECT_TRUE(fired.contains("SubTransactions_Voucher_Insert"));
    EXPECT_TRUE(fired.contains("SubTransactions_Voucher_Move"));
}

TEST_F(MonthTotals, AWriteThatFailsLeavesThemAsTheyWere)
{
    const auto before = db.scalar("SELECT group_concat(Debits || '/' || Credits) FROM AccountMonths").toText();
    // A line with both amounts breaks a check after its row is written: the
    // statement, and what its triggers did, is undone.
    EXPECT_THROW(db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (2, 20101001, 5, 5)"),
                 platform::DbError);
    EXPECT_EQ(db.scalar("SELECT group_concat(Debits || '/' || Credits) FROM AccountMonths").toText(), before);
    EXPECT_EQ(db.scalar(kDisagreements).toInt(), 0);
}

// A delivered file in a temporary folder of its own, removed with the object,
// to be made into a file of an older layout and opened with the upgrades.
struct DeliveredFile {
    std::string folder = [] {
        char name[] = "/tmp/tamsel_upgrade_XXXXXX";
        if (!::mkdtemp(name))
            throw std::runtime_error("no temporary folder");
        return std::string(name);
    }();
    std::string path = folder + "/old.MDB";
    DeliveredFile() { db::writeDeliveredFile(path, "2026-12-10", "2026-12-10 09:00:00"); }
    ~DeliveredFile() { std::filesystem::remove_all(folder); }
};

// The accounts the upgraded files' lines are on.
constexpr const char* kCashAndBank =
    "INSERT INTO AccLevel1 (TypeID, Type, NatureID) SELECT 201, 'Assets', MIN(NatureID) FROM FSNature;"
    "INSERT INTO AccLevel2 VALUES (20101, 'Cash and Bank', 201);"
    "INSERT INTO AccLevel3 VALUES (20101001, 'Cash', 201, 20101), (20101002, 'Bank', 201, 20101);";

TEST(LayoutUpgrade, AFileOfTheFirstLayoutGetsTheMonthTotalsOfItsLines)
{
    const DeliveredFile file;
    const std::string& path = file.path;
    {
        // The first layout: no month totals, and the indexes it had.
        Database db = Database::open(path);
        db.execScript(std::string(kCashAndBank) +
            "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES"
            " (1, '2026-07-05', 41, 1, 0, 1), (2, '2026-08-05', 41, 1, 0, 0), (3, '2026-08-20', 41, 1, 1, 1),"
            " (4, '2026-08-21', 41, 1, 0, 1);"
            "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES"
            " (2, 20101001, 500, NULL), (2, 20101002, NULL, 500), (3, 20101001, 7, 0), (3, 20101002, 0, 7),"
            " (4, 20101001, 9, NULL), (4, 20101002, NULL, 9), (5, 20101002, 40, NULL), (5, 20101001, NULL, 40);"
            "DROP TABLE AccountMonths; DROP TABLE DayBookDays;"
            "DROP TRIGGER SubTransactions_Days_Insert; DROP TRIGGER SubTransactions_Days_Delete;"
            "DROP TRIGGER SubTransactions_Days_Update; DROP TRIGGER Transactions_Days_Update;"
            "DROP TRIGGER Transactions_Days_Delete;"
            "DROP TRIGGER SubTransactions_Months_Insert; DROP TRIGGER SubTransactions_Months_Delete;"
            "DROP TRIGGER SubTransactions_Months_Update; DROP TRIGGER SubTransactions_Voucher_Insert;"
            "DROP TRIGGER SubTransactions_Voucher_Move; DROP TRIGGER Transactions_Lines_Update;"
            "DROP TRIGGER Transactions_TranDate_Insert; DROP TRIGGER Transactions_TranDate_Update;"
            "DROP TRIGGER SubTransactions_VoucherDate_Insert; DROP TRIGGER SubTransactions_VoucherDate_Update;"
            "DROP INDEX SubTransactions_Ledger; DROP INDEX SubTransactions_TranNo_Serial;"
            "DROP INDEX SubTransactions_Days; DROP INDEX SubTransactions_AccCode;"
            "ALTER TABLE SubTransactions DROP COLUMN VoucherYear;"
            "ALTER TABLE SubTransactions DROP COLUMN VoucherDate;"
            "ALTER TABLE SubTransactions DROP COLUMN Counted;"
            "CREATE INDEX SubTransactions_AccCode_TranNo ON SubTransactions (AccCode, TranNo);"
            "CREATE INDEX SubTransactions_TranNo_Serial ON SubTransactions (TranNo, Serial);"
            "CREATE INDEX SubTransactions_AccCode_Amounts ON SubTransactions (AccCode, TranNo, Debit, Credit);"
            "CREATE INDEX Transactions_Counted ON Transactions (TranNo, FYID, TranDate) WHERE Cancel = 0 AND Posted = 1;"
            "PRAGMA user_version = 1;");
    }
    EXPECT_THROW(Database::open(path), platform::DbError);   // refused without its upgrade
    {
        Database db = Database::open(path, db::schemaUpgrades());
        EXPECT_EQ(db.scalar("PRAGMA user_version").toInt(), platform::kSchemaVersion);
        EXPECT_EQ(db.scalar(kDisagreements).toInt(), 0);
        EXPECT_EQ(db.scalar(kStaleCopies).toInt(), 0);
        EXPECT_EQ(db.scalar("SELECT Debits || '/' || Credits FROM AccountMonths"
                            " WHERE AccCode = 20101001 AND Month = '2026-08'").toText(), "0/40");   // the 9 is cancelled
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM sqlite_schema WHERE name = 'SubTransactions_AccCode_TranNo'").toInt(), 0);
        // The day book's days: unposted lines count, the cancelled voucher's do not.
        EXPECT_EQ(db.scalar("SELECT group_concat(Day || ':' || Lines || ':' || Debits || '/' || Credits, ' ')"
                            " FROM (SELECT * FROM DayBookDays ORDER BY Day)").toText(),
                  "2026-07-05:2:500/500 2026-08-05:2:7/7 2026-08-21:2:40/40");
        // The triggers came with it: later writes keep the totals true.
        db.exec("UPDATE Transactions SET Posted = 1 WHERE TranNo = 3");
        EXPECT_EQ(db.scalar(kDisagreements).toInt(), 0);
        EXPECT_THROW(db.exec("UPDATE Transactions SET TranDate = '5/8/2026' WHERE TranNo = 3"), platform::DbError);
    }
}

TEST(LayoutUpgrade, AFileOfTheLayoutBeforeGetsLineTriggersWithoutTemporaryTables)
{
    const DeliveredFile file;
    const std::string& path = file.path;
    {
        // The layout before kept the copies with UPDATE ... FROM, lines already written by them.
        Database db = Database::open(path);
        db.execScript(std::string(kCashAndBank) +
            "DROP TRIGGER SubTransactions_Voucher_Insert; DROP TRIGGER SubTransactions_Voucher_Move;"
            "CREATE TRIGGER SubTransactions_Voucher_Insert AFTER INSERT ON SubTransactions BEGIN"
            " UPDATE SubTransactions SET VoucherYear = t.FYID, VoucherDate = t.TranDate,"
            " Counted = (t.Cancel = 0 AND t.Posted = 1)"
            " FROM Transactions t WHERE t.TranNo = NEW.TranNo AND SubTransactions.Serial = NEW.Serial; END;"
            "CREATE TRIGGER SubTransactions_Voucher_Move"
            " AFTER UPDATE OF TranNo, VoucherYear, VoucherDate, Counted ON SubTransactions BEGIN"
            " UPDATE SubTransactions SET VoucherYear = t.FYID, VoucherDate = t.TranDate,"
            " Counted = (t.Cancel = 0 AND t.Posted = 1)"
            " FROM Transactions t WHERE t.TranNo = NEW.TranNo AND SubTransactions.Serial = NEW.Serial"
            " AND (NEW.VoucherYear IS NOT t.FYID OR NEW.VoucherDate IS NOT t.TranDate"
            " OR NEW.Counted <> (t.Cancel = 0 AND t.Posted = 1)); END;"
            "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES"
            " (1, '2026-07-05', 41, 1, 0, 1), (2, '2026-08-05', 41, 1, 0, 0);"
            "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES"
            " (2, 20101001, 500, NULL), (2, 20101002, NULL, 500), (3, 20101001, 7, NULL), (3, 20101002, NULL, 7);");
        std::set<std::string> fired;
        const auto found = costlyStepsOfPerLineTriggers(db, kLineWrites[0], fired);
        EXPECT_TRUE(found.contains("SubTransactions_Voucher_Insert: a temporary table"));
        EXPECT_TRUE(found.contains("SubTransactions_Voucher_Move: a temporary table"));
        db.exec("PRAGMA user_version = " + std::to_string(platform::kSchemaVersion - 1));
    }
    EXPECT_THROW(Database::open(path), platform::DbError);   // refused without its upgrade
    {
        Database db = Database::open(path, db::schemaUpgrades());
        EXPECT_EQ(db.scalar("PRAGMA user_version").toInt(), platform::kSchemaVersion);
        EXPECT_EQ(db.scalar(kStaleCopies).toInt(), 0);
        EXPECT_EQ(db.scalar(kDisagreements).toInt(), 0);
        std::set<std::string> fired;
        for (const char* sql : kLineWrites) {
            SCOPED_TRACE(sql);
            EXPECT_EQ(costlyStepsOfPerLineTriggers(db, sql, fired), std::set<std::string>{});
        }
        // The new triggers keep the copies and totals through later writes.
        for (const char* sql : kLineWrites) {
            SCOPED_TRACE(sql);
            db.exec(sql);
            EXPECT_EQ(db.scalar(kStaleCopies).toInt(), 0);
            EXPECT_EQ(db.scalar(kDisagreements).toInt(), 0);
        }
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM sqlite_schema WHERE type = 'trigger'"
                            " AND name IN ('SubTransactions_Voucher_Insert', 'SubTransactions_Voucher_Move',"
                            " 'Transactions_Lines_Update')").toInt(), 3);
    }
}
