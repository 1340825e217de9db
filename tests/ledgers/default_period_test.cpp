// DefaultPeriod: today inside the year, or the whole year.
#include "main/default_period.h"

#include <gtest/gtest.h>

TEST(DefaultPeriod, IsTodayInsideTheYearElseTheWholeYear)
{
    const QDate start(2026, 7, 1), end(2027, 6, 30);
    struct Case { QDate today, from, to; };
    const Case cases[] = {
        {QDate(2026, 12, 10), QDate(2026, 12, 10), QDate(2026, 12, 10)},
        {start, start, start},                           // both bounds belong to the year
        {end, end, end},
        {QDate(2026, 6, 30), start, end},                // the day before the year
        {QDate(2027, 7, 1), start, end},                 // the day after it
        {QDate(2030, 1, 1), start, end},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        const app::Period p = app::defaultPeriod(c.today, start, end);
        EXPECT_EQ(p.start, c.from);
        EXPECT_EQ(p.end, c.to);
    }
}
