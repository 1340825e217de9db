// Tests for the client-side recordset: moves and BOF/EOF, reading, find, filter,
// sort, clones, bookmarks and requery.
#include "platform/data/recordset.h"

#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

using platform::Bookmark;
using platform::Database;
using platform::Recordset;
using platform::Value;

namespace {

// Accounts with a whole-number code, a name and a balance that may be null.
Database accountsDb(int rows)
{
    Database db = Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE Accounts (AccCode INTEGER, AccName TEXT, Bal INTEGER);");
    const char* names[] = {"cash", "Bank", "bank", "Sales", "wages"};
    for (int i = 0; i < rows; ++i)
        db.exec("INSERT INTO Accounts VALUES (?, ?, ?)",
                {10101001 + i, names[i % 5], i % 2 ? Value() : Value(100 * (5 - i))});
    return db;
}

Recordset allAccounts(Database& db)
{
    return Recordset::open(db, "SELECT AccCode, AccName, Bal FROM Accounts ORDER BY AccCode");
}

// The codes of the visible rows, walking from the first to EOF.
std::vector<std::int64_t> codes(Recordset& rs)
{
    std::vector<std::int64_t> out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out.push_back(rs["AccCode"].toInt());
    return out;
}

std::vector<std::int64_t> codeRange(std::initializer_list<int> offsets)
{
    std::vector<std::int64_t> out;
    for (const int o : offsets)
        out.push_back(10101001 + o);
    return out;
}

} // namespace

TEST(RecordsetMoves, KeepBofAndEofAsTheWindowsExpect)
{
    enum Move { First, Last, Next, Prev };
    struct Case {
        const char* name;
        int rows;
        std::vector<Move> moves;
        bool bof, eof;
        long position;
    };
    const Case cases[] = {
        {"empty, just opened", 0, {}, true, true, -1},
        {"empty, next", 0, {Next}, true, true, -1},
        {"empty, last", 0, {Last}, true, true, -1},
        {"empty, previous", 0, {Prev}, true, true, -1},
        {"opened on first row", 3, {}, false, false, 0},
        {"next to second", 3, {Next}, false, false, 1},
        {"past last", 3, {Next, Next, Next}, false, true, -1},
        {"next at EOF stays", 3, {Next, Next, Next, Next, Next}, false, true, -1},
        {"back from EOF to last", 3, {Next, Next, Next, Next, Prev}, false, false, 2},
        {"before first", 3, {Prev}, true, false, -1},
        {"previous at BOF stays", 3, {Prev, Prev}, true, false, -1},
        {"on from BOF to first", 3, {Prev, Prev, Next}, false, false, 0},
        {"last", 3, {Last}, false, false, 2},
        {"last then next", 3, {Last, Next}, false, true, -1},
        {"first after EOF", 3, {Last, Next, First}, false, false, 0},
        {"single row, next", 1, {Next}, false, true, -1},
        {"single row, next then back", 1, {Next, Prev}, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = accountsDb(c.rows);
        Recordset rs = allAccounts(db);
        for (const Move m : c.moves) {
            switch (m) {
            case First: rs.moveFirst(); break;
            case Last: rs.moveLast(); break;
            case Next: rs.moveNext(); break;
            case Prev: rs.movePrevious(); break;
            }
        }
        EXPECT_EQ(rs.recordCount(), static_cast<std::size_t>(c.rows));
        EXPECT_EQ(rs.bof(), c.bof);
        EXPECT_EQ(rs.eof(), c.eof);
        EXPECT_EQ(rs.absolutePosition(), c.position);
    }
}

TEST(RecordsetRead, FindsColumnsIgnoringCaseAndReadsNull)
{
    Database db = accountsDb(2);
    Recordset rs = allAccounts(db);
    EXPECT_EQ(rs.columnIndex("accname"), 1);
    EXPECT_EQ(rs.columnIndex("ACCNAME"), 1);
    EXPECT_EQ(rs.columnIndex("Nothing"), -1);
    EXPECT_EQ(rs["accCODE"], Value(10101001));

    rs.moveNext();   // the second row's balance is null
    EXPECT_TRUE(rs["Bal"].isNull());
    EXPECT_EQ(rs["Bal"].toText(), "");
    EXPECT_EQ(rs.at(1), Value("Bank"));
}

TEST(RecordsetRead, RefusesUnknownColumnsAndReadsOffTheRows)
{
    const auto throwsExactly = [](const auto& read, const std::type_info& expected) {
        try {
            read();
        } catch (const std::exception& e) {
            return typeid(e) == expected;
        }
        return false;
    };
    Database db = accountsDb(1);
    Recordset rs = allAccounts(db);
    EXPECT_TRUE(throwsExactly([&] { (void)rs["Nothing"]; }, typeid(std::out_of_range)));
    EXPECT_TRUE(throwsExactly([&] { (void)rs.at(3); }, typeid(std::out_of_range)));
    rs.moveNext();
    // std::out_of_range is a std::logic_error too: the check wants the plain one.
    EXPECT_TRUE(throwsExactly([&] { (void)rs["AccCode"]; }, typeid(std::logic_error)));
    EXPECT_TRUE(throwsExactly([&] { (void)rs.bookmark(); }, typeid(std::logic_error)));
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(throwsExactly([&] { (void)rs["AccCode"]; }, typeid(std::logic_error)));

    Recordset closed;
    EXPECT_FALSE(closed.isOpen());
    EXPECT_TRUE(closed.bof() && closed.eof());
    EXPECT_THROW(closed.requery(), std::logic_error);
}

TEST(RecordsetFind, MatchesTypedCodesAndTextIgnoringCase)
{
    struct Case {
        const char* name;
        const char* column;
        Value value;
        int startAt;   // row to stand on before the search
        bool fromStart;
        long found;    // position, or -1 for a miss
    };
    const Case cases[] = {
        {"whole number", "AccCode", Value(10101003), 0, false, 2},
        {"code typed as text", "acccode", Value("10101003"), 0, false, 2},
        {"code as a real", "AccCode", Value(10101003.0), 0, false, 2},
        {"text that is no number", "AccCode", Value("10101003x"), 0, false, -1},
        {"text ignoring case", "AccName", Value("BANK"), 0, false, 1},
        {"from the current row on", "AccName", Value("bank"), 2, false, 2},
        {"current row itself counts", "AccName", Value("Sales"), 3, false, 3},
        {"earlier rows are not searched", "AccName", Value("cash"), 1, false, -1},
        {"from the start", "AccName", Value("cash"), 3, true, 0},
        {"null finds null", "Bal", Value(), 0, false, 1},
        {"number against text column", "AccName", Value(5), 0, false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = accountsDb(5);
        Recordset rs = allAccounts(db);
        for (int i = 0; i < c.startAt; ++i)
            rs.moveNext();
        EXPECT_EQ(rs.find(c.column, c.value, c.fromStart), c.found >= 0);
        EXPECT_EQ(rs.absolutePosition(), c.found);
        EXPECT_EQ(rs.eof(), c.found < 0);
    }
}

TEST(RecordsetSort, IsStableWithNullFirstAndTextIgnoringCase)
{
    struct Case {
        const char* name;
        std::vector<Recordset::SortKey> keys;
        std::vector<std::int64_t> expected;
    };
    // Rows: 0 cash 500, 1 Bank null, 2 bank 300, 3 Sales null, 4 wages 100.
    const Case cases[] = {
        {"name: Bank and bank keep fetched order", {{"AccName"}}, codeRange({1, 2, 0, 3, 4})},
        {"name descending", {{"AccName", false}}, codeRange({4, 3, 0, 1, 2})},
        {"balance: nulls first, then by value", {{"Bal"}}, codeRange({1, 3, 4, 2, 0})},
        {"balance, then code descending", {{"bal"}, {"AccCode", false}}, codeRange({3, 1, 4, 2, 0})},
        {"no keys: fetched order", {}, codeRange({0, 1, 2, 3, 4})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = accountsDb(5);
        Recordset rs = allAccounts(db);
        rs.setSort(c.keys);
        EXPECT_EQ(rs.absolutePosition(), 0);
        EXPECT_EQ(codes(rs), c.expected);
    }
    Database db = accountsDb(2);
    Recordset rs = allAccounts(db);
    EXPECT_THROW(rs.setSort({{"Nothing"}}), std::out_of_range);
}

TEST(RecordsetSort, KeepsFetchedOrderAmongManyTies)
{
    // Enough rows that an unstable sort would reorder ties (small ranges are
    // insertion-sorted, which happens to be stable).
    Database db = accountsDb(60);
    Recordset rs = allAccounts(db);
    rs.setSort({{"Bal", false}});
    std::int64_t previousCode = 0;
    for (; !rs.eof(); rs.moveNext()) {
        if (!rs["Bal"].isNull())
            continue;
        EXPECT_GT(rs["AccCode"].toInt(), previousCode);   // nulls were fetched in code order
        previousCode = rs["AccCode"].toInt();
    }
    EXPECT_GT(previousCode, 0);
}

TEST(RecordsetSort, OrdersNumbersByValueNotAsText)
{
    Database db = Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE T (n); INSERT INTO T VALUES (10), (9), (2.5), (-1), ('b'), ('A');");
    Recordset rs = Recordset::open(db, "SELECT n FROM T");
    rs.setSort({{"n"}});
    std::vector<std::string> seen;
    for (; !rs.eof(); rs.moveNext())
        seen.push_back(rs["n"].toText());
    EXPECT_EQ(seen, (std::vector<std::string>{"-1", "2.5", "9", "10", "A", "b"}));
}

TEST(RecordsetFilter, ReplacesEarlierFilterAndClearsWithEmpty)
{
    Database db = accountsDb(5);
    Recordset rs = allAccounts(db);
    rs.moveLast();
    rs.filterEquals("AccName", Value("BANK"));
    EXPECT_EQ(rs.absolutePosition(), 0);
    EXPECT_EQ(codes(rs), codeRange({1, 2}));

    rs.setFilter([](const Recordset& r, Bookmark row) { return r.valueAt(row, 2).isNull(); });
    EXPECT_EQ(codes(rs), codeRange({1, 3}));   // not combined with the name filter

    rs.filterEquals("AccCode", Value("10101005"));
    EXPECT_EQ(codes(rs), codeRange({4}));

    rs.filterEquals("AccName", Value("nobody"));
    EXPECT_TRUE(rs.bof() && rs.eof());
    EXPECT_EQ(rs.recordCount(), 0u);

    rs.setFilter({});
    EXPECT_EQ(rs.recordCount(), 5u);
}

TEST(RecordsetClone, SharesRowsButKeepsItsOwnViewAndPosition)
{
    Database db = accountsDb(5);
    Recordset rs = allAccounts(db);
    rs.filterEquals("AccName", Value("bank"));
    rs.setSort({{"AccCode", false}});
    rs.moveNext();

    Recordset copy = rs.clone();
    EXPECT_EQ(copy.absolutePosition(), 0);
    EXPECT_EQ(codes(copy), codeRange({0, 1, 2, 3, 4}));   // unfiltered, fetched order

    copy.filterEquals("AccName", Value("wages"));
    copy.setSort({{"Bal"}});
    EXPECT_EQ(codes(copy), codeRange({4}));

    // The original is untouched by the clone's filter, sort and moves.
    EXPECT_EQ(rs.absolutePosition(), 1);
    EXPECT_EQ(rs["AccCode"], Value(10101002));
    EXPECT_EQ(codes(rs), codeRange({2, 1}));

    // Both stand on the same rows: a bookmark from one is a row of the other.
    ASSERT_TRUE(copy.find("AccCode", Value(10101005), true));
    const Bookmark mark = copy.bookmark();
    EXPECT_EQ(rs.valueAt(mark, 1), Value("wages"));
}

TEST(RecordsetBookmark, SurvivesFilterAndSort)
{
    Database db = accountsDb(5);
    Recordset rs = allAccounts(db);
    ASSERT_TRUE(rs.find("AccName", Value("Sales")));
    const Bookmark mark = rs.bookmark();

    rs.setSort({{"AccName", false}});
    rs.moveTo(mark);
    EXPECT_EQ(rs["AccName"], Value("Sales"));
    EXPECT_EQ(rs.absolutePosition(), 1);

    rs.setFilter([](const Recordset& r, Bookmark row) { return r.valueAt(row, 2).isNull(); });
    rs.moveTo(mark);
    EXPECT_EQ(rs["AccCode"], Value(10101004));

    rs.filterEquals("AccName", Value("cash"));
    EXPECT_THROW(rs.moveTo(mark), std::out_of_range);   // hidden by the filter
}

TEST(RecordsetRequery, SeesNewRowsAndKeepsFilterAndSort)
{
    Database db = accountsDb(3);
    Recordset rs = Recordset::open(db, "SELECT AccCode, AccName, Bal FROM Accounts WHERE AccCode >= ?", {10101002});
    rs.filterEquals("AccName", Value("bank"));
    rs.setSort({{"AccCode", false}});
    rs.moveNext();
    EXPECT_EQ(codes(rs), codeRange({2, 1}));

    db.exec("INSERT INTO Accounts VALUES (?, ?, ?)", {10101009, "BANK", 1});
    db.exec("INSERT INTO Accounts VALUES (?, ?, ?)", {10101000, "bank", 1});   // below the bound value
    db.exec("INSERT INTO Accounts VALUES (?, ?, ?)", {10101010, "cash", 1});
    rs.requery();
    EXPECT_EQ(rs.absolutePosition(), 0);
    EXPECT_EQ(codes(rs), (std::vector<std::int64_t>{10101009, 10101003, 10101002}));
}

TEST(RecordsetRequery, KeepsTheOldRowsWhenTheQueryFails)
{
    Database db = accountsDb(2);
    Recordset rs = allAccounts(db);
    db.exec("DROP TABLE Accounts");
    EXPECT_THROW(rs.requery(), platform::DbError);
    EXPECT_EQ(rs.recordCount(), 2u);
    EXPECT_EQ(rs["AccName"], Value("cash"));
}

TEST(RecordsetFromRows, WalksRowsMadeInMemoryLikeFetchedOnes)
{
    Recordset rs = Recordset::fromRows({"AccCode", "AccName", "Bal"},
                                       {{10101002, "bank", Value()}, {10101001, "Cash", 500}});
    ASSERT_TRUE(rs.isOpen());
    EXPECT_EQ(rs["accname"], Value("bank"));
    rs.setSort({{"AccCode", true}});
    EXPECT_EQ(codes(rs), codeRange({0, 1}));
    Recordset copy = rs.clone();
    EXPECT_EQ(copy["Bal"], Value());
    EXPECT_THROW(rs.requery(), std::logic_error);   // no query to run again
    EXPECT_EQ(rs.recordCount(), 2u);

    Recordset none = Recordset::fromRows({"AccCode"}, {});
    EXPECT_TRUE(none.isOpen());
    EXPECT_TRUE(none.eof());
}

TEST(RecordsetFromRows, RefusesARowOfAnotherWidth)
{
    EXPECT_THROW(Recordset::fromRows({"AccCode", "AccName"}, {{10101001, "Cash"}, {10101002}}),
                 std::invalid_argument);
}
