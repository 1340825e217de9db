// The chart editor's SQL on a delivered database in memory: lists by parent,
// highest codes, the look-ups of the delete checks and the one-row writes.
#include "accounts/chart_store.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "accounts/chart_rules.h"
#include "db/delivered.h"
#include "platform/data/database.h"

namespace {

// A delivered database (natures, the first year with its opening-balance
// voucher) with main types 101 and 102 of nature 10, sub types 10101, 10102
// under 101 and 10201 under 102, and accounts 10101001 "Cash", 10101002 "Bank".
class ChartStore : public testing::Test {
protected:
    ChartStore() : db(platform::Database::createEmpty(":memory:"))
    {
        db::fillDelivered(db, "2026-12-10", "2026-12-10 09:00:00");
        db.execScript("INSERT INTO AccLevel1 VALUES (101, 'Land', 10), (102, 'Plant', 10);"
                      "INSERT INTO AccLevel2 VALUES (10101, 'Freehold', 101), (10102, 'Leasehold', 101),"
                      " (10201, 'Machines', 102);"
                      "INSERT INTO AccLevel3 VALUES (10101001, 'Cash', 101, 10101), (10101002, 'Bank', 101, 10101);");
    }

    // Adds voucher `tranType` of year `fyId` with one line on `accCode`.
    void addLine(int fyId, int tranType, std::int64_t accCode, int cancelled = 0, int posted = 0)
    {
        db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
                " VALUES ((SELECT coalesce(MAX(DocNo), 0) + 1 FROM Transactions), '2026-07-01', ?, ?, ?, ?)",
                {tranType, fyId, cancelled, posted});
        db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (?, ?, 100, 0)",
                {db.lastInsertId(), accCode});
    }

    std::string names(const char* sql)
    {
        return db.scalar(std::string("SELECT group_concat(n, ',') FROM (") + sql + ")").toText();
    }

    platform::Database db;
};

// True when `write` fails on a broken key, as the window's delete expects.
bool refusedByKey(const std::function<void()>& write)
{
    try {
        write();
    } catch (const platform::DbError& e) {
        return e.isConstraint();
    }
    return false;
}

std::vector<std::int64_t> codes(platform::Recordset rs, const char* column)
{
    std::vector<std::int64_t> out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out.push_back(rs[column].toInt());
    return out;
}

} // namespace

TEST_F(ChartStore, ListsOnlyTheRowsOfTheParentInCodeOrder)
{
    db.exec("INSERT INTO AccLevel2 VALUES (10150, 'Rented', 101)");
    EXPECT_EQ(codes(accounts::openMainTypes(db), "TypeID"), (std::vector<std::int64_t>{101, 102}));
    EXPECT_EQ(codes(accounts::openSubTypes(db, 101), "Level2ID"), (std::vector<std::int64_t>{10101, 10102, 10150}));
    EXPECT_EQ(codes(accounts::openSubTypes(db, 0), "Level2ID"), std::vector<std::int64_t>{});
    EXPECT_EQ(codes(accounts::openAccounts(db, 10101), "AccCode"),
              (std::vector<std::int64_t>{10101001, 10101002}));
    EXPECT_EQ(codes(accounts::openAccounts(db, 10102), "AccCode"), std::vector<std::int64_t>{});
    const auto natures = accounts::openNatures(db);
    EXPECT_EQ(natures["AccNatureTop"].toText(), "Non-Current Assets");
    EXPECT_EQ(natures["StartAt"].toInt(), 100);
    EXPECT_EQ(natures["EndAt"].toInt(), 199);
}

TEST_F(ChartStore, HighestIsOfTheSameParentOnly)
{
    db.exec("INSERT INTO AccLevel1 VALUES (250, 'Stock', 20)");
    EXPECT_EQ(accounts::highestMainType(db, 10), 102);
    EXPECT_EQ(accounts::highestMainType(db, 20), 250);
    EXPECT_EQ(accounts::highestMainType(db, 30), std::nullopt);
    EXPECT_EQ(accounts::highestSubType(db, 101), 10102);
    EXPECT_EQ(accounts::highestSubType(db, 250), std::nullopt);
    EXPECT_EQ(accounts::highestAccount(db, 10101), 10101002);
    EXPECT_EQ(accounts::highestAccount(db, 10201), std::nullopt);
}

TEST_F(ChartStore, AHoleBelowTheHighestStaysFreeAndAFreedHighestIsProposedAgain)
{
    db.execScript("INSERT INTO AccLevel2 VALUES (10150, 'Rented', 101), (10198, 'Shared', 101),"
                  " (10199, 'Last', 101);");
    const auto propose = [this] { return accounts::proposeSubType(101, accounts::highestSubType(db, 101)); };
    EXPECT_EQ(propose(), std::nullopt);
    {
        platform::Transaction tx(db);
        accounts::deleteSubType(tx, 10150);
        tx.commit();
    }
    EXPECT_EQ(propose(), std::nullopt);
    {
        platform::Transaction tx(db);
        accounts::deleteSubType(tx, 10199);
        tx.commit();
    }
    EXPECT_EQ(propose(), 10199);
}

TEST_F(ChartStore, LooksUpChildrenAndCodes)
{
    EXPECT_TRUE(accounts::mainTypeExists(db, 101));
    EXPECT_FALSE(accounts::mainTypeExists(db, 103));
    EXPECT_TRUE(accounts::hasSubTypes(db, 101));
    db.exec("INSERT INTO AccLevel1 VALUES (103, 'Empty', 10)");
    EXPECT_FALSE(accounts::hasSubTypes(db, 103));
    EXPECT_TRUE(accounts::hasAccounts(db, 10101));
    EXPECT_FALSE(accounts::hasAccounts(db, 10102));
}

TEST_F(ChartStore, VoucherLinesOfAnyVoucherCount)
{
    db.exec("INSERT INTO FinancialYear VALUES (2, '2025-07-01', '2026-06-30', '2025-26')");
    struct Case { const char* what; int fyId, tranType, cancelled, posted; };
    const Case cases[] = {
        {"opening balances of an earlier year", 2, 11, 0, 1},
        {"cancelled and never posted", 1, 21, 1, 0},
        {"posted", 1, 41, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db.exec("DELETE FROM SubTransactions");
        EXPECT_FALSE(accounts::hasVoucherLines(db, 10101001));
        addLine(c.fyId, c.tranType, 10101001, c.cancelled, c.posted);
        EXPECT_TRUE(accounts::hasVoucherLines(db, 10101001));
        EXPECT_FALSE(accounts::hasVoucherLines(db, 10101002));
    }
}

TEST_F(ChartStore, DatabaseRefusesToDeleteRowsStillUsedAndKeepsThem)
{
    addLine(1, 11, 10101001);
    struct Case { const char* what; std::function<void(platform::Transaction&)> remove; const char* left; };
    const Case cases[] = {
        {"main type with sub types", [](auto& tx) { accounts::deleteMainType(tx, 102); },
         "SELECT Type AS n FROM AccLevel1 ORDER BY TypeID"},
        {"sub type with accounts", [](auto& tx) { accounts::deleteSubType(tx, 10101); },
         "SELECT L2AccName AS n FROM AccLevel2 ORDER BY Level2ID"},
        {"account with lines", [](auto& tx) { accounts::deleteAccount(tx, 10101001); },
         "SELECT AccName AS n FROM AccLevel3 ORDER BY AccCode"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = names(c.left);
        EXPECT_TRUE(refusedByKey([&] {
            platform::Transaction tx(db);
            c.remove(tx);
            tx.commit();
        }));
        EXPECT_EQ(names(c.left), before);
    }
}

TEST_F(ChartStore, WritesOnlyTheNamedRow)
{
    {
        platform::Transaction tx(db);
        accounts::renameMainType(tx, 101, "Freehold land");
        accounts::updateSubType(tx, {10102, "Leases", 101});
        accounts::updateAccount(tx, {10101002, "Bank A", 101, 10101});
        accounts::insertMainType(tx, {450, "Payables", 36});
        accounts::insertSubType(tx, {45001, "Trade", 450});
        accounts::insertAccount(tx, {45001001, "Supplier", 450, 45001});
        tx.commit();
    }
    EXPECT_EQ(names("SELECT TypeID || ':' || Type || ':' || NatureID AS n FROM AccLevel1 ORDER BY TypeID"),
              "101:Freehold land:10,102:Plant:10,450:Payables:36");
    EXPECT_EQ(names("SELECT Level2ID || ':' || L2AccName || ':' || TypeID AS n FROM AccLevel2 ORDER BY Level2ID"),
              "10101:Freehold:101,10102:Leases:101,10201:Machines:102,45001:Trade:450");
    EXPECT_EQ(names("SELECT AccCode || ':' || AccName || ':' || Level1ID || ':' || Level2ID AS n FROM AccLevel3"
                    " ORDER BY AccCode"),
              "10101001:Cash:101:10101,10101002:Bank A:101:10101,45001001:Supplier:450:45001");
}

TEST_F(ChartStore, ChangingARowThatIsGoneFails)
{
    platform::Transaction tx(db);
    EXPECT_THROW(accounts::renameMainType(tx, 109, "Nothing"), platform::DbError);
    EXPECT_THROW(accounts::updateSubType(tx, {10109, "Nothing", 101}), platform::DbError);
    EXPECT_THROW(accounts::updateAccount(tx, {10101009, "Nothing", 101, 10101}), platform::DbError);
    EXPECT_THROW(accounts::deleteAccount(tx, 10101009), platform::DbError);
    EXPECT_THROW(accounts::insertMainType(tx, {101, "Twice", 10}), platform::DbError);
}

TEST_F(ChartStore, FindsTheFirstLineWhoseAccountIsNoLongerInTheChart)
{
    const auto line = [](std::int64_t code) {
        accounts::SubTranRow row;
        row.accCode = code;
        return row;
    };
    const accounts::SubTranRow blank;
    struct Case { const char* what; std::vector<accounts::SubTranRow> lines; std::optional<std::size_t> found; };
    const Case cases[] = {
        {"every account there, blank lines passed over", {line(10101001), blank, line(10101002)}, {}},
        {"the first gone of two", {line(10101001), blank, line(10101009), line(10101008)}, 2},
        {"a gone account seen again", {line(10101007), line(10101007)}, 0},
        {"no line", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(accounts::firstLineOffChart(db, c.lines), c.found);
    }
}
