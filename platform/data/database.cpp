// The SQLite connection, statements and transaction guard. Every result code is
// checked here and turned into a DbError; callers never see a raw SQLite code path.
#include "platform/data/database.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include <sqlite3.h>

namespace platform {

namespace {

constexpr int kBusyTimeoutMs = 5000;

std::string whatText(const std::string& message, const std::string& sql)
{
    return sql.empty() ? message : message + "\nSQL: " + sql;
}

std::string errorMessage(sqlite3* db, int code)
{
    // Without a handle (a failed open may leave none) SQLite's own text for the code is all we have.
    return db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
}

sqlite3* requireOpen(sqlite3* db, std::string_view sql, const std::source_location& where)
{
    if (!db)
        throw DbError(SQLITE_MISUSE, "The database connection is closed.", std::string{sql}, where);
    return db;
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

bool isMemoryPath(const std::string& path) { return path == ":memory:"; }

std::string notOursMessage(const std::string& path)
{
    return "The file \"" + path + "\" is not a Tamsel Standard database.";
}

bool onlySeparators(std::string_view text)
{
    for (const char c : text) {
        if (c != ';' && c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v')
            return false;
    }
    return true;
}

// True when `rest` holds nothing SQLite would run: blanks, semicolons and comments.
// Comments are left to SQLite's own tokenizer rather than parsed here.
bool holdsNoStatement(sqlite3* db, std::string_view rest)
{
    while (!onlySeparators(rest)) {
        sqlite3_stmt* extra = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v3(db, rest.data(), static_cast<int>(rest.size()), 0, &extra, &tail);
        sqlite3_finalize(extra);
        if (rc != SQLITE_OK || extra)
            return false;
        const auto used = static_cast<std::size_t>(tail - rest.data());
        if (used == 0)
            return false;
        rest.remove_prefix(used);
    }
    return true;
}

} // namespace

DbError::DbError(int code, std::string message, std::string sql, std::source_location where)
    : std::runtime_error{whatText(message, sql)}
    , m_code{code}
    , m_message{std::move(message)}
    , m_sql{std::move(sql)}
    , m_where{where}
{
}

bool DbError::isConstraint() const
{
    return (m_code & 0xff) == SQLITE_CONSTRAINT;
}

bool DbError::isNotADatabase() const
{
    return (m_code & 0xff) == SQLITE_NOTADB;
}

bool DbError::isDamage() const
{
    return isNotADatabase() || (m_code & 0xff) == SQLITE_CORRUPT;
}

bool DbError::isBusy() const
{
    return (m_code & 0xff) == SQLITE_BUSY;
}

// --- Database ---------------------------------------------------------------

Database Database::open(const std::string& path, std::span<const SchemaUpgrade> upgrades)
{
    // The marks are read before configure() so that a foreign file is refused
    // before any setting (journal mode) could change it; the wait for a lock
    // (set by openUnchecked) applies to these reads as well.
    Database db = openUnchecked(path, Access::ReadWrite);
    std::int64_t applicationId = 0;
    std::int64_t version = 0;
    try {
        applicationId = db.scalar("PRAGMA application_id").toInt();
        version = db.scalar("PRAGMA user_version").toInt();
    } catch (const DbError& e) {
        // SQLite reports a file that is no database at its first read; the user
        // needs to hear which file, not SQLite's generic text.
        if ((e.code() & 0xff) == SQLITE_NOTADB)
            throw DbError(SQLITE_NOTADB, notOursMessage(path), {});
        throw;
    }
    if (applicationId != kApplicationId)
        throw DbError(SQLITE_NOTADB, notOursMessage(path), {});
    const auto stepFrom = [&](std::int64_t v) {
        return std::find_if(upgrades.begin(), upgrades.end(), [&](const SchemaUpgrade& u) { return u.from == v; });
    };
    bool upgradable = version < kSchemaVersion;
    for (std::int64_t v = version; upgradable && v < kSchemaVersion; ++v)
        upgradable = stepFrom(v) != upgrades.end();
    if (version != kSchemaVersion && !upgradable)
        throw DbError(SQLITE_NOTADB,
                      "The database \"" + path + "\" has layout version " + std::to_string(version)
                          + "; this program reads version " + std::to_string(kSchemaVersion) + ".",
                      {});
    db.configure();
    for (; version < kSchemaVersion; ++version) {
        Transaction tx(db);
        db.execScript(stepFrom(version)->sql);
        db.exec("PRAGMA user_version = " + std::to_string(version + 1));
        tx.commit();
    }
    return db;
}

Database Database::createEmpty(const std::string& path)
{
    if (!isMemoryPath(path) && fileExists(path))
        throw DbError(SQLITE_CANTOPEN, "The file \"" + path + "\" exists already.", {});

    sqlite3* raw = nullptr;
    // URI file names are read in what it attaches (attachReadOnly); its own
    // path, absolute or ":memory:", reads the same either way.
    const int rc = sqlite3_open_v2(path.c_str(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = errorMessage(raw, rc);
        sqlite3_close_v2(raw);
        throw DbError(rc, "The database file \"" + path + "\" cannot be created: " + message, {});
    }
    Database db{raw, path};
    sqlite3_extended_result_codes(raw, 1);
    db.configure();
    return db;
}

Database Database::openUnchecked(const std::string& path, Access access)
{
    if (isMemoryPath(path) || !fileExists(path))
        throw DbError(SQLITE_CANTOPEN, "The database file \"" + path + "\" was not found.", {});
    const int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = errorMessage(raw, rc);
        sqlite3_close_v2(raw);
        throw DbError(rc, "The database file \"" + path + "\" cannot be opened: " + message, {});
    }
    Database db{raw, path};
    sqlite3_extended_result_codes(raw, 1);
    // Set before the first read: the main program may be writing at this moment.
    const int timeoutRc = sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    if (timeoutRc != SQLITE_OK)
        throw DbError(timeoutRc, errorMessage(raw, timeoutRc), {});
    return db;
}

void Database::configure()
{
    const int rc = sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    if (rc != SQLITE_OK)
        throw DbError(rc, errorMessage(m_db, rc), {});

    exec("PRAGMA foreign_keys = ON");
    // The pragma is silently ignored by a build without foreign keys; read it back.
    if (scalar("PRAGMA foreign_keys").toInt() != 1)
        throw DbError(SQLITE_ERROR, "This SQLite build does not enforce foreign keys.", "PRAGMA foreign_keys");

    // A rollback journal, not WAL: the file is copied whole by the back-up
    // program and must be complete on its own, without a -wal beside it.
    const std::string mode = scalar("PRAGMA journal_mode = DELETE").toText();
    const char* file = sqlite3_db_filename(m_db, "main");
    const bool inMemory = !file || *file == '\0';
    if (mode != "delete" && !(inMemory && mode == "memory"))
        throw DbError(SQLITE_ERROR, "The database refused the rollback journal (journal mode \"" + mode + "\").",
                      "PRAGMA journal_mode = DELETE");

    exec("PRAGMA synchronous = FULL");

    // Reports walk a year of lines; reading the file through a memory map
    // instead of SQLite's small default page cache makes them several times
    // faster. Writes still go through the journal, so the file stays whole.
    // The map is only address space: a smaller build limit simply caps it.
    scalar("PRAGMA mmap_size = 1073741824");
}

void Database::backupTo(const std::string& path)
{
    // Inside a transaction the copy would take this connection's uncommitted pages.
    if (inTransaction())
        throw DbError(SQLITE_MISUSE, "A backup cannot be taken inside a transaction.", "backup to " + path);
    {
        Database target = createEmpty(path);
        try {
            sqlite3_backup* backup = sqlite3_backup_init(target.m_db, "main", m_db, "main");
            if (!backup)
                throw DbError(sqlite3_extended_errcode(target.m_db), errorMessage(target.m_db, sqlite3_errcode(target.m_db)),
                              "backup to " + path);
            // One step copies every page: the source stays consistent for the
            // whole copy, and no writer of ours runs meanwhile (one thread).
            const int stepRc = sqlite3_backup_step(backup, -1);
            const int finishRc = sqlite3_backup_finish(backup);
            // The written file's errno says why a write failed (full disk, size
            // limit); SQLite's own text for it is only "disk I/O error".
            const int systemError = target.lastSystemError();
            const std::string reason = systemError ? std::string(" (") + std::strerror(systemError) + ")" : "";
            if (stepRc != SQLITE_DONE)
                throw DbError(stepRc, sqlite3_errstr(stepRc) + reason, "backup to " + path);
            if (finishRc != SQLITE_OK)
                throw DbError(finishRc, errorMessage(target.m_db, finishRc) + reason, "backup to " + path);
        } catch (...) {
            target = Database{nullptr, {}};
            std::error_code ignored;   // the copy's own failure is the one worth reporting
            std::filesystem::remove(path, ignored);
            throw;
        }
    }
}

void Database::attachReadOnly(const std::string& path, const std::string& schema)
{
    // A URI file name says read-only for this file alone; its path is
    // written with every byte but the plain ones escaped.
    std::string uri = "file:";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    uri += "?mode=ro";
    exec("ATTACH DATABASE ? AS " + schema, {uri});
    if (sqlite3_db_readonly(m_db, schema.c_str()) != 1) {
        // A build that reads no URI file names took the text for a new file's name.
        exec("DETACH DATABASE " + schema);
        throw DbError(SQLITE_CANTOPEN, "The file \"" + path + "\" could not be opened read-only.", "ATTACH " + uri);
    }
}

std::string Database::integrityCheck()
{
    Statement st(*this, "PRAGMA integrity_check");
    std::string result;
    while (st.step()) {
        if (!result.empty())
            result += '\n';
        result += st.column(0).toText();
    }
    return result;
}

std::string Database::foreignKeyCheck()
{
    constexpr int kShown = 3;
    Statement st(*this, "PRAGMA foreign_key_check");
    std::string result;
    for (int shown = 0; shown < kShown && st.step(); ++shown) {
        if (!result.empty())
            result += '\n';
        result += st.column(0).toText() + " row " + st.column(1).toText() + " -> " + st.column(2).toText();
    }
    return result;
}

int Database::lastSystemError() const
{
    return m_db ? sqlite3_system_errno(m_db) : 0;
}

Database::Database(Database&& other) noexcept
    : m_db{std::exchange(other.m_db, nullptr)}
    , m_path{std::move(other.m_path)}
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        sqlite3_close_v2(m_db);
        m_db = std::exchange(other.m_db, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

Database::~Database()
{
    // close_v2 defers the close until every statement is finalized, so a
    // statement that outlives its connection cannot crash the program here.
    sqlite3_close_v2(m_db);
}

void Database::execScript(std::string_view sql, std::source_location where)
{
    // Statement by statement rather than sqlite3_exec, so a failure names the
    // statement that failed instead of the whole script.
    requireOpen(m_db, sql, where);
    std::string_view rest = sql;
    while (!onlySeparators(rest)) {
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v3(m_db, rest.data(), static_cast<int>(rest.size()), 0, &stmt, &tail);
        const auto used = static_cast<std::size_t>(tail ? tail - rest.data() : 0);
        const std::string text{rest.substr(0, used)};
        if (rc != SQLITE_OK) {
            sqlite3_finalize(stmt);
            throw DbError(rc, errorMessage(m_db, rc), text.empty() ? std::string{rest} : text, where);
        }
        if (used == 0)
            break;   // defensive: no progress would loop forever
        rest.remove_prefix(used);
        if (!stmt)
            continue;   // a comment-only stretch
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const std::string message = errorMessage(m_db, rc);
            sqlite3_finalize(stmt);
            throw DbError(rc, message, text, where);
        }
        sqlite3_finalize(stmt);
    }
}

int Database::exec(std::string_view sql, const Params& params, std::source_location where)
{
    Statement st{*this, sql, where};
    st.bindAll(params);
    // sqlite3_changes keeps the count of the last INSERT/UPDATE/DELETE, so a
    // statement of another kind would report stale rows; the running total tells.
    const auto before = sqlite3_total_changes64(m_db);
    st.run();
    if (sqlite3_total_changes64(m_db) == before)
        return 0;
    return static_cast<int>(sqlite3_changes64(m_db));
}

Value Database::scalar(std::string_view sql, const Params& params, std::source_location where)
{
    Statement st{*this, sql, where};
    st.bindAll(params);
    if (!st.step())
        return {};
    return st.column(0);
}

std::int64_t Database::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

bool Database::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

// --- Statement --------------------------------------------------------------

Statement::Statement(Database& db, std::string_view sql, std::source_location where)
    : m_db{requireOpen(db.handle(), sql, where)}
    , m_sql{sql}
    , m_where{where}
{
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, m_sql.data(), static_cast<int>(m_sql.size()), 0, &m_stmt, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        throw DbError(rc, errorMessage(m_db, rc), m_sql, where);
    }
    if (!m_stmt)
        throw DbError(SQLITE_MISUSE, "The SQL text holds no statement.", m_sql, where);
    // One statement per Statement: a second one hidden behind a semicolon would
    // otherwise be dropped silently, or be smuggled in.
    const std::string_view rest{tail, static_cast<std::size_t>(m_sql.data() + m_sql.size() - tail)};
    if (!holdsNoStatement(m_db, rest)) {
        sqlite3_finalize(std::exchange(m_stmt, nullptr));
        throw DbError(SQLITE_MISUSE, "The SQL text holds more than one statement.", m_sql, where);
    }
}

Statement::Statement(Statement&& other) noexcept
    : m_stmt{std::exchange(other.m_stmt, nullptr)}
    , m_db{std::exchange(other.m_db, nullptr)}
    , m_sql{std::move(other.m_sql)}
    , m_where{other.m_where}
{
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_db = std::exchange(other.m_db, nullptr);
        m_sql = std::move(other.m_sql);
        m_where = other.m_where;
    }
    return *this;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement& Statement::bind(int index, const Value& value)
{
    if (!m_stmt)
        throw DbError(SQLITE_MISUSE, "The statement was moved away.", m_sql, m_where);
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else if (value.isInt()) {
        rc = sqlite3_bind_int64(m_stmt, index, std::get<std::int64_t>(value.raw()));
    } else if (value.isReal()) {
        rc = sqlite3_bind_double(m_stmt, index, std::get<double>(value.raw()));
    } else {
        const std::string& text = std::get<std::string>(value.raw());
        rc = sqlite3_bind_text64(m_stmt, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    if (rc != SQLITE_OK)
        throw DbError(rc, errorMessage(m_db, rc) + " (value " + std::to_string(index) + ")", m_sql, m_where);
    return *this;
}

Statement& Statement::bindAll(const Params& params)
{
    if (!m_stmt)
        throw DbError(SQLITE_MISUSE, "The statement was moved away.", m_sql, m_where);
    // A missing value would silently bind as null; a surplus one means the SQL is not what the caller thinks.
    const int expected = sqlite3_bind_parameter_count(m_stmt);
    if (static_cast<std::size_t>(expected) != params.size())
        throw DbError(SQLITE_RANGE,
                      "The statement takes " + std::to_string(expected) + " values but "
                          + std::to_string(params.size()) + " were given.",
                      m_sql, m_where);
    for (std::size_t i = 0; i < params.size(); ++i)
        bind(static_cast<int>(i + 1), params[i]);
    return *this;
}

bool Statement::step()
{
    if (!m_stmt)
        throw DbError(SQLITE_MISUSE, "The statement was moved away.", m_sql, m_where);
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw DbError(rc, errorMessage(m_db, rc), m_sql, m_where);
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    // sqlite3_reset repeats the code of a failed last step; that failure was
    // already thrown by step(), so its return is of no use here.
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

std::string Statement::columnName(int column) const
{
    const char* name = sqlite3_column_name(m_stmt, column);
    return name ? name : "";
}

Value Statement::column(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return Value{static_cast<std::int64_t>(sqlite3_column_int64(m_stmt, column))};
    case SQLITE_FLOAT:
        return Value{sqlite3_column_double(m_stmt, column)};
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        const int size = sqlite3_column_bytes(m_stmt, column);
        return Value{std::string{text ? text : "", text ? static_cast<std::size_t>(size) : 0}};
    }
    case SQLITE_BLOB: {
        // No column of ours holds blobs; should one turn up, its bytes read as text.
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        const int size = sqlite3_column_bytes(m_stmt, column);
        return Value{std::string{bytes ? bytes : "", bytes ? static_cast<std::size_t>(size) : 0}};
    }
    default:
        return Value{};
    }
}

std::int64_t Statement::columnInt64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

bool Statement::columnIsNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

// --- Transaction ------------------------------------------------------------

Transaction::Transaction(Database& db, std::source_location where)
    : m_db{db}
{
    if (db.inTransaction())
        throw DbError(SQLITE_MISUSE,
                      "A transaction is already open on this connection; transactions do not nest.", {}, where);
    m_db.exec("BEGIN IMMEDIATE", {}, where);
}

Transaction::~Transaction()
{
    if (m_done || !m_db.inTransaction())
        return;   // committed, or SQLite already rolled back after a failure
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, &error);
    if (rc != SQLITE_OK)
        std::fprintf(stderr, "Rollback failed on \"%s\": %s\n", m_db.path().c_str(),
                     error ? error : sqlite3_errstr(rc));
    sqlite3_free(error);
}

void Transaction::commit()
{
    if (m_done)
        throw DbError(SQLITE_MISUSE, "The transaction was committed already.", "COMMIT");
    // m_done is set only after COMMIT succeeds: a failed (busy) commit leaves the
    // transaction open, and the destructor must roll it back.
    m_db.exec("COMMIT");
    m_done = true;
}

} // namespace platform
