// The years' SQL: ids, the year rows and the opening-balance voucher written on
// add, on edit and on clearing, against a delivered database.
#include "main/year_store.h"

#include <string>

#include <gtest/gtest.h>

#include "main/year_rules.h"
#include "platform/data/database.h"
#include "tests/support/test_database.h"

using app::Stamp;
using app::YearRow;
using testing_support::TestDatabase;

namespace {

const QDateTime kAddTime{QDate(2026, 12, 10), QTime(9, 30, 0)};
const QDateTime kEditTime{QDate(2027, 1, 5), QTime(14, 0, 15)};

// The delivered database (year 1: 2026-07-01 to 2027-06-30 with its opening
// voucher) plus user 2 and two accounts for voucher lines.
class YearStore : public testing::Test {
protected:
    YearStore()
    {
        t.addUser(2, "clerk", "pw");
        db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (201, 'Cash', 20)");
        db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (20101, 'Cash in hand', 201)");
        db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES"
                  " (20101001, 'Petty cash', 201, 20101), (20101002, 'Main till', 201, 20101)");
    }
    platform::Database& db() { return t.db(); }

    void add(const YearRow& year, const Stamp& stamp)
    {
        platform::Transaction tx(db());
        app::addYear(tx, year, stamp);
        tx.commit();
    }
    // A voucher of `type` in `fyId` with `lines` lines; returns its TranNo.
    std::int64_t voucher(int fyId, int type, int docNo, int lines, int cancel = 0, int posted = 1)
    {
        db().exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
                  " VALUES (?, '2026-08-01', ?, ?, ?, ?)",
                  {docNo, type, fyId, cancel, posted});
        const auto tranNo = db().lastInsertId();
        for (int i = 0; i < lines; ++i)
            db().exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?, 20101001, 100)", {tranNo});
        return tranNo;
    }
    std::int64_t count(const std::string& sql, const platform::Params& params = {})
    {
        return db().scalar(sql, params).toInt();
    }

    TestDatabase t;
};

YearRow year(int id, QDate start, QDate end)
{
    return YearRow{id, start, end, app::yearAbbreviation(start, end)};
}

} // namespace

TEST_F(YearStore, HighestIdSkipsNoGapAndNextIdFollowsIt)
{
    EXPECT_EQ(app::highestYearId(db()), 1);
    add(year(2, {2027, 7, 1}, {2028, 6, 30}), {1, kAddTime});
    add(year(5, {2030, 7, 1}, {2031, 6, 30}), {1, kAddTime});
    EXPECT_EQ(app::highestYearId(db()), 5);
    EXPECT_EQ(app::nextYearId(app::highestYearId(db())), 6);
}

TEST_F(YearStore, HighestIdOfNoYearIsZero)
{
    db().exec("DELETE FROM Transactions");
    db().exec("UPDATE BusinessInfo SET FYID = NULL");
    db().exec("DELETE FROM FinancialYear");
    EXPECT_EQ(app::highestYearId(db()), 0);
}

TEST_F(YearStore, ListsYearsByAbbreviation)
{
    add(year(2, {2024, 7, 1}, {2025, 6, 30}), {1, kAddTime});
    add(year(3, {2025, 1, 1}, {2025, 12, 31}), {1, kAddTime});
    QStringList shown;
    for (const auto& y : app::listYears(db()))
        shown << QStringLiteral("%1:%2").arg(y.fyId).arg(y.abbreviation);
    EXPECT_EQ(shown, (QStringList{"2:2024-25", "3:2025-25", "1:2026-27"}));
    const auto found = app::findYear(db(), 3);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->start, QDate(2025, 1, 1));
    EXPECT_EQ(found->end, QDate(2025, 12, 31));
    EXPECT_FALSE(app::findYear(db(), 4));
}

TEST_F(YearStore, AddWritesTheYearAndItsOpeningVoucher)
{
    add(year(2, {2027, 7, 1}, {2028, 6, 30}), {2, kAddTime});
    platform::Statement y(db(), "SELECT FinancialYearStart, FinancialYearEnd, Abbreviation FROM FinancialYear"
                                " WHERE FYID = 2");
    ASSERT_TRUE(y.step());
    EXPECT_EQ(y.column(0).toText(), "2027-07-01");
    EXPECT_EQ(y.column(1).toText(), "2028-06-30");
    EXPECT_EQ(y.column(2).toText(), "2027-28");

    EXPECT_EQ(count("SELECT COUNT(*) FROM Transactions WHERE FYID = 2"), 1);
    platform::Statement v(db(), "SELECT DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID, UserAdded,"
                                " TimeAdded, UserEdited, TimeEdited, Cancel, Posted, TranNo FROM Transactions"
                                " WHERE FYID = 2");
    ASSERT_TRUE(v.step());
    EXPECT_EQ(v.column(0), platform::Value(1));
    EXPECT_EQ(v.column(1).toText(), "2027-06-30");
    EXPECT_EQ(v.column(2).toText(), "Opening Balance");
    EXPECT_EQ(v.column(3), platform::Value(11));
    EXPECT_EQ(v.column(4), platform::Value(0));
    EXPECT_EQ(v.column(5), platform::Value(""));
    EXPECT_EQ(v.column(6), platform::Value(0));
    EXPECT_EQ(v.column(7), platform::Value(2));
    EXPECT_EQ(v.column(8).toText(), "2026-12-10 09:30:00");
    EXPECT_EQ(v.column(9), platform::Value(2));
    EXPECT_EQ(v.column(10).toText(), "2026-12-10 09:30:00");
    EXPECT_EQ(v.column(11), platform::Value(0));
    EXPECT_EQ(v.column(12), platform::Value(1));
    EXPECT_EQ(app::openingVoucherOf(db(), 2), v.column(13).asInt());
}

TEST_F(YearStore, AddWithATakenIdWritesNothing)
{
    {
        platform::Transaction tx(db());
        EXPECT_THROW(app::addYear(tx, year(1, {2027, 7, 1}, {2028, 6, 30}), {1, kAddTime}), platform::DbError);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM FinancialYear"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Transactions"), 1);
}

TEST_F(YearStore, EditRewritesTheVoucherKeepingItsCreatorNumberAndLines)
{
    const auto tranNo = *app::openingVoucherOf(db(), 1);
    db().exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?, 20101001, 500),"
              " (?, 20101002, NULL)", {tranNo, tranNo});
    // Someone spoiled the header: the edit puts every rewritten column back.
    db().exec("UPDATE Transactions SET Cancel = 1, Posted = 0, \"Desc\" = 'x', TrAmount = 7, WordsAmt = 'seven'"
              " WHERE TranNo = ?", {tranNo});
    const auto before = db().scalar("SELECT UserAdded || '|' || TimeAdded FROM Transactions WHERE TranNo = ?",
                                    {tranNo}).toText();

    platform::Transaction tx(db());
    app::updateYear(tx, year(1, {2026, 8, 1}, {2027, 7, 31}), {2, kEditTime});
    tx.commit();

    EXPECT_EQ(app::openingVoucherOf(db(), 1), tranNo);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Transactions WHERE FYID = 1"), 1);
    platform::Statement v(db(), "SELECT TranDate, \"Desc\", TrAmount, WordsAmt, Cancel, Posted, UserEdited,"
                                " TimeEdited, UserAdded || '|' || TimeAdded, DocNo FROM Transactions"
                                " WHERE TranNo = ?");
    v.bind(1, tranNo);
    ASSERT_TRUE(v.step());
    EXPECT_EQ(v.column(0).toText(), "2026-07-31");
    EXPECT_EQ(v.column(1).toText(), "Opening Balance");
    EXPECT_EQ(v.column(2), platform::Value(0));
    EXPECT_EQ(v.column(3), platform::Value(""));
    EXPECT_EQ(v.column(4), platform::Value(0));
    EXPECT_EQ(v.column(5), platform::Value(1));
    EXPECT_EQ(v.column(6), platform::Value(2));
    EXPECT_EQ(v.column(7).toText(), "2027-01-05 14:00:15");
    EXPECT_EQ(v.column(8).toText(), before);
    EXPECT_EQ(v.column(9), platform::Value(1));
    EXPECT_EQ(count("SELECT COUNT(*) FROM SubTransactions WHERE TranNo = ?", {tranNo}), 2);
    EXPECT_EQ(db().scalar("SELECT Abbreviation FROM FinancialYear WHERE FYID = 1").toText(), "2026-27");
    EXPECT_EQ(db().scalar("SELECT FinancialYearEnd FROM FinancialYear WHERE FYID = 1").toText(), "2027-07-31");
}

TEST_F(YearStore, EditGivesAYearWithoutVoucherANewOne)
{
    db().exec("DELETE FROM Transactions WHERE FYID = 1");
    platform::Transaction tx(db());
    app::updateYear(tx, year(1, {2026, 7, 1}, {2027, 6, 30}), {2, kEditTime});
    tx.commit();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Transactions WHERE FYID = 1 AND TranType = 11 AND DocNo = 1"
                    " AND TranDate = '2026-06-30' AND UserAdded = 2 AND Posted = 1"), 1);
}

TEST_F(YearStore, EditOfAnUnknownYearThrows)
{
    platform::Transaction tx(db());
    EXPECT_THROW(app::updateYear(tx, year(9, {2026, 7, 1}, {2027, 6, 30}), {1, kEditTime}),
                 std::invalid_argument);
}

TEST_F(YearStore, ClearingTwiceLeavesOneEmptyVoucherAndTouchesNoOtherYear)
{
    add(year(2, {2027, 7, 1}, {2028, 6, 30}), {1, kAddTime});
    const auto opening1 = *app::openingVoucherOf(db(), 1);
    db().exec("INSERT INTO SubTransactions (TranNo, AccCode, Credit) VALUES (?, 20101002, 300)", {opening1});
    voucher(1, 41, 1, 2);
    voucher(1, 27, 1, 1, 1, 0);   // cancelled and not posted: goes as well
    voucher(2, 41, 1, 3);
    db().exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?, 20101001, 300)",
              {*app::openingVoucherOf(db(), 2)});
    const auto year2Rows = count("SELECT COUNT(*) FROM Transactions WHERE FYID = 2");
    const auto year2Lines = count("SELECT COUNT(*) FROM SubTransactions s JOIN Transactions t"
                                  " ON t.TranNo = s.TranNo WHERE t.FYID = 2");
    // The stored start decides the date, whatever a sign-in remembered.
    db().exec("UPDATE FinancialYear SET FinancialYearStart = '2026-08-01' WHERE FYID = 1");

    std::int64_t last = 0;
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        platform::Transaction tx(db());
        const auto tranNo = app::clearYear(tx, 1, {2, kEditTime});
        tx.commit();
        EXPECT_GT(tranNo, last);   // a new number each time
        last = tranNo;
        EXPECT_EQ(count("SELECT COUNT(*) FROM Transactions WHERE FYID = 1"), 1);
        EXPECT_EQ(app::openingVoucherOf(db(), 1), tranNo);
        EXPECT_EQ(count("SELECT COUNT(*) FROM SubTransactions WHERE TranNo = ?", {tranNo}), 0);
        EXPECT_EQ(db().scalar("SELECT TranDate || '|' || UserAdded || '|' || TimeEdited || '|' || Posted"
                              " FROM Transactions WHERE TranNo = ?", {tranNo}).toText(),
                  "2026-07-31|2|2027-01-05 14:00:15|1");
        EXPECT_EQ(count("SELECT COUNT(*) FROM SubTransactions WHERE TranNo NOT IN"
                        " (SELECT TranNo FROM Transactions)"), 0);
        EXPECT_EQ(count("SELECT COUNT(*) FROM Transactions WHERE FYID = 2"), year2Rows);
        EXPECT_EQ(count("SELECT COUNT(*) FROM SubTransactions s JOIN Transactions t"
                        " ON t.TranNo = s.TranNo WHERE t.FYID = 2"), year2Lines);
    }
}

TEST_F(YearStore, ClearingAnUnknownYearThrows)
{
    platform::Transaction tx(db());
    EXPECT_THROW(app::clearYear(tx, 9, {1, kEditTime}), std::invalid_argument);
}

TEST_F(YearStore, EnsureKeepsAVoucherOrWritesTheMissingOne)
{
    const auto delivered = *app::openingVoucherOf(db(), 1);
    {
        platform::Transaction tx(db());
        EXPECT_EQ(app::ensureOpeningVoucher(tx, 1, {2, kEditTime}), delivered);
        tx.commit();
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM Transactions"), 1);

    db().exec("DELETE FROM Transactions");
    platform::Transaction tx(db());
    const auto made = app::ensureOpeningVoucher(tx, 1, {2, kEditTime});
    tx.commit();
    EXPECT_EQ(app::openingVoucherOf(db(), 1), made);
    EXPECT_EQ(db().scalar("SELECT TranDate || '|' || UserAdded FROM Transactions WHERE TranNo = ?", {made}).toText(),
              "2026-06-30|2");
    platform::Transaction again(db());
    EXPECT_THROW(app::ensureOpeningVoucher(again, 9, {1, kEditTime}), std::invalid_argument);
}
