// The back-up program's names: the time stamp on a twelve-hour clock and the
// safety copy's file name.
#include "backup/backup_rules.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace {

TEST(TimeStamp, UsesTwelveHourClockWithLowerCaseHalfOfDay)
{
    struct Case { QDate day; QTime time; const char* stamp; };
    const Case cases[] = {
        {QDate(2013, 5, 18), QTime(11, 34, 7), "Tamsel Data Back-Up (Date 18-05-13) (Time 11-34-07 am)"},
        {QDate(2026, 12, 10), QTime(0, 0, 5), "Tamsel Data Back-Up (Date 10-12-26) (Time 12-00-05 am)"},
        {QDate(2026, 12, 10), QTime(12, 0, 0), "Tamsel Data Back-Up (Date 10-12-26) (Time 12-00-00 pm)"},
        {QDate(2026, 12, 10), QTime(13, 5, 9), "Tamsel Data Back-Up (Date 10-12-26) (Time 01-05-09 pm)"},
        {QDate(2000, 1, 2), QTime(23, 59, 59), "Tamsel Data Back-Up (Date 02-01-00) (Time 11-59-59 pm)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stamp);
        EXPECT_EQ(backup::timeStamp(QDateTime(c.day, c.time)), c.stamp);
    }
}

TEST(SafetyCopyName, NumbersCopiesAfterTheFirstOfOneSecond)
{
    const std::string stamp = "Tamsel Data Back-Up (Date 10-12-26) (Time 01-05-09 pm)";
    EXPECT_EQ(backup::safetyCopyName(stamp, 1), stamp + ".MDB");
    EXPECT_EQ(backup::safetyCopyName(stamp, 2), stamp + " (2).MDB");
    EXPECT_EQ(backup::safetyCopyName(stamp, 11), stamp + " (11).MDB");
}

} // namespace
