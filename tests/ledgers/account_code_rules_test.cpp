// What the code box takes for a code, and the type-ahead's pattern.
#include "ledgers/account_code_rules.h"

#include <gtest/gtest.h>

TEST(ParseAccountCode, TakesOneToEightDigitsAndNothingElse)
{
    struct Case { const char* text; std::optional<std::int64_t> code; };
    const Case cases[] = {
        {"20101001", 20101001},
        {"7", 7},
        {"00000012", 12},
        {"", std::nullopt},
        {"123456789", std::nullopt},   // a ninth digit: more than the box takes
        {"2010100a", std::nullopt},
        {" 2010100", std::nullopt},
        {"-2010100", std::nullopt},
        {"2010.001", std::nullopt},
        {"Cash", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ledgers::parseAccountCode(c.text), c.code);
    }
}

TEST(ContainsPattern, MatchesTheTextAnywhereWithWildcardsEscaped)
{
    struct Case { const char* typed; const char* pattern; };
    const Case cases[] = {
        {"cash", "%cash%"},
        {"50%", "%50\\%%"},
        {"a_b", "%a\\_b%"},
        {"c:\\x", "%c:\\\\x%"},
        {"O'Neil", "%O'Neil%"},   // a quote is an ordinary character of a bound value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(ledgers::containsPattern(c.typed), c.pattern);
    }
}
