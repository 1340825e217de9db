// Tests for the cell value: strict whole-number parsing, text forms and ordering.
#include "platform/data/value.h"

#include <cstdint>
#include <optional>
#include <string>

#include <gtest/gtest.h>

using platform::Value;

TEST(ValueToInt, ParsesTextStrictlyAndTruncatesReals)
{
    constexpr std::int64_t kNull = -999;   // distinct from every parsed result below
    struct Case { Value v; std::int64_t expected; };
    const Case cases[] = {
        {Value("42"), 42},
        {Value("-7"), -7},
        {Value("+7"), 7},
        {Value("0010"), 10},
        {Value("9223372036854775807"), INT64_MAX},
        {Value("9223372036854775808"), kNull},   // overflow is no number
        {Value("12a"), kNull},
        {Value(" 12"), kNull},
        {Value("12 "), kNull},
        {Value("1.5"), kNull},
        {Value("+-1"), kNull},
        {Value("-"), kNull},
        {Value(""), kNull},
        {Value(2.9), 2},
        {Value(-2.9), -2},
        {Value(1e300), kNull},
        {Value(std::int64_t{-5}), -5},
        {Value(), kNull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.v.toText() << "\"");
        EXPECT_EQ(c.v.toInt(kNull), c.expected);
    }
}

TEST(ValueAsInt, GivesNothingUnlessAWholeNumber)
{
    struct Case { Value v; std::optional<std::int64_t> expected; };
    const Case cases[] = {
        {Value(3.0), 3},
        {Value(2.5), std::nullopt},
        {Value("12"), 12},
        {Value("12x"), std::nullopt},
        {Value(), std::nullopt},
        {Value(17), 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.v.toText() << "\"");
        EXPECT_EQ(c.v.asInt(), c.expected);
    }
}

TEST(ValueToText, ShowsNullEmptyAndRealsWithoutTrailingZeros)
{
    struct Case { Value v; const char* expected; };
    const Case cases[] = {
        {Value(), ""},
        {Value(-15), "-15"},
        {Value(INT64_MIN), "-9223372036854775808"},
        {Value(2.5), "2.5"},
        {Value(0.1), "0.1"},
        {Value(3.0), "3"},
        {Value(-0.125), "-0.125"},
        {Value("as is "), "as is "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.v.toText(), c.expected);
    }
}

TEST(ValueCompare, OrdersNullThenNumbersThenText)
{
    struct Case { Value a, b; bool ci; int expected; };
    const Case cases[] = {
        {Value(), Value(), false, 0},
        {Value(), Value(INT64_MIN), false, -1},
        {Value(INT64_MAX), Value(""), false, -1},
        {Value(2), Value(2.5), false, -1},
        {Value(3), Value(2.5), false, 1},
        {Value(2), Value(2.0), false, 0},
        {Value(-3), Value(-2.5), false, -1},
        // 2^53 + 1 is no double: converting it would call the two equal.
        {Value(std::int64_t{9007199254740993}), Value(9007199254740992.0), false, 1},
        {Value(INT64_MAX), Value(9223372036854775808.0), false, -1},
        {Value("a"), Value("B"), false, 1},   // byte order: upper case first
        {Value("a"), Value("B"), true, -1},
        {Value("abc"), Value("ABC"), true, 0},
        {Value("ab"), Value("ABC"), true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a.toText() << " vs " << c.b.toText() << (c.ci ? " (ci)" : ""));
        EXPECT_EQ(Value::compare(c.a, c.b, c.ci), c.expected);
        EXPECT_EQ(Value::compare(c.b, c.a, c.ci), -c.expected);
    }
}
