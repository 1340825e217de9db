// The chart search filter: where the text may occur, literally and without
// regard to case.
#include "accounts/chart_search_rules.h"

#include <gtest/gtest.h>

using namespace accounts;

namespace {

ChartSearchRow row(std::int64_t code, const char* name, const char* subType, const char* mainType)
{
    return {code, QString::number(code) + QStringLiteral("  ") + QString::fromUtf8(name), code / 100000,
            QString::number(code / 100000) + QStringLiteral("  ") + QString::fromUtf8(mainType), code / 1000,
            QString::number(code / 1000) + QStringLiteral("  ") + QString::fromUtf8(subType)};
}

} // namespace

TEST(FilterChart, KeepsRowsWhoseAccountSubTypeOrMainTypeHoldsTheText)
{
    const std::vector<ChartSearchRow> rows{
        row(10101001, "Cash in Hand", "Cash and Bank", "Current Assets"),
        row(20201001, "Loan 101 account", "Loans", "Liabilities"),
        row(30101001, "Rent 50% share", "Expenses_Office", "Expenses"),
        row(30101002, "Rent 50 share", "ExpensesxOffice", "Expenses"),
        row(40101001, "Öffnung Kasse", "Über", "Ärger"),
        row(50101001, "", "Jim's", "Misc"),   // an account without a name
    };
    const std::pair<const char*, std::vector<std::size_t>> cases[] = {
        {"", {0, 1, 2, 3, 4, 5}},
        {"101", {0, 1, 2, 3, 4, 5}},         // codes of every level, and a name
        {"10101001", {0}},
        {"cash", {0}},                       // account and sub type alike, once
        {"CURRENT", {0}},                    // the main type's name
        {"loans", {1}},                      // the sub type's name
        {"50%", {2}},                        // not "50 share"
        {"_", {2}},
        {"'", {5}},
        {"50101001", {5}},                   // found by its code alone
        {"öffnung", {4}},
        {"äRGER", {4}},
        {"  Cash", {0}},                     // the two blanks between code and name
        {"nothing like it", {}},
    };
    for (const auto& [text, kept] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(filterChart(rows, QString::fromUtf8(text)), kept);
    }
}
