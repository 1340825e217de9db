// The printed account ledger laid out over a small ledger: the header's account
// and period, the brought-forward line on every page, one line per row with its
// running balance and status, the totals, and the page footer on every page.
#include "reports/ledgers/acc_ledger.h"

#include <utility>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "ledgers/balance.h"
#include "ledgers/ledger_rows.h"
#include "platform/data/recordset.h"
#include "platform/report/report_feed.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "tests/support/page_rows.h"

using ledger_reports::AccLedgerSource;
using platform::Money;
using report::Document;
using report::TextRun;

namespace {

const QDate kPrinted{2026, 12, 10};

ledgers::LedgerLine line(const char* date, int type, std::int64_t docNo, const char* desc, std::int64_t debit,
                         std::int64_t credit)
{
    ledgers::LedgerLine l;
    l.tranNo = static_cast<std::int32_t>(docNo + 100);
    l.tranDate = date;
    l.tranType = type;
    l.docNo = docNo;
    l.desc = desc;
    l.debit = Money::fromCents(debit);
    l.credit = Money::fromCents(credit);
    return l;
}

// A ledger as the window holds it after a build, with what the report reads
// from the window worked out by the balance convention.
struct SmallLedger {
    std::vector<ledgers::LedgerLine> lines;
    platform::Recordset rows;
    AccLedgerSource window;

    SmallLedger(std::optional<Money> broughtForward, std::vector<ledgers::LedgerLine> ls,
                std::optional<AccLedgerSource::Period> period)
        : lines(std::move(ls))
    {
        const auto totals = ledgers::runBalances(broughtForward.value_or(Money{}), lines);
        const ledgers::KindNames kinds = {{27, {"Cash Payment Voucher", "CPV"}}, {37, {"Cash Receipt Voucher", "CRV"}}};
        rows = ledgers::ledgerRows(lines, kinds, 20101001, 1);
        window.bizName = "Tamsel Traders";
        window.user = "Ali";
        window.currencySymbol = "Rs";
        window.accCode = "20101001";
        window.accName = "Cash in Hand";
        window.period = period;
        if (broughtForward) {
            const auto bf = ledgers::balanceOf(*broughtForward);
            window.broughtForwardText = "Balance Brought Forward  ";
            window.broughtForward = bf.amount;
            window.broughtForwardStatus = ledgers::statusText(bf.side);
        }
        const auto closing = ledgers::balanceOf(totals.closing);
        window.closing = closing.amount;
        window.closingStatus = ledgers::statusText(closing.side);
    }

    Document layOut()
    {
        return ledger_reports::makeAccLedger(rows, window)->layOut(kPrinted);
    }
};

// The texts of each page, row by row.
std::vector<std::vector<QStringList>> rowsOf(const Document& doc)
{
    std::vector<std::vector<QStringList>> pages;
    for (const auto& page : doc.pages)
        pages.push_back(testing_support::rowsOf(page));
    return pages;
}

class AccLedgerReport : public testing::Test {
protected:
    void SetUp() override { shell::setToday(kPrinted); }
};

} // namespace

TEST_F(AccLedgerReport, PrintsAPeriodWithItsBroughtForwardLineRunningBalancesAndTotals)
{
    // Brought forward 500.00 credit; the first line turns it to a debit, the
    // second takes it to exactly zero (a debit balance), the third across it.
    SmallLedger l(Money::fromCents(-50000),
                  {line("2026-09-02", 37, 3, "Cash from Customer_A", 120000, 0),
                   line("2026-09-02", 27, 7, "Rent for August", 0, 70000),
                   line("2026-10-15", 27, 8, "Wages for September", 0, 234567)},
                  AccLedgerSource::Period{QDate(2026, 9, 2), QDate(2026, 12, 31)});
    const auto pages = rowsOf(l.layOut());
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<QStringList> want = {
        {"Tamsel Traders"},
        {"20101001", "Cash in Hand"},
        {"Ledger For The Period From  September 02, 2026  To  December 31, 2026"},
        {"Date", "Tran. No.", "Description", "Debit Rs", "Credit Rs", "Balance Rs"},
        {"Balance Brought Forward  ", "500.00", "Credit"},
        {"02-09-26", "CRV 3", "Cash from Customer_A", "1,200.00", "0.00", "700.00", "Debit"},
        {"02-09-26", "CPV 7", "Rent for August", "0.00", "700.00", "0.00", "Debit"},
        {"15-10-26", "CPV 8", "Wages for September", "0.00", "2,345.67", "2,345.67", "Credit"},
        {"Totals  Rs", "1,200.00", "3,045.67", "2,345.67", "Credit"},
        {"Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"},
    };
    EXPECT_EQ(pages.front(), want);
}

TEST_F(AccLedgerReport, AWholeYearEndsTodayAndHasNoBroughtForwardLine)
{
    SmallLedger l(std::nullopt, {line("2026-06-30", 27, 1, "Opening", 100000, 0)}, std::nullopt);
    const auto pages = rowsOf(l.layOut());
    ASSERT_EQ(pages.size(), 1u);
    const auto& rows = pages.front();
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[2], QStringList{"Ledger For The Period Ended On  December 10, 2026"});
    EXPECT_EQ(rows[3].front(), "Date");
    EXPECT_EQ(rows[4], (QStringList{"30-06-26", "CPV 1", "Opening", "1,000.00", "0.00", "1,000.00", "Debit"}));
}

TEST_F(AccLedgerReport, RepeatsTheHeaderBroughtForwardLineAndFooterOnEveryPage)
{
    std::vector<ledgers::LedgerLine> lines;
    for (int i = 1; i <= 150; ++i)
        lines.push_back(line("2026-09-03", 27, i, "Petty expense", 0, 1000));
    SmallLedger l(Money::fromCents(200000), std::move(lines),
                  AccLedgerSource::Period{QDate(2026, 9, 2), QDate(2026, 9, 30)});
    const Document doc = l.layOut();
    const auto pages = rowsOf(doc);
    ASSERT_GT(pages.size(), 2u);
    const QString count = QString::number(pages.size());
    const QStringList captions = {"Date", "Tran. No.", "Description", "Debit Rs", "Credit Rs", "Balance Rs"};
    const QStringList broughtForward = {"Balance Brought Forward  ", "2,000.00", "Debit"};
    int printed = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        const auto& rows = pages[p];
        const std::size_t top = p == 0 ? 3 : 0;   // the report header opens the first page only
        ASSERT_GT(rows.size(), top + 2);
        EXPECT_EQ(rows[top], captions);
        EXPECT_EQ(rows[top + 1], broughtForward);
        EXPECT_EQ(rows.back(), (QStringList{"Date 10-12-2026", "Page  " + QString::number(p + 1) + "  of  " + count,
                                            "Printed By: Ali"}));
        for (const QStringList& row : rows)
            if (row.size() == 7 && row.front() == "03-09-26") {
                ++printed;
                // 2,000.00 less 10.00 a line: debit until the 200th line.
                EXPECT_EQ(row[5], platform::formatMoneyQ(Money::fromCents(200000 - 1000 * printed), "#,##0.00"));
            }
        const bool last = p + 1 == pages.size();
        EXPECT_EQ(rows[rows.size() - 2].front() == "Totals  Rs", last);
    }
    EXPECT_EQ(printed, 150);
    // Nothing of the body runs into the page footer.
    for (const auto& page : doc.pages) {
        for (const auto& item : page.items) {
            if (const auto* t = std::get_if<TextRun>(&item); t && t->text == "Petty expense") {
                EXPECT_LE(t->rect.bottom(), doc.pageHeight - 200 - 390);
            }
        }
    }
}
