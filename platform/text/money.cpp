// Money arithmetic with overflow checks, and the strict reading of typed amounts.
#include "platform/text/money.h"

#include <limits>
#include <stdexcept>

namespace platform {

std::optional<Money> Money::parse(std::string_view text)
{
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    std::int64_t whole = 0;
    int wholeDigits = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max() / 100 - 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > kMax)
            return std::nullopt;
        ++wholeDigits;
    }
    int decimals = 0;
    std::int64_t fraction = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (++decimals > 2)
                return std::nullopt;
            fraction = fraction * 10 + (text[i] - '0');
        }
    }
    if (i != text.size() || (wholeDigits == 0 && decimals == 0))
        return std::nullopt;
    if (decimals == 1)
        fraction *= 10;
    const std::int64_t cents = whole * 100 + fraction;
    return Money{negative ? -cents : cents};
}

Money Money::abs() const
{
    return m_cents < 0 ? -*this : *this;
}

Money operator+(Money a, Money b)
{
    std::int64_t r = 0;
    if (__builtin_add_overflow(a.m_cents, b.m_cents, &r))
        throw std::overflow_error("amount out of range");
    return Money{r};
}

Money operator-(Money a, Money b)
{
    std::int64_t r = 0;
    if (__builtin_sub_overflow(a.m_cents, b.m_cents, &r))
        throw std::overflow_error("amount out of range");
    return Money{r};
}

Money operator-(Money a)
{
    return Money{} - a;
}

} // namespace platform
