// The statements' rules: the balance sheet's sign per side, the rows of
// TempBS with the period's profit, and the period lines.
#include "statements/statement_rules.h"

#include <gtest/gtest.h>

using platform::Money;
using statements::MainTypeFigure;
using statements::TempBSRow;

TEST(BalanceSheetAmount, TurnsTheAssetsSideToDebitsMinusCredits)
{
    struct Case { int fsId; std::int64_t diff, shown; };
    const Case cases[] = {
        {1, -500, 500},   // an asset with a debit balance shows positive
        {1, 300, -300},   // an overdrawn asset shows negative
        {1, 0, 0},
        {2, 800, 800},    // capital and liabilities keep credits minus debits
        {2, -20, -20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.fsId << " diff " << c.diff);
        EXPECT_EQ(statements::balanceSheetAmount(c.fsId, Money::fromCents(c.diff)), Money::fromCents(c.shown));
    }
}

TEST(BalanceSheetRows, WriteTheProfitFirstThenTheBalanceSheetTypesWithTheirSign)
{
    const MainTypeFigure figs[] = {
        {101, "Fixed Assets", 10, 1, Money::fromCents(-5000)},
        {301, "Capital", 30, 2, Money::fromCents(8000)},
        {501, "Sales", 40, 3, Money::fromCents(1200)},
        {751, "Expenses", 55, 4, Money::fromCents(-1500)},
        {999, "No nature", 0, 0, Money::fromCents(77)},
    };
    const std::vector<TempBSRow> want = {
        {statements::kProfitTypeId, 30, "Profit / (Loss) For The Period", Money::fromCents(-300)},   // a loss
        {101, 10, "Fixed Assets", Money::fromCents(5000)},
        {301, 30, "Capital", Money::fromCents(8000)},
    };
    EXPECT_EQ(statements::balanceSheetRows(figs), want);
    EXPECT_EQ(statements::balanceSheetRows({}),
              (std::vector<TempBSRow>{{9999, 30, "Profit / (Loss) For The Period", Money{}}}));
}

TEST(PeriodLines, NameTheirDatesInWords)
{
    EXPECT_EQ(statements::periodEndedText(QDate(2026, 12, 10)), "For The Period Ended On  December 10, 2026");
    EXPECT_EQ(statements::periodBetweenText(QDate(2026, 7, 1), QDate(2027, 1, 5)),
              "For The Period From  July 01, 2026  To  January 05, 2027");
    EXPECT_EQ(statements::asOnText(QDate(2027, 6, 30)), "As On  June 30, 2027");
}
