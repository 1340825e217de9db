// Tests for hierarchies: relating levels by their column pairs, the order of
// each child set, unreachable rows, key matching, bound values and flat sets.
#include "platform/data/hierarchy.h"

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

using platform::Bookmark;
using platform::Database;
using platform::Hierarchy;
using platform::LevelQuery;
using platform::Recordset;
using platform::Value;

namespace {

// A small chart: two main types, three sub types (one without accounts) and
// accounts, one of which belongs to no sub type.
Database chartDb()
{
    Database db = Database::createEmpty(":memory:");
    db.execScript(R"(
        CREATE TABLE L1 (TypeID INTEGER, Type TEXT);
        CREATE TABLE L2 (Level2ID INTEGER, Level1ID INTEGER, Name TEXT);
        CREATE TABLE L3 (AccCode INTEGER, Level2ID INTEGER, AccName TEXT, Debit INTEGER);
        INSERT INTO L1 VALUES (1, 'Assets'), (2, 'Income');
        INSERT INTO L2 VALUES (11, 1, 'Current'), (12, 1, 'Fixed'), (21, 2, 'Sales');
        INSERT INTO L3 VALUES (1101, 11, 'Cash', 500), (1102, 11, 'Bank', 900), (1103, 11, 'Petty', 700),
                              (2101, 21, 'Goods', 300), (9901, 99, 'Orphan', 10000);
    )");
    return db;
}

std::vector<LevelQuery> chartLevels(const char* accountOrder = "AccCode")
{
    return {
        {"level1", "SELECT TypeID, Type FROM L1 ORDER BY TypeID", {}, "", ""},
        {"level2", "SELECT Level2ID, Level1ID, Name FROM L2 ORDER BY Level2ID", {}, "TypeID", "Level1ID"},
        {"level3", std::string("SELECT AccCode, Level2ID, AccName, Debit FROM L3 ORDER BY ") + accountOrder, {},
         "Level2ID", "Level2ID"},
    };
}

// The tree as text: each row's first column, its children in brackets.
std::string tree(const Hierarchy& h, int level, std::span<const Bookmark> rows)
{
    std::string out;
    for (const Bookmark row : rows) {
        if (!out.empty())
            out += ' ';
        out += h.value(level, row, 0).toText();
        if (level + 1 < h.levelCount())
            out += "[" + tree(h, level + 1, h.childRows(level, row)) + "]";
    }
    return out;
}

std::string tree(const Hierarchy& h)
{
    return tree(h, 0, h.topRows());
}

} // namespace

TEST(Hierarchy, RelatesEachLevelToItsParentAndKeepsParentsWithoutChildren)
{
    Database db = chartDb();
    const Hierarchy h = Hierarchy::open(db, chartLevels());
    EXPECT_EQ(tree(h), "1[11[1101 1102 1103] 12[]] 2[21[2101]]");
}

TEST(Hierarchy, KeepsTheChildQueryOrderWithinEachParent)
{
    Database db = chartDb();
    const Hierarchy h = Hierarchy::open(db, chartLevels("Debit DESC"));
    EXPECT_EQ(tree(h), "1[11[1102 1103 1101] 12[]] 2[21[2101]]");
}

TEST(Hierarchy, NeverReachesChildRowsOutsideTheRelations)
{
    Database db = chartDb();
    const Hierarchy h = Hierarchy::open(db, chartLevels());
    EXPECT_EQ(h.rows(2).recordCount(), 5u);   // fetched, orphan included
    EXPECT_EQ(tree(h).find("9901"), std::string::npos);
}

TEST(Hierarchy, MatchesKeysAsFindDoes)
{
    struct Case {
        const char* name;
        Value parentKey;
        Value childKey;
        bool related;
    };
    const Case cases[] = {
        {"same number", 7, 7, true},
        {"number and its text", 7, "7", true},
        {"text ignoring case", "Ab", "aB", true},
        {"different text", "ab", "abc", false},
        {"null parent key", Value{}, Value{}, false},
        {"real and whole number", 7.0, 7, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = Database::createEmpty(":memory:");
        db.execScript("CREATE TABLE P (K); CREATE TABLE C (K, N INTEGER);");
        db.exec("INSERT INTO P VALUES (?)", {c.parentKey});
        db.exec("INSERT INTO C VALUES (?, 1)", {c.childKey});
        const Hierarchy h = Hierarchy::open(db, {{"p", "SELECT K FROM P", {}, "", ""},
                                                 {"c", "SELECT N, K FROM C", {}, "K", "K"}});
        EXPECT_EQ(h.childRows(0, h.topRows().front()).size(), c.related ? 1u : 0u);
    }
}

TEST(Hierarchy, BindsTheValuesOfEachLevel)
{
    Database db = chartDb();
    db.exec("INSERT INTO L1 VALUES (3, 'Owner''s Equity')");
    std::vector<LevelQuery> levels = chartLevels();
    levels[0].sql = "SELECT TypeID, Type FROM L1 WHERE Type = ? ORDER BY TypeID";
    levels[0].params = {"Owner's Equity"};
    levels[2].sql = "SELECT AccCode, Level2ID FROM L3 WHERE Debit > ? ORDER BY AccCode";
    levels[2].params = {600};
    EXPECT_EQ(tree(Hierarchy::open(db, levels)), "3[]");
    levels[0].params = {"Assets"};
    EXPECT_EQ(tree(Hierarchy::open(db, levels)), "1[11[1102 1103] 12[]]");
}

TEST(Hierarchy, RefusesBadShapes)
{
    Database db = chartDb();
    EXPECT_THROW(Hierarchy::open(db, {}), std::invalid_argument);
    auto four = chartLevels();
    four.push_back({"level4", "SELECT 1 AS Level2ID", {}, "Level2ID", "Level2ID"});
    EXPECT_THROW(Hierarchy::open(db, four), std::invalid_argument);
    auto wrongParent = chartLevels();
    wrongParent[1].parentColumn = "NoSuchColumn";
    EXPECT_THROW(Hierarchy::open(db, wrongParent), std::invalid_argument);
    auto wrongChild = chartLevels();
    wrongChild[2].childColumn = "NoSuchColumn";
    EXPECT_THROW(Hierarchy::open(db, wrongChild), std::invalid_argument);
    auto badSql = chartLevels();
    badSql[1].sql = "SELECT nothing FROM nowhere";
    EXPECT_THROW(Hierarchy::open(db, badSql), platform::DbError);
}

TEST(Hierarchy, FindsLevelsByMemberNameIgnoringCase)
{
    Database db = chartDb();
    const Hierarchy h = Hierarchy::open(db, chartLevels());
    EXPECT_EQ(h.levelOf(""), 0);
    EXPECT_EQ(h.levelOf("LEVEL2"), 1);
    EXPECT_EQ(h.levelOf("Level3"), 2);
    EXPECT_EQ(h.levelOf("level4"), -1);
    EXPECT_EQ(h.columnIndex(2, "accname"), 2);
}

TEST(Hierarchy, FlatSetKeepsFilterAndSortAndTheCallersPosition)
{
    Database db = chartDb();
    Recordset rs = Recordset::open(db, "SELECT AccCode, Debit FROM L3 ORDER BY AccCode");
    rs.setFilter([](const Recordset& r, Bookmark row) { return r.valueAt(row, 1).toInt() < 1000; });
    rs.setSort({{"Debit", false}});
    rs.moveLast();
    const Hierarchy h = Hierarchy::flat(rs);
    EXPECT_EQ(tree(h), "1102 1103 1101 2101");
    EXPECT_EQ(rs["AccCode"].toInt(), 2101);
    EXPECT_THROW(Hierarchy::flat(Recordset{}), std::invalid_argument);
}

TEST(Hierarchy, CloseDropsEveryLevel)
{
    Database db = chartDb();
    Hierarchy h = Hierarchy::open(db, chartLevels());
    h.close();
    EXPECT_FALSE(h.isOpen());
    EXPECT_EQ(h.levelCount(), 0);
    EXPECT_TRUE(h.topRows().empty());
}
