// Saved opening balances as the rest of the program reads them: brought
// forward in an account's ledger and the opening column of the trial balance.
#include <algorithm>

#include <gtest/gtest.h>

#include "accounts/opening_balance_rules.h"
#include "accounts/opening_balance_store.h"
#include "ledgers/ledger_store.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "statements/trial_balance_store.h"
#include "tests/support/test_database.h"

using accounts::SubTranRow;
using platform::Money;
using testing_support::TestDatabase;

namespace {

constexpr std::int64_t kCash = 20001001;
constexpr std::int64_t kBank = 20001002;
constexpr std::int64_t kStock = 20001003;
const QDate kStart{2026, 7, 1};   // the delivered year
const QDate kEnd{2027, 6, 30};

SubTranRow line(std::int64_t code, std::optional<std::int64_t> debit, std::optional<std::int64_t> credit)
{
    SubTranRow r;
    r.accCode = code;
    r.accName = QStringLiteral("account %1").arg(code);
    r.desc = QStringLiteral("as typed");
    if (debit)
        r.debit = Money::fromCents(*debit);
    if (credit)
        r.credit = Money::fromCents(*credit);
    return r;
}

// Three accounts, opening lines saved the way the window saves them (a blank
// line among them), and a journal voucher inside the year.
class OpeningBalanceFlow : public testing::Test {
protected:
    OpeningBalanceFlow()
    {
        auto& db = t.db();
        db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (200, 'Current Assets', 20)");
        db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (20001, 'Cash and Bank', 200)");
        db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'Cash', 200, 20001),"
                " (?, 'Bank', 200, 20001), (?, 'Stock', 200, 20001)",
                {kCash, kBank, kStock});
        const std::vector<SubTranRow> edited = {line(kCash, 15000, {}), SubTranRow{}, line(kBank, {}, 10000),
                                                line(kCash, 2500, {})};
        platform::Transaction tx(db);
        accounts::saveOpeningLines(tx, *app::openingVoucherOf(db, 1), accounts::planOpeningSave({}, edited));
        tx.commit();
        db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Posted) VALUES (1, '2026-08-01', 41, 1, 1)");
        const auto jv = db.lastInsertId();
        db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (?, ?, 700, NULL),"
                " (?, ?, NULL, 700)",
                {jv, kBank, jv, kCash});
    }
    TestDatabase t;
};

} // namespace

TEST_F(OpeningBalanceFlow, LedgerBringsTheOpeningBalanceForward)
{
    struct Case { std::int64_t code; std::optional<std::int64_t> broughtForward; std::int64_t closing; };
    const Case cases[] = {
        {kCash, 17500, 16800},
        {kBank, -10000, -9300},
        {kStock, std::nullopt, 0},   // no opening line: nothing brought forward
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const auto ledger = ledgers::buildLedger(t.db(), 1, c.code, ledgers::DateRange{kStart, kEnd});
        ASSERT_EQ(ledger.broughtForward.has_value(), c.broughtForward.has_value());
        if (c.broughtForward) {
            EXPECT_EQ(*ledger.broughtForward, Money::fromCents(*c.broughtForward));
        }
        EXPECT_EQ(ledger.totals.closing, Money::fromCents(c.closing));
    }
    // The whole year lists the opening lines first.
    const auto year = ledgers::buildLedger(t.db(), 1, kCash, std::nullopt);
    ASSERT_EQ(year.lines.size(), 3u);
    EXPECT_EQ(year.lines[0].tranType, 11);
    EXPECT_EQ(year.lines[1].tranType, 11);
    EXPECT_EQ(year.lines[0].desc, "Balance Brought Forward");
    EXPECT_EQ(year.lines[2].tranType, 41);
}

TEST_F(OpeningBalanceFlow, TrialBalanceShowsThemAsTheOpeningColumn)
{
    const auto tb = statements::trialBalance(t.db(), 1, kStart, kEnd, statements::AccountSelection::all());
    struct Case { std::int64_t code; std::int64_t opening, debits, credits; };
    const Case cases[] = {
        {kBank, -10000, 700, 0},
        {kCash, 17500, 0, 700},
    };
    ASSERT_EQ(tb.rows.size(), std::size(cases));   // Stock has no figures and is not listed
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].code);
        const auto& row = *std::find_if(tb.rows.begin(), tb.rows.end(),
                                        [&](const auto& r) { return r.accCode == cases[i].code; });
        EXPECT_EQ(row.opening, Money::fromCents(cases[i].opening));
        EXPECT_EQ(row.debits, Money::fromCents(cases[i].debits));
        EXPECT_EQ(row.credits, Money::fromCents(cases[i].credits));
    }
    EXPECT_EQ(tb.totals.opening, Money::fromCents(7500));
}

TEST_F(OpeningBalanceFlow, ClearingTheYearTakesThemOutOfBothReadings)
{
    {
        platform::Transaction tx(t.db());
        app::clearYear(tx, 1, {1, QDateTime(kEnd, QTime(12, 0))});
        tx.commit();
    }
    EXPECT_FALSE(ledgers::buildLedger(t.db(), 1, kCash, ledgers::DateRange{kStart, kEnd}).broughtForward);
    EXPECT_TRUE(statements::trialBalance(t.db(), 1, kStart, kEnd, statements::AccountSelection::all()).rows.empty());
}
