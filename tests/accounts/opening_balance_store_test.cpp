// The opening balances' SQL: reading the lines, counting the accounts, the
// save of a plan in one transaction, and the nets of the print, on a
// delivered database.
#include "accounts/opening_balance_store.h"

#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "accounts/opening_balance_rules.h"
#include "ledgers/balance.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "tests/support/test_database.h"

using accounts::SubTranRow;
using platform::Money;
using testing_support::TestDatabase;

namespace {

class OpeningBalanceStore : public testing::Test {
protected:
    OpeningBalanceStore()
    {
        db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (201, 'Cash', 20)");
        db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID) VALUES (20101001, 'Petty cash', 201),"
                  " (20101002, 'Main till', 201), (20101003, 'Float', 201), (99999999, 'Loose', NULL)");
        tranNo = *app::openingVoucherOf(db(), 1);
    }
    platform::Database& db() { return t.db(); }
    std::int64_t addLine(std::int64_t code, const char* debit, const char* credit)
    {
        db().exec(std::string("INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit)"
                              " VALUES (?, ?, 'n', 'd', ") + debit + ", " + credit + ")",
                  {tranNo, code});
        return db().lastInsertId();
    }
    std::string lines()
    {
        return db().scalar("SELECT group_concat(AccCode || ':' || coalesce(Debit, '-') || ':' || coalesce(Credit, '-')"
                           " || ':' || \"Desc\", ' ') FROM (SELECT * FROM SubTransactions WHERE TranNo = ?"
                           " ORDER BY Serial)", {tranNo}).toText();
    }

    TestDatabase t;
    std::int64_t tranNo = 0;
};

SubTranRow row(std::int64_t serial, std::int64_t code, std::optional<std::int64_t> debit,
               std::optional<std::int64_t> credit)
{
    SubTranRow r;
    r.serial = serial;
    r.accCode = code;
    r.accName = QStringLiteral("name %1").arg(code);
    r.desc = accounts::broughtForwardDesc();
    if (debit)
        r.debit = Money::fromCents(*debit);
    if (credit)
        r.credit = Money::fromCents(*credit);
    return r;
}

} // namespace

TEST_F(OpeningBalanceStore, LoadsTheVouchersLinesInOrderWithEmptyAmounts)
{
    const auto first = addLine(20101002, "NULL", "2500");
    addLine(20101001, "0", "NULL");
    const auto loaded = accounts::loadOpeningLines(db(), tranNo);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].serial, first);
    EXPECT_EQ(loaded[0].accCode, 20101002);
    EXPECT_FALSE(loaded[0].debit);
    EXPECT_EQ(loaded[0].credit, Money::fromCents(2500));
    EXPECT_EQ(loaded[1].debit, Money::fromCents(0));   // a zero is an amount, not an empty cell
    EXPECT_FALSE(loaded[1].credit);
    EXPECT_TRUE(accounts::loadOpeningLines(db(), tranNo + 1).empty());
}

TEST_F(OpeningBalanceStore, CountsOnlyAccountsWithAMainType)
{
    EXPECT_EQ(accounts::countOpeningAccounts(db()), 3);
}

TEST_F(OpeningBalanceStore, SavesInsertsUpdatesAndDeletesUnderTheOneVoucher)
{
    const auto keep = addLine(20101001, "100", "NULL");
    const auto change = addLine(20101002, "200", "NULL");
    const auto drop = addLine(20101003, "NULL", "300");
    accounts::OpeningSave plan;
    plan.updates = {row(change, 20101002, std::nullopt, 250)};
    plan.deletes = {drop};
    plan.inserts = {row(0, 20101003, 50, std::nullopt), row(0, 20101001, std::nullopt, std::nullopt)};
    {
        platform::Transaction tx(db());
        accounts::saveOpeningLines(tx, tranNo, plan);
        tx.commit();
    }
    EXPECT_EQ(lines(), "20101001:100:-:d 20101002:-:250:Balance Brought Forward "
                       "20101003:50:-:Balance Brought Forward 20101001:-:-:Balance Brought Forward");
    EXPECT_EQ(db().scalar("SELECT Serial FROM SubTransactions WHERE AccCode = 20101001 ORDER BY Serial").toInt(), keep);
    EXPECT_EQ(db().scalar("SELECT COUNT(*) FROM Transactions").toInt(), 1);   // one voucher for the year
}

TEST_F(OpeningBalanceStore, AFailedSaveLeavesTheLinesAsTheyWere)
{
    addLine(20101001, "100", "NULL");
    const std::string before = lines();
    accounts::OpeningSave plan;
    plan.inserts = {row(0, 20101002, 10, std::nullopt), row(0, 12345678, 20, std::nullopt)};   // no such account
    {
        platform::Transaction tx(db());
        EXPECT_THROW(accounts::saveOpeningLines(tx, tranNo, plan), platform::DbError);
    }
    EXPECT_EQ(lines(), before);
}

TEST_F(OpeningBalanceStore, PrintedNetsFollowTheBalanceConvention)
{
    struct Case { const char* debit; const char* credit; };   // cents, or NULL for an empty amount
    const Case cases[] = {
        {"500", "200"}, {"200", "500"},
        {"300", "300"},     // zero is a debit balance
        {"NULL", "300"}, {"300", "NULL"},
        {"NULL", "NULL"},   // empty sums count as zero
    };
    const auto cents = [](const char* amount) {
        return Money::fromCents(std::string_view(amount) == "NULL" ? 0 : std::stoll(amount));
    };
    // One main type per case, 301 onwards, each with one account and its lines.
    for (std::int64_t i = 0; i < std::ssize(cases); ++i) {
        db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, 'case', 30)", {301 + i});
        db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID) VALUES (?, 'case', ?)",
                  {(301 + i) * 100000 + 1001, 301 + i});
        addLine((301 + i) * 100000 + 1001, cases[i].debit, "NULL");
        addLine((301 + i) * 100000 + 1001, "NULL", cases[i].credit);
    }

    const platform::Hierarchy printed = accounts::openOpeningBalancesPrint(db(), 1, tranNo);
    const auto top = printed.topRows();
    ASSERT_EQ(top.size(), std::size(cases));   // 201 has no lines and is left out
    for (std::size_t i = 0; i < top.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << c.debit << " - " << c.credit);
        const auto field = [&](const char* name) { return printed.value(0, top[i], printed.columnIndex(0, name)); };
        const ledgers::Balance shown = ledgers::balanceOf(ledgers::debitMinusCredit(cents(c.debit), cents(c.credit)));
        EXPECT_EQ(field("Level1ID").toInt(), 301 + static_cast<std::int64_t>(i));
        EXPECT_EQ(field("Debits").isNull(), std::string_view(c.debit) == "NULL");
        EXPECT_EQ(field("Drs").toInt(), cents(c.debit).cents());
        EXPECT_EQ(field("Bal").toInt(), shown.amount.cents());
        EXPECT_EQ(field("Status").toText(), ledgers::statusText(shown.side));
    }
}
