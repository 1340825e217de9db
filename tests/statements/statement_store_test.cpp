// The statements' SQL on the statement book: each main type's credits minus
// debits for each kind of period, the income statement's grouped rows, and
// TempBS with the balance sheet's rows over it.
#include "statements/statement_store.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/statements/statement_book.h"
#include "tests/support/test_database.h"

using platform::Money;
using statements::MainTypeFigure;
using statements::StatementPeriod;
using testing_support::StatementBook;
namespace stm = testing_support::stm;

namespace {

QDate day(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

class StatementStore : public testing::Test {
protected:
    testing_support::TestDatabase t;
    StatementBook book{t.db()};

    std::vector<MainTypeFigure> figures(const char* from, const char* to)
    {
        StatementPeriod p{from ? std::optional<QDate>(day(from)) : std::nullopt, day(to)};
        return statements::mainTypeFigures(t.db(), testing_support::kYear, p);
    }
};

} // namespace

TEST_F(StatementStore, EachMainTypeCarriesItsCreditsMinusDebitsForEachPeriod)
{
    struct Case { const char* name; const char* from; const char* to; };
    const Case cases[] = {
        {"up to today: the opening voucher in, the post-dated voucher out", nullptr, stm::kToday},
        {"up to the year's end: the post-dated voucher in", nullptr, "2027-06-30"},
        {"up to the opening voucher's day", nullptr, "2026-06-30"},
        {"from the year's first day: the opening voucher out", "2026-07-01", "2027-06-30"},
        {"from the opening voucher's day", "2026-06-30", stm::kToday},
        {"a period cut early and late in its months", "2026-08-05", "2026-11-25"},
        {"a period cut mid-month", "2026-09-16", "2026-10-15"},
        {"one day", "2026-09-15", "2026-09-15"},
        {"a period without lines", "2027-02-01", "2027-03-31"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto got = figures(c.from, c.to);
        ASSERT_EQ(got.size(), std::size(stm::allTypes));   // every main type, by TypeID
        for (std::size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(got[i].typeId);
            EXPECT_EQ(got[i].typeId, stm::allTypes[i]);
            EXPECT_EQ(got[i].diff, book.diff(got[i].typeId, c.from ? c.from : "", c.to));
        }
    }
}

TEST_F(StatementStore, MainTypesCarryTheirNatureAndSideAndZeroWithoutLines)
{
    const auto got = figures(nullptr, "2027-06-30");
    const auto loans = std::find_if(got.begin(), got.end(), [](const auto& f) { return f.typeId == stm::Loans; });
    ASSERT_NE(loans, got.end());
    EXPECT_EQ(*loans, (MainTypeFigure{stm::Loans, "Long-Term Loans", 35, 2, Money{}}));
    for (const auto& f : got) {
        SCOPED_TRACE(f.typeId);
        EXPECT_EQ(f.fsId, f.typeId < 300 ? 1 : f.typeId < 500 ? 2 : f.typeId < 650 ? 3 : 4);
    }
}

TEST_F(StatementStore, IncomeStatementRowsGroupTheMainTypesUnderNaturesAndSides)
{
    const auto figs = figures(nullptr, stm::kToday);
    const auto h = statements::incomeStatementRows(t.db(), figs);
    ASSERT_EQ(h.levelCount(), 3);
    const auto text = [&](int level, platform::Bookmark row, const char* column) {
        return h.value(level, row, h.columnIndex(level, column)).toText();
    };
    std::vector<std::string> seen;
    for (const auto side : h.topRows()) {
        seen.push_back("side " + text(0, side, "FSType"));
        for (const auto nature : h.childRows(0, side)) {
            seen.push_back("nature " + text(1, nature, "AccNatureTop"));
            for (const auto type : h.childRows(1, nature))
                seen.push_back(text(2, type, "Type") + " " + text(2, type, "Diff"));
        }
    }
    const auto diff = [&](std::int64_t type) { return std::to_string(book.diff(type, "", stm::kToday).cents()); };
    const std::vector<std::string> want = {
        "side Revenue", "nature Sales", "Sales " + diff(stm::Sales), "nature Other Income",
        "Other Income " + diff(stm::OtherIncome), "side Expenses", "nature Cost of Sales",
        "Purchases " + diff(stm::Purchases), "nature Operating Expenses", "Expenses " + diff(stm::Expenses),
        "nature Financial Charges"};
    EXPECT_EQ(seen, want);
}

TEST_F(StatementStore, TempBSIsReplacedAndReadBackUnderItsNatures)
{
    const std::vector<statements::TempBSRow> old = {{statements::kProfitTypeId, 30, "old", Money::fromCents(1)}};
    {
        platform::Transaction tx(t.db());
        statements::writeTempBS(tx, old);
        tx.commit();
    }
    const auto rows = statements::balanceSheetRows(figures(nullptr, stm::kToday));
    {
        platform::Transaction tx(t.db());
        statements::writeTempBS(tx, rows);
        tx.commit();
    }
    EXPECT_EQ(t.db().scalar("SELECT COUNT(*) FROM TempBS").toInt(), static_cast<std::int64_t>(rows.size()));
    EXPECT_EQ(t.db().scalar("SELECT COUNT(*) FROM TempBS WHERE Type = 'old'").toInt(), 0);

    const auto h = statements::balanceSheetReportRows(t.db());
    std::vector<std::string> capitalNature;
    for (const auto side : h.topRows())
        for (const auto nature : h.childRows(0, side))
            if (h.value(1, nature, h.columnIndex(1, "NatureID")).toInt() == statements::kProfitNature)
                for (const auto row : h.childRows(1, nature))
                    capitalNature.push_back(h.value(2, row, h.columnIndex(2, "Type")).toText());
    // The profit row, written first, prints after its nature's main types.
    EXPECT_EQ(capitalNature, (std::vector<std::string>{"Capital", statements::kProfitText}));
}

TEST_F(StatementStore, TheBalanceSheetBalancesAndItsProfitIsTheIncomeStatementsNet)
{
    for (const char* to : {"2026-06-30", "2026-09-15", stm::kToday, "2027-06-30"}) {
        SCOPED_TRACE(to);
        const auto figs = figures(nullptr, to);
        Money sides[3], net;
        for (const auto& r : statements::balanceSheetRows(figs)) {
            const auto f = std::find_if(figs.begin(), figs.end(), [&](const auto& x) { return x.typeId == r.typeId; });
            sides[f == figs.end() ? 2 : f->fsId] += r.balance;   // the profit row stands under nature 30, side 2
        }
        for (const auto& f : figs)
            if (f.fsId >= 3)
                net += f.diff;
        EXPECT_EQ(sides[1], sides[2]);
        EXPECT_EQ(statements::periodProfit(figs), net);
        EXPECT_FALSE(sides[1].isZero());
    }
}
