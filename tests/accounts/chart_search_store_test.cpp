// The chart search's query: accounts joined to their sub type and main type.
#include "accounts/chart_search_store.h"

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/support/chart_rows.h"
#include "tests/support/test_database.h"

using testing_support::TestDatabase;

TEST(LoadChartSearch, ListsAccountsWithBothParentsByCodeNamesJoinedByTwoBlanks)
{
    TestDatabase t;
    auto& db = t.db();
    testing_support::addChart(db, {{101, "Land"}, {10102, "Leasehold"}, {10101, "Freehold"},
                                   {10102001, "Plot B"}, {10101002, "Plot A"}, {201, "Loans"}, {20101, "Banks"}});
    // A sub type without a main type, with its account; an account without a
    // sub type; an account whose name is missing.
    db.execScript("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (30101, 'Orphan', NULL);"
                  "INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES"
                  " (30101001, 'Under an orphan', NULL, 30101), (10101009, 'No sub type', 101, NULL),"
                  " (20101001, NULL, 201, 20101);");

    const auto rows = accounts::loadChartSearch(db);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].accCode, 10101002);
    EXPECT_EQ(rows[0].accL3, QStringLiteral("10101002  Plot A"));
    EXPECT_EQ(rows[0].typeId, 101);
    EXPECT_EQ(rows[0].accL1, QStringLiteral("101  Land"));
    EXPECT_EQ(rows[0].level2Id, 10101);
    EXPECT_EQ(rows[0].accL2, QStringLiteral("10101  Freehold"));
    EXPECT_EQ(rows[1].accCode, 10102001);
    EXPECT_EQ(rows[1].accL2, QStringLiteral("10102  Leasehold"));
    EXPECT_EQ(rows[2].accCode, 20101001);
    EXPECT_EQ(rows[2].accL3, QStringLiteral("20101001  "));
    EXPECT_EQ(rows[2].accL1, QStringLiteral("201  Loans"));
}
