// Strict reading of typed amounts and overflow-checked arithmetic.
#include "platform/text/money.h"

#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

using platform::Money;

TEST(MoneyParse, ReadsOnlyPlainDecimalAmounts)
{
    struct Case { const char* text; std::optional<std::int64_t> cents; };
    const Case cases[] = {
        {"12", 1200}, {"12.5", 1250}, {"12.50", 1250}, {"0.07", 7}, {".5", 50}, {"5.", 500},
        {"-3.07", -307}, {"007", 700},
        {"", std::nullopt}, {".", std::nullopt}, {"-", std::nullopt}, {"1.234", std::nullopt},
        {"1e3", std::nullopt}, {"&H10", std::nullopt}, {"(5)", std::nullopt}, {"1,000", std::nullopt},
        {" 5", std::nullopt}, {"5 ", std::nullopt}, {"+5", std::nullopt}, {"1.2.3", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto m = Money::parse(c.text);
        ASSERT_EQ(m.has_value(), c.cents.has_value());
        if (m) {
            EXPECT_EQ(m->cents(), *c.cents);
        }
    }
}

TEST(MoneyArithmetic, ThrowsOnOverflowInsteadOfWrapping)
{
    const Money max = Money::fromCents(std::numeric_limits<std::int64_t>::max());
    const Money min = Money::fromCents(std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(max + Money::fromCents(1), std::overflow_error);
    EXPECT_THROW(min - Money::fromCents(1), std::overflow_error);
    EXPECT_THROW(-min, std::overflow_error);
    EXPECT_EQ((Money::fromCents(250) - Money::fromCents(300)).abs(), Money::fromCents(50));
    Money sum;
    sum += Money::fromCents(10);
    sum -= Money::fromCents(25);
    EXPECT_EQ(sum.cents(), -15);
}
