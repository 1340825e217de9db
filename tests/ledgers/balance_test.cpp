// The balance convention: sides, shown amounts and the two differences.
#include "ledgers/balance.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

using ledgers::Side;
using platform::Money;

TEST(BalanceOf, ShowsAbsoluteDifferenceAndSide)
{
    struct Case { std::int64_t difference, shown; Side side; };
    const Case cases[] = {
        {30000, 30000, Side::Debit},
        {-30000, 30000, Side::Credit},
        {0, 0, Side::Debit},       // zero is a debit balance
        {-1, 1, Side::Credit},     // a cent on the credit side is still credit
        {1, 1, Side::Debit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.difference);
        const auto b = ledgers::balanceOf(Money::fromCents(c.difference));
        EXPECT_EQ(b.amount, Money::fromCents(c.shown));
        EXPECT_EQ(b.side, c.side);
        EXPECT_EQ(std::string(ledgers::statusText(b.side)), c.side == Side::Debit ? "Debit" : "Credit");
    }
    EXPECT_THROW(ledgers::balanceOf(Money::fromCents(std::numeric_limits<std::int64_t>::min())),
                 std::overflow_error);
}

TEST(Differences, LedgersTakeDebitsLessCreditsAndStatementsTheReverse)
{
    struct Case { std::int64_t debits, credits, debitMinusCredit; };
    const Case cases[] = {
        {50000, 20000, 30000},
        {20000, 50000, -30000},
        {0, 0, 0},
        {0, 125, -125},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.debits << " / " << c.credits);
        const Money dr = Money::fromCents(c.debits), cr = Money::fromCents(c.credits);
        EXPECT_EQ(ledgers::debitMinusCredit(dr, cr), Money::fromCents(c.debitMinusCredit));
        EXPECT_EQ(ledgers::creditMinusDebit(dr, cr), Money::fromCents(-c.debitMinusCredit));
    }
}
