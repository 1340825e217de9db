// The day book's query on the hand-made book: which lines it lists, in which
// order, and the references it makes.
#include "ledgers/day_book_store.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"

using platform::Money;
using testing_support::HandBook;

namespace {

QDate day(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

struct Listed {
    std::int64_t tranNo;
    std::int64_t accCode;
    std::int64_t debit;
    std::int64_t credit;
    friend bool operator==(const Listed&, const Listed&) = default;
};

std::vector<Listed> listed(platform::Database& db, const char* from, const char* to)
{
    std::vector<Listed> rows;
    ledgers::readDayBook(db, testing_support::kYear, day(from), day(to), [&](const ledgers::DayBookLine& l) {
        rows.push_back({l.tranNo, l.accCode, l.debit.cents(), l.credit.cents()});
    });
    return rows;
}

} // namespace

TEST(DayBook, ListsTheYearsUncancelledLinesWithAnAmountPostedOrNot)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    struct Case { const char* from; const char* to; };
    const Case cases[] = {{"2026-06-30", "2027-06-30"}, {"2026-08-10", "2026-08-10"}, {"2026-09-02", "2026-10-31"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        // Worked out from the book: dates within the period (both ends), this
        // year, not cancelled; then by date, short reference as text, debits
        // before credits, larger first.
        struct Key { std::string date; std::string ref; std::int64_t dr; std::int64_t cr; Listed row; };
        std::vector<Key> want;
        for (const auto& v : book.vouchers()) {
            if (v.fyId != testing_support::kYear || v.cancelled || v.date < c.from || v.date > c.to)
                continue;
            const auto ref = t.db().scalar("SELECT k.Short || ' ' || t.DocNo FROM Transactions t"
                                           " JOIN TranType k ON k.TranType = t.TranType WHERE t.TranNo = ?",
                                           {v.tranNo}).toText();
            for (const auto& l : v.lines)
                if (l.debit.value_or(0) != 0 || l.credit.value_or(0) != 0)
                    want.push_back({v.date, ref, l.debit.value_or(0), l.credit.value_or(0),
                                    {v.tranNo, l.acc, l.debit.value_or(0), l.credit.value_or(0)}});
        }
        std::stable_sort(want.begin(), want.end(), [](const Key& a, const Key& b) {
            return std::tie(a.date, a.ref, b.dr, b.cr) < std::tie(b.date, b.ref, a.dr, a.cr);
        });
        std::vector<Listed> expected;
        for (const auto& k : want)
            expected.push_back(k.row);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(listed(t.db(), c.from, c.to), expected);
    }
}

TEST(DayBook, OrdersReferencesAsTextAndGivesBothReferenceForms)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    // Two journal vouchers on one day numbered 9 and 10: number 10 sorts first.
    t.db().execScript(
        "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES"
        " (9, '2027-02-01', 41, 1, 0, 1), (10, '2027-02-01', 41, 1, 0, 0);"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT TranNo, 20101001, 100, NULL"
        " FROM Transactions WHERE TranDate = '2027-02-01';"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT TranNo, 20101002, NULL, 100"
        " FROM Transactions WHERE TranDate = '2027-02-01';");
    const auto shortName = t.db().scalar("SELECT Short FROM TranType WHERE TranType = 41").toText();
    const auto name = t.db().scalar("SELECT Name FROM TranType WHERE TranType = 41").toText();
    std::vector<std::string> refs;
    std::string longRef;
    ledgers::readDayBook(t.db(), testing_support::kYear, day("2027-02-01"), day("2027-02-01"),
                         [&](const ledgers::DayBookLine& l) {
                             refs.push_back(l.tranRefShort);
                             if (l.tranRefShort == shortName + " 9")
                                 longRef = l.tranRefLong;
                         });
    EXPECT_EQ(refs, (std::vector<std::string>{shortName + " 10", shortName + " 10", shortName + " 9", shortName + " 9"}));
    EXPECT_EQ(longRef, name + " No. 9");
}

namespace {

// The days as a full read of the lines counts and sums them.
std::vector<ledgers::DayBookDay> daysOfFullRead(platform::Database& db, const char* from, const char* to)
{
    std::vector<ledgers::DayBookDay> days;
    platform::Statement st(db,
        "SELECT t.TranDate, COUNT(*), SUM(COALESCE(s.Debit, 0)), SUM(COALESCE(s.Credit, 0))"
        " FROM Transactions t JOIN TranType k ON k.TranType = t.TranType"
        " JOIN SubTransactions s ON s.TranNo = t.TranNo"
        " WHERE t.FYID = ? AND t.TranDate BETWEEN ? AND ? AND t.Cancel = 0"
        " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
        " GROUP BY t.TranDate ORDER BY t.TranDate");
    st.bindAll({testing_support::kYear, from, to});
    while (st.step())
        days.push_back({st.column(0).toText(), st.columnInt64(1), Money::fromCents(st.columnInt64(2)),
                        Money::fromCents(st.columnInt64(3))});
    return days;
}

} // namespace

TEST(DayBookDays, StayEqualToAFullReadThroughEveryKindOfChange)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    auto& db = t.db();
    // Each change is applied on top of the ones before it.
    struct Case { const char* what; const char* sql; };
    const Case cases[] = {
        {"as written", ""},
        {"a new unposted voucher",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES (77, '2026-08-10', 41, 1, 0, 0);"
         "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (last_insert_rowid(), 20101001, 300, NULL);"},
        {"a line of zero and one of null", "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit)"
                                           " SELECT MAX(TranNo), 20101002, 0, NULL FROM Transactions;"},
        {"an amount changed", "UPDATE SubTransactions SET Debit = 450 WHERE Debit = 300;"},
        {"an amount made zero", "UPDATE SubTransactions SET Debit = 0 WHERE Debit = 450;"},
        {"a voucher cancelled", "UPDATE Transactions SET Cancel = 1 WHERE TranDate = '2026-07-05';"},
        {"a cancelled voucher restored", "UPDATE Transactions SET Cancel = 0 WHERE TranDate = '2026-10-01';"},
        {"a voucher moved to another day", "UPDATE Transactions SET TranDate = '2026-09-02' WHERE TranDate = '2026-09-01';"},
        {"a voucher moved to the other year", "UPDATE Transactions SET FYID = 2 WHERE TranDate = '2026-11-30';"},
        {"a line moved to another voucher",
         "UPDATE SubTransactions SET TranNo = (SELECT TranNo FROM Transactions WHERE TranDate = '2027-01-15')"
         " WHERE Serial = (SELECT MIN(Serial) FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
         " WHERE t.TranDate = '2026-09-15' AND s.Debit > 0);"},
        {"a line deleted", "DELETE FROM SubTransactions WHERE Serial = (SELECT MAX(Serial) FROM SubTransactions);"},
        {"a voucher deleted with its lines", "DELETE FROM Transactions WHERE TranDate = '2027-06-30';"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db.execScript(c.sql);
        const auto want = daysOfFullRead(db, "2026-06-30", "2027-06-30");
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(ledgers::dayBookDays(db, testing_support::kYear, day("2026-06-30"), day("2027-06-30")), want);
    }
    EXPECT_EQ(ledgers::dayBookDays(db, testing_support::kYear, day("2026-08-10"), day("2026-08-09")),
              std::vector<ledgers::DayBookDay>{});
}

TEST(DayBook, ListsTheSameLinesInTheSameOrderAtEveryRead)
{
    testing_support::TestDatabase t;
    HandBook book{t.db()};
    // Two lines that agree on every sort key but their serial.
    t.db().execScript(
        "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES (5, '2027-03-03', 41, 1, 0, 1);"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (last_insert_rowid(), 20101001, 100, NULL);"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT MAX(TranNo), 20101002, 100, NULL FROM Transactions;"
        "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT MAX(TranNo), 50101001, NULL, 200 FROM Transactions;");
    const auto lines = ledgers::readDayBookDay(t.db(), testing_support::kYear, "2027-03-03");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_LT(lines[0].serial, lines[1].serial);
    EXPECT_EQ(lines[0].accCode, 20101001);
    EXPECT_EQ(lines[2].credit, Money::fromCents(200));
}
