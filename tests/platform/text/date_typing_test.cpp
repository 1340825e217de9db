// DateTyping: which digits go to which part, and the date they make over the shown one.
#include "platform/text/date_typing.h"

#include <gtest/gtest.h>

using platform::DateTyping;

namespace {

std::optional<QDate> typed(QDate shown, const char* keys, bool* allTaken = nullptr)
{
    DateTyping t(shown);
    bool all = true;
    for (const char* k = keys; *k; ++k)
        all = t.type(QLatin1Char(*k)) && all;
    if (allTaken)
        *allTaken = all;
    return t.date();
}

} // namespace

TEST(DateTyping, FillsDayMonthAndYearInTurn)
{
    const QDate shown(2026, 12, 10);
    struct Case { const char* keys; QDate expected; };
    const Case cases[] = {
        {"31", {2026, 12, 31}},          // the day alone keeps the month and year shown
        {"5", {2026, 12, 5}},            // a day from 4 ends at once ...
        {"53", {2026, 3, 5}},            // ... so the next digit is the month
        {"0503", {2026, 3, 5}},
        {"05032027", {2027, 3, 5}},
        {"1-2-2027", {2027, 2, 1}},      // separators end short parts
        {"1/2/2027", {2027, 2, 1}},
        {"29022028", {2028, 2, 29}},     // a leap day
        {"010120", {2026, 1, 1}},        // the year counts once it has four digits
        {"01011900", {1900, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        EXPECT_EQ(typed(shown, c.keys), c.expected);
    }
}

TEST(DateTyping, MakesNoDateWhileThePartsDoNot)
{
    const QDate november(2026, 11, 10);
    for (const char* keys : {"31", "00", "32", "0113", "29022027"}) {
        SCOPED_TRACE(keys);
        EXPECT_EQ(typed(november, keys), std::nullopt);
    }
    EXPECT_EQ(typed(november, "3112"), QDate(2026, 12, 31));   // valid once the month comes
}

TEST(DateTyping, RefusesOtherKeysAndDigitsPastTheYear)
{
    bool allTaken = true;
    EXPECT_EQ(typed({2026, 12, 10}, "a", &allTaken), QDate(2026, 12, 10));
    EXPECT_FALSE(allTaken);
    EXPECT_EQ(typed({2026, 12, 10}, "010220279", &allTaken), QDate(2027, 2, 1));
    EXPECT_FALSE(allTaken);
    DateTyping t({2026, 12, 10});
    EXPECT_TRUE(t.type(QLatin1Char('-')));   // a separator before any digit changes nothing
    EXPECT_EQ(t.part(), DateTyping::Day);
}
