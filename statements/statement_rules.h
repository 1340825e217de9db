// The figures of the income statement and the balance sheet that need no
// database: the balance sheet's sign of each side, the profit of a period,
// the rows of TempBS and the period lines under the titles. The per-main-type
// sums themselves are statement_store's.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QDate>
#include <QString>

#include "platform/text/money.h"

namespace statements {

// The counted lines a statement reads: those dated from `from` (none: from
// the year's first line, the opening-balance voucher included) to `to`, both
// ends included.
struct StatementPeriod {
    std::optional<QDate> from;
    QDate to;
};

// The statement sides of FS: 1 and 2 the balance sheet, 3 and 4 the income statement.
inline constexpr int kAssetsSide = 1;
inline constexpr int kEquityAndLiabilitiesSide = 2;
inline constexpr int kRevenueSide = 3;
inline constexpr int kExpensesSide = 4;
// The nature under which the balance sheet carries the period's profit, and the
// TempBS row that holds it.
inline constexpr std::int64_t kProfitNature = 30;
inline constexpr std::int64_t kProfitTypeId = 9999;
inline constexpr const char* kProfitText = "Profit / (Loss) For The Period";

// One main type with the credits minus the debits of its accounts' counted
// lines in a period (0 without lines).
struct MainTypeFigure {
    std::int64_t typeId = 0;
    std::string type;
    std::int64_t natureId = 0;
    int fsId = 0;                 // its nature's side; 0 for a main type without a nature
    platform::Money diff;         // credits minus debits
    friend bool operator==(const MainTypeFigure&, const MainTypeFigure&) = default;
};

// True for the income-statement sides 3 and 4.
bool onIncomeStatement(int fsId);
// True for the balance-sheet sides 1 and 2.
bool onBalanceSheet(int fsId);

// The balance sheet's amount of a main type on side `fsId` whose credits minus
// debits are `diff`: side 1 shows debits minus credits (diff negated), side 2
// credits minus debits. Throws std::overflow_error for the one value that
// cannot be negated.
platform::Money balanceSheetAmount(int fsId, platform::Money diff);

// The profit of the period: the credits minus the debits of the main types on
// the income-statement sides (a loss is negative). Throws std::overflow_error.
platform::Money periodProfit(std::span<const MainTypeFigure> figures);

// A row of TempBS.
struct TempBSRow {
    std::int64_t typeId = 0;
    std::int64_t natureId = 0;
    std::string type;
    platform::Money balance;
    friend bool operator==(const TempBSRow&, const TempBSRow&) = default;
};
// The rows of TempBS for `figures` (in ascending TypeID): first the profit row
// (9999 under nature 30 with the period's profit), then one row for every main
// type on side 1 or 2 with its balance-sheet amount. Throws std::overflow_error.
std::vector<TempBSRow> balanceSheetRows(std::span<const MainTypeFigure> figures);

// The period lines, dates "mmmm dd, yyyy": "For The Period Ended On  " + day;
// "For The Period From  " + from + "  To  " + to; "As On  " + day.
QString periodEndedText(const QDate& day);
QString periodBetweenText(const QDate& from, const QDate& to);
QString asOnText(const QDate& day);

} // namespace statements
