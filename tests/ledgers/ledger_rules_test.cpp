// Running differences and totals of a ledger.
#include "ledgers/ledger_rules.h"

#include <vector>

#include <gtest/gtest.h>

#include "ledgers/balance.h"

using platform::Money;

namespace {
ledgers::LedgerLine line(std::int64_t debit, std::int64_t credit)
{
    ledgers::LedgerLine l;
    l.debit = Money::fromCents(debit);
    l.credit = Money::fromCents(credit);
    return l;
}
} // namespace

TEST(RunBalances, RunsFromTheBroughtForwardBalanceThroughZeroAndAcrossIt)
{
    // Brought forward 1000.00; the third line takes the balance to exactly
    // zero (a debit balance), the fourth across it to the credit side.
    std::vector<ledgers::LedgerLine> lines = {line(20000, 0), line(0, 5000), line(0, 115000), line(0, 2500),
                                              line(4000, 0)};
    struct Expected { std::int64_t running; ledgers::Side side; };
    const Expected expected[] = {{120000, ledgers::Side::Debit}, {115000, ledgers::Side::Debit},
                                 {0, ledgers::Side::Debit}, {-2500, ledgers::Side::Credit},
                                 {1500, ledgers::Side::Debit}};
    const auto totals = ledgers::runBalances(Money::fromCents(100000), lines);
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].running, Money::fromCents(expected[i].running));
        EXPECT_EQ(ledgers::balanceOf(lines[i].running).side, expected[i].side);
    }
    EXPECT_EQ(totals, (ledgers::LedgerTotals{Money::fromCents(24000), Money::fromCents(122500),
                                             Money::fromCents(1500)}));
}

TEST(RunBalances, WithoutLinesClosesAtTheBroughtForwardBalance)
{
    for (const std::int64_t bf : {0, 7000, -7000}) {
        SCOPED_TRACE(bf);
        const auto totals = ledgers::runBalances(Money::fromCents(bf), {});
        EXPECT_EQ(totals, (ledgers::LedgerTotals{Money{}, Money{}, Money::fromCents(bf)}));
    }
}

TEST(References, NameTheVoucherByItsKindAndDocumentNumber)
{
    const ledgers::KindNames kinds = {{27, {"Cash Payment Voucher", "CPV"}}, {11, {"Opening Balance", "OB"}}};
    struct Case { int type; std::int64_t docNo; const char* longRef; const char* shortRef; };
    const Case cases[] = {
        {27, 12, "Cash Payment Voucher No. 12", "CPV 12"},
        {11, 1, "Opening Balance No. 1", "OB 1"},
        {99, 3, " No. 3", " 3"},   // a kind without a name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ledgers::LedgerLine l;
        l.tranType = c.type;
        l.docNo = c.docNo;
        EXPECT_EQ(ledgers::longReference(kinds, l), c.longRef);
        EXPECT_EQ(ledgers::shortReference(kinds, l), c.shortRef);
    }
}
