// Year ids, the date check, the abbreviation and the opening-voucher date.
#include "main/year_rules.h"

#include <gtest/gtest.h>

using app::nextYearId;

TEST(NextYearId, IsHighestPlusOneUpTo255)
{
    struct Case { int highest; std::optional<int> next; };
    const Case cases[] = {
        {0, 1},            // no year yet
        {1, 2},
        {5, 6},            // ids 1, 2 and 5: the gaps stay unused
        {254, 255},
        {255, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.highest);
        EXPECT_EQ(nextYearId(c.highest), c.next);
        EXPECT_EQ(app::checkCanAddYear(c.highest).has_value(), !c.next.has_value());
    }
}

TEST(CheckCanAddYear, RefusesWhenTheLastIdIsTaken)
{
    const auto problem = app::checkCanAddYear(255);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->title, "Cannot Add");
    EXPECT_TRUE(problem->message.contains("255"));
}

TEST(CheckYearDates, RefusesAnEndNotLaterThanTheStart)
{
    struct Case { QDate start, end; bool refused; };
    const Case cases[] = {
        {{2012, 7, 1}, {2013, 6, 30}, false},
        {{2012, 7, 1}, {2012, 7, 2}, false},     // one day is enough
        {{2012, 7, 1}, {2012, 7, 1}, true},      // same day
        {{2012, 7, 1}, {2012, 6, 30}, true},
        {{2012, 7, 1}, QDate(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start.toString(Qt::ISODate).toStdString() + " " + c.end.toString(Qt::ISODate).toStdString());
        const auto problem = app::checkYearDates(c.start, c.end);
        ASSERT_EQ(problem.has_value(), c.refused);
        if (problem) {
            EXPECT_EQ(problem->title, "Invalid Date");
            EXPECT_EQ(problem->message, "The ending date should be greater than the beginning date.");
        }
    }
}

TEST(YearAbbreviation, IsFourDigitStartYearAndTwoDigitEndYear)
{
    struct Case { QDate start, end; const char* shown; };
    const Case cases[] = {
        {{2012, 7, 1}, {2013, 6, 30}, "2012-13"},
        {{2013, 1, 1}, {2013, 12, 31}, "2013-13"},
        {{1999, 7, 1}, {2000, 6, 30}, "1999-00"},   // the century turns
        {{2008, 7, 1}, {2009, 6, 30}, "2008-09"},   // a leading zero is kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(app::yearAbbreviation(c.start, c.end), QString::fromLatin1(c.shown));
    }
}

TEST(OpeningVoucherDate, IsTheDayBeforeTheStart)
{
    struct Case { QDate start, opening; };
    const Case cases[] = {
        {{2012, 7, 1}, {2012, 6, 30}},
        {{2013, 1, 1}, {2012, 12, 31}},   // across a year
        {{2024, 3, 1}, {2024, 2, 29}},    // leap day
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::openingVoucherDate(c.start), c.opening);
}
