// Tests for the voucher print query: the lines it keeps and their order, the
// words line, and the batch selections.
#include "reports/vouchers/voucher_query.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_database.h"
#include "tests/vouchers/book.h"

using platform::Hierarchy;
using reports::BatchCriterion;
using reports::VoucherBatch;

namespace {

constexpr int kSale = 31;
constexpr int kPurchase = 21;

struct Book {
    testing_support::TestDatabase t;
    platform::Database& db = t.db();
    Book() { book::addChartAndYear(db); }

    std::int64_t voucher(int tranType, std::int64_t docNo, const char* date = "2026-12-01", int fyId = 1)
    {
        const auto tranNo = book::addVoucher(db, tranType, fyId, docNo);
        db.exec("UPDATE Transactions SET TranDate = ?, WordsAmt = 'ten and 00/100 only.' WHERE TranNo = ?",
                {date, tranNo});
        return tranNo;
    }
};

std::vector<std::int64_t> column(const Hierarchy& h, int level, std::span<const platform::Bookmark> rows,
                                 const char* name)
{
    std::vector<std::int64_t> out;
    const int c = h.columnIndex(level, name);
    for (const auto row : rows)
        out.push_back(h.value(level, row, c).toInt(-1));
    return out;
}

std::vector<std::int64_t> docNos(const Hierarchy& h)
{
    return column(h, 0, h.topRows(), "docno");
}

} // namespace

TEST(VoucherPrint, KeepsLinesWithAnAmountDebitsFirstThenCreditsLargestFirst)
{
    Book b;
    const auto tranNo = b.voucher(kSale, 1);
    book::addLine(b.db, tranNo, book::kCash, -1, 500);     // credit 5.00, debit empty
    book::addLine(b.db, tranNo, book::kRent, 300, 0);      // debit 3.00
    book::addLine(b.db, tranNo, book::kBank, 0, 0);        // nothing: not printed
    book::addLine(b.db, tranNo, book::kBank, -1, -1);      // nothing: not printed
    book::addLine(b.db, tranNo, book::kCash, 0, 900);      // credit 9.00, debit zero
    book::addLine(b.db, tranNo, book::kRent, 1200, -1);    // debit 12.00
    const auto other = b.voucher(kSale, 2);
    book::addLine(b.db, other, book::kRent, 7000, -1);

    const Hierarchy h = reports::openVoucherPrint(b.db, "Rupees", tranNo);
    ASSERT_EQ(h.topRows().size(), 1u);
    const auto lines = h.childRows(0, h.topRows()[0]);
    EXPECT_EQ(column(h, 1, lines, "Debit"), (std::vector<std::int64_t>{1200, 300, 0, -1}));
    EXPECT_EQ(column(h, 1, lines, "Credit"), (std::vector<std::int64_t>{-1, 0, 900, 500}));
}

TEST(VoucherPrint, PutsTheCurrencyNameBeforeTheStoredWordsAsAValue)
{
    struct Case { const char* currency; const char* shown; };
    const Case cases[] = {
        {"Rupees", "Rupees ten and 00/100 only."},
        {"Pak' Rupees", "Pak' Rupees ten and 00/100 only."},
        {"", " ten and 00/100 only."},
    };
    Book b;
    const auto tranNo = b.voucher(kSale, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.currency);
        const Hierarchy h = reports::openVoucherPrint(b.db, c.currency, tranNo);
        ASSERT_EQ(h.topRows().size(), 1u);
        EXPECT_EQ(h.value(0, h.topRows()[0], h.columnIndex(0, "WordsAmt")).toText(), c.shown);
    }
}

TEST(VoucherPrint, FindsNothingForAVoucherThatIsGone)
{
    Book b;
    const Hierarchy h = reports::openVoucherPrint(b.db, "Rupees", 999);
    EXPECT_TRUE(h.isOpen());
    EXPECT_TRUE(h.topRows().empty());
}

TEST(VoucherBatchPrint, PicksTheKindInTheYearBySelection)
{
    Book b;
    b.voucher(kSale, 3, "2026-12-03");
    b.voucher(kSale, 1, "2026-12-01");
    b.voucher(kSale, 2, "2026-12-02");
    b.voucher(kSale, 5, "2027-01-05");
    b.voucher(kPurchase, 4, "2026-12-02");           // another kind
    b.voucher(kSale, 6, "2027-07-02", 2);            // another year

    struct Case {
        const char* name;
        BatchCriterion criterion;
        QDate from, to;
        std::int64_t serialFrom, serialTo;
        std::vector<std::int64_t> printed;
    };
    const Case cases[] = {
        {"all records", BatchCriterion::AllRecords, {}, {}, 0, 0, {1, 2, 3, 5}},
        {"dates, both ends included", BatchCriterion::DateRange, {2026, 12, 2}, {2026, 12, 3}, 0, 0, {2, 3}},
        {"one day", BatchCriterion::DateRange, {2027, 1, 5}, {2027, 1, 5}, 0, 0, {5}},
        {"dates reversed", BatchCriterion::DateRange, {2026, 12, 3}, {2026, 12, 1}, 0, 0, {}},
        {"no voucher in the range", BatchCriterion::DateRange, {2027, 2, 1}, {2027, 6, 30}, 0, 0, {}},
        {"numbers, both ends included", BatchCriterion::SerialRange, {}, {}, 2, 5, {2, 3, 5}},
        {"equal numbers", BatchCriterion::SerialRange, {}, {}, 5, 5, {5}},
        {"beyond the highest", BatchCriterion::SerialRange, {}, {}, 6, 99, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VoucherBatch batch{kSale, 1, c.criterion, c.from, c.to, c.serialFrom, c.serialTo};
        EXPECT_EQ(docNos(reports::openVoucherBatch(b.db, "Rupees", batch)), c.printed);
    }
}

TEST(VoucherBatchPrint, TakesPostedAndCancelledVouchersWithTheirOwnLines)
{
    Book b;
    const auto posted = b.voucher(kSale, 1);
    const auto cancelled = b.voucher(kSale, 2);
    b.db.exec("UPDATE Transactions SET Posted = 1 WHERE TranNo = ?", {posted});
    b.db.exec("UPDATE Transactions SET Cancel = 1 WHERE TranNo = ?", {cancelled});
    book::addLine(b.db, posted, book::kRent, 100, -1);
    book::addLine(b.db, cancelled, book::kRent, 200, -1);
    book::addLine(b.db, cancelled, book::kCash, -1, 200);

    const Hierarchy h = reports::openVoucherBatch(b.db, "Rupees", {.tranType = kSale, .fyId = 1});
    ASSERT_EQ(docNos(h), (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(column(h, 0, h.topRows(), "posted"), (std::vector<std::int64_t>{1, 0}));
    EXPECT_EQ(column(h, 0, h.topRows(), "cancel"), (std::vector<std::int64_t>{0, 1}));
    EXPECT_EQ(h.childRows(0, h.topRows()[0]).size(), 1u);
    EXPECT_EQ(h.childRows(0, h.topRows()[1]).size(), 2u);
}
