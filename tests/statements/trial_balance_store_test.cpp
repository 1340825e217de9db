// The trial balance's SQL on the hand-made book: each selection and period,
// the six-column identities, the accounts each layout lists, and agreement
// with the account ledger.
#include "statements/trial_balance_store.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "ledgers/ledger_store.h"
#include "platform/text/formats.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"

using platform::Money;
using statements::AccountSelection;
using testing_support::HandBook;
namespace acc = testing_support::acc;

namespace {

QDate day(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

bool inSelection(const testing_support::ChartPlace& a, const AccountSelection& s)
{
    switch (s.kind) {
    case AccountSelection::Kind::All: return a.level1 > 0;
    case AccountSelection::Kind::MainType: return a.level1 == s.id;
    case AccountSelection::Kind::SubType: return a.level2 == s.id;
    case AccountSelection::Kind::Range: return a.code >= s.fromCode && a.code <= s.toCode;
    }
    return false;
}

class TrialBalanceStore : public testing::Test {
protected:
    testing_support::TestDatabase t;
    HandBook book{t.db()};

    // The six-column rows worked out from the book: every account of the
    // selection whose opening, period debits or period credits are not zero.
    std::vector<statements::AccountFigures> expected(const char* from, const char* to, const AccountSelection& s)
    {
        std::vector<statements::AccountFigures> rows;
        const std::string before = testing_support::dayBefore(from);
        for (const auto& a : testing_support::kChart) {
            if (!inSelection(a, s))
                continue;
            statements::AccountFigures f;
            f.accCode = a.code;
            f.opening = book.difference(a.code, "", before);
            f.debits = book.debits(a.code, from, to);
            f.credits = book.credits(a.code, from, to);
            f.closing = book.difference(a.code, "", to);
            if (!f.opening.isZero() || !f.debits.isZero() || !f.credits.isZero())
                rows.push_back(f);
        }
        return rows;
    }
};

} // namespace

TEST_F(TrialBalanceStore, SixColumnsForEachSelectionAndPeriodAgreeWithTheBook)
{
    struct Case { const char* name; AccountSelection selection; const char* from; const char* to; };
    const Case cases[] = {
        {"all, whole year", AccountSelection::all(), "2026-07-01", "2027-06-30"},
        {"all, a period", AccountSelection::all(), "2026-09-02", "2026-12-31"},
        {"all, one day", AccountSelection::all(), "2026-08-10", "2026-08-10"},
        // The month a cut falls in is read from its lines, from the month's
        // start up to the cut or, late in a month, from the cut to its end.
        {"all, cuts late in their months", AccountSelection::all(), "2026-07-20", "2026-11-29"},
        {"all, cuts mid-month", AccountSelection::all(), "2026-09-16", "2027-01-20"},
        {"all, from before the year", AccountSelection::all(), "2026-06-15", "2026-09-01"},
        {"main type", AccountSelection::mainType(testing_support::kAssets), "2026-07-01", "2027-06-30"},
        {"main type, period", AccountSelection::mainType(testing_support::kExpenses), "2026-09-02", "2027-06-30"},
        {"sub type", AccountSelection::subType(testing_support::kCashAndBank), "2026-07-01", "2026-12-31"},
        {"sub type without lines", AccountSelection::subType(999), "2026-07-01", "2027-06-30"},
        {"range, both ends included", AccountSelection::range(acc::Bank, acc::Sales), "2026-07-01", "2027-06-30"},
        {"range of one", AccountSelection::range(acc::Rent, acc::Rent), "2026-07-01", "2027-06-30"},
        {"range from above to", AccountSelection::range(acc::Sales, acc::Bank), "2026-07-01", "2027-06-30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tb = statements::trialBalance(t.db(), testing_support::kYear, day(c.from), day(c.to), c.selection);
        const auto want = expected(c.from, c.to, c.selection);
        ASSERT_EQ(tb.rows.size(), want.size());
        Money opening, debits, credits, closing;
        for (std::size_t i = 0; i < want.size(); ++i) {
            SCOPED_TRACE(want[i].accCode);
            const auto& got = tb.rows[i];
            EXPECT_EQ(got.accCode, want[i].accCode);   // in code order
            EXPECT_EQ(got.opening, want[i].opening);
            EXPECT_EQ(got.debits, want[i].debits);
            EXPECT_EQ(got.credits, want[i].credits);
            EXPECT_EQ(got.closing, want[i].closing);
            EXPECT_EQ(got.opening + got.debits - got.credits, got.closing);
            opening += want[i].opening;
            debits += want[i].debits;
            credits += want[i].credits;
            closing += want[i].closing;
        }
        EXPECT_EQ(tb.totals.opening, opening);
        EXPECT_EQ(tb.totals.debits, debits);
        EXPECT_EQ(tb.totals.credits, credits);
        EXPECT_EQ(tb.totals.closing, closing);
        EXPECT_EQ(tb.totals.opening + tb.totals.debits - tb.totals.credits, tb.totals.closing);
    }
}

TEST_F(TrialBalanceStore, TheWholeBookBalancesAndTheOpeningColumnsHoldTheOpeningVoucher)
{
    const auto tb = statements::trialBalance(t.db(), testing_support::kYear, day("2026-07-01"), day("2027-06-30"),
                                             AccountSelection::all());
    EXPECT_EQ(tb.totals.opening, Money{});   // every counted voucher balances
    EXPECT_EQ(tb.totals.closing, Money{});
    EXPECT_EQ(tb.totals.twoColumnDebit, tb.totals.twoColumnCredit);
    for (const auto& row : tb.rows) {
        SCOPED_TRACE(row.accCode);
        EXPECT_EQ(row.opening, book.difference(row.accCode, "2026-06-30", "2026-06-30"));
        EXPECT_EQ(row.level1Id, std::find_if(std::begin(testing_support::kChart), std::end(testing_support::kChart),
                                             [&](const auto& a) { return a.code == row.accCode; })->level1);
    }
}

TEST_F(TrialBalanceStore, AnAccountClosingAtZeroStaysInSixColumnsAndLeavesTwo)
{
    // On 10 August the book's rent empties the cash: opening, debits and
    // credits are not zero, the closing is.
    const auto tb = statements::trialBalance(t.db(), testing_support::kYear, day("2026-08-01"), day("2026-08-10"),
                                             AccountSelection::all());
    const auto cash = std::find_if(tb.rows.begin(), tb.rows.end(), [](const auto& r) { return r.accCode == acc::Cash; });
    ASSERT_NE(cash, tb.rows.end());
    EXPECT_TRUE(cash->closing.isZero());
    EXPECT_FALSE(cash->credits.isZero());
    EXPECT_FALSE(statements::listedInTwoColumns(*cash));
}

TEST_F(TrialBalanceStore, TwoColumnsSplitEachNonZeroClosingByItsSide)
{
    for (const char* to : {"2026-06-30", "2026-08-10", "2026-09-30", "2027-06-30"}) {
        SCOPED_TRACE(to);
        const auto tb = statements::trialBalance(t.db(), testing_support::kYear, day("2026-07-01"), day(to),
                                                 AccountSelection::all());
        std::vector<std::int64_t> listed;
        Money debit, credit;
        for (const auto& row : tb.rows) {
            if (!statements::listedInTwoColumns(row))
                continue;
            listed.push_back(row.accCode);
            const Money closing = book.difference(row.accCode, "", to);
            const auto cells = statements::twoColumnSplit(row.closing);
            if (closing > Money{}) {
                EXPECT_EQ(cells.debit, closing);
                EXPECT_FALSE(cells.credit);
                debit += closing;
            } else {
                EXPECT_EQ(cells.credit, -closing);
                EXPECT_FALSE(cells.debit);
                credit -= closing;
            }
        }
        std::vector<std::int64_t> want;
        for (const auto& a : testing_support::kChart)
            if (!book.difference(a.code, "", to).isZero())
                want.push_back(a.code);
        EXPECT_EQ(listed, want);
        EXPECT_EQ(tb.totals.twoColumnDebit, debit);
        EXPECT_EQ(tb.totals.twoColumnCredit, credit);
    }
}

TEST_F(TrialBalanceStore, ClosingAgreesWithTheLedgerOfTheSameAccountAndDate)
{
    for (const char* to : {"2026-06-30", "2026-08-10", "2026-09-15", "2026-11-30", "2027-06-30"}) {
        const auto tb = statements::trialBalance(t.db(), testing_support::kYear, day("2026-07-01"), day(to),
                                                 AccountSelection::all());
        for (const std::int64_t account : acc::all) {
            SCOPED_TRACE(testing::Message() << to << " " << account);
            const auto ledger = ledgers::buildLedger(t.db(), testing_support::kYear, account,
                                                     ledgers::DateRange{day("2026-07-01"), day(to)});
            const auto row = std::find_if(tb.rows.begin(), tb.rows.end(),
                                          [&](const auto& r) { return r.accCode == account; });
            const Money tbClosing = row == tb.rows.end() ? Money{} : row->closing;
            EXPECT_EQ(ledger.totals.closing, tbClosing);
            EXPECT_EQ(ledger.totals.closing, book.difference(account, "", to));
        }
    }
}

TEST_F(TrialBalanceStore, SelectionListsOfferMainTypesWithTheirNatureAndSubTypesByName)
{
    std::vector<std::string> types;
    for (const auto& m : statements::mainTypes(t.db()))
        types.push_back(m.text);
    EXPECT_EQ(types, (std::vector<std::string>{"Cash and Receivables (Current Assets)", "Expenses (Operating Expenses)",
                                               "Sales (Sales)"}));
    std::vector<std::string> subs;
    for (const auto& s : statements::subTypesOf(t.db(), testing_support::kAssets))
        subs.push_back(s.name);
    EXPECT_EQ(subs, (std::vector<std::string>{"Cash and Bank", "Receivables"}));
    EXPECT_TRUE(statements::subTypesOf(t.db(), 999).empty());
}

TEST(TrialBalanceCuts, EveryDayOfALeapYearCutsTheFiguresExactly)
{
    // One voucher a day over a year holding 29 February, each a different
    // amount, so a day counted twice or lost shows in every sum after it.
    testing_support::TestDatabase t;
    t.db().execScript(
        "INSERT INTO FinancialYear VALUES (2, '2027-07-01', '2028-06-30', '2027-28');"
        "INSERT INTO AccLevel1 (TypeID, Type, NatureID) SELECT 201, 'Assets', MIN(NatureID) FROM FSNature;"
        "INSERT INTO AccLevel2 VALUES (20101, 'Cash and Bank', 201);"
        "INSERT INTO AccLevel3 VALUES (20101001, 'Cash', 201, 20101), (20101002, 'Bank', 201, 20101);"
        "WITH RECURSIVE d(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM d WHERE i < 365)"
        " INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
        " SELECT i + 1, date('2027-07-01', '+' || i || ' days'), 41, 2, 0, 1 FROM d;"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit) SELECT TranNo, 20101001, 100 * DocNo"
        " FROM Transactions WHERE FYID = 2;"
        "INSERT INTO SubTransactions (TranNo, AccCode, Credit) SELECT TranNo, 20101002, 100 * DocNo"
        " FROM Transactions WHERE FYID = 2;"
        // Not counted: left out of every figure.
        "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
        " VALUES (900, '2028-02-29', 41, 2, 0, 0), (901, '2027-12-31', 41, 2, 1, 1);"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit) SELECT TranNo, 20101001, 7 FROM Transactions"
        " WHERE DocNo >= 900;");
    const QDate start(2027, 7, 1), end(2028, 6, 30);
    ASSERT_EQ(start.daysTo(end), 365);
    // Day i (0-based) debits Cash with (i + 1) whole units.
    auto sumTo = [](qint64 days) { return Money::fromCents(100 * days * (days + 1) / 2); };   // days 0 .. days-1
    const auto cash = AccountSelection::range(acc::Cash, acc::Cash);
    for (qint64 i = 0; i <= 365; ++i) {
        const QDate d = start.addDays(i);
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        const auto upTo = statements::trialBalance(t.db(), 2, start, d, cash);
        ASSERT_EQ(upTo.rows.size(), 1u);
        EXPECT_EQ(upTo.rows[0].closing, sumTo(i + 1));
        const auto from = statements::trialBalance(t.db(), 2, d, end, cash);
        ASSERT_EQ(from.rows.size(), 1u);
        EXPECT_EQ(from.rows[0].opening, sumTo(i));
        EXPECT_EQ(from.rows[0].debits, sumTo(366) - sumTo(i));
        EXPECT_EQ(from.rows[0].closing, sumTo(366));
    }
}
