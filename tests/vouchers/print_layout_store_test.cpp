// Tests for the stored print-layout flags.
#include "vouchers/print_layout_store.h"

#include <gtest/gtest.h>

#include "main/voucher_kinds.h"
#include "platform/data/database.h"
#include "tests/support/test_database.h"

using vouchers::PrintLayouts;

TEST(PrintLayoutStore, WritesAndReadsTheNineFlagsInKindOrder)
{
    testing_support::TestDatabase t;
    EXPECT_EQ(vouchers::loadPrintLayouts(t.db()), (PrintLayouts{true, true, true, true, true, true, true, true, true}));
    const PrintLayouts mixed{false, true, false, true, true, false, true, false, false};
    {
        platform::Transaction tx(t.db());
        EXPECT_TRUE(vouchers::storePrintLayouts(tx, mixed));
    }   // not committed: nothing stays
    EXPECT_EQ(vouchers::loadPrintLayouts(t.db()), (PrintLayouts{true, true, true, true, true, true, true, true, true}));
    {
        platform::Transaction tx(t.db());
        EXPECT_TRUE(vouchers::storePrintLayouts(tx, mixed));
        tx.commit();
    }
    EXPECT_EQ(vouchers::loadPrintLayouts(t.db()), mixed);
    EXPECT_EQ(t.db().scalar("SELECT PV || PRV || SV || SRV || CPV || CRV || BPV || BRV || GJV FROM BusinessInfo")
                  .toText(),
              "010110100");
}

TEST(PrintLayoutStore, WritesNothingWithoutACompanyRow)
{
    testing_support::TestDatabase t;
    t.db().exec("DELETE FROM BusinessInfo");
    platform::Transaction tx(t.db());
    EXPECT_FALSE(vouchers::storePrintLayouts(tx, PrintLayouts{true}));
    tx.commit();
    EXPECT_EQ(vouchers::loadPrintLayouts(t.db()), PrintLayouts{});
}

TEST(VoucherKinds, EachKindHasItsTypeRowAndItsLayoutFlagColumn)
{
    // The table of kinds is the one source of the menus, captions and flags;
    // what it names must be in the database the program delivers.
    testing_support::TestDatabase t;
    for (const app::VoucherKind& k : app::voucherKinds()) {
        SCOPED_TRACE(k.form);
        EXPECT_EQ(t.db().scalar("SELECT COUNT(*) FROM TranType WHERE TranType = ?", {k.tranType}).toInt(), 1);
        EXPECT_NO_THROW(t.db().scalar(std::string("SELECT ") + k.flagColumn + " FROM BusinessInfo"));
        EXPECT_EQ(app::kindOfForm(k.form), &k);
    }
    EXPECT_EQ(app::voucherKinds().size(), PrintLayouts{}.size());
}
