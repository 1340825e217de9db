// The connection to this system's database file, prepared statements with bound
// values and the transaction guard. The only code that talks to SQLite; recordsets
// (recordset.h) are built on it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <source_location>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data/value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// Any SQLite result but the expected one: the code, SQLite's message, the SQL
// text (empty for connection-level failures) and where the call was made.
class DbError : public std::runtime_error {
public:
    DbError(int code, std::string message, std::string sql,
            std::source_location where = std::source_location::current());
    int code() const { return m_code; }
    const std::string& message() const { return m_message; }
    const std::string& sql() const { return m_sql; }
    const std::source_location& where() const { return m_where; }
    // True when the failure is a broken constraint (unique, foreign key, check).
    bool isConstraint() const;
    // True when the file is no database at all.
    bool isNotADatabase() const;
    // True when the file is no database or its pages are damaged.
    bool isDamage() const;
    // True when another connection held the file longer than the wait for it.
    bool isBusy() const;

private:
    int m_code;
    std::string m_message;
    std::string m_sql;
    std::source_location m_where;
};

// This system's file marks: PRAGMA application_id and user_version as the schema sets them.
inline constexpr std::int32_t kApplicationId = 0x54534C44;   // "TSLD"
inline constexpr int kSchemaVersion = 6;

using Params = std::vector<Value>;

// A script that brings a file of layout version `from` to version `from + 1`.
struct SchemaUpgrade {
    int from = 0;
    std::string_view sql;
};

class Statement;

class Database {
public:
    // Opens an existing file of this system for reading and writing. Never creates
    // a file. Throws DbError when the file is missing, cannot be opened, is not an
    // SQLite file, or does not carry this system's application id and schema version.
    // A file of an older version is first brought up to date by `upgrades`, each
    // step in a transaction of its own that also writes the new version, so a
    // failed step leaves the file at the version before it; a file that no chain
    // of steps brings to this version is refused.
    static Database open(const std::string& path, std::span<const SchemaUpgrade> upgrades = {});
    // Creates a new, empty file (or an in-memory database for ":memory:") with the
    // same settings; for the tool that writes the delivered database, and for tests.
    // Throws DbError when the file exists already or cannot be made.
    static Database createEmpty(const std::string& path);
    // Opens an existing file as it is, without reading its marks or changing any
    // setting: for the back-up program, which tells a foreign or damaged file
    // from a book of ours itself. Read-only never writes, so it cannot roll back
    // a journal left beside the file and fails to read such a file instead; a
    // read-write connection rolls it back at its first read. Never creates a
    // file. Throws DbError when the file is missing or cannot be opened.
    enum class Access { ReadOnly, ReadWrite };
    static Database openUnchecked(const std::string& path, Access access);

    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Runs one or more statements that take no values (schema scripts). Throws DbError.
    void execScript(std::string_view sql,
                    std::source_location where = std::source_location::current());
    // Runs one statement with bound values and returns the rows it changed. Throws DbError.
    int exec(std::string_view sql, const Params& params = {},
             std::source_location where = std::source_location::current());
    // The first column of the first row, or null when there is no row. Throws DbError.
    Value scalar(std::string_view sql, const Params& params = {},
                 std::source_location where = std::source_location::current());
    // The key SQLite gave the last inserted row on this connection.
    std::int64_t lastInsertId() const;
    // Copies the whole database, as committed, into a new file at `path` with
    // SQLite's online backup, which reads a consistent state while the file
    // stays open; the copy is made durable before the call returns. Throws
    // DbError inside a transaction of this connection, when `path` exists
    // already, or when the copy fails (a partial copy is removed); the message
    // then carries the system's reason (disk full, file too large) when there is one.
    void backupTo(const std::string& path);
    // Attaches the database file at `path` under the schema name `schema`
    // (a plain word), read-only whatever this connection's own access, so
    // nothing done here can change it or roll back a journal beside it.
    // Throws DbError when it cannot be attached read-only.
    void attachReadOnly(const std::string& path, const std::string& schema);
    // "ok", or the problems PRAGMA integrity_check finds, one per line.
    // Throws DbError.
    std::string integrityCheck();
    // "" when every reference holds, or the first broken ones PRAGMA
    // foreign_key_check finds ("SubTransactions row 7 -> Transactions"), one per
    // line. Throws DbError.
    std::string foreignKeyCheck();
    // The operating system's error number behind this connection's last failed
    // call (errno), or 0.
    int lastSystemError() const;
    bool inTransaction() const;
    const std::string& path() const { return m_path; }

    sqlite3* handle() const { return m_db; }

private:
    Database(sqlite3* db, std::string path) : m_db{db}, m_path{std::move(path)} {}
    void configure();
    sqlite3* m_db = nullptr;
    std::string m_path;
};

// A prepared statement. Values reach SQL only through bind(); indexes start at 1.
class Statement {
public:
    Statement(Database& db, std::string_view sql,
              std::source_location where = std::source_location::current());
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    Statement& bind(int index, const Value& value);
    Statement& bindAll(const Params& params);
    // Moves to the next row: true when there is one, false when done. Throws DbError.
    bool step();
    // Steps to the end, for statements that return no rows. Throws DbError.
    void run();
    // Back to before the first row, keeping the bound values.
    void reset();

    int columnCount() const;
    std::string columnName(int column) const;   // columns start at 0
    Value column(int column) const;
    std::int64_t columnInt64(int column) const;  // null reads as 0: say so at the call
    bool columnIsNull(int column) const;
    const std::string& sql() const { return m_sql; }

private:
    sqlite3_stmt* m_stmt = nullptr;
    sqlite3* m_db = nullptr;
    std::string m_sql;
    std::source_location m_where;
};

// BEGIN IMMEDIATE in the constructor; ROLLBACK in the destructor unless commit() ran.
class Transaction {
public:
    explicit Transaction(Database& db,
                         std::source_location where = std::source_location::current());
    ~Transaction();
    void commit();
    Database& db() { return m_db; }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};

} // namespace platform
