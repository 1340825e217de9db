// The ledger's SQL on the hand-made book: what is listed, in which order,
// the brought-forward balance, the running differences and the totals.
#include "ledgers/ledger_store.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"

using ledgers::buildLedger;
using ledgers::DateRange;
using platform::Money;
using testing_support::HandBook;
namespace acc = testing_support::acc;

namespace {

QDate day(const std::string& iso)
{
    return QDate::fromString(QString::fromStdString(iso), Qt::ISODate);
}

class LedgerStore : public testing::Test {
protected:
    testing_support::TestDatabase t;
    HandBook book{t.db()};

    // The lines a ledger must list, with the running difference each must show.
    void expectLines(const ledgers::Ledger& got, std::int64_t account, const std::string& from,
                     const std::string& to, Money start)
    {
        const auto want = book.listedLines(account, from, to);
        ASSERT_EQ(got.lines.size(), want.size());
        Money running = start;
        for (std::size_t i = 0; i < want.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "line " << i);
            const Money dr = Money::fromCents(want[i].debit.value_or(0));
            const Money cr = Money::fromCents(want[i].credit.value_or(0));
            running += dr - cr;
            EXPECT_EQ(got.lines[i].debit, dr);
            EXPECT_EQ(got.lines[i].credit, cr);
            EXPECT_EQ(got.lines[i].running, running);
        }
        EXPECT_EQ(got.totals.totalDebit, book.debits(account, from, to));
        EXPECT_EQ(got.totals.totalCredit, book.credits(account, from, to));
        EXPECT_EQ(got.totals.closing, running);
    }
};

} // namespace

TEST_F(LedgerStore, WholeYearStartsWithTheOpeningVoucherAndCountsOnlyPostedUncancelledLinesOfTheYear)
{
    for (const std::int64_t account : acc::all) {
        SCOPED_TRACE(account);
        const auto ledger = buildLedger(t.db(), testing_support::kYear, account, std::nullopt);
        EXPECT_FALSE(ledger.broughtForward);
        expectLines(ledger, account, "", "", Money{});
        EXPECT_EQ(ledger.totals.closing, book.difference(account, "", ""));
    }

    const auto cash = buildLedger(t.db(), testing_support::kYear, acc::Cash, std::nullopt);
    ASSERT_FALSE(cash.lines.empty());
    EXPECT_EQ(cash.lines.front().tranType, 11);
    EXPECT_EQ(cash.lines.front().tranDate, "2026-06-30");
    EXPECT_EQ(ledgers::longReference(cash.kinds, cash.lines.front()), "Opening Balance No. 1");
    EXPECT_EQ(ledgers::shortReference(cash.kinds, cash.lines.front()), "OB 1");
    std::set<std::int32_t> uncounted;
    for (const auto& v : book.vouchers())
        if (!v.counted())
            uncounted.insert(v.tranNo);
    for (const auto& l : cash.lines) {
        EXPECT_FALSE(uncounted.count(l.tranNo)) << l.tranNo;
        EXPECT_FALSE(l.debit.isZero() && l.credit.isZero()) << "a line without amounts is listed";
    }
}

TEST_F(LedgerStore, RunningDifferenceReachesZeroOnASameDayLineAndCrossesIt)
{
    const auto cash = buildLedger(t.db(), testing_support::kYear, acc::Cash, std::nullopt);
    // The book's receipt and rent of 2026-08-10 come in the order written: the
    // receipt first, then the rent that empties the cash, then a payment below zero.
    std::vector<std::int64_t> runningOn0810;
    for (const auto& l : cash.lines)
        if (l.tranDate == "2026-08-10")
            runningOn0810.push_back(l.running.cents());
    const Money before = book.difference(acc::Cash, "", "2026-08-09");
    ASSERT_EQ(runningOn0810.size(), 2u);
    EXPECT_EQ(runningOn0810[0], before.cents() + 20000);   // the receipt of 200.00
    EXPECT_EQ(runningOn0810[1], 0);
    const auto after = std::find_if(cash.lines.begin(), cash.lines.end(),
                                    [](const auto& l) { return l.tranDate == "2026-09-01"; });
    ASSERT_NE(after, cash.lines.end());
    EXPECT_LT(after->running, Money{});
}

TEST_F(LedgerStore, PeriodBringsForwardTheEarlierLinesAndAgreesWithTheWholeYear)
{
    struct Case { std::int64_t account; const char* from; const char* to; bool broughtForward; };
    const Case cases[] = {
        {acc::Cash, "2026-07-01", "2027-06-30", true},    // the opening voucher only
        {acc::Cash, "2026-08-10", "2026-08-10", true},    // one day, both ends included
        {acc::Cash, "2026-09-02", "2026-12-31", true},    // brought forward on the credit side
        {acc::Cash, "2026-09-16", "2027-06-30", true},    // zero lines before: no effect
        {acc::Cash, "2026-10-06", "2027-06-30", true},    // unposted, cancelled, other year before it
        {acc::Sales, "2026-07-01", "2026-12-31", false},  // nothing before the period
        {acc::Sales, "2026-07-06", "2026-12-31", true},
        {acc::Idle, "2026-07-01", "2027-06-30", false},
        {acc::Bank, "2027-01-01", "2027-06-30", true},    // the period's only line is on its last day
        {acc::Rent, "2027-02-01", "2027-05-31", true},    // no line in the period
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.account << " " << c.from << ".." << c.to);
        const auto ledger = buildLedger(t.db(), testing_support::kYear, c.account, DateRange{day(c.from), day(c.to)});
        ASSERT_EQ(ledger.broughtForward.has_value(), c.broughtForward);
        const Money bf = book.difference(c.account, "", testing_support::dayBefore(c.from));
        if (c.broughtForward) {
            EXPECT_EQ(*ledger.broughtForward, bf);
        }
        expectLines(ledger, c.account, c.from, c.to, bf);
        // The same balance as the whole year's ledger shows at that date.
        EXPECT_EQ(ledger.totals.closing, book.difference(c.account, "", c.to));
    }
}

TEST_F(LedgerStore, PeriodThatEndsBeforeItStartsListsNothingAfterItsBroughtForwardBalance)
{
    const auto ledger =
        buildLedger(t.db(), testing_support::kYear, acc::Cash, DateRange{day("2026-09-02"), day("2026-08-01")});
    EXPECT_TRUE(ledger.lines.empty());
    ASSERT_TRUE(ledger.broughtForward);
    EXPECT_EQ(ledger.totals.closing, book.difference(acc::Cash, "", "2026-09-01"));
}

TEST_F(LedgerStore, OtherYearListsOnlyItsOwnVouchers)
{
    const auto ledger = buildLedger(t.db(), testing_support::kOtherYear, acc::Cash, std::nullopt);
    ASSERT_EQ(ledger.lines.size(), 1u);
    EXPECT_EQ(ledger.lines[0].debit, Money::fromCents(77700));
}
