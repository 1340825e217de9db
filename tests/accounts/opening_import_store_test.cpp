// The import's grouped insert: which accounts and lines it carries, the net
// as a debit or a credit, lines already there kept, and exact sums.
#include "accounts/opening_import_store.h"

#include <gtest/gtest.h>

#include "main/year_store.h"
#include "platform/data/database.h"
#include "tests/accounts/opening_window.h"

using testing_support::OpeningBook;
namespace ob = testing_support::ob;

namespace {

std::int64_t importInto(OpeningBook& b, int fromYear, int toYear)
{
    platform::Transaction tx(b.t.db());
    const auto added = accounts::importOpeningLines(tx, fromYear, *app::openingVoucherOf(b.t.db(), toYear));
    tx.commit();
    return added;
}

QString line(std::int64_t code, const char* debit, const char* credit)
{
    return QStringLiteral("%1:%2:%3").arg(code).arg(QLatin1String(debit), QLatin1String(credit));
}

} // namespace

TEST(ImportOpeningLines, AddsEachBalanceSheetAccountsNetOfTheUncancelledLines)
{
    OpeningBook b;
    const int y1 = ob::kFirstYear;
    b.openingLines(y1, {{ob::Cash, 30000, {}}, {ob::Capital, {}, 30000}});
    b.voucher(y1, "2026-08-01", {{ob::Cash, 20000, {}}, {ob::Sales, {}, 20000}});
    b.voucher(y1, "2026-08-02", {{ob::Rent, 20000, {}}, {ob::Bank, {}, 20000}}, /*posted=*/false);   // counts
    b.voucher(y1, "2026-08-03", {{ob::Capital, 99900, {}}, {ob::Cash, {}, 99900}}, true, /*cancelled=*/true);
    b.voucher(y1, "2026-08-04", {{ob::Loan, 5000, {}}, {ob::Loan, {}, 5000}});   // balances out
    b.voucher(ob::kSecondYear, "2027-08-01", {{ob::Cash, 777, {}}, {ob::Sales, {}, 777}});   // another year
    b.openingLines(ob::kSecondYear, {{ob::Bank, 100, {}}});   // already there: stays, and gets a second line

    EXPECT_EQ(importInto(b, y1, ob::kSecondYear), 4);
    EXPECT_EQ(b.storedLines(ob::kSecondYear),
              (QStringList{line(ob::Bank, "100", ""), line(ob::Cash, "50000", ""), line(ob::Bank, "", "20000"),
                           line(ob::Capital, "", "30000"), line(ob::Loan, "0", "")}));
    // Sales and Rent, of the income statement, are never carried.
    const auto tranNo = *app::openingVoucherOf(b.t.db(), ob::kSecondYear);
    EXPECT_EQ(b.t.db().scalar("SELECT group_concat(AccName || '|' || \"Desc\" || '|' || Balance || '|' || Status, ';')"
                              " FROM SubTransactions WHERE TranNo = ? AND Serial > (SELECT MIN(Serial)"
                              " FROM SubTransactions WHERE TranNo = ?)",
                              {tranNo, tranNo})
                  .toText(),
              "Cash in Hand||0|;Bank Account||0|;Owner's Capital||0|;Short Loan||0|");
}

TEST(ImportOpeningLines, AYearWithoutBalanceSheetLinesAddsNothing)
{
    OpeningBook b;
    b.voucher(ob::kFirstYear, "2026-08-01", {{ob::Rent, 500, {}}, {ob::Sales, {}, 500}});
    b.voucher(ob::kFirstYear, "2026-08-02", {{ob::Cash, 500, {}}, {ob::Sales, {}, 500}}, true, /*cancelled=*/true);
    EXPECT_EQ(importInto(b, ob::kFirstYear, ob::kSecondYear), 0);
    EXPECT_TRUE(b.storedLines(ob::kSecondYear).isEmpty());
}

TEST(ImportOpeningLines, ASumThatDoesNotFitFailsInsteadOfRounding)
{
    OpeningBook b;
    const std::int64_t big = 5'000'000'000'000'000'000;
    b.voucher(ob::kFirstYear, "2026-08-01", {{ob::Cash, big, {}}, {ob::Cash, big, {}}});
    platform::Transaction tx(b.t.db());
    EXPECT_THROW(accounts::importOpeningLines(tx, ob::kFirstYear, *app::openingVoucherOf(b.t.db(), ob::kSecondYear)),
                 platform::DbError);
}
