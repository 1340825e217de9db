// The rights look-up: which column governs which user, and fresh reads.
#include "main/rights.h"

#include <gtest/gtest.h>

#include "tests/support/test_database.h"

TEST(OperatorColumn, MapsUsersTwoToTenOntoOperatorOneToNine)
{
    struct Case { int user; const char* column; };
    const Case cases[] = {{2, "operator1"}, {3, "operator2"}, {10, "operator9"}, {1, nullptr},
                          {0, nullptr}, {11, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        const auto column = app::operatorColumn(c.user);
        ASSERT_EQ(column.has_value(), c.column != nullptr);
        if (column) {
            EXPECT_EQ(*column, c.column);
        }
    }
}

TEST(LoadRight, ReadsOnlyTheSignedInOperatorsColumn)
{
    testing_support::TestDatabase t;
    t.refuse(2, app::right::Ledgers);
    t.refuse(10, app::right::TrialBalance);

    EXPECT_TRUE(app::loadRight(t.db(), app::right::Ledgers, 2).notAllowed);
    EXPECT_FALSE(app::loadRight(t.db(), app::right::Ledgers, 3).notAllowed);
    EXPECT_FALSE(app::loadRight(t.db(), app::right::TrialBalance, 2).notAllowed);
    EXPECT_TRUE(app::loadRight(t.db(), app::right::TrialBalance, 10).notAllowed);
    EXPECT_FALSE(app::loadRight(t.db(), app::right::Ledgers, 2).rightType.empty());
}

TEST(LoadRight, NeverRefusesTheAdministratorEvenWhenEveryColumnSaysNo)
{
    testing_support::TestDatabase t;
    t.db().exec("UPDATE userrights SET operator1 = 1, operator2 = 1, operator3 = 1, operator4 = 1, "
                "operator5 = 1, operator6 = 1, operator7 = 1, operator8 = 1, operator9 = 1");
    EXPECT_FALSE(app::loadRight(t.db(), app::right::ChartOfAccounts, app::kAdministrator).notAllowed);
    EXPECT_TRUE(app::loadRight(t.db(), app::right::ChartOfAccounts, 5).notAllowed);
}

TEST(LoadRight, SeesAChangeAtTheNextLookUp)
{
    testing_support::TestDatabase t;
    EXPECT_FALSE(app::loadRight(t.db(), 124, 4).notAllowed);
    t.refuse(4, 124);
    EXPECT_TRUE(app::loadRight(t.db(), 124, 4).notAllowed);
    t.refuse(4, 124, false);
    EXPECT_FALSE(app::loadRight(t.db(), 124, 4).notAllowed);
}

TEST(LoadRight, TreatsAMissingRowAsAllowedWithNoText)
{
    testing_support::TestDatabase t;
    const auto row = app::loadRight(t.db(), 9999, 2);
    EXPECT_FALSE(row.notAllowed);
    EXPECT_TRUE(row.rightType.empty());
}
