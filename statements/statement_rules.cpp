// Balance-sheet signs, the period's profit, TempBS rows and period lines.
#include "statements/statement_rules.h"

#include "platform/text/formats.h"

namespace statements {
namespace {
constexpr const char* kDay = "mmmm dd, yyyy";
}

bool onIncomeStatement(int fsId)
{
    return fsId == kRevenueSide || fsId == kExpensesSide;
}

bool onBalanceSheet(int fsId)
{
    return fsId == kAssetsSide || fsId == kEquityAndLiabilitiesSide;
}

platform::Money balanceSheetAmount(int fsId, platform::Money diff)
{
    return fsId == kAssetsSide ? -diff : diff;
}

platform::Money periodProfit(std::span<const MainTypeFigure> figures)
{
    platform::Money profit;
    for (const MainTypeFigure& f : figures)
        if (onIncomeStatement(f.fsId))
            profit += f.diff;
    return profit;
}

std::vector<TempBSRow> balanceSheetRows(std::span<const MainTypeFigure> figures)
{
    std::vector<TempBSRow> rows;
    rows.push_back({kProfitTypeId, kProfitNature, kProfitText, periodProfit(figures)});
    for (const MainTypeFigure& f : figures)
        if (onBalanceSheet(f.fsId))
            rows.push_back({f.typeId, f.natureId, f.type, balanceSheetAmount(f.fsId, f.diff)});
    return rows;
}

QString periodEndedText(const QDate& day)
{
    return QStringLiteral("For The Period Ended On  ") + platform::formatDate(day, kDay);
}

QString periodBetweenText(const QDate& from, const QDate& to)
{
    return QStringLiteral("For The Period From  ") + platform::formatDate(from, kDay) + QStringLiteral("  To  ")
           + platform::formatDate(to, kDay);
}

QString asOnText(const QDate& day)
{
    return QStringLiteral("As On  ") + platform::formatDate(day, kDay);
}

} // namespace statements
