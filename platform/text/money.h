// Money as a whole number of cents. No floating point anywhere near it; the
// formats that show it live in formats.h.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

class Money {
public:
    constexpr Money() = default;   // zero
    static constexpr Money fromCents(std::int64_t cents) { return Money{cents}; }
    // Reads "12", "12.5", "12.50", "-3.07", ".5": an optional minus, digits, at
    // most one point and at most two decimals, nothing else (no spaces, signs
    // other than a leading minus, exponents or separators). Nothing for other text
    // or for an amount that does not fit.
    static std::optional<Money> parse(std::string_view text);

    constexpr std::int64_t cents() const { return m_cents; }
    constexpr bool isZero() const { return m_cents == 0; }
    Money abs() const;   // throws std::overflow_error for the smallest value

    friend Money operator+(Money a, Money b);   // throws std::overflow_error
    friend Money operator-(Money a, Money b);   // throws std::overflow_error
    friend Money operator-(Money a);            // throws std::overflow_error
    Money& operator+=(Money b) { return *this = *this + b; }
    Money& operator-=(Money b) { return *this = *this - b; }
    friend constexpr auto operator<=>(const Money&, const Money&) = default;

private:
    constexpr explicit Money(std::int64_t cents) : m_cents{cents} {}
    std::int64_t m_cents = 0;
};

} // namespace platform
