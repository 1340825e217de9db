// The back-up program's work on real files: back-up beside a writer, restore,
// compaction, the lock, and every refusal leaving the book byte for byte as it was.
#include "backup/backup_store.h"

#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "backup/backup_rules.h"
#include "db/delivered.h"
#include "db/layout_check.h"
#include "db/upgrade.h"
#include "platform/data/database.h"
#include "platform/data/file_lock.h"
#include "tests/backup/book_folder.h"
#include "tests/vouchers/book.h"

namespace fs = std::filesystem;
using backup::BookFiles;
using backup_testing::BookFolder;
using backup_testing::bytesOf;
using backup_testing::filesIn;
using backup_testing::rowsOf;
using backup_testing::vouchersIn;
using platform::Database;
using platform::FileLock;

namespace db {
void PrintTo(const StoredObject& object, std::ostream* out)
{
    *out << object.type << " " << object.name << " on " << object.table << ": " << object.sql;
}
} // namespace db

namespace {

const std::string kStamp = "Tamsel Data Back-Up (Date 10-12-26) (Time 01-05-09 pm)";

// The last voucher of a BookFolder of four (after the opening-balance voucher).
constexpr std::int64_t kDeletedTranNo = 5;

void writeText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

FileLock lockOrFail(const BookFiles& files)
{
    FileLock lock;
    const auto failure = backup::lockForChange(files, lock, 0);
    EXPECT_FALSE(failure) << *failure;
    return lock;
}

backup::Failure restoreNow(const BookFiles& files, const fs::path& chosen)
{
    const FileLock lock = lockOrFail(files);
    return backup::restore(files, lock, chosen, kStamp, db::schemaUpgrades());
}

backup::Failure compactNow(const BookFiles& files)
{
    const FileLock lock = lockOrFail(files);
    return backup::compact(files, lock, kStamp);
}

// A back-up of the folder's book, taken through the store, at `target`.
void backUpOrFail(const BookFolder& folder, const fs::path& target)
{
    const auto failure = backup::backUp(BookFiles(folder.root()), target);
    ASSERT_FALSE(failure) << *failure;
}

TEST(BackUp, HoldsTheLastCommittedStateWhileAWriterHoldsAnOpenTransaction)
{
    BookFolder folder(3);
    const BookFiles files(folder.root());
    const auto before = filesIn(folder.dbFolder());
    const fs::path target = folder.root() / "copy.mdb";

    Database writer = Database::open(folder.book().string());
    {
        platform::Transaction tx(writer);
        const auto tranNo = book::addVoucher(writer, 41, 1, 99, 1);
        book::addLine(writer, tranNo, book::kCash, 5, -1);
        const auto failure = backup::backUp(files, target);
        ASSERT_FALSE(failure) << *failure;
        tx.commit();   // the writer goes on after the copy
    }

    Database copy = Database::open(target.string());   // a book of ours, as the main program opens it
    EXPECT_EQ(copy.integrityCheck(), "ok");
    EXPECT_EQ(copy.scalar("SELECT COUNT(*) FROM Transactions WHERE TranType = 41").toInt(), 3);
    EXPECT_EQ(copy.scalar("SELECT COUNT(*) FROM SubTransactions").toInt(), 6);
    EXPECT_EQ(vouchersIn(folder.book()), 4);
    EXPECT_EQ(filesIn(folder.dbFolder()), before) << "the book's folder holds no new file";
    EXPECT_EQ(filesIn(folder.root()), (std::set<std::string>{"DB", "copy.mdb"})) << "no temporary file is left";
}

TEST(BackUp, ReplacesAFileTheUserChoseToOverwrite)
{
    BookFolder folder(2);
    const fs::path target = folder.root() / "old.mdb";
    writeText(target, "an older file");
    backUpOrFail(folder, target);
    EXPECT_EQ(vouchersIn(target), 2);
}

TEST(BackUp, RefusalsNameTheCauseAndTouchNothing)
{
    struct Case { const char* name; const char* target; const char* expected; };
    const Case cases[] = {
        // CI runs as root, where permissions prove nothing; a path under a file cannot be written by anyone.
        {"under a file", "note.txt/copy.mdb", "Not a directory"},
        {"the book itself", "DB/tamselstd.MDB", "over the data file itself"},
        {"a journal beside", "busy.mdb", "busy.mdb-journal"},
        {"a folder", "DB", "it is a folder"},
        // Put over the lock file, a back-up would leave the main program
        // holding a lock nobody else sees; beside the book as its journal,
        // it would be taken for a save to roll back.
        {"the book's lock file", "DB/tamselstd.MDB.lock", "lock file or journal of the data file"},
        {"the book's journal", "DB/../DB/tamselstd.MDB-journal", "lock file or journal of the data file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BookFolder folder(2);
        const BookFiles files(folder.root());
        // The main program is open, as during any back-up.
        const FileLock mainProgram = FileLock::take(files.lock.string(), FileLock::Mode::Shared);
        writeText(folder.root() / "note.txt", "a file");
        writeText(folder.root() / "busy.mdb-journal", "journal");
        const std::string book = bytesOf(folder.book());
        const auto before = filesIn(folder.root());
        const auto beforeInDb = filesIn(folder.dbFolder());

        const auto failure = backup::backUp(files, folder.root() / c.target);
        ASSERT_TRUE(failure);
        EXPECT_NE(failure->find(c.expected), std::string::npos) << *failure;
        EXPECT_EQ(bytesOf(folder.book()), book);
        EXPECT_EQ(filesIn(folder.root()), before);
        EXPECT_EQ(filesIn(folder.dbFolder()), beforeInDb);
        FileLock change;
        EXPECT_TRUE(backup::lockForChange(files, change, 0)) << "the main program's lock still keeps others out";
    }
}

TEST(BackUp, MissingBookIsToldAndNeverMade)
{
    const fs::path root = fs::temp_directory_path() / ("stowkeep-empty-" + std::to_string(::getpid()));
    fs::create_directories(root);
    const BookFiles files(root);
    const auto failure = backup::backUp(files, root / "copy.mdb");
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find(files.book.string() + "\" was not found"), std::string::npos) << *failure;
    EXPECT_TRUE(filesIn(root).empty());
    fs::remove_all(root);
}

TEST(Restore, ReplacesTheBookAndLeavesOneSafetyCopyOfIt)
{
    BookFolder folder(3);
    const fs::path backUpFile = folder.root() / "saved.mdb";
    backUpOrFail(folder, backUpFile);
    folder.addVouchers(2);
    const std::string current = rowsOf(folder.book());
    const std::string saved = rowsOf(backUpFile);
    const auto before = filesIn(folder.dbFolder());

    const auto failure = restoreNow(BookFiles(folder.root()), backUpFile);
    ASSERT_FALSE(failure) << *failure;

    EXPECT_EQ(rowsOf(folder.book()), saved);
    EXPECT_EQ(Database::open(folder.book().string()).integrityCheck(), "ok");
    auto added = filesIn(folder.dbFolder());
    for (const auto& name : before)
        added.erase(name);
    added.erase("tamselstd.MDB.lock");
    ASSERT_EQ(added, (std::set<std::string>{backup::safetyCopyName(kStamp, 1)})) << "one new file: the safety copy";
    EXPECT_EQ(rowsOf(folder.dbFolder() / *added.begin()), current) << "the safety copy holds the book as it was";
    EXPECT_EQ(rowsOf(backUpFile), saved) << "the back-up stays as it was";
    EXPECT_NE(current, saved);
}

TEST(Restore, ReplacesABookSQLiteCannotReadAndKeepsItsBytesAsTheSafetyCopy)
{
    BookFolder folder(3);
    const fs::path backUpFile = folder.root() / "saved.mdb";
    backUpOrFail(folder, backUpFile);
    {
        std::fstream book(folder.book(), std::ios::in | std::ios::out | std::ios::binary);
        book.write("garbage, not a header", 21);
    }
    const std::string damaged = bytesOf(folder.book());

    const auto failure = restoreNow(BookFiles(folder.root()), backUpFile);
    ASSERT_FALSE(failure) << *failure;
    EXPECT_EQ(rowsOf(folder.book()), rowsOf(backUpFile));
    EXPECT_EQ(bytesOf(folder.dbFolder() / backup::safetyCopyName(kStamp, 1)), damaged);
}

// Back-up files that are refused before anything is touched, each made from a
// sound back-up at `file` in the test's folder.
struct BadBackUp {
    const char* name;
    void (*spoil)(const fs::path& file);
    const char* expected;
};

Database writable(const fs::path& file)
{
    return Database::openUnchecked(file.string(), Database::Access::ReadWrite);
}

void truncateHalf(const fs::path& file)
{
    fs::resize_file(file, fs::file_size(file) / 2);
}

void cutMidPage(const fs::path& file)
{
    fs::resize_file(file, fs::file_size(file) / 2 + 1000);
}

// Our marks and the current layout number, but none of the book's tables.
void onlyNotes(const fs::path& file)
{
    fs::remove(file);
    Database db = Database::createEmpty(file.string());
    db.execScript("CREATE TABLE notes (x);"
                  "PRAGMA application_id = " + std::to_string(platform::kApplicationId) + ";"
                  "PRAGMA user_version = " + std::to_string(platform::kSchemaVersion) + ";");
}

void withoutLines(const fs::path& file)
{
    writable(file).exec("DROP TABLE SubTransactions");
}

// The first trigger of the file, under its own name, doing one thing more.
void tamperedTrigger(const fs::path& file)
{
    Database db = writable(file);
    const std::string name = db.scalar("SELECT name FROM sqlite_schema WHERE type = 'trigger' ORDER BY name").toText();
    const std::string sql = db.scalar("SELECT sql FROM sqlite_schema WHERE name = ?", {name}).toText();
    const std::size_t begin = sql.rfind("BEGIN");
    ASSERT_NE(begin, std::string::npos);
    db.exec("DROP TRIGGER \"" + name + "\"");
    db.exec(sql.substr(0, begin) + "BEGIN DELETE FROM BusinessInfo;" + sql.substr(begin + 5));
}

void foreignTrigger(const fs::path& file)
{
    writable(file).exec("CREATE TRIGGER Users_Wipe AFTER INSERT ON Users BEGIN DELETE FROM Transactions; END");
}

void changedColumnType(const fs::path& file)
{
    Database db = writable(file);
    db.exec("PRAGMA writable_schema = ON");
    ASSERT_EQ(db.exec("UPDATE sqlite_schema SET sql = replace(sql, 'Notes     TEXT', 'Notes     BLOB')"
                      " WHERE name = 'Users' AND sql LIKE '%Notes     TEXT%'"), 1);
}

void extraColumn(const fs::path& file)
{
    writable(file).exec("ALTER TABLE Jobs ADD COLUMN Secret TEXT");
}

void brokenReference(const fs::path& file)
{
    Database db = Database::openUnchecked(file.string(), Database::Access::ReadWrite);
    db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (4242, 10101001, 1)");
}

// Two tables on one root page: each reads the other's rows. A copy written
// row by row would come out sound, with the wrong rows in it.
void sharedRootPage(const fs::path& file)
{
    Database db = writable(file);
    db.exec("PRAGMA writable_schema = ON");
    ASSERT_EQ(db.exec("UPDATE sqlite_schema SET rootpage = (SELECT rootpage FROM sqlite_schema WHERE name = 'TranType')"
                      " WHERE name = 'Jobs'"), 1);
}

void foreignFile(const fs::path& file)
{
    fs::remove(file);
    Database db = Database::createEmpty(file.string());
    db.exec("CREATE TABLE Notes (x)");
}

void newerLayout(const fs::path& file)
{
    Database db = Database::openUnchecked(file.string(), Database::Access::ReadWrite);
    db.exec("PRAGMA user_version = " + std::to_string(platform::kSchemaVersion + 1));
}

void hotJournal(const fs::path& file)
{
    writeText(file.string() + "-journal", std::string(512, 'j'));
}

void damagedPage(const fs::path& file)
{
    // Overwrites the middle of the file, past the header, with garbage.
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(static_cast<std::streamoff>(fs::file_size(file) / 2));
    const std::string garbage(8192, '\x5a');
    out.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
}

// The file's schema text of `name` with `from` replaced by `to`, through
// writable_schema: SQLite then reads the table so, and its rows stay as they were.
void rewriteSchema(const fs::path& file, const std::string& name, const std::string& from, const std::string& to)
{
    Database db = writable(file);
    db.exec("PRAGMA writable_schema = ON");
    ASSERT_EQ(db.exec("UPDATE sqlite_schema SET sql = replace(sql, ?, ?) WHERE name = ? AND instr(sql, ?) > 0",
                      {from, to, name, from}), 1) << name << ": " << from;
}

// A voucher whose one line credits 1711923 cents under a text no other row
// has, written as the program writes it.
constexpr char kMarked[] = "marked line";
void addMarkedVoucher(const fs::path& file)
{
    Database db = Database::open(file.string());
    const auto tranNo = book::addVoucher(db, 41, 1, 900, 1);
    book::addLine(db, tranNo, book::kCash, 1711923, -1);
    book::addLine(db, tranNo, book::kRent, -1, 1711923, kMarked);
    db.exec("UPDATE Transactions SET TrAmount = 1711923 WHERE TranNo = ?", {tranNo});
}

// One byte of the marked line's credit changed inside its row, in the middle
// of a page: every page still reads (quick_check says "ok"), but the indexes
// that hold the credit no longer agree with the row.
void changedByteInRow(const fs::path& file)
{
    addMarkedVoucher(file);
    std::string bytes = bytesOf(file);
    // The row holds the text and then the credit, a 3-byte integer (the empty debit takes no byte).
    const std::string pattern = std::string(kMarked) + "\x1a\x1f\x33";
    const std::size_t at = bytes.find(pattern);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(bytes.find(pattern, at + 1), std::string::npos) << "only the row holds the text before the credit";
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(static_cast<std::streamoff>(at + pattern.size() - 1));
    out.put('\x34');
    out.close();
    Database check = Database::openUnchecked(file.string(), Database::Access::ReadOnly);
    ASSERT_EQ(check.scalar("PRAGMA quick_check").toText(), "ok");
    ASSERT_NE(check.integrityCheck(), "ok");
}

// Kept data changed behind the triggers' back: no check of SQLite's sees it.
void editedMonthTotal(const fs::path& file)
{
    ASSERT_EQ(writable(file).exec("UPDATE AccountMonths SET Debits = Debits + 1 WHERE AccCode = ?", {book::kCash}), 1);
}

void editedDayTotal(const fs::path& file)
{
    ASSERT_EQ(writable(file).exec("UPDATE DayBookDays SET Credits = Credits + 1 WHERE Day = '2026-12-01'"), 1);
}

void editedAmount(const fs::path& file)
{
    ASSERT_EQ(writable(file).exec("UPDATE Transactions SET TrAmount = TrAmount + 100 WHERE TranType = 41 AND DocNo = 7"), 1);
}

// A line's copy of its voucher's date, written past the trigger that puts it back.
void editedLineCopy(const fs::path& file)
{
    Database db = writable(file);
    const std::string trigger = db.scalar("SELECT sql FROM sqlite_schema WHERE name = 'SubTransactions_Voucher_Move'").toText();
    db.exec("DROP TRIGGER SubTransactions_Voucher_Move");
    db.exec("UPDATE SubTransactions SET VoucherDate = '2026-12-02' WHERE Serial = (SELECT MIN(Serial) FROM SubTransactions)");
    db.exec(trigger);
}

// A line both debit and credit, let in past its table's check.
void lineBreakingItsCheck(const fs::path& file)
{
    Database db = writable(file);
    db.exec("PRAGMA ignore_check_constraints = ON");
    db.exec("UPDATE SubTransactions SET Credit = 5 WHERE Serial = (SELECT MIN(Serial) FROM SubTransactions WHERE Debit > 0)");
}

// A kind of voucher without its required name, let in while the rule was edited out.
void rowBreakingNotNull(const fs::path& file)
{
    rewriteSchema(file, "TranType", "Name      TEXT NOT NULL", "Name      TEXT");
    writable(file).exec("INSERT INTO TranType (TranType, Name, Short) VALUES (99, NULL, 'X')");
    rewriteSchema(file, "TranType", "Name      TEXT,", "Name      TEXT NOT NULL,");
}

// The check edited out of the lines' table, and then a line both debit and credit.
void checkRemovedAndBroken(const fs::path& file)
{
    rewriteSchema(file, "SubTransactions", "CHECK (coalesce(Debit, 0) = 0 OR coalesce(Credit, 0) = 0)", "CHECK (1)");
    Database db = writable(file);
    db.exec("UPDATE SubTransactions SET Credit = 5 WHERE Serial = (SELECT MIN(Serial) FROM SubTransactions WHERE Debit > 0)");
}

void layoutNumber(const fs::path& file, int version)
{
    writable(file).exec("PRAGMA user_version = " + std::to_string(version));
}

void bytesAppended(const fs::path& file)
{
    std::ofstream(file, std::ios::binary | std::ios::app) << std::string(1000, '\0');
}

TEST(Restore, RefusesABadFileAndLeavesTheBookByteIdentical)
{
    const BadBackUp cases[] = {
        {"not a database", [](const fs::path& f) { writeText(f, std::string(4096, 'x')); }, "no database file"},
        {"truncated", truncateHalf, "is damaged (it ends before its last page"},
        {"cut mid-page", cutMidPage, "is damaged (it ends before its last page"},
        {"damaged page", damagedPage, "is damaged (some of its pages are broken)"},
        {"one page under two tables", sharedRootPage, "is damaged (some of its pages are broken)"},
        {"broken reference", brokenReference, "rows of SubTransactions refer to rows of Transactions that are not there"},
        {"our marks, no tables", onlyNotes, "is not a whole back-up of Tamsel Standard (the table AccLevel1 is missing"},
        {"no lines", withoutLines, "(the table SubTransactions is missing, the index SubTransactions_"},
        {"tampered trigger", tamperedTrigger, "is not the one this version makes"},
        {"foreign trigger", foreignTrigger, "(the trigger Users_Wipe does not belong to it)"},
        {"column of another type", changedColumnType, "(the table Users is not the one this version makes)"},
        {"extra column", extraColumn, "(the table Jobs is not the one this version makes)"},
        {"another program's", foreignFile, "is not a back-up of Tamsel Standard"},
        {"newer build", newerLayout, "comes from a newer version"},
        {"hot journal beside", hotJournal, "saved.mdb-journal\" beside it"},
        {"missing", [](const fs::path& f) { fs::remove(f); }, "was not found"},
        {"a byte changed inside a row", changedByteInRow, "is damaged (some of its pages are broken)"},
        {"a month total edited", editedMonthTotal,
         "is damaged (the month totals of account 10101001 for 2026-12 do not match its lines)"},
        {"a day total edited", editedDayTotal, "is damaged (the day totals of 2026-12-01 do not match its lines)"},
        {"a voucher's amount edited", editedAmount, "is damaged (the amount of voucher 7 (General Journal, 2026-12-01)"
                                                    " does not match its lines' debits)"},
        {"a line's copy of its voucher edited", editedLineCopy, "does not carry its voucher's year, date or posting"},
        {"a row breaking its table's check", lineBreakingItsCheck, "is damaged (rows of SubTransactions break a rule of that table)"},
        {"a row lacking a required value", rowBreakingNotNull, "is damaged (rows of TranType lack a value that table requires)"},
        {"the check edited out, a row breaking it", checkRemovedAndBroken,
         "is damaged (rows of SubTransactions break a rule of that table)"},
        {"layout 0", [](const fs::path& f) { layoutNumber(f, 0); }, "its layout number 0 is none that Tamsel Standard writes"},
        {"a negative layout", [](const fs::path& f) { layoutNumber(f, -3); }, "its layout number -3 is none"},
        {"bytes after its last page", bytesAppended, "is damaged (1000 bytes follow its last page"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BookFolder folder(40);   // pages enough that a cut or a garbage page hits tables
        const fs::path backUpFile = folder.root() / "saved.mdb";
        backUpOrFail(folder, backUpFile);
        c.spoil(backUpFile);
        folder.addVouchers(1);
        const std::string book = bytesOf(folder.book());
        const auto before = filesIn(folder.dbFolder());

        const auto failure = restoreNow(BookFiles(folder.root()), backUpFile);
        if (!failure) {
            ADD_FAILURE() << "restored";
            continue;   // the book changed: the other cases are still told
        }
        EXPECT_NE(failure->find(c.expected), std::string::npos) << *failure;
        EXPECT_NE(failure->find(backUpFile.string()), std::string::npos) << "names the file: " << *failure;
        EXPECT_EQ(failure->find("***"), std::string::npos) << "SQLite's report is no reason: " << *failure;
        EXPECT_EQ(bytesOf(folder.book()), book);
        auto now = filesIn(folder.dbFolder());
        now.erase("tamselstd.MDB.lock");
        EXPECT_EQ(now, before) << "no safety copy and no temporary file";
    }
}

TEST(Restore, RefusesTheBookItself)
{
    BookFolder folder(2);
    const std::string book = bytesOf(folder.book());
    const auto failure = restoreNow(BookFiles(folder.root()), folder.dbFolder() / "." / "tamselstd.MDB");
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("is the data file itself"), std::string::npos) << *failure;
    EXPECT_EQ(bytesOf(folder.book()), book);
}

TEST(Restore, BringsAnOlderLayoutUpToDateOnTheCopyOnly)
{
    BookFolder folder(2);
    const fs::path backUpFile = folder.root() / "old-layout.mdb";
    backUpOrFail(folder, backUpFile);
    {
        Database db = Database::openUnchecked(backUpFile.string(), Database::Access::ReadWrite);
        db.exec("PRAGMA user_version = " + std::to_string(platform::kSchemaVersion - 1));
    }
    const std::string chosen = bytesOf(backUpFile);
    const platform::SchemaUpgrade steps[] = {{platform::kSchemaVersion - 1, "UPDATE BusinessInfo SET Name = 'Upgraded';"}};

    const FileLock lock = lockOrFail(BookFiles(folder.root()));
    const auto failure = backup::restore(BookFiles(folder.root()), lock, backUpFile, kStamp, steps);
    ASSERT_FALSE(failure) << *failure;

    Database book = Database::open(folder.book().string());
    EXPECT_EQ(book.scalar("SELECT Name FROM BusinessInfo").toText(), "Upgraded");
    EXPECT_EQ(bytesOf(backUpFile), chosen) << "the chosen file is never upgraded";
}

// Turns the book at `file` back into one of the first layout, as a build of
// that time wrote it: without what later layouts added (the objects the
// schema script of today does not make, the jobs' amount checks and the
// lines' copies of their voucher), and numbered 1.
void makeFirstLayout(const fs::path& file)
{
    std::set<std::string> schemaScriptMakes;
    {
        Database script = Database::createEmpty(":memory:");
        script.execScript(db::schemaSql());
        platform::Statement names(script, "SELECT name FROM sqlite_schema");
        while (names.step())
            schemaScriptMakes.insert(names.column(0).toText());
    }
    Database db = Database::openUnchecked(file.string(), Database::Access::ReadWrite);
    std::vector<std::pair<std::string, std::string>> later;
    {
        platform::Statement objects(db, "SELECT type, name FROM sqlite_schema WHERE sql IS NOT NULL"
                                        " AND type IN ('table', 'index', 'trigger') ORDER BY type = 'table'");
        while (objects.step())
            if (!schemaScriptMakes.contains(objects.column(1).toText()))
                later.emplace_back(objects.column(0).toText(), objects.column(1).toText());
    }
    for (const auto& [type, name] : later)
        db.exec("DROP " + type + " IF EXISTS \"" + name + "\"");
    db.execScript("DROP TRIGGER Jobs_Amounts_Insert; DROP TRIGGER Jobs_Amounts_Update;"
                  "ALTER TABLE SubTransactions DROP COLUMN VoucherYear;"
                  "ALTER TABLE SubTransactions DROP COLUMN VoucherDate;"
                  "ALTER TABLE SubTransactions DROP COLUMN Counted;"
                  "PRAGMA user_version = 1;");
}

TEST(Restore, TakesABackUpOfAnOlderBuildBroughtUpToTheCurrentLayout)
{
    BookFolder folder(3);
    const fs::path backUpFile = folder.root() / "first-layout.mdb";
    backUpOrFail(folder, backUpFile);
    makeFirstLayout(backUpFile);
    folder.addVouchers(2);

    const auto failure = restoreNow(BookFiles(folder.root()), backUpFile);
    ASSERT_FALSE(failure) << *failure;
    EXPECT_EQ(vouchersIn(folder.book()), 3);
    Database book = Database::open(folder.book().string());
    EXPECT_EQ(book.scalar("PRAGMA user_version").toInt(), platform::kSchemaVersion);
    EXPECT_TRUE(db::layoutDifferences(book).empty());
    EXPECT_EQ(book.scalar("SELECT COUNT(*) FROM SubTransactions WHERE Counted = 1").toInt(), 6);
}

// Every row of the file's sqlite_schema, sorted: the order objects were made
// in is no part of a layout.
std::vector<db::StoredObject> sortedSchema(Database& db)
{
    auto objects = db::storedObjects(db);
    std::sort(objects.begin(), objects.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return objects;
}

TEST(Restore, TheRestoredBookHasExactlyTheLayoutOfANewOneWhateverTheFileHad)
{
    struct Case {
        const char* name;
        void (*alter)(const fs::path& file);
        // What the restored book must do that the altered file did not.
        std::function<void(Database& restored)> holds;
    };
    const Case cases[] = {
        {"the lines' check edited out",
         [](const fs::path& f) {
             rewriteSchema(f, "SubTransactions", "CHECK (coalesce(Debit, 0) = 0 OR coalesce(Credit, 0) = 0)", "CHECK (1)");
         },
         [](Database& restored) {
             const auto tranNo = restored.scalar("SELECT MAX(TranNo) FROM Transactions").toInt();
             EXPECT_THROW(book::addLine(restored, tranNo, book::kCash, 5, 5), platform::DbError) << "both debit and credit";
         }},
        {"a collation edited out",
         [](const fs::path& f) { rewriteSchema(f, "Currencies", "Country      TEXT NOT NULL COLLATE NOCASE", "Country      TEXT NOT NULL"); },
         [](Database& restored) {
             EXPECT_EQ(restored.scalar("SELECT COUNT(*) FROM Currencies WHERE Country = 'united kingdom'").toInt(), 1);
         }},
        {"AUTOINCREMENT edited out",
         [](const fs::path& f) {
             rewriteSchema(f, "Transactions", "TranNo      INTEGER PRIMARY KEY AUTOINCREMENT", "TranNo      INTEGER PRIMARY KEY");
         },
         [](Database& restored) {
             // The last voucher was deleted before the back-up: its number is never given again.
             const auto tranNo = book::addVoucher(restored, 41, 1, 777, 1);
             EXPECT_EQ(tranNo, restored.scalar("SELECT seq FROM sqlite_sequence WHERE name = 'Transactions'").toInt());
             EXPECT_GT(tranNo, kDeletedTranNo);
         }},
        {"the first layout, brought up to date", makeFirstLayout, [](Database&) {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BookFolder folder(4);
        {
            Database db = Database::open(folder.book().string());
            ASSERT_EQ(db.scalar("SELECT MAX(TranNo) FROM Transactions").toInt(), kDeletedTranNo);
            db.exec("DELETE FROM Transactions WHERE TranNo = ?", {kDeletedTranNo});
        }
        const fs::path backUpFile = folder.root() / "altered.mdb";
        backUpOrFail(folder, backUpFile);
        c.alter(backUpFile);
        ASSERT_EQ(Database::openUnchecked(backUpFile.string(), Database::Access::ReadOnly).integrityCheck(), "ok");

        const auto failure = restoreNow(BookFiles(folder.root()), backUpFile);
        ASSERT_FALSE(failure) << *failure;
        Database restored = Database::open(folder.book().string());
        Database fresh = Database::createEmpty(":memory:");
        db::fillDelivered(fresh, "2026-12-10", "2026-12-10 09:00:00");
        EXPECT_EQ(sortedSchema(restored), sortedSchema(fresh));
        EXPECT_EQ(restored.scalar("PRAGMA application_id").toInt(), platform::kApplicationId);
        EXPECT_EQ(restored.scalar("PRAGMA user_version").toInt(), platform::kSchemaVersion);
        EXPECT_EQ(restored.integrityCheck(), "ok");
        EXPECT_EQ(vouchersIn(folder.book()), 3);
        c.holds(restored);
    }
}

// A book with many free pages, as deleting vouchers leaves it.
void freeMostPages(const BookFolder& folder)
{
    Database db = Database::open(folder.book().string());
    db.exec("DELETE FROM Transactions WHERE DocNo > 10");   // lines go with their vouchers
    ASSERT_GT(db.scalar("PRAGMA freelist_count").toInt(), 20);
}

std::int64_t freePagesIn(const fs::path& file)
{
    return Database::openUnchecked(file.string(), Database::Access::ReadOnly).scalar("PRAGMA freelist_count").toInt();
}

TEST(Copies, BackUpAndRestoreWriteCompactedFiles)
{
    BookFolder folder(400);
    freeMostPages(folder);
    const auto bookSize = fs::file_size(folder.book());
    const fs::path backUpFile = folder.root() / "saved.mdb";
    backUpOrFail(folder, backUpFile);
    EXPECT_EQ(freePagesIn(backUpFile), 0);
    EXPECT_LT(fs::file_size(backUpFile), bookSize);
    EXPECT_EQ(vouchersIn(backUpFile), 10);

    // A back-up written whole, free pages and all, is restored compacted.
    const fs::path whole = folder.root() / "whole.mdb";
    fs::copy_file(folder.book(), whole);
    ASSERT_GT(freePagesIn(whole), 0);
    const auto failure = restoreNow(BookFiles(folder.root()), whole);
    ASSERT_FALSE(failure) << *failure;
    EXPECT_EQ(freePagesIn(folder.book()), 0);
    EXPECT_LT(fs::file_size(folder.book()), bookSize);
    EXPECT_EQ(vouchersIn(folder.book()), 10);
}

// The id of a process that has ended.
pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(Temporaries, OnlyThoseOfEndedRunsAreRemoved)
{
    const std::string ended = std::to_string(endedProcess());
    const std::string running = std::to_string(::getpid());
    struct Case { std::string name; bool removed; };
    const Case cases[] = {
        {".stowkeep-" + ended + "-1.tmp", true},
        {".stowkeep-" + ended + "-1.tmp-journal", true},
        {".stowkeep-" + running + "-7.tmp", false},   // this process's own, being written
        {".stowkeep-1-2.tmp", false},                 // a process that runs (under another user, maybe)
        {".stowkeep-x-1.tmp", false},
        {".stowkeep-" + ended + ".tmp", false},
        {"stowkeep-" + ended + "-1.tmp", false},
        {"saved.mdb", false},
    };
    BookFolder folder(1);
    for (const auto& c : cases)
        writeText(folder.dbFolder() / c.name, "a page");
    backup::removeStaleTemporaries(folder.dbFolder());
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(folder.dbFolder() / c.name), !c.removed) << c.name;

    // A back-up cleans the folder it writes to before it writes there.
    const fs::path stale = folder.root() / (".stowkeep-" + ended + "-3.tmp");
    writeText(stale, "half a book");
    backUpOrFail(folder, folder.root() / "copy.mdb");
    EXPECT_FALSE(fs::exists(stale));
}

TEST(Compact, LeavesASoundBookNoLargerAndASafetyCopy)
{
    BookFolder folder(400);
    {
        Database db = Database::open(folder.book().string());
        db.exec("DELETE FROM Transactions WHERE DocNo > 10");   // lines go with their vouchers
    }
    const auto sizeBefore = fs::file_size(folder.book());
    const std::string before = bytesOf(folder.book());

    const BookFiles files(folder.root());
    auto failure = compactNow(files);
    ASSERT_FALSE(failure) << *failure;
    EXPECT_LT(fs::file_size(folder.book()), sizeBefore);
    EXPECT_EQ(Database::open(folder.book().string()).integrityCheck(), "ok");
    EXPECT_EQ(vouchersIn(folder.book()), 10);
    EXPECT_LT(fs::file_size(folder.dbFolder() / backup::safetyCopyName(kStamp, 1)), before.size()) << "compacted too";
    EXPECT_EQ(vouchersIn(folder.dbFolder() / backup::safetyCopyName(kStamp, 1)), 10);

    // A second action within the same second keeps the first safety copy.
    failure = compactNow(files);
    ASSERT_FALSE(failure) << *failure;
    EXPECT_TRUE(fs::exists(folder.dbFolder() / backup::safetyCopyName(kStamp, 1)));
    EXPECT_TRUE(fs::exists(folder.dbFolder() / backup::safetyCopyName(kStamp, 2)));
}

TEST(Compact, RefusesADamagedBookWithAdviceToRestore)
{
    BookFolder folder(2);
    brokenReference(folder.book());
    const std::string book = bytesOf(folder.book());
    const auto failure = compactNow(BookFiles(folder.root()));
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("is damaged"), std::string::npos) << *failure;
    EXPECT_NE(failure->find("restore a back-up"), std::string::npos) << *failure;
    EXPECT_EQ(bytesOf(folder.book()), book);
    EXPECT_FALSE(fs::exists(folder.dbFolder() / backup::safetyCopyName(kStamp, 1)));
}

// A main program that ended in the middle of a save: the journal beside the
// book and changed pages spilled into it, never committed.
void crashMidSave(const fs::path& bookFile)
{
    const pid_t child = ::fork();
    if (child == 0) {
        Database db = Database::open(bookFile.string());
        db.exec("PRAGMA cache_size = 1");   // changed pages go into the file before the commit
        db.exec("BEGIN IMMEDIATE");
        for (int i = 0; i < 200; ++i)
            book::addLine(db, book::addVoucher(db, 41, 1, 5000 + i, 1), book::kCash, 1, -1);
        ::_exit(0);   // no commit, no rollback, no close
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

TEST(Compact, RollsBackWhatACrashedMainProgramLeftBeforeTheSafetyCopy)
{
    BookFolder folder(5);
    const std::string committed = rowsOf(folder.book());
    crashMidSave(folder.book());
    ASSERT_TRUE(fs::exists(folder.book().string() + "-journal"));

    const auto failure = compactNow(BookFiles(folder.root()));
    ASSERT_FALSE(failure) << *failure;
    EXPECT_FALSE(fs::exists(folder.book().string() + "-journal"));
    EXPECT_EQ(rowsOf(folder.dbFolder() / backup::safetyCopyName(kStamp, 1)), committed);
    EXPECT_EQ(rowsOf(folder.book()), committed);
}

TEST(BackUp, RollsBackACutOffSaveAndCopiesTheBookAsLastCommitted)
{
    BookFolder folder(2);
    const std::string committed = rowsOf(folder.book());
    crashMidSave(folder.book());
    ASSERT_TRUE(fs::exists(folder.book().string() + "-journal"));
    const fs::path target = folder.root() / "copy.mdb";
    const auto failure = backup::backUp(BookFiles(folder.root()), target);
    ASSERT_FALSE(failure) << *failure;
    EXPECT_EQ(rowsOf(target), committed);
    EXPECT_EQ(rowsOf(folder.book()), committed);
    EXPECT_FALSE(fs::exists(folder.book().string() + "-journal"));
}

TEST(BackUp, ABookAnotherConnectionIsWritingIsInUseNotCutOff)
{
    BookFolder folder(2);
    Database writer = Database::open(folder.book().string());
    writer.exec("BEGIN EXCLUSIVE");
    book::addVoucher(writer, 41, 1, 99, 1);
    ASSERT_TRUE(fs::exists(folder.book().string() + "-journal"));
    const fs::path target = folder.root() / "copy.mdb";
    const auto failure = backup::backUp(BookFiles(folder.root()), target);
    writer.exec("ROLLBACK");
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("is in use by another program that is writing to it; try the back-up again"), std::string::npos)
        << *failure;
    EXPECT_FALSE(fs::exists(target));
}

TEST(Actions, BackUpAndCompactionRefuseADamagedBookAndWriteNoCopy)
{
    // Copied row by row, such a book would give a sound-looking copy: with
    // the wrong rows in one of its tables, or with the changed row and
    // indexes rebuilt to agree with it. A restore refuses such files too (above).
    const BadBackUp cases[] = {
        {"one page under two tables", sharedRootPage, "is damaged (some of its pages are broken)"},
        {"a byte changed inside a row", changedByteInRow, "is damaged (some of its pages are broken)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BookFolder folder(40);
        c.spoil(folder.book());
        const std::string book = bytesOf(folder.book());
        const fs::path target = folder.root() / "saved.mdb";
        const auto backedUp = backup::backUp(BookFiles(folder.root()), target);
        ASSERT_TRUE(backedUp);
        EXPECT_NE(backedUp->find(std::string(c.expected) + ", so no back-up was written"), std::string::npos) << *backedUp;
        EXPECT_FALSE(fs::exists(target));
        const auto compacted = compactNow(BookFiles(folder.root()));
        ASSERT_TRUE(compacted);
        EXPECT_NE(compacted->find(std::string(c.expected) + ", so it was not compacted"), std::string::npos) << *compacted;
        EXPECT_EQ(bytesOf(folder.book()), book);
    }
}

TEST(Lock, RestoreAndCompactAreRefusedWhileTheMainProgramHoldsTheBook)
{
    BookFolder folder(2);
    const BookFiles files(folder.root());
    FileLock mainProgram = FileLock::take(files.lock.string(), FileLock::Mode::Shared);
    ASSERT_TRUE(mainProgram.held());

    FileLock lock;
    const auto failure = backup::lockForChange(files, lock, 200);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("Tamsel Standard still has the data file open"), std::string::npos) << *failure;
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(backup::backUp(files, folder.root() / "copy.mdb")) << "a back-up needs no lock";

    mainProgram = FileLock{};   // the main program ends
    EXPECT_FALSE(backup::lockForChange(files, lock, 0));
    EXPECT_TRUE(lock.held());
    EXPECT_TRUE(fs::exists(files.lock)) << "the lock file is never deleted";
}

// Runs `prepare` and then `action` in a child process and returns the
// action's message ("DONE" when it did not fail).
std::string failureInChild(const std::function<void()>& prepare, const std::function<backup::Failure()>& action)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        prepare();
        const auto failure = action();
        const std::string text = failure ? *failure : "DONE";
        [[maybe_unused]] const auto written = ::write(pipeFds[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return text;
}

// Runs `action` in a child whose files cannot grow past `limitBytes`
// (RLIMIT_FSIZE, as a full disk would stop them) and returns its message.
std::string failureUnderFileSizeLimit(rlim_t limitBytes, const std::function<backup::Failure()>& action)
{
    return failureInChild([limitBytes] {
        ::signal(SIGXFSZ, SIG_IGN);   // a write past the limit then fails with EFBIG instead of killing
        const rlimit limit{limitBytes, limitBytes};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }, action);
}

// Root reads and writes anywhere: a child that must meet a refused
// permission gives that up for an ordinary user.
void becomeAnOrdinaryUser()
{
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(1);
}

TEST(Lock, AFolderThatCannotBeWrittenIsToldAsSuch)
{
    BookFolder folder(1);
    const BookFiles files(folder.root());
    fs::permissions(folder.dbFolder(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string message = failureInChild(becomeAnOrdinaryUser, [&] {
        FileLock lock;
        return backup::lockForChange(files, lock, 0);
    });
    fs::permissions(folder.dbFolder(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    EXPECT_NE(message.find(files.lock.string()), std::string::npos) << message;
    EXPECT_EQ(message.find("No such file"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(files.lock));
}

TEST(Restore, AFileThatMayNotBeReadIsToldAsSuch)
{
    // The back-up chosen, or the book it would replace.
    for (const bool theBook : {false, true}) {
        SCOPED_TRACE(theBook ? "the book" : "the back-up");
        BookFolder folder(1);
        const BookFiles files(folder.root());
        const fs::path saved = folder.root() / "saved.mdb";
        backUpOrFail(folder, saved);
        FileLock::take(files.lock.string(), FileLock::Mode::Shared);   // made by the main program before
        fs::permissions(folder.dbFolder(), fs::perms::all);
        fs::permissions(files.lock, fs::perms::all);
        const fs::path unreadable = theBook ? folder.book() : saved;
        fs::permissions(unreadable, fs::perms::none);
        const std::string message = failureInChild(becomeAnOrdinaryUser, [&] { return restoreNow(files, saved); });
        fs::permissions(unreadable, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_NE(message.find(unreadable.string() + "\" could not be read: Permission denied"), std::string::npos) << message;
    }
}

TEST(FullDisk, EachActionSaysWhyAndLeavesTheBookByteIdentical)
{
    const auto restore = [](const BookFolder& f, const fs::path& saved) { return restoreNow(BookFiles(f.root()), saved); };
    struct Case {
        const char* name;
        std::function<backup::Failure(const BookFolder&, const fs::path& saved)> action;
        int vouchersAfterSave;   // the book grows past the back-up by these
        bool limitBetween;       // the limit lets the back-up's copy through but not the book's
        const char* expected;
    };
    const Case cases[] = {
        {"back-up", [](const BookFolder& f, const fs::path&) {
             return backup::backUp(BookFiles(f.root()), f.root() / "new.mdb"); },
         0, false, "The back-up could not be written to"},
        {"restore, its copy", restore, 0, false, "The back-up could not be copied into"},
        {"restore, the safety copy", restore, 3000, true, "The safety copy of the data file could not be written"},
        {"compact", [](const BookFolder& f, const fs::path&) { return compactNow(BookFiles(f.root())); },
         0, false, "The safety copy of the data file could not be written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BookFolder folder(100);
        const fs::path saved = folder.root() / "saved.mdb";
        backUpOrFail(folder, saved);
        folder.addVouchers(c.vouchersAfterSave);
        // The lock file is made here, so the listing below already holds it.
        platform::FileLock::take(backup::BookFiles(folder.root()).lock.string(), FileLock::Mode::Shared);
        const std::string book = bytesOf(folder.book());
        const auto before = filesIn(folder.dbFolder());
        const rlim_t limit = c.limitBetween ? (fs::file_size(saved) + book.size()) / 2 : 16 * 1024;
        ASSERT_TRUE(!c.limitBetween || (fs::file_size(saved) < limit && limit < book.size()));

        const std::string message = failureUnderFileSizeLimit(limit, [&] { return c.action(folder, saved); });
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        EXPECT_NE(message.find("File too large"), std::string::npos) << message;
        EXPECT_EQ(bytesOf(folder.book()), book);
        EXPECT_EQ(filesIn(folder.dbFolder()), before) << "no safety copy and no temporary file";
    }
}


} // namespace
