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
