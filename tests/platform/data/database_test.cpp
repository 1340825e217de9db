// Tests for the connection, statements and transactions: bound values, refusals
// of foreign files, one statement per Statement, and rollback on failure.
#include "platform/data/database.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>
#include <sqlite3.h>

using platform::Database;
using platform::DbError;
using platform::Statement;
using platform::Transaction;
using platform::Value;

namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        m_path = fs::temp_directory_path() / ("tamsel_data_" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

// A file carrying the given marks, as the schema script would leave it.
void makeFile(const std::string& path, std::int64_t applicationId, int version)
{
    Database db = Database::createEmpty(path);
    db.execScript("PRAGMA application_id = " + std::to_string(applicationId) + ";"
                  "PRAGMA user_version = " + std::to_string(version) + ";"
                  "CREATE TABLE T (x);");
}

Database memoryDbWith(const char* script)
{
    Database db = Database::createEmpty(":memory:");
    db.execScript(script);
    return db;
}

std::int64_t countRows(Database& db, const char* table)
{
    return db.scalar(std::string{"SELECT count(*) FROM "} + table).toInt(-1);
}

} // namespace

TEST(DatabaseOpen, OpensOurFileWithItsSettings)
{
    TempDir dir;
    const std::string path = dir.file("ours.db");
    makeFile(path, platform::kApplicationId, platform::kSchemaVersion);

    Database db = Database::open(path);
    EXPECT_EQ(db.path(), path);
    EXPECT_EQ(db.scalar("PRAGMA foreign_keys").toInt(), 1);
    EXPECT_EQ(db.scalar("PRAGMA journal_mode").toText(), "delete");
    EXPECT_EQ(db.scalar("PRAGMA synchronous").toInt(), 2);   // FULL
    EXPECT_EQ(db.exec("INSERT INTO T VALUES (1)"), 1);
}

TEST(DatabaseOpen, RefusesFilesThatAreNotOurs)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;   // leaves nothing for a missing file
        int code;
        const char* messagePart;
    };
    const Case cases[] = {
        {"missing", [](const std::string&) {}, SQLITE_CANTOPEN, "was not found"},
        {"junk bytes",
         [](const std::string& p) { std::ofstream(p, std::ios::binary) << std::string(4096, '\x5a') << "junk"; },
         SQLITE_NOTADB, "is not a Tamsel Standard database"},
        {"empty file", [](const std::string& p) { std::ofstream{p}; }, SQLITE_NOTADB,
         "is not a Tamsel Standard database"},
        {"other application id", [](const std::string& p) { makeFile(p, 0x12345678, platform::kSchemaVersion); },
         SQLITE_NOTADB, "is not a Tamsel Standard database"},
        {"no application id", [](const std::string& p) { makeFile(p, 0, platform::kSchemaVersion); },
         SQLITE_NOTADB, "is not a Tamsel Standard database"},
        {"other layout version",
         [](const std::string& p) { makeFile(p, platform::kApplicationId, platform::kSchemaVersion + 1); },
         SQLITE_NOTADB, "version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("file.MDB");
        c.make(path);
        try {
            Database::open(path);
            ADD_FAILURE() << "opened";
        } catch (const DbError& e) {
            EXPECT_EQ(e.code() & 0xff, c.code);
            EXPECT_NE(e.message().find(c.messagePart), std::string::npos) << e.message();
            EXPECT_NE(e.message().find(path), std::string::npos) << e.message();
        }
    }
}

TEST(DatabaseOpen, BringsAnOlderFileUpToDateStepByStep)
{
    TempDir dir;
    const std::string path = dir.file("old.db");
    const int oldest = platform::kSchemaVersion - 2;
    makeFile(path, platform::kApplicationId, oldest);
    // Given out of order: each step is found by the version it starts from.
    const platform::SchemaUpgrade steps[] = {
        {oldest + 1, "INSERT INTO T VALUES ('second')"},
        {oldest, "INSERT INTO T VALUES ('first')"},
    };
    {
        Database db = Database::open(path, steps);
        EXPECT_EQ(db.scalar("PRAGMA user_version").toInt(), platform::kSchemaVersion);
        EXPECT_EQ(db.scalar("SELECT group_concat(x, ' ') FROM T").toText(), "first second");
    }
    Database again = Database::open(path, steps);   // an up-to-date file runs no step
    EXPECT_EQ(countRows(again, "T"), 2);
}

TEST(DatabaseOpen, AFailedStepLeavesTheFileAtTheVersionBeforeIt)
{
    TempDir dir;
    const std::string path = dir.file("old.db");
    const int oldest = platform::kSchemaVersion - 2;
    makeFile(path, platform::kApplicationId, oldest);
    const platform::SchemaUpgrade steps[] = {
        {oldest, "INSERT INTO T VALUES ('first')"},
        {oldest + 1, "INSERT INTO T VALUES ('second'); INSERT INTO Missing VALUES (1)"},
    };
    EXPECT_THROW(Database::open(path, steps), DbError);
    Database db = Database::createEmpty(":memory:");
    db.exec("ATTACH DATABASE ? AS old", {path});
    EXPECT_EQ(db.scalar("PRAGMA old.user_version").toInt(), oldest + 1);
    EXPECT_EQ(db.scalar("SELECT group_concat(x, ' ') FROM old.T").toText(), "first");
}

TEST(DatabaseOpen, RefusesAnOlderFileThatNoChainOfStepsBringsUpToDate)
{
    TempDir dir;
    const std::string path = dir.file("old.db");
    const int oldest = platform::kSchemaVersion - 2;
    makeFile(path, platform::kApplicationId, oldest);
    const platform::SchemaUpgrade gap[] = {{oldest + 1, "INSERT INTO T VALUES ('second')"}};
    try {
        Database::open(path, gap);
        ADD_FAILURE() << "opened";
    } catch (const DbError& e) {
        EXPECT_NE(e.message().find("layout version " + std::to_string(oldest)), std::string::npos) << e.message();
    }
    Database db = Database::createEmpty(":memory:");
    db.exec("ATTACH DATABASE ? AS old", {path});
    EXPECT_EQ(db.scalar("PRAGMA old.user_version").toInt(), oldest);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM old.T").toInt(), 0);
}

TEST(DatabaseOpen, NeverCreatesTheFile)
{
    TempDir dir;
    const std::string path = dir.file("absent.MDB");
    EXPECT_THROW(Database::open(path), DbError);
    EXPECT_FALSE(fs::exists(path));
}

TEST(DatabaseCreateEmpty, RefusesAnExistingFileAndLeavesIt)
{
    TempDir dir;
    const std::string path = dir.file("there.db");
    makeFile(path, platform::kApplicationId, platform::kSchemaVersion);
    const auto sizeBefore = fs::file_size(path);

    try {
        Database::createEmpty(path);
        ADD_FAILURE() << "created over an existing file";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), SQLITE_CANTOPEN);
    }
    EXPECT_EQ(fs::file_size(path), sizeBefore);
    Database db = Database::open(path);
    EXPECT_EQ(countRows(db, "T"), 0);
}

TEST(DatabaseExec, BoundValuesRoundTripUnchanged)
{
    Database db = memoryDbWith("CREATE TABLE T (id INTEGER PRIMARY KEY, v);");
    const Value cases[] = {
        Value("O'Brien"),
        Value("'; DROP TABLE T; --"),
        Value("\"double\" and 'single'"),
        Value(""),
        Value("Gr\xc3\xbc\xc3\x9f" "e"),
        Value(std::string("nul\0inside", 10)),
        Value(INT64_MIN),
        Value(INT64_MAX),
        Value(2.5),
        Value(),
    };
    for (const auto& v : cases) {
        SCOPED_TRACE(v.toText());
        EXPECT_EQ(db.exec("INSERT INTO T (v) VALUES (?)", {v}), 1);
        // Value equality includes the kind, so "2" coming back for 2.5 or text for a number fails here.
        EXPECT_EQ(db.scalar("SELECT v FROM T WHERE id = ?", {db.lastInsertId()}), v);
    }
    EXPECT_EQ(countRows(db, "T"), static_cast<std::int64_t>(std::size(cases)));
}

TEST(DatabaseExec, ReturnsRowsChangedByThisStatementOnly)
{
    Database db = memoryDbWith("CREATE TABLE T (x); INSERT INTO T VALUES (1), (2), (3);");
    EXPECT_EQ(db.exec("UPDATE T SET x = x + 10 WHERE x > ?", {1}), 2);
    // sqlite3_changes would still say 2 here.
    EXPECT_EQ(db.exec("CREATE TABLE U (y)"), 0);
    EXPECT_EQ(db.exec("DELETE FROM T WHERE x = ?", {99}), 0);
}

TEST(DatabaseScalar, GivesNullWhenThereIsNoRow)
{
    Database db = memoryDbWith("CREATE TABLE T (x);");
    EXPECT_TRUE(db.scalar("SELECT x FROM T").isNull());
    EXPECT_EQ(db.scalar("SELECT count(*) FROM T").toInt(-1), 0);
}

TEST(DatabaseExec, ReportsBrokenConstraints)
{
    struct Case { const char* name; const char* sql; bool constraint; };
    const Case cases[] = {
        {"foreign key", "INSERT INTO Child (parent) VALUES (999)", true},
        {"unique", "INSERT INTO Parent (id) VALUES (1)", true},
        {"check", "INSERT INTO Child (parent, qty) VALUES (1, -1)", true},
        {"not null", "INSERT INTO Child (parent, qty) VALUES (1, NULL)", true},
        {"no such table", "INSERT INTO Nowhere VALUES (1)", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = memoryDbWith(
            "CREATE TABLE Parent (id INTEGER PRIMARY KEY);"
            "CREATE TABLE Child (parent INTEGER REFERENCES Parent (id), qty INTEGER NOT NULL DEFAULT 0 CHECK (qty >= 0));"
            "INSERT INTO Parent VALUES (1);");
        try {
            db.exec(c.sql);
            ADD_FAILURE() << "accepted";
        } catch (const DbError& e) {
            EXPECT_EQ(e.isConstraint(), c.constraint) << e.what();
            EXPECT_EQ(e.sql(), c.sql);
        }
        EXPECT_EQ(countRows(db, "Child"), 0);
    }
}

TEST(DbError, WhatCarriesMessageAndSql)
{
    Database db = memoryDbWith("CREATE TABLE T (x);");
    try {
        db.exec("SELECT nosuch FROM T");
        ADD_FAILURE() << "accepted";
    } catch (const DbError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("nosuch"), std::string::npos) << what;
        EXPECT_NE(what.find("SELECT nosuch FROM T"), std::string::npos) << what;
        EXPECT_GT(e.where().line(), 0u);
    }
}

TEST(Statement, RefusesMoreThanOneStatement)
{
    struct Case { const char* sql; bool accepted; };
    const Case cases[] = {
        {"INSERT INTO T VALUES (1)", true},
        {"INSERT INTO T VALUES (1);", true},
        {"INSERT INTO T VALUES (1) ; ;\n ", true},
        {"INSERT INTO T VALUES (1); -- one row", true},
        {"INSERT INTO T VALUES (1); /* one row */ ;", true},
        {"INSERT INTO T VALUES (1); DROP TABLE T", false},
        {"INSERT INTO T VALUES (1); -- note\nDROP TABLE T", false},
        {"INSERT INTO T VALUES (1); SELECT nosuch FROM nowhere", false},
        {"  ", false},
        {"-- only a comment", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        Database db = memoryDbWith("CREATE TABLE T (x);");
        if (c.accepted) {
            EXPECT_EQ(db.exec(c.sql), 1);
        } else {
            try {
                db.exec(c.sql);
                ADD_FAILURE() << "accepted";
            } catch (const DbError& e) {
                EXPECT_EQ(e.code(), SQLITE_MISUSE);
            }
            EXPECT_EQ(countRows(db, "T"), 0);   // the table is still there and untouched
        }
    }
}

TEST(Statement, RefusesAWrongNumberOfValues)
{
    Database db = memoryDbWith("CREATE TABLE T (a, b);");
    const platform::Params cases[] = {{}, {1}, {1, 2, 3}};
    for (const auto& params : cases) {
        SCOPED_TRACE(params.size());
        try {
            db.exec("INSERT INTO T VALUES (?, ?)", params);
            ADD_FAILURE() << "accepted";
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), SQLITE_RANGE);
        }
    }
    EXPECT_EQ(countRows(db, "T"), 0);
}

TEST(Statement, StepsRowsAndRereadsAfterReset)
{
    Database db = memoryDbWith("CREATE TABLE T (n INTEGER, s TEXT); INSERT INTO T VALUES (1, 'a'), (2, NULL);");
    Statement st{db, "SELECT n, s FROM T WHERE n >= ? ORDER BY n"};
    st.bind(1, 1);
    ASSERT_EQ(st.columnCount(), 2);
    EXPECT_EQ(st.columnName(1), "s");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnInt64(0), 1);
    EXPECT_EQ(st.column(1), Value("a"));
    ASSERT_TRUE(st.step());
    EXPECT_TRUE(st.columnIsNull(1));
    EXPECT_TRUE(st.column(1).isNull());
    EXPECT_FALSE(st.step());

    st.reset();   // keeps the bound 1
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnInt64(0), 1);
}

TEST(DatabaseExecScript, RunsEveryStatementAndNamesTheOneThatFails)
{
    Database db = Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE T (x); -- first\nINSERT INTO T VALUES (1);\n\nINSERT INTO T VALUES (2);");
    EXPECT_EQ(countRows(db, "T"), 2);

    try {
        db.execScript("INSERT INTO T VALUES (3); INSERT INTO Nowhere VALUES (4); INSERT INTO T VALUES (5);");
        ADD_FAILURE() << "accepted";
    } catch (const DbError& e) {
        EXPECT_NE(e.sql().find("Nowhere"), std::string::npos) << e.sql();
        EXPECT_EQ(e.sql().find("VALUES (3)"), std::string::npos) << e.sql();
    }
    EXPECT_EQ(countRows(db, "T"), 3);   // a script is no transaction: the first insert stays
}

TEST(Transaction, CommitKeepsRowsAndFailureRollsBack)
{
    Database db = memoryDbWith("CREATE TABLE T (x);");
    {
        Transaction tx{db};
        db.exec("INSERT INTO T VALUES (1)");
        tx.commit();
    }
    EXPECT_EQ(countRows(db, "T"), 1);

    const auto failingSave = [&db] {
        Transaction tx{db};
        db.exec("INSERT INTO T VALUES (2)");
        db.exec("INSERT INTO T VALUES (3)");
        throw std::runtime_error("the save fails half way");
    };
    EXPECT_THROW(failingSave(), std::runtime_error);
    EXPECT_EQ(countRows(db, "T"), 1);
    EXPECT_FALSE(db.inTransaction());

    {
        Transaction tx{db};
        db.exec("INSERT INTO T VALUES (4)");
    }   // no commit() call: nothing is inferred
    EXPECT_EQ(countRows(db, "T"), 1);
}

TEST(Transaction, RefusesNesting)
{
    Database db = memoryDbWith("CREATE TABLE T (x);");
    Transaction outer{db};
    db.exec("INSERT INTO T VALUES (1)");
    try {
        Transaction inner{db};
        ADD_FAILURE() << "nested";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), SQLITE_MISUSE);
    }
    // The refusal leaves the outer transaction as it was.
    EXPECT_TRUE(db.inTransaction());
    outer.commit();
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(countRows(db, "T"), 1);
    EXPECT_THROW(outer.commit(), DbError);
}

TEST(Transaction, FailedCommitIsRolledBackByTheDestructor)
{
    // A deferred foreign key is checked at COMMIT, which then fails and leaves the transaction open.
    Database db = memoryDbWith(
        "CREATE TABLE Parent (id INTEGER PRIMARY KEY);"
        "CREATE TABLE Child (parent INTEGER REFERENCES Parent (id) DEFERRABLE INITIALLY DEFERRED);");
    {
        Transaction tx{db};
        db.exec("INSERT INTO Child VALUES (7)");
        try {
            tx.commit();
            ADD_FAILURE() << "committed";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isConstraint()) << e.what();
        }
        EXPECT_TRUE(db.inTransaction());
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(countRows(db, "Child"), 0);
}

TEST(Database, MovedFromConnectionRefusesWork)
{
    Database first = memoryDbWith("CREATE TABLE T (x);");
    Database second = std::move(first);
    EXPECT_EQ(second.exec("INSERT INTO T VALUES (1)"), 1);
    EXPECT_THROW(first.exec("SELECT 1"), DbError);   // use after move, on purpose
    EXPECT_FALSE(first.inTransaction());
}

TEST(DatabaseBackup, CopiesWhatIsCommittedIntoANewFileAndRefusesAnExistingOne)
{
    TempDir dir;
    const std::string path = dir.file("ours.db");
    makeFile(path, platform::kApplicationId, platform::kSchemaVersion);
    Database db = Database::open(path);
    db.exec("INSERT INTO T VALUES ('kept')");
    const std::string copy = dir.file("copy.db");
    db.backupTo(copy);
    {
        Database back = Database::open(copy);   // carries the marks, so it opens as ours
        EXPECT_EQ(back.scalar("SELECT group_concat(x) FROM T").toText(), "kept");
        EXPECT_EQ(back.integrityCheck(), "ok");
    }
    db.exec("INSERT INTO T VALUES ('later')");
    EXPECT_THROW(db.backupTo(copy), DbError);
    {
        // Inside a transaction the copy would hold what is not committed.
        platform::Transaction tx(db);
        db.exec("INSERT INTO T VALUES ('uncommitted')");
        EXPECT_THROW(db.backupTo(dir.file("during.db")), DbError);
        EXPECT_FALSE(fs::exists(dir.file("during.db")));
    }
    Database back = Database::open(copy);
    EXPECT_EQ(countRows(back, "T"), 1);   // the existing file was left alone
}
