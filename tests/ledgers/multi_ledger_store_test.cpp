// The multi-ledger queries on the hand-made book: the refresh of the stored
// running balances and the ledgers worked out from the lines at print time.
#include "ledgers/multi_ledger_store.h"

#include <map>

#include <gtest/gtest.h>

#include "ledgers/balance.h"
#include "platform/data/database.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"

using ledgers::AccountSelection;
using platform::Money;
using testing_support::HandBook;
namespace acc = testing_support::acc;

namespace {

struct Stored {
    std::int64_t serial;
    platform::Value balance;
    std::string status;
};

// Every line's stored values, by serial.
std::map<std::int64_t, Stored> storedValues(platform::Database& db)
{
    std::map<std::int64_t, Stored> values;
    platform::Statement st(db, "SELECT Serial, Balance, COALESCE(Status, '') FROM SubTransactions");
    while (st.step())
        values[st.columnInt64(0)] = {st.columnInt64(0), st.column(1), st.column(2).toText()};
    return values;
}

QDate day(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

const ledgers::AccountLedger& ledgerOf(const std::vector<ledgers::AccountLedger>& all, std::int64_t code)
{
    for (const auto& l : all)
        if (l.accCode == code)
            return l;
    throw std::out_of_range("no ledger of " + std::to_string(code));
}

} // namespace

TEST(RefreshStoredBalances, RunsEachAccountFromZeroInDateAndSerialOrderAndWritesOnlyWhatChanged)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    auto& db = t.db();
    // Lines that do not count, and lines without amounts, keep what they hold.
    db.exec("UPDATE SubTransactions SET Balance = 4242, Status = 'Credit'");
    const auto first = ledgers::refreshStoredBalances(db, testing_support::kYear);
    const auto stored = storedValues(db);

    std::int64_t counted = 0;
    for (const std::int64_t code : acc::all) {
        SCOPED_TRACE(code);
        // The account's counted lines with an amount, in date and serial order.
        platform::Statement st(db, "SELECT s.Serial, COALESCE(s.Debit, 0) - COALESCE(s.Credit, 0)"
                                   " FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
                                   " WHERE s.AccCode = ? AND t.FYID = 1 AND t.Cancel = 0 AND t.Posted = 1"
                                   " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
                                   " ORDER BY t.TranDate, s.Serial");
        st.bind(1, code);
        Money running;
        while (st.step()) {
            ++counted;
            running += Money::fromCents(st.columnInt64(1));
            const auto b = ledgers::balanceOf(running);
            const Stored& s = stored.at(st.columnInt64(0));
            EXPECT_EQ(s.balance.toInt(), b.amount.cents());
            EXPECT_EQ(s.status, ledgers::statusText(b.side));
        }
        // The book's own figure for the year agrees with the last stored value.
        EXPECT_EQ(running, book.difference(code, "", ""));
    }
    EXPECT_EQ(first.linesRead, counted);
    EXPECT_EQ(first.linesWritten, counted);
    // Everything else kept the marker.
    std::int64_t kept = 0;
    for (const auto& [serial, s] : stored)
        kept += s.balance.toInt() == 4242 && s.status == "Credit";
    EXPECT_EQ(kept, static_cast<std::int64_t>(stored.size()) - counted);

    // Cash reaches exactly zero on 2026-08-10 after the receipt, written first.
    EXPECT_EQ(db.scalar("SELECT Balance || ' ' || Status FROM SubTransactions s JOIN Transactions t"
                        " ON t.TranNo = s.TranNo WHERE s.AccCode = ? AND t.TranDate = '2026-08-10'"
                        " ORDER BY s.Serial DESC LIMIT 1", {acc::Cash}).toText(), "0 Debit");

    const auto second = ledgers::refreshStoredBalances(db, testing_support::kYear);
    EXPECT_EQ(second.linesWritten, 0);
    EXPECT_EQ(second.linesRead, counted);
}

TEST(RefreshStoredBalances, AFailedWriteLeavesEveryStoredValueAsItWas)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    auto& db = t.db();
    db.exec("UPDATE SubTransactions SET Balance = NULL, Status = NULL");
    db.exec("CREATE TRIGGER RefuseOne BEFORE UPDATE OF Balance ON SubTransactions"
            " WHEN NEW.Serial = (SELECT MAX(Serial) FROM SubTransactions WHERE Debit > 0)"
            " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(ledgers::refreshStoredBalances(db, testing_support::kYear), platform::DbError);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM SubTransactions WHERE Balance IS NOT NULL").toInt(), 0);
}

TEST(MultiLedger, WorksEachLedgerOutFromTheLinesForTheYearOrAPeriod)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    struct Case { const char* what; const char* from; const char* to; };
    const Case cases[] = {
        {"whole year", "", ""},
        {"a period", "2026-08-10", "2026-12-31"},
        {"a period before the year", "2026-06-01", "2026-06-29"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<ledgers::DateRange> period;
        if (*c.from)
            period = ledgers::DateRange{day(c.from), day(c.to)};
        const auto all = ledgers::multiLedger(t.db(), testing_support::kYear, AccountSelection::all(), period);
        // Every account of the chart, in code order, those without lines too.
        const auto accounts = t.db().scalar("SELECT COUNT(*) FROM AccLevel3").toInt();
        ASSERT_EQ(static_cast<std::int64_t>(all.size()), accounts);
        EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                                   [](const auto& a, const auto& b) { return a.accCode < b.accCode; }));
        for (const std::int64_t code : acc::all) {
            SCOPED_TRACE(code);
            const auto& l = ledgerOf(all, code);
            const std::string before = *c.from ? testing_support::dayBefore(c.from) : std::string();
            const Money opening = *c.from ? book.difference(code, "", before) : Money{};
            EXPECT_EQ(l.opening, opening);
            const auto want = book.listedLines(code, c.from, c.to);
            ASSERT_EQ(l.lines.size(), want.size());
            Money running = opening;
            for (std::size_t i = 0; i < want.size(); ++i) {
                running += Money::fromCents(want[i].debit.value_or(0)) - Money::fromCents(want[i].credit.value_or(0));
                EXPECT_EQ(l.lines[i].running, running);
            }
            EXPECT_EQ(l.closing, opening + book.difference(code, c.from, c.to));
        }
        EXPECT_TRUE(ledgerOf(all, acc::Idle).lines.empty());
        EXPECT_EQ(ledgerOf(all, acc::Idle).closing, Money{});
    }
}

TEST(MultiLedger, AReversedPeriodCarriesTheOpeningToTheClosingAndAZeroLastLineChangesNothing)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    // The year's last line of Cash has no amount.
    t.db().execScript(
        "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES (80, '2027-06-30', 41, 1, 0, 1);"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit, Balance, Status)"
        " VALUES (last_insert_rowid(), 20101001, 0, NULL, 999999, 'Credit');");
    const auto year = ledgers::multiLedger(t.db(), testing_support::kYear, AccountSelection::all(), std::nullopt);
    EXPECT_EQ(ledgerOf(year, acc::Cash).closing, book.difference(acc::Cash, "", ""));
    EXPECT_EQ(ledgerOf(year, acc::Cash).lines.size(), book.listedLines(acc::Cash, "", "").size());

    // Every line before the first day is brought forward, also those after the last.
    struct Case { const char* first; const char* last; };
    const Case cases[] = {
        {"2026-09-02", "2026-09-01"},
        {"2026-12-31", "2026-08-10"},
        {"2027-06-30", "2026-06-30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " to " << c.last);
        const auto reversed = ledgers::multiLedger(t.db(), testing_support::kYear, AccountSelection::all(),
                                                   ledgers::DateRange{day(c.first), day(c.last)});
        for (const std::int64_t code : acc::all) {
            SCOPED_TRACE(code);
            const auto& l = ledgerOf(reversed, code);
            EXPECT_TRUE(l.lines.empty());
            EXPECT_EQ(l.opening, book.difference(code, "", testing_support::dayBefore(c.first)));
            EXPECT_EQ(l.closing, l.opening);
        }
    }
    // The wide cases differ from a cut at the last day.
    EXPECT_NE(book.difference(acc::Cash, "", "2026-12-30"), book.difference(acc::Cash, "", "2026-08-10"));
}

TEST(MultiLedger, CoversTheAccountsOfTheSelection)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    using testing_support::kChart;
    struct Case { const char* what; AccountSelection selection; std::vector<std::int64_t> codes; };
    const Case cases[] = {
        {"a main type", AccountSelection::mainType(testing_support::kAssets), {acc::Cash, acc::Bank, acc::Customer}},
        {"a sub type", AccountSelection::subType(testing_support::kAdmin), {acc::Rent, acc::Idle}},
        {"a range", AccountSelection::range(acc::Bank, acc::Sales), {acc::Bank, acc::Customer, acc::Sales}},
        {"a reversed range", AccountSelection::range(acc::Sales, acc::Bank), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::int64_t> codes;
        for (const auto& l : ledgers::multiLedger(t.db(), testing_support::kYear, c.selection, std::nullopt)) {
            codes.push_back(l.accCode);
            EXPECT_EQ(l.closing, book.difference(l.accCode, "", ""));
        }
        EXPECT_EQ(codes, c.codes);
    }
}

TEST(MultiLedgerRows, GiveEachAccountItsLinesWithPositiveBalancesAndStatuses)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    const auto ledgers = ledgers::multiLedger(t.db(), testing_support::kYear,
                                              AccountSelection::subType(testing_support::kCashAndBank),
                                              ledgers::DateRange{day("2026-08-10"), day("2027-06-30")});
    const platform::Hierarchy rows = ledgers::multiLedgerRows(ledgers);
    ASSERT_EQ(rows.levelCount(), 2);
    ASSERT_EQ(rows.topRows().size(), 2u);
    const int child = 1;
    const int balance = rows.columnIndex(child, "Balance");
    const int status = rows.columnIndex(child, "Status");
    for (std::size_t i = 0; i < ledgers.size(); ++i) {
        const auto kids = rows.childRows(0, rows.topRows()[i]);
        ASSERT_EQ(kids.size(), ledgers[i].lines.size());
        for (std::size_t k = 0; k < kids.size(); ++k) {
            const auto b = ledgers::balanceOf(ledgers[i].lines[k].running);
            EXPECT_EQ(rows.value(child, kids[k], balance).toInt(), b.amount.cents());
            EXPECT_EQ(rows.value(child, kids[k], status).toText(), ledgers::statusText(b.side));
        }
        const auto cl = ledgers::balanceOf(ledgers[i].closing);
        EXPECT_EQ(rows.value(0, rows.topRows()[i], rows.columnIndex(0, "ClBalance")).toInt(), cl.amount.cents());
        EXPECT_EQ(rows.value(0, rows.topRows()[i], rows.columnIndex(0, "ClStatus")).toText(), ledgers::statusText(cl.side));
    }
}
