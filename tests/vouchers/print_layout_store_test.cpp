// Tests for the stored print-layout flags.
#include "vouchers/print_layout_store.h"

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/support/test_database.h"

using vouchers::PrintLayouts;

TEST(PrintLayoutStore, WritesAndReadsTheNineFlagsInKindOrder)
{
    testing_support::TestDatabase t;
    EXPECT_EQ(vouchers::loadPrintLayouts(t.db()), (PrintLayouts{true, true, true, true, true, true, true, true, true}));
    const PrintLayouts mixed{false, true, false, true, true, false, true, false, false};
    EXPECT_TRUE(vouchers::storePrintLayouts(t.db(), mixed));
    EXPECT_EQ(vouchers::loadPrintLayouts(t.db()), mixed);
    EXPECT_EQ(t.db().scalar("SELECT PV || PRV || SV || SRV || CPV || CRV || BPV || BRV || GJV FROM BusinessInfo")
                  .toText(),
              "010110100");
}

TEST(PrintLayoutStore, WritesNothingWithoutACompanyRow)
{
    testing_support::TestDatabase t;
    t.db().exec("DELETE FROM BusinessInfo");
    EXPECT_FALSE(vouchers::storePrintLayouts(t.db(), PrintLayouts{true}));
    EXPECT_EQ(vouchers::loadPrintLayouts(t.db()), PrintLayouts{});
}
