// The day book's lazy rows against a full read of the same period: the rows
// at the start, middle and end, the totals, how few days are read, and a
// voucher written after the list was opened.
#include "ledgers/day_book_model.h"

#include <vector>

#include <gtest/gtest.h>

#include "ledgers/day_book_store.h"
#include "platform/data/database.h"
#include "platform/text/formats.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"

using platform::Money;
using testing_support::HandBook;

namespace {

QDate day(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

// Many days of several vouchers each, on top of the hand-made book.
void addBusyDays(platform::Database& db, int days)
{
    platform::Transaction tx(db);
    platform::Statement header(db, "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
                                   " VALUES (?, ?, 41, 1, 0, ?)");
    platform::Statement line(db, "INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit)"
                                 " VALUES (?, ?, ?, ?, ?)");
    int docNo = 100;
    for (int d = 0; d < days; ++d) {
        const std::string date = platform::isoDate(QDate(2027, 1, 1).addDays(d));
        for (int v = 0; v < 3; ++v) {
            header.reset();
            header.bindAll({++docNo, date, v % 2}).run();
            const auto tranNo = db.lastInsertId();
            const std::int64_t cents = 100 * (d + 1) + v;
            line.reset();
            line.bindAll({tranNo, testing_support::acc::Cash, "in " + std::to_string(docNo), cents, nullptr}).run();
            line.reset();
            line.bindAll({tranNo, testing_support::acc::Sales, "out " + std::to_string(docNo), nullptr, cents}).run();
        }
    }
    tx.commit();
}

std::vector<ledgers::DayBookLine> fullRead(platform::Database& db, const QDate& from, const QDate& to)
{
    std::vector<ledgers::DayBookLine> lines;
    ledgers::readDayBook(db, testing_support::kYear, from, to, [&](const ledgers::DayBookLine& l) { lines.push_back(l); });
    return lines;
}

void expectSameLine(const ledgers::DayBookLine& got, const ledgers::DayBookLine& want)
{
    EXPECT_EQ(got.serial, want.serial);
    EXPECT_EQ(got.tranNo, want.tranNo);
    EXPECT_EQ(got.tranDate, want.tranDate);
    EXPECT_EQ(got.tranRefShort, want.tranRefShort);
    EXPECT_EQ(got.debit, want.debit);
    EXPECT_EQ(got.credit, want.credit);
}

} // namespace

TEST(DayBookModel, ShowsTheRowsAndTotalsOfAFullReadReadingOnlyTheDaysAskedFor)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    addBusyDays(t.db(), 60);
    const QDate from = day("2026-06-30"), to = day("2027-06-30");
    const auto want = fullRead(t.db(), from, to);
    ASSERT_GT(want.size(), 300u);

    ledgers::DayBookModel model;
    const ledgers::DayBookTotals totals = model.open(t.db(), testing_support::kYear, from, to);
    ASSERT_EQ(model.rowCount(), static_cast<int>(want.size()));
    Money debits, credits;
    for (const auto& l : want) {
        debits += l.debit;
        credits += l.credit;
    }
    EXPECT_EQ(totals, (ledgers::DayBookTotals{debits, credits}));
    EXPECT_EQ(model.dayReads(), 0);

    const int last = model.rowCount() - 1;
    for (const int row : {0, 1, last / 2, last / 2 + 1, last - 1, last, 0}) {
        SCOPED_TRACE(row);
        expectSameLine(model.line(row), want[static_cast<std::size_t>(row)]);
    }
    // The start, the middle and the end are three days, read once each (the
    // middle row's neighbour may lie on the next day).
    EXPECT_LE(model.dayReads(), 4);

    // The cells, as the grid shows them.
    const auto& w = want.back();
    EXPECT_EQ(model.data(model.index(last, ledgers::DayBookModel::TranNo), Qt::DisplayRole).toString(),
              QString::fromStdString(w.tranRefShort));
    EXPECT_EQ(model.data(model.index(last, ledgers::DayBookModel::Date), Qt::DisplayRole).toString(),
              platform::formatDate(*platform::parseIsoDate(w.tranDate), "dd-MM-yy"));
    EXPECT_EQ(model.data(model.index(last, ledgers::DayBookModel::Credit), Qt::DisplayRole).toString(),
              platform::formatMoneyQ(w.credit, "0.00;(0.00)"));
    EXPECT_THROW(model.line(last + 1), std::out_of_range);
}

TEST(DayBookModel, KeepsOnlyAFewDaysWhileScrollingThroughAYear)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    addBusyDays(t.db(), 40);
    ledgers::DayBookModel model;
    model.open(t.db(), testing_support::kYear, day("2026-06-30"), day("2027-06-30"));
    for (int row = 0; row < model.rowCount(); ++row)
        model.line(row);
    const auto days = ledgers::dayBookDays(t.db(), testing_support::kYear, day("2026-06-30"), day("2027-06-30"));
    // Each day read once going down; going back up to the start reads it again.
    EXPECT_EQ(model.dayReads(), static_cast<std::int64_t>(days.size()));
    model.line(0);
    EXPECT_EQ(model.dayReads(), static_cast<std::int64_t>(days.size()) + 1);
}

TEST(DayBookModel, ShowsAVoucherWrittenAfterwardsAtTheNextOpen)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    const QDate from = day("2026-06-30"), to = day("2027-06-30");
    ledgers::DayBookModel model;
    const auto before = model.open(t.db(), testing_support::kYear, from, to);
    const int rows = model.rowCount();
    t.db().execScript(
        "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES (90, '2026-07-05', 27, 1, 0, 0);"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (last_insert_rowid(), 75101001, 1234, NULL);"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT MAX(TranNo), 20101001, NULL, 1234 FROM Transactions;");
    const auto after = model.open(t.db(), testing_support::kYear, from, to);
    EXPECT_EQ(model.rowCount(), rows + 2);
    EXPECT_EQ(after.debits, before.debits + Money::fromCents(1234));
    EXPECT_EQ(after.credits, before.credits + Money::fromCents(1234));
    const auto want = fullRead(t.db(), from, to);
    ASSERT_EQ(want.size(), static_cast<std::size_t>(model.rowCount()));
    for (int row = 0; row < model.rowCount(); ++row) {
        SCOPED_TRACE(row);
        expectSameLine(model.line(row), want[static_cast<std::size_t>(row)]);
    }
}
