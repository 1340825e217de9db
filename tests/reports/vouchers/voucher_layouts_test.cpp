// Tests for the two voucher layouts on the laid-out pages: captions, the
// yes/no texts, line descriptions in Voucher1 only, totals and words, one
// voucher a page.
#include "reports/vouchers/voucher_layouts.h"

#include <string>
#include <vector>

#include <QStringList>

#include <gtest/gtest.h>

#include "platform/report/page_model.h"
#include "platform/report/report_feed.h"
#include "reports/vouchers/voucher_query.h"
#include "tests/support/cpu_clock.h"
#include "tests/support/test_database.h"
#include "tests/vouchers/book.h"

using reports::VoucherLayout;
using report::Document;
using report::TextRun;

namespace {

constexpr int kSale = 31;
const QDate kPrinted{2026, 12, 10};

struct Book {
    testing_support::TestDatabase t;
    platform::Database& db = t.db();
    Book() { book::addChartAndYear(db); }

    // A sale voucher with a debit of `cents` to rent and the credit to cash.
    std::int64_t voucher(std::int64_t docNo, std::int64_t cents = 250000, int posted = 0, int cancelled = 0)
    {
        const auto tranNo = book::addVoucher(db, kSale, 1, docNo, posted);
        db.exec("UPDATE Transactions SET Cancel = ?, WordsAmt = 'two thousand five hundred and 00/100 only.'"
                " WHERE TranNo = ?",
                {cancelled, tranNo});
        book::addLine(db, tranNo, book::kRent, cents, -1, "rent for December");
        book::addLine(db, tranNo, book::kCash, -1, cents, "paid in cash");
        return tranNo;
    }
};

Document print(platform::Hierarchy& data, VoucherLayout which)
{
    report::ReportFeed feed(reports::voucherLayout(which), data, report::AtEnd::KeepData);
    reports::initialiseVoucher(feed, {"Tamsel Traders", "1 Main Street", "555-0100", "Rs", "SALE VOUCHER", "Ali"});
    return feed.layOut(kPrinted);
}

QStringList textsOf(const report::Page& page)
{
    QStringList out;
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<TextRun>(&item))
            out << t->text;
    return out;
}

const TextRun* runOf(const report::Page& page, const QString& text)
{
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<TextRun>(&item); t && t->text == text)
            return t;
    return nullptr;
}

} // namespace

TEST(VoucherLayouts, FillCaptionsFromTheInitialisation)
{
    Book b;
    auto data = reports::openVoucherPrint(b.db, "Rupees", b.voucher(7));
    for (const auto which : {VoucherLayout::Voucher1, VoucherLayout::Voucher2}) {
        const Document doc = print(data, which);
        EXPECT_EQ(doc.caption, "Voucher");
        ASSERT_EQ(doc.pages.size(), 1u);
        const QStringList texts = textsOf(doc.pages[0]);
        for (const char* shown : {"Tamsel Traders", "1 Main Street", "555-0100", "SALE VOUCHER", "Debit (Rs)",
                                  "Credit (Rs)", "Serial No :", "7", "Date :", "01-12-2026", "voucher 7",
                                  "Totals", "Rupees two thousand five hundred and 00/100 only.", "Prepared By",
                                  "Checked By", "Approved By", "Ali"})
            EXPECT_TRUE(texts.contains(shown)) << shown;
        EXPECT_TRUE(texts.join(' ').contains("Amount in Words :"));
        // No page number, no date of printing: a voucher is a document of its own.
        EXPECT_FALSE(texts.join(' ').contains("Page"));
        EXPECT_FALSE(texts.contains("10-12-2026"));
    }
}

TEST(VoucherLayouts, PrintLineDescriptionsOnlyInVoucher1WithATallerRow)
{
    Book b;
    auto data = reports::openVoucherPrint(b.db, "Rupees", b.voucher(1));
    const Document one = print(data, VoucherLayout::Voucher1);
    const Document two = print(data, VoucherLayout::Voucher2);
    const QStringList texts1 = textsOf(one.pages[0]);
    const QStringList texts2 = textsOf(two.pages[0]);
    EXPECT_TRUE(texts1.contains("rent for December"));
    EXPECT_TRUE(texts1.contains("paid in cash"));
    EXPECT_FALSE(texts2.contains("rent for December"));
    EXPECT_FALSE(texts2.contains("paid in cash"));

    const auto rowHeight = [](const report::Page& page) {
        return runOf(page, "Cash in Hand")->rect.top - runOf(page, "Office Rent")->rect.top;
    };
    EXPECT_EQ(rowHeight(one.pages[0]), 570);
    EXPECT_EQ(rowHeight(two.pages[0]), 435);
}

TEST(VoucherLayouts, PrintDebitsFirstWithTotalsInTheAmountFormat)
{
    Book b;
    const auto tranNo = b.voucher(1, 123456789);
    book::addLine(b.db, tranNo, book::kBank, 0, -1, "nothing to print");
    auto data = reports::openVoucherPrint(b.db, "Rupees", tranNo);
    const report::Page page = print(data, VoucherLayout::Voucher1).pages.at(0);

    const TextRun* debit = runOf(page, "1,234,567.89");
    ASSERT_TRUE(debit);
    EXPECT_EQ(debit->align, report::Align::Right);
    EXPECT_EQ(textsOf(page).count("1,234,567.89"), 4);   // the two lines and the two totals
    EXPECT_LT(runOf(page, "Office Rent")->rect.top, runOf(page, "Cash in Hand")->rect.top);
    EXPECT_FALSE(textsOf(page).contains("Bank Account"));
    EXPECT_FALSE(textsOf(page).contains("nothing to print"));
}

TEST(VoucherLayouts, ShowPostedAndCancelledOnlyWhenSet)
{
    struct Case { int posted, cancelled; bool showsPosted, showsCancelled; };
    const Case cases[] = {
        {1, 1, true, true},
        {1, 0, true, false},
        {0, 1, false, true},
        {0, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "posted " << c.posted << ", cancelled " << c.cancelled);
        Book b;
        auto data = reports::openVoucherPrint(b.db, "Rupees", b.voucher(1, 100, c.posted, c.cancelled));
        for (const auto which : {VoucherLayout::Voucher1, VoucherLayout::Voucher2}) {
            const QStringList texts = textsOf(print(data, which).pages.at(0));
            EXPECT_EQ(texts.contains("POSTED"), c.showsPosted);
            EXPECT_EQ(texts.contains("CANCELLED"), c.showsCancelled);
        }
    }
}

TEST(VoucherLayouts, PrintAVoucherWithoutAmountsAsHeaderAndFooterOnly)
{
    Book b;
    const auto tranNo = book::addVoucher(b.db, kSale, 1, 1);
    book::addLine(b.db, tranNo, book::kRent, 0, 0);
    book::addLine(b.db, tranNo, book::kCash, -1, -1);
    auto data = reports::openVoucherPrint(b.db, "Rupees", tranNo);
    const Document doc = print(data, VoucherLayout::Voucher2);
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList texts = textsOf(doc.pages[0]);
    EXPECT_TRUE(texts.contains("SALE VOUCHER"));
    EXPECT_TRUE(texts.contains("Approved By"));
    EXPECT_FALSE(texts.contains("Office Rent"));
    EXPECT_FALSE(texts.contains("Cash in Hand"));
}

TEST(VoucherLayouts, PrintEachVoucherOfABatchOnItsOwnPageQuickly)
{
    Book b;
    for (int docNo = 1; docNo <= 20; ++docNo)
        b.voucher(docNo, 1000 * docNo);
    auto data = reports::openVoucherBatch(b.db, "Rupees", {.tranType = kSale, .fyId = 1});
    const testing_support::CpuClock clock;
    const Document doc = print(data, VoucherLayout::Voucher1);
    EXPECT_LT(clock.elapsedMs(), 1000);
    ASSERT_EQ(doc.pages.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        const QStringList texts = textsOf(doc.pages[i]);
        EXPECT_TRUE(texts.contains(QStringLiteral("voucher %1").arg(i + 1))) << i;
        EXPECT_EQ(texts.count("SALE VOUCHER"), 1) << i;
    }
}
