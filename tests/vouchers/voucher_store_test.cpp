// The voucher SQL on a delivered database: numbering, duplicates, browsing,
// open jobs, reading and writing a voucher and rollback. The time a save takes
// on a large book is book_bench's ("voucher save of 300 lines").
#include "vouchers/voucher_store.h"


#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/support/test_database.h"
#include "tests/vouchers/book.h"

using accounts::SubTranRow;
using platform::Money;
using testing_support::TestDatabase;
using namespace vouchers;

namespace {

constexpr KindYear kJournal{41, 1};

struct Book {
    TestDatabase t;
    platform::Database& db = t.db();
    Book() { book::addChartAndYear(db); }
};

VoucherHeader header(std::int64_t docNo)
{
    VoucherHeader h;
    h.docNo = docNo;
    h.date = QDate{2026, 12, 10};
    h.desc = "March rent";
    h.amount = Money::fromCents(2500);
    h.words = "twenty-five and 00/100 only.";
    h.user = 1;
    h.when = QDateTime{QDate{2026, 12, 10}, QTime{14, 30, 5}};
    h.posted = true;
    return h;
}

SubTranRow line(std::int64_t code, std::optional<std::int64_t> debit, std::optional<std::int64_t> credit,
                const char* desc = "rent", std::int64_t serial = 0)
{
    SubTranRow r;
    r.serial = serial;
    r.accCode = code;
    r.accName = QStringLiteral("name");
    r.desc = QString::fromUtf8(desc);
    if (debit)
        r.debit = Money::fromCents(*debit);
    if (credit)
        r.credit = Money::fromCents(*credit);
    return r;
}

} // namespace

TEST(VoucherNumbering, ProposesTheHighestOfTheKindAndYearPlusOne)
{
    Book b;
    EXPECT_EQ(highestDocNo(b.db, kJournal), std::nullopt);
    EXPECT_FALSE(hasVouchers(b.db, kJournal));
    std::int64_t tranNo[6] = {};
    for (int n = 1; n <= 5; ++n)
        tranNo[n] = book::addVoucher(b.db, 41, 1, n);
    book::addVoucher(b.db, 41, 2, 90);   // another year
    book::addVoucher(b.db, 21, 1, 70);   // another kind
    EXPECT_TRUE(hasVouchers(b.db, kJournal));
    EXPECT_EQ(highestDocNo(b.db, kJournal), 5);

    // A gap is not reused; freeing the top is.
    b.db.exec("DELETE FROM Transactions WHERE TranNo = ?", {tranNo[3]});
    EXPECT_EQ(highestDocNo(b.db, kJournal), 5);
    b.db.exec("DELETE FROM Transactions WHERE TranNo = ?", {tranNo[5]});
    EXPECT_EQ(highestDocNo(b.db, kJournal), 4);
}

TEST(VoucherNumbering, LooksTheHighestUpThroughTheUniqueIndex)
{
    // What keeps opening a form from growing with the book: MAX(DocNo) is read
    // from the end of the index on (TranType, FYID, DocNo), not from a scan.
    Book b;
    platform::Statement plan{b.db,
                             "EXPLAIN QUERY PLAN SELECT MAX(DocNo) FROM Transactions WHERE TranType = ? AND FYID = ?"};
    plan.bindAll({41, 1});
    std::string details;
    while (plan.step())
        details += plan.column(3).toText() + "\n";
    EXPECT_NE(details.find("COVERING INDEX sqlite_autoindex_Transactions_1"), std::string::npos) << details;
    EXPECT_EQ(details.find("SCAN"), std::string::npos) << details;
}

TEST(DocNoTaken, FindsOnlyAnotherVoucherOfTheKindAndYear)
{
    Book b;
    const auto seven = book::addVoucher(b.db, 41, 1, 7);
    book::addVoucher(b.db, 41, 2, 8);
    book::addVoucher(b.db, 21, 1, 9);
    struct Case { std::int64_t docNo; std::int64_t except; bool taken; };
    const Case cases[] = {
        {7, 0, true},        // adding
        {7, seven, false},   // the open voucher keeps its own number
        {7, seven + 100, true},
        {8, 0, false},       // another year
        {9, 0, false},       // another kind
        {10, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.docNo << " except " << c.except);
        EXPECT_EQ(docNoTaken(b.db, kJournal, c.docNo, c.except), c.taken);
    }
}

TEST(DocNoTaken, IsBackedByTheDatabasesUniqueKey)
{
    Book b;
    book::addVoucher(b.db, 41, 1, 7);
    try {
        book::addVoucher(b.db, 41, 1, 7);
        FAIL() << "a second voucher 7 was stored";
    } catch (const platform::DbError& e) {
        EXPECT_TRUE(e.isConstraint());
    }
}

TEST(Browse, MovesByNumberAndStopsAtBothEnds)
{
    Book b;
    const auto v2 = book::addVoucher(b.db, 41, 1, 2);
    const auto v9 = book::addVoucher(b.db, 41, 1, 9);   // stored before 5: the order is the number's
    const auto v5 = book::addVoucher(b.db, 41, 1, 5);
    book::addVoucher(b.db, 41, 2, 4);
    book::addVoucher(b.db, 21, 1, 6);
    struct Case { Step step; std::int64_t from; std::optional<std::int64_t> to; };
    const Case cases[] = {
        {Step::First, 0, v2},       {Step::Last, 0, v9},
        {Step::Previous, 9, v5},    {Step::Previous, 5, v2},   {Step::Previous, 2, std::nullopt},
        {Step::Next, 2, v5},        {Step::Next, 5, v9},       {Step::Next, 9, std::nullopt},
        {Step::Next, 3, v5},        // from a number that has gone since
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.step) << " from " << c.from);
        EXPECT_EQ(browse(b.db, kJournal, c.step, c.from), c.to);
    }
    EXPECT_EQ(browse(b.db, {37, 1}, Step::First), std::nullopt);
}

TEST(OpenJobs, ListsTheJobsNotCompletedByNumber)
{
    Book b;
    const auto roof = book::addJob(b.db, 15, "Roof");
    book::addJob(b.db, 13, "Done", true);
    const auto fit = book::addJob(b.db, 12, "Fit-out");
    const auto jobs = openJobs(b.db);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].jobId, fit);
    EXPECT_EQ(jobs[0].text, "12 (Fit-out)");
    EXPECT_EQ(jobs[1].jobId, roof);

    TestDatabase none;   // the job register may be empty
    EXPECT_TRUE(openJobs(none.db()).empty());
}

TEST(InsertVoucher, WritesTheHeaderAndItsLinesInEntryOrder)
{
    Book b;
    const auto job = book::addJob(b.db, 12, "Fit-out");
    VoucherHeader h = header(4);
    h.jobId = job;
    std::int64_t tranNo = 0;
    {
        platform::Transaction tx{b.db};
        tranNo = insertVoucher(tx, kJournal, h,
                               {line(book::kRent, 2500, std::nullopt), line(book::kCash, std::nullopt, 2000, "cash"),
                                line(book::kBank, std::nullopt, 500, "bank")});
        tx.commit();
    }
    platform::Statement head{b.db,
                             "SELECT DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID, FYID, UserAdded,"
                             " TimeAdded, UserEdited, TimeEdited, Cancel, Posted FROM Transactions WHERE TranNo = ?"};
    head.bindAll({tranNo});
    ASSERT_TRUE(head.step());
    EXPECT_EQ(head.columnInt64(0), 4);
    EXPECT_EQ(head.column(1).toText(), "2026-12-10");
    EXPECT_EQ(head.column(2).toText(), "March rent");
    EXPECT_EQ(head.columnInt64(3), 41);
    EXPECT_EQ(head.columnInt64(4), 2500);
    EXPECT_EQ(head.column(5).toText(), "twenty-five and 00/100 only.");
    EXPECT_EQ(head.columnInt64(6), job);
    EXPECT_EQ(head.columnInt64(7), 1);
    EXPECT_EQ(head.columnInt64(8), 1);
    EXPECT_EQ(head.column(9).toText(), "2026-12-10 14:30:05");
    EXPECT_EQ(head.columnInt64(10), 1);
    EXPECT_EQ(head.column(11).toText(), "2026-12-10 14:30:05");
    EXPECT_EQ(head.columnInt64(12), 0);
    EXPECT_EQ(head.columnInt64(13), 1);

    const auto v = loadVoucher(b.db, kJournal, tranNo);
    ASSERT_TRUE(v.has_value());
    ASSERT_EQ(v->lines.size(), 3u);
    EXPECT_EQ(v->lines[0].accCode, book::kRent);
    EXPECT_EQ(v->lines[0].debit, Money::fromCents(2500));
    EXPECT_EQ(v->lines[0].credit, std::nullopt);   // an empty cell stays empty, not 0.00
    EXPECT_EQ(v->lines[1].desc, QStringLiteral("cash"));
    EXPECT_EQ(v->lines[2].credit, Money::fromCents(500));
    EXPECT_LT(v->lines[0].serial, v->lines[1].serial);
    EXPECT_LT(v->lines[1].serial, v->lines[2].serial);
    EXPECT_EQ(v->jobId, job);
    EXPECT_TRUE(v->posted);
    EXPECT_FALSE(v->cancelled);
    EXPECT_EQ(v->date, QDate(2026, 12, 10));
}

TEST(InsertVoucher, LeavesNoHeaderWithoutItsLinesWhenALineFails)
{
    Book b;
    {
        platform::Transaction tx{b.db};
        EXPECT_THROW(insertVoucher(tx, kJournal, header(1),
                                   {line(book::kRent, 2500, std::nullopt), line(99999999, std::nullopt, 2500)}),
                     platform::DbError);
    }
    EXPECT_EQ(book::count(b.db, "Transactions", "TranType = 41"), 0);
    EXPECT_EQ(book::count(b.db, "SubTransactions"), 0);
    EXPECT_FALSE(b.db.inTransaction());
}

TEST(LoadVoucher, FindsOnlyAVoucherOfTheKindAndYear)
{
    Book b;
    const auto mine = book::addVoucher(b.db, 41, 1, 1);
    const auto otherYear = book::addVoucher(b.db, 41, 2, 1);
    const auto otherKind = book::addVoucher(b.db, 21, 1, 1);
    EXPECT_TRUE(loadVoucher(b.db, kJournal, mine).has_value());
    EXPECT_FALSE(loadVoucher(b.db, kJournal, otherYear).has_value());
    EXPECT_FALSE(loadVoucher(b.db, kJournal, otherKind).has_value());
    EXPECT_FALSE(loadVoucher(b.db, kJournal, 0).has_value());
    EXPECT_TRUE(voucherExists(b.db, kJournal, mine));
    EXPECT_FALSE(voucherExists(b.db, kJournal, otherYear));
    EXPECT_FALSE(voucherExists(b.db, kJournal, otherKind));
}

TEST(UpdateVoucher, KeepsStoredLinesInPlaceAddsNewOnesAndDropsRemovedOnes)
{
    Book b;
    const auto tranNo = book::addVoucher(b.db, 41, 1, 3, 1);
    book::addLine(b.db, tranNo, book::kRent, 1000, -1, "first");
    book::addLine(b.db, tranNo, book::kCash, -1, 600, "second");
    book::addLine(b.db, tranNo, book::kBank, -1, 400, "third");
    auto stored = loadVoucher(b.db, kJournal, tranNo)->lines;

    VoucherHeader h = header(3);
    h.posted = false;
    h.cancelled = true;
    h.user = 1;
    std::vector<SubTranRow> lines = {stored[2], stored[0], line(book::kCash, std::nullopt, 100, "new")};
    lines[0].credit = Money::fromCents(900);   // the third line changed; the second removed
    {
        platform::Transaction tx{b.db};
        ASSERT_TRUE(updateVoucher(tx, kJournal, tranNo, h, lines));
        tx.commit();
    }
    const auto v = loadVoucher(b.db, kJournal, tranNo);
    ASSERT_EQ(v->lines.size(), 3u);
    EXPECT_EQ(v->lines[0].serial, stored[0].serial);   // Serial order: the first line stays first
    EXPECT_EQ(v->lines[0].desc, QStringLiteral("first"));
    EXPECT_EQ(v->lines[1].serial, stored[2].serial);
    EXPECT_EQ(v->lines[1].credit, Money::fromCents(900));
    EXPECT_EQ(v->lines[2].desc, QStringLiteral("new"));
    EXPECT_GT(v->lines[2].serial, stored[2].serial);
    EXPECT_TRUE(v->cancelled);
    EXPECT_FALSE(v->posted);
    EXPECT_EQ(b.db.scalar("SELECT TimeAdded FROM Transactions WHERE TranNo = ?", {tranNo}).toText(),
              "2026-12-01 10:00:00");
    EXPECT_EQ(b.db.scalar("SELECT TimeEdited FROM Transactions WHERE TranNo = ?", {tranNo}).toText(),
              "2026-12-10 14:30:05");
}

TEST(UpdateVoucher, WritesNothingForAVoucherThatIsGone)
{
    Book b;
    const auto other = book::addVoucher(b.db, 41, 1, 1);
    book::addLine(b.db, other, book::kRent, 100, -1);
    const auto gone = book::addVoucher(b.db, 41, 1, 2);
    b.db.exec("DELETE FROM Transactions WHERE TranNo = ?", {gone});
    // A line that still names a serial of another voucher must not be taken over either.
    const auto otherLines = loadVoucher(b.db, kJournal, other)->lines;
    {
        platform::Transaction tx{b.db};
        EXPECT_FALSE(updateVoucher(tx, kJournal, gone, header(2), otherLines));
        tx.commit();
    }
    EXPECT_EQ(book::count(b.db, "Transactions", "TranType = 41"), 1);
    EXPECT_EQ(book::count(b.db, "SubTransactions"), 1);
    EXPECT_EQ(loadVoucher(b.db, kJournal, other)->lines[0].serial, otherLines[0].serial);
}

TEST(DeleteVoucher, RemovesTheHeaderWithItsLines)
{
    Book b;
    const auto tranNo = book::addVoucher(b.db, 41, 1, 1);
    book::addLine(b.db, tranNo, book::kRent, 100, -1);
    const auto kept = book::addVoucher(b.db, 41, 1, 2);
    book::addLine(b.db, kept, book::kRent, 100, -1);
    {
        platform::Transaction tx{b.db};
        EXPECT_TRUE(deleteVoucher(tx, kJournal, tranNo));
        EXPECT_FALSE(deleteVoucher(tx, {21, 1}, kept));   // not of that kind
        tx.commit();
    }
    EXPECT_EQ(book::count(b.db, "SubTransactions", "TranNo = " + std::to_string(tranNo)), 0);
    EXPECT_EQ(book::count(b.db, "SubTransactions", "TranNo = " + std::to_string(kept)), 1);
}
