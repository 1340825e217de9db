// The rights sheet: toggles in memory, only changed cells written, all in one
// transaction, and the operator's next check following what was saved.
#include "main/rights_sheet.h"

#include <gtest/gtest.h>

#include "main/rights.h"
#include "platform/data/database.h"
#include "tests/support/test_database.h"

using testing_support::TestDatabase;

namespace {

std::size_t rowOf(const app::RightsSheet& sheet, int rightId)
{
    for (std::size_t i = 0; i < sheet.rows().size(); ++i)
        if (sheet.rows()[i].rightId == rightId)
            return i;
    throw std::out_of_range("no such right");
}

void save(platform::Database& db, app::RightsSheet& sheet)
{
    platform::Transaction tx(db);
    sheet.save(tx);
    tx.commit();
    sheet.markSaved();
}

} // namespace

TEST(RightsSheet, TwoTogglesCancelOutAndASaveWritesOnlyTheChangedCell)
{
    TestDatabase t;
    t.refuse(3, 42);
    app::RightsSheet sheet;
    sheet.load(t.db());
    ASSERT_GT(sheet.rows().size(), 10u);
    const std::size_t r42 = rowOf(sheet, 42);
    EXPECT_TRUE(sheet.rows()[r42].refused[1]);   // operator2 is user 3

    EXPECT_TRUE(sheet.toggle(r42, 2));
    EXPECT_TRUE(sheet.toggle(r42, 2));
    EXPECT_FALSE(sheet.hasChanges());

    EXPECT_TRUE(sheet.toggle(r42, 3));   // allowed again
    EXPECT_TRUE(sheet.toggle(rowOf(sheet, 240), 10));
    EXPECT_FALSE(sheet.toggle(r42, 1));   // the administrator has no column
    EXPECT_FALSE(sheet.toggle(sheet.rows().size(), 2));
    const auto changes = sheet.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].rightId, 42);
    EXPECT_EQ(changes[0].userId, 3);
    EXPECT_FALSE(changes[0].refused);

    // A cell another run changed meanwhile, which this sheet did not touch, stays as that run left it.
    auto other = platform::Database::open(t.path().toStdString());
    other.exec("UPDATE userrights SET operator1 = 1 WHERE RightID = 42");
    save(t.db(), sheet);
    EXPECT_FALSE(sheet.hasChanges());
    EXPECT_FALSE(app::loadRight(t.db(), 42, 3).notAllowed);
    EXPECT_TRUE(app::loadRight(t.db(), 240, 10).notAllowed);
    EXPECT_TRUE(app::loadRight(t.db(), 42, 2).notAllowed);
}

TEST(RightsSheet, AFailedSaveWritesNothingAndKeepsTheChangesPending)
{
    TestDatabase t;
    app::RightsSheet sheet;
    sheet.load(t.db());
    sheet.toggle(rowOf(sheet, 42), 2);
    sheet.toggle(rowOf(sheet, 254), 2);
    t.db().execScript("CREATE TRIGGER NoBalanceSheet BEFORE UPDATE ON userrights WHEN NEW.RightID = 254"
                      " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    {
        platform::Transaction tx(t.db());
        EXPECT_THROW(sheet.save(tx), platform::DbError);
    }
    EXPECT_FALSE(app::loadRight(t.db(), 42, 2).notAllowed);   // the first cell was rolled back
    EXPECT_EQ(sheet.changes().size(), 2u);
    t.db().execScript("DROP TRIGGER NoBalanceSheet;");
    save(t.db(), sheet);
    EXPECT_TRUE(app::loadRight(t.db(), 42, 2).notAllowed);
    EXPECT_TRUE(app::loadRight(t.db(), 254, 2).notAllowed);
}

TEST(RightsSheet, LoadingAgainDropsWhatWasToggled)
{
    TestDatabase t;
    app::RightsSheet sheet;
    sheet.load(t.db());
    sheet.toggle(rowOf(sheet, 12), 5);
    sheet.load(t.db());
    EXPECT_FALSE(sheet.hasChanges());
    EXPECT_FALSE(sheet.rows()[rowOf(sheet, 12)].refused[3]);
}
