// A file of layout 2 coming up to date: its jobs' amounts become whole cents or
// empty, nothing typed is lost, and the database refuses text amounts from then on.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "db/delivered.h"
#include "db/upgrade.h"
#include "platform/data/database.h"

using platform::Database;

TEST(LayoutUpgrade, AFileOfLayoutTwoKeepsItsJobsAndGetsWholeCentAmounts)
{
    char folder[] = "/tmp/tamsel_jobs_upgrade_XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/old.MDB";
    db::writeDeliveredFile(path, "2026-12-10", "2026-12-10 09:00:00");
    {
        // Layout 2 had no check on the amounts, nor on the voucher dates, and no
        // day-book totals.
        Database db = Database::open(path);
        db.execScript(
            "DROP TRIGGER Jobs_Amounts_Insert; DROP TRIGGER Jobs_Amounts_Update;"
            "DROP TRIGGER Transactions_TranDate_Insert; DROP TRIGGER Transactions_TranDate_Update;"
            "DROP TRIGGER SubTransactions_VoucherDate_Insert; DROP TRIGGER SubTransactions_VoucherDate_Update;"
            "DROP TABLE DayBookDays;"
            "DROP TRIGGER SubTransactions_Days_Insert; DROP TRIGGER SubTransactions_Days_Delete;"
            "DROP TRIGGER SubTransactions_Days_Update; DROP TRIGGER Transactions_Days_Update;"
            "DROP TRIGGER Transactions_Days_Delete;"
            "INSERT INTO Jobs (JobID, JobNo, EstimatedCost, ValueofWork, Remarks) VALUES"
            " (1, 1, 125000, NULL, NULL), (2, 2, 99.6, 'about 5,000', 'urgent'), (3, 3, 'n/a', 7, NULL);"
            "PRAGMA user_version = 2;");
    }
    {
        Database db = Database::open(path, db::schemaUpgrades());
        EXPECT_EQ(db.scalar("PRAGMA user_version").toInt(), platform::kSchemaVersion);
        const auto row = [&](int id) {
            return db.scalar("SELECT quote(EstimatedCost) || '|' || quote(ValueofWork) || '|' || quote(Remarks)"
                             " FROM Jobs WHERE JobID = ?", {id}).toText();
        };
        EXPECT_EQ(row(1), "125000|NULL|NULL");
        EXPECT_EQ(row(2), "100|NULL|'urgent Value of Job: about 5,000'");
        EXPECT_EQ(row(3), "NULL|7|'Estimated Cost: n/a'");
        EXPECT_THROW(db.exec("UPDATE Jobs SET EstimatedCost = 'ten' WHERE JobID = 1"), platform::DbError);
        EXPECT_THROW(db.exec("INSERT INTO Jobs (JobNo, ValueofWork) VALUES (4, 'ten')"), platform::DbError);
    }
    std::filesystem::remove_all(folder);
}
