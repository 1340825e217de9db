// Conversions and ordering for the cell value shared by statements and recordsets.
// Parsing is strict on purpose: a code typed as "12a" is no number, not 12.
#include "platform/data/value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace platform {

namespace {

// Digits with an optional leading sign and nothing else; nothing on overflow.
std::optional<std::int64_t> parseWhole(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);   // from_chars takes '-' but not '+'
        if (text.empty() || text.front() == '-')
            return std::nullopt;
    }
    std::int64_t result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return result;
}

// The whole part of `d`, or nothing when it does not fit an int64 (or is NaN).
std::optional<std::int64_t> truncated(double d)
{
    // 2^63 is exact as a double, and every double in [-2^63, 2^63) truncates into range.
    constexpr double limit = 9223372036854775808.0;
    if (!(d >= -limit && d < limit))
        return std::nullopt;
    return static_cast<std::int64_t>(d);
}

int sign(auto diff) { return diff < 0 ? -1 : (diff > 0 ? 1 : 0); }

// Exact comparison of a whole number with a real: converting the int64 to double
// would merge neighbouring large values.
int compareIntReal(std::int64_t i, double d)
{
    if (std::isnan(d))
        return 1;   // NaN sorts below every number, consistently
    constexpr double limit = 9223372036854775808.0;
    if (d >= limit)
        return -1;
    if (d < -limit)
        return 1;
    const double whole = std::trunc(d);
    const auto w = static_cast<std::int64_t>(whole);
    if (i != w)
        return i < w ? -1 : 1;
    return sign(whole - d);
}

int compareReal(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return sign(int{!std::isnan(a)} - int{!std::isnan(b)});
    return sign(a - b);
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int compareText(const std::string& a, const std::string& b, bool caseInsensitive)
{
    if (!caseInsensitive)
        return sign(a.compare(b));
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(lowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(lowerAscii(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

// Rank of the kind in the ordering: null, then numbers, then text.
int rank(const Value& v) { return v.isNull() ? 0 : (v.isText() ? 2 : 1); }

} // namespace

std::int64_t Value::toInt(std::int64_t nullValue) const
{
    if (isInt())
        return std::get<std::int64_t>(m_v);
    if (isReal())
        return truncated(std::get<double>(m_v)).value_or(nullValue);
    if (isText())
        return parseWhole(std::get<std::string>(m_v)).value_or(nullValue);
    return nullValue;
}

std::string Value::toText() const
{
    if (isInt())
        return std::to_string(std::get<std::int64_t>(m_v));
    if (isReal()) {
        // %.15g: every digit shown is one the double really holds, and no trailing zeros.
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.15g", std::get<double>(m_v));
        return buf;
    }
    if (isText())
        return std::get<std::string>(m_v);
    return {};
}

std::optional<std::int64_t> Value::asInt() const
{
    if (isInt())
        return std::get<std::int64_t>(m_v);
    if (isReal()) {
        const double d = std::get<double>(m_v);
        if (std::trunc(d) != d)
            return std::nullopt;
        return truncated(d);
    }
    if (isText())
        return parseWhole(std::get<std::string>(m_v));
    return std::nullopt;
}

int Value::compare(const Value& a, const Value& b, bool caseInsensitiveText)
{
    const int ra = rank(a);
    const int rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 0)
        return 0;
    if (ra == 2)
        return compareText(std::get<std::string>(a.m_v), std::get<std::string>(b.m_v),
                           caseInsensitiveText);
    if (a.isInt() && b.isInt()) {
        const auto x = std::get<std::int64_t>(a.m_v);
        const auto y = std::get<std::int64_t>(b.m_v);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.isReal() && b.isReal())
        return compareReal(std::get<double>(a.m_v), std::get<double>(b.m_v));
    if (a.isInt())
        return compareIntReal(std::get<std::int64_t>(a.m_v), std::get<double>(b.m_v));
    return -compareIntReal(std::get<std::int64_t>(b.m_v), std::get<double>(a.m_v));
}

} // namespace platform
