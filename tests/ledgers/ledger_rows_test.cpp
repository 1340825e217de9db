// The rows of a built ledger as the printed ledger reads them.
#include "ledgers/ledger_rows.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using platform::Money;
using platform::Value;

namespace {
ledgers::LedgerLine line(std::int32_t tranNo, int type, std::int64_t docNo, std::int64_t debit, std::int64_t credit)
{
    ledgers::LedgerLine l;
    l.tranNo = tranNo;
    l.tranDate = "2026-08-10";
    l.tranType = type;
    l.docNo = docNo;
    l.desc = "line of " + std::to_string(tranNo);
    l.debit = Money::fromCents(debit);
    l.credit = Money::fromCents(credit);
    l.serial = tranNo * 10;
    return l;
}
} // namespace

TEST(LedgerRows, CarryEachLinesRunningBalanceAsAnAmountAndAStatus)
{
    // From 1.00 brought forward: up, to exactly zero, then across to the credit side.
    std::vector<ledgers::LedgerLine> lines = {line(5, 37, 3, 20000, 0), line(6, 27, 4, 0, 20100),
                                              line(7, 27, 5, 0, 2500)};
    ledgers::runBalances(Money::fromCents(100), lines);
    const ledgers::KindNames kinds = {{27, {"Cash Payment Voucher", "CPV"}}, {37, {"Cash Receipt Voucher", "CRV"}}};
    platform::Recordset rs = ledgers::ledgerRows(lines, kinds, 20101001, 1);

    EXPECT_EQ(rs.columnNames(), (std::vector<std::string>{"TranNo", "TranDate", "TranType", "TranRefLong",
                                                          "TranRefShort", "AccCode", "Desc", "Debit", "Credit",
                                                          "Balance", "Status", "Serial", "FYID", "Cancel", "Posted"}));
    struct Expected { std::int64_t balance; const char* status; const char* shortRef; };
    const Expected expected[] = {{20100, "Debit", "CRV 3"}, {0, "Debit", "CPV 4"}, {2500, "Credit", "CPV 5"}};
    ASSERT_EQ(rs.recordCount(), std::size(expected));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.shortRef);
        EXPECT_EQ(rs["Balance"], Value(e.balance));
        EXPECT_EQ(rs["Status"], Value(e.status));
        EXPECT_EQ(rs["TranRefShort"], Value(e.shortRef));
        rs.moveNext();
    }
    rs.moveFirst();
    EXPECT_EQ(rs["TranNo"], Value(5));
    EXPECT_EQ(rs["TranDate"], Value("2026-08-10"));
    EXPECT_EQ(rs["TranType"], Value(37));
    EXPECT_EQ(rs["TranRefLong"], Value("Cash Receipt Voucher No. 3"));
    EXPECT_EQ(rs["AccCode"], Value(std::int64_t{20101001}));
    EXPECT_EQ(rs["Desc"], Value("line of 5"));
    EXPECT_EQ(rs["Debit"], Value(20000));
    EXPECT_EQ(rs["Credit"], Value(0));
    EXPECT_EQ(rs["Serial"], Value(50));
    EXPECT_EQ(rs["FYID"], Value(1));
    EXPECT_EQ(rs["Cancel"], Value(0));
    EXPECT_EQ(rs["Posted"], Value(1));
}

TEST(LedgerRows, OfALedgerWithoutLinesAreOpenAndEmpty)
{
    const platform::Recordset rs = ledgers::ledgerRows({}, {}, 20101001, 1);
    EXPECT_TRUE(rs.isOpen());
    EXPECT_EQ(rs.recordCount(), 0u);
}
