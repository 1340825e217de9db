// The printed opening balances over a delivered database: the nets of main
// types and sub types with their status, the lines, the totals, the captions.
#include "reports/accounts/acc_ob.h"

#include <optional>

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include "accounts/opening_balance_store.h"
#include "main/year_store.h"
#include "platform/data/hierarchy.h"
#include "tests/support/chart_rows.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"

using testing_support::documentTexts;
using testing_support::pageTexts;
using testing_support::TestDatabase;

namespace {

const QDate kPrinted{2026, 12, 10};

class AccOB : public testing::Test {
protected:
    AccOB()
    {
        testing_support::addChart(t.db(), {{101, "Land"}, {10101, "Freehold"}, {10101001, "Plot A"},
                                           {10101002, "Plot B"}, {10102, "Leasehold"}, {10102001, "Shop Lease"},
                                           {102, "Machinery"}, {10201, "Plant"}, {10201001, "Lathe"},
                                           {201, "Cash and Bank"}, {20101, "Cash"}, {20101001, "Cash in Hand"},
                                           {20101002, "Petty Cash"}, {20102, "Bank"}, {20102001, "Current Account"}});
        tranNo = *app::openingVoucherOf(t.db(), 1);
    }

    // A line of the year's opening voucher; amounts in cents, none for empty.
    void line(std::int64_t code, std::optional<std::int64_t> debit, std::optional<std::int64_t> credit)
    {
        const auto amount = [](std::optional<std::int64_t> a) { return a ? platform::Value(*a) : platform::Value(); };
        t.db().exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit)"
                    " VALUES (?, ?, 'as typed', 'Balance Brought Forward', ?, ?)",
                    {tranNo, code, amount(debit), amount(credit)});
    }

    report::Document print()
    {
        platform::Hierarchy AOB = accounts::openOpeningBalancesPrint(t.db(), 1, tranNo);
        const auto feed = account_reports::AccOB(AOB, {"Tamsel Traders", "Ali", "$", QDate(2026, 7, 1)});
        return feed->layOut(kPrinted);
    }

    TestDatabase t;
    std::int64_t tranNo = 0;
};

} // namespace

TEST_F(AccOB, PrintsEachMainTypeAndSubTypeWithItsNetTheLinesAndTheTotals)
{
    line(10101001, 150000, std::nullopt);
    line(10101002, std::nullopt, 50000);
    line(10102001, std::nullopt, 200000);
    line(20101001, 123456, std::nullopt);
    line(20101002, std::nullopt, std::nullopt);   // an account without amounts
    line(20102001, 5000, std::nullopt);
    line(20102001, std::nullopt, 5000);           // nets to zero, a debit balance

    const report::Document doc = print();
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.caption, "Accounts Opening Balances");
    const QStringList heads{"Acc Code", "Account Name", "Debit $", "Credit $"};
    const QStringList expected =
        QStringList{"Tamsel Traders", "Accounts Opening Balances", "As On Jul 01, 2026"}
        // Land: 1,500.00 - 500.00 - 2,000.00 is a credit of 1,000.00.
        + QStringList{"101", "Land", "1,000.00", "Credit"}
        + QStringList{"10101", "Freehold", "1,000.00", "Debit"} + heads
        + QStringList{"10101001", "Plot A", "1,500.00", "10101002", "Plot B", "500.00"}
        + QStringList{"10102", "Leasehold", "2,000.00", "Credit"} + heads
        + QStringList{"10102001", "Shop Lease", "2,000.00"}
        // Machinery has no opening lines and is left out.
        + QStringList{"201", "Cash and Bank", "1,234.56", "Debit"}
        + QStringList{"20101", "Cash", "1,234.56", "Debit"} + heads
        + QStringList{"20101001", "Cash in Hand", "1,234.56", "20101002", "Petty Cash"}
        + QStringList{"20102", "Bank", "0.00", "Debit"} + heads
        + QStringList{"20102001", "Current Account", "50.00", "20102001", "Current Account", "50.00"}
        + QStringList{"Totals  $", "2,784.56", "2,550.00"}
        + QStringList{"Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"};
    EXPECT_EQ(pageTexts(doc, 0), expected);
}

TEST_F(AccOB, LeavesOutLinesOfOtherVouchers)
{
    line(10101001, 10000, std::nullopt);
    // A voucher of another kind in the same year, with a line on the same account.
    t.db().exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-08-01', 41, 1)");
    t.db().exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, Debit) VALUES (?, 10101001, 'x', 99900)",
                {t.db().lastInsertId()});

    const QStringList texts = documentTexts(print());
    EXPECT_TRUE(texts.contains("100.00"));
    EXPECT_FALSE(texts.contains("999.00"));
    EXPECT_FALSE(texts.contains("1,099.00"));
}

TEST_F(AccOB, PrintsItsCaptionsOnAYearWithoutLines)
{
    const QStringList texts = documentTexts(print());
    EXPECT_EQ(texts, (QStringList{"Tamsel Traders", "Accounts Opening Balances", "As On Jul 01, 2026", "Totals  $",
                                  "0.00", "0.00", "Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"}));
}
