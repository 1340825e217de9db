// The printed day book laid out over a few lines: landscape, the period line,
// long names and descriptions growing to several lines, and the report footer's
// sums, a negative one with a leading minus sign.
#include "reports/ledgers/gj.h"

#include <gtest/gtest.h>

#include "platform/data/recordset.h"
#include "platform/report/report_feed.h"
#include "tests/support/page_rows.h"

using report::Document;

namespace {

const QDate kPrinted{2026, 12, 10};

platform::Recordset rowsOf(std::vector<platform::Recordset::Row> rows)
{
    return platform::Recordset::fromRows({"TranNo", "TranDate", "TranType", "TranRefShort", "AccCode", "AccName",
                                          "Desc", "Debit", "Credit"},
                                         std::move(rows));
}

Document print(platform::Recordset& data)
{
    const ledger_reports::GJSource window{"Tamsel Traders", "Ali", "Rs", QDate(2026, 7, 1), QDate(2026, 7, 31)};
    return ledger_reports::makeGJ(data, window)->layOut(kPrinted);
}

} // namespace

TEST(GJReport, PrintsLandscapeWithThePeriodTheLinesAndTheirSums)
{
    const std::string longName = "Account with a name much too long for its column on the printed day book";
    platform::Recordset data = rowsOf({
        {7, "2026-07-05", 41, "JV 10", 20101001, longName, "first", 123456, 0},
        {7, "2026-07-05", 41, "JV 10", 50101001, "Sales", "second", 0, 123456},
    });
    const Document doc = print(data);
    EXPECT_EQ(doc.orientation, QPageLayout::Landscape);
    EXPECT_GT(doc.pageWidth, doc.pageHeight);
    EXPECT_EQ(doc.caption, "General Journal");
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto rows = testing_support::rowsOf(doc.pages[0]);
    ASSERT_GE(rows.size(), 9u);
    EXPECT_EQ(rows[2], QStringList{"For The Period From  July 01, 2026  To  July 31, 2026"});
    EXPECT_EQ(rows[4].front(), "JV 10");
    EXPECT_EQ(rows[4].back(), "0.00");
    EXPECT_TRUE(rows[4].contains("1,234.56"));
    // The long name goes on below its first line, and the next line below it.
    EXPECT_EQ(rows[5].size(), 1);
    EXPECT_EQ(rows[6].front(), "JV 10");
    EXPECT_TRUE(rows[6].contains("Sales"));
    EXPECT_EQ(rows[7], (QStringList{"Totals  Rs", "1,234.56", "1,234.56"}));
}

TEST(GJReport, ShowsANegativeSumWithAMinusSign)
{
    platform::Recordset data = rowsOf({
        {8, "2026-07-06", 41, "JV 11", 20101001, "Cash", "refund", -5000, 0},
        {8, "2026-07-06", 41, "JV 11", 50101001, "Sales", "refund", 0, -5000},
    });
    const auto rows = testing_support::rowsOf(print(data).pages[0]);
    EXPECT_TRUE(rows[4].contains("(50.00)"));
    EXPECT_EQ(rows[6], (QStringList{"Totals  Rs", "-50.00", "-50.00"}));
}
