// The two-column split, the totals and the texts of the total boxes.
#include "statements/trial_balance_rules.h"

#include <vector>

#include <gtest/gtest.h>

using platform::Money;
using statements::AccountFigures;

namespace {
Money cents(std::int64_t c) { return Money::fromCents(c); }
}

TEST(TwoColumnSplit, PutsADebitClosingLeftAndACreditClosingRight)
{
    struct Case { std::int64_t closing; std::optional<std::int64_t> debit, credit; };
    const Case cases[] = {
        {30000, 30000, std::nullopt},
        {-30000, std::nullopt, 30000},
        {0, 0, std::nullopt},   // a zero closing is a debit balance (and not listed)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closing);
        const auto cells = statements::twoColumnSplit(cents(c.closing));
        EXPECT_EQ(cells.debit, c.debit ? std::optional(cents(*c.debit)) : std::nullopt);
        EXPECT_EQ(cells.credit, c.credit ? std::optional(cents(*c.credit)) : std::nullopt);
        EXPECT_EQ(statements::listedInTwoColumns(AccountFigures{1, "", {}, {}, {}, cents(c.closing), 0, 0}),
                  c.closing != 0);
    }
}

TEST(TotalsOf, AddUpEachColumnAndSplitTheClosings)
{
    const std::vector<AccountFigures> rows = {
        {1, "a", cents(10000), cents(5000), cents(2000), cents(13000), 0, 0},
        {2, "b", cents(-10000), cents(0), cents(3000), cents(-13000), 0, 0},
        {3, "c", cents(0), cents(700), cents(700), cents(0), 0, 0},
        {4, "d", cents(2500), cents(0), cents(0), cents(2500), 0, 0},
    };
    const auto t = statements::totalsOf(rows);
    EXPECT_EQ(t.opening, cents(2500));
    EXPECT_EQ(t.debits, cents(5700));
    EXPECT_EQ(t.credits, cents(5700));
    EXPECT_EQ(t.closing, t.opening + t.debits - t.credits);
    EXPECT_EQ(t.twoColumnDebit, cents(15500));
    EXPECT_EQ(t.twoColumnCredit, cents(13000));
    EXPECT_EQ(t.twoColumnDebit - t.twoColumnCredit, t.closing);
    EXPECT_EQ(statements::totalsOf({}), statements::BalanceTotals{});
}

TEST(TotalTexts, ShowTheAbsoluteBalanceWithItsSideAndPlainSums)
{
    struct Case { std::int64_t total; const char* balance; const char* amount; };
    const Case cases[] = {
        {-123450, "1234.50 Credit ", " (1234.50)"},
        {0, "0.00  Debit ", "0.00"},
        {120000, "1200.00  Debit ", "1200.00"},
        {-1, "0.01 Credit ", " (0.01)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.total);
        EXPECT_EQ(statements::balanceTotalText(cents(c.total)), c.balance);
        EXPECT_EQ(statements::amountTotalText(cents(c.total)), c.amount);
    }
}
