// Number and date patterns the windows and reports use.
#include "platform/text/formats.h"

#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

using platform::formatMoney;
using platform::Money;

TEST(FormatMoney, FollowsTheSectionsOfEachPattern)
{
    struct Case { std::int64_t cents; const char* pattern; const char* shown; };
    const Case cases[] = {
        {0, "0.00;(0.00)", "0.00"},
        {5, "0.00;(0.00)", "0.05"},
        {-123456, "0.00;(0.00)", "(1234.56)"},
        {123456789, "#,##0.00;(#,##0.00)", "1,234,567.89"},
        {-100000, "#,##0.00;(#,##0.00)", "(1,000.00)"},
        {99999, "#,##0.00;(#,##0.00)", "999.99"},
        {149, "#,##0;(#,##0)", "1"},
        {150, "#,##0;(#,##0)", "2"},                 // half away from zero
        {-150, "#,##0;(#,##0)", "(2)"},
        {99950, "#,##0;(#,##0)", "1,000"},           // rounding carries into grouping
        {-4200, "0.00; (0.00)", " (42.00)"},
        {-4200, "0.00", "-42.00"},
        {12, "#.##", ".12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cents << " " << c.pattern);
        EXPECT_EQ(formatMoney(Money::fromCents(c.cents), c.pattern), c.shown);
    }
}

TEST(FormatMoney, HandlesTheExtremesAndRefusesBadPatterns)
{
    EXPECT_EQ(formatMoney(Money::fromCents(std::numeric_limits<std::int64_t>::min()), "0.00;(0.00)"),
              "(92233720368547758.08)");
    EXPECT_THROW(formatMoney(Money{}, "abc"), std::invalid_argument);
    EXPECT_THROW(formatMoney(Money{}, "0.000"), std::invalid_argument);
}

TEST(FormatDate, ReadsTokensWithoutRegardToCase)
{
    const QDate d(2026, 7, 1);
    struct Case { const char* pattern; const char* shown; };
    const Case cases[] = {
        {"mmm d, yyyy", "Jul 1, 2026"},
        {"MMMM dd, yyyy", "July 01, 2026"},
        {"dd-MM-yyyy", "01-07-2026"},
        {"MM-dd-yyyy", "07-01-2026"},
        {"yy", "26"},
        {"dddd", "Wednesday"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(platform::formatDate(d, c.pattern).toStdString(), c.shown);
    }
    EXPECT_TRUE(platform::formatDate(QDate(), "dd").isEmpty());
}

TEST(IsoDate, RoundTripsAndRefusesImpossibleDates)
{
    EXPECT_EQ(platform::isoDate(QDate(2027, 2, 3)), "2027-02-03");
    EXPECT_EQ(platform::parseIsoDate("2027-02-03"), QDate(2027, 2, 3));
    EXPECT_EQ(platform::parseIsoDate("2027-02-03 10:11:12"), QDate(2027, 2, 3));
    EXPECT_FALSE(platform::parseIsoDate("2027-02-30"));
    EXPECT_FALSE(platform::parseIsoDate("03-02-2027"));
    EXPECT_FALSE(platform::parseIsoDate("2027-2-3"));
    EXPECT_EQ(platform::isoDateTime(QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7))), "2026-12-10 09:05:07");
}
