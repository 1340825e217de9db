// Every copy goes through SQLite (VACUUM INTO, which leaves the free pages
// behind), never a byte copy of a live file, and every replacement is a
// rename of a checked, durable file in the same folder: a rename is atomic,
// so the book is either the old one or the new one, never half of each. The
// book file is never opened outside SQLite while a connection of ours is open
// on it, since closing any descriptor of it would drop SQLite's own locks.
#include "backup/backup_store.h"

#include <algorithm>
#include <cctype>
#include <atomic>
#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include "backup/backup_rules.h"
#include "db/layout_check.h"
#include "platform/data/file_lock.h"

namespace fs = std::filesystem;

namespace backup {

namespace {

// Unwinds an action with the sentence the user reads.
class Refused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string quoted(const fs::path& path)
{
    return "\"" + path.string() + "\"";
}

std::string systemReason(int error)
{
    return std::strerror(error);
}

// A message of SQLite or the system, as the end of a sentence.
std::string reasonOf(const std::exception& e)
{
    std::string text = e.what();
    if (const auto* db = dynamic_cast<const platform::DbError*>(&e))
        text = db->message();
    while (!text.empty() && (text.back() == '.' || text.back() == '\n'))
        text.pop_back();
    return text;
}

// Why SQLite could not read `file`: the system's reason when the file cannot
// even be opened for reading (SQLite opens lazily and then says only "unable to
// open database file"), else SQLite's. No connection of ours may be open on
// `file`: closing the descriptor tried here would drop its locks.
std::string reasonOf(const fs::path& file, const platform::DbError& e)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return systemReason(errno);
    ::close(fd);
    return reasonOf(e);
}

// Runs `work`; a failure of SQLite or the file system becomes `what` + ": " +
// the reason + `after`.
template <typename Work>
auto step(const std::string& what, const std::string& after, Work&& work)
{
    try {
        return work();
    } catch (const Refused&) {
        throw;
    } catch (const platform::DbError& e) {
        throw Refused(what + ": " + reasonOf(e) + after);
    } catch (const std::system_error& e) {
        // filesystem_error among them: its own text repeats the paths, the code says why.
        throw Refused(what + ": " + systemReason(e.code().value()) + after);
    }
}

constexpr std::string_view kTempPrefix = ".stowkeep-";
constexpr std::string_view kTempSuffix = ".tmp";

// A name for a new file in `folder` that nobody else uses, ending in
// `suffix`. The process's id in it tells a file of a running Stowkeep from one
// a killed one left.
fs::path tempPathIn(const fs::path& folder, std::string_view suffix = kTempSuffix)
{
    static std::atomic<int> counter{0};
    return folder / (std::string(kTempPrefix) + std::to_string(::getpid()) + "-" + std::to_string(++counter)
                     + std::string(suffix));
}

// The process that made the file named `name` (a temporary file, its journal,
// or a note ending in `suffix`), or nothing when `name` is no name tempPathIn
// gives.
std::optional<pid_t> temporaryOwner(std::string name, std::string_view suffix = kTempSuffix)
{
    if (name.ends_with("-journal"))
        name.resize(name.size() - std::string_view("-journal").size());
    if (!name.starts_with(kTempPrefix) || !name.ends_with(suffix))
        return std::nullopt;
    const std::string middle = name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - suffix.size());
    const std::size_t dash = middle.find('-');
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() < 10
            && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string::npos || !digits(middle.substr(0, dash)) || !digits(middle.substr(dash + 1)))
        return std::nullopt;
    return static_cast<pid_t>(std::stol(middle.substr(0, dash)));
}

// Whether the process `owner` has ended. EPERM: it runs under another user;
// only ESRCH says it is gone.
bool ended(std::optional<pid_t> owner)
{
    return owner && *owner > 0 && ::kill(*owner, 0) != 0 && errno == ESRCH;
}

// The note, beside the book, of the folder a back-up writes its temporary
// file in, kept while the back-up runs: a Stowkeep killed midway leaves it,
// and the next start cleans that folder, wherever it is.
constexpr std::string_view kFolderNoteSuffix = ".where";

// Makes and removes a file in `folder`, so that a folder that cannot be
// written is told with the system's own reason (SQLite's would be "unable to
// open database file").
void probeWritable(const fs::path& folder, const std::string& what, const std::string& after)
{
    const fs::path probe = tempPathIn(folder);
    const int fd = ::open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0)
        throw Refused(what + ": " + systemReason(errno) + after);
    ::close(fd);
    ::unlink(probe.c_str());
}

// Flushes the file or folder at `path` to disk (`flags` added to the open).
// Throws std::system_error.
void flushToDisk(const fs::path& path, int flags)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "cannot open " + quoted(path));
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        throw std::system_error(error, std::generic_category(), "cannot flush " + quoted(path));
}

// Makes the names in `folder` durable: a rename or link is not safe against a
// power cut until its folder is flushed.
void flushFolder(const fs::path& folder)
{
    flushToDisk(folder, O_DIRECTORY);
}

// Removes a temporary file of ours and the journal SQLite may have left with it.
void removeTemp(const fs::path& path)
{
    std::error_code ignored;   // a leftover temporary file harms nothing; the failure before it matters
    fs::remove(path, ignored);
    fs::remove(path.string() + "-journal", ignored);
}

// Removes the temporary file unless release() ran.
class TempFile {
public:
    explicit TempFile(fs::path path) : m_path{std::move(path)} {}
    ~TempFile()
    {
        if (!m_path.empty())
            removeTemp(m_path);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const fs::path& path() const { return m_path; }
    void release() { m_path.clear(); }

private:
    fs::path m_path;
};

// The note of the folder a back-up writes its temporary file in, beside the
// book, removed when the back-up ends. A note that cannot be written only
// leaves a killed back-up's temporary file for a later back-up into its folder.
class FolderNote {
public:
    FolderNote(const BookFiles& files, const fs::path& folder) : m_path{tempPathIn(files.folder, kFolderNoteSuffix)}
    {
        std::ofstream out(m_path);
        out << folder.string() << '\n';
    }
    ~FolderNote()
    {
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
    FolderNote(const FolderNote&) = delete;
    FolderNote& operator=(const FolderNote&) = delete;

private:
    fs::path m_path;
};

bool sameFile(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// Whether `path` names the book's lock file or one of SQLite's journals of
// it, whether or not that file is there now.
bool companionOfBook(const fs::path& path, const BookFiles& files)
{
    std::error_code ec;
    const fs::path named = fs::weakly_canonical(path, ec);
    if (ec)
        return false;
    const fs::path book = fs::weakly_canonical(files.book, ec);
    if (ec)
        return false;
    if (named == fs::weakly_canonical(files.lock, ec))
        return true;
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        if (named == fs::path(book.string() + suffix))
            return true;
    return false;
}

// A journal beside a file means a change of it was cut off: its pages are
// only whole together with the journal, which the copy would leave behind.
std::optional<fs::path> journalBeside(const fs::path& file)
{
    for (const char* suffix : {"-journal", "-wal"}) {
        const fs::path journal = file.string() + suffix;
        std::error_code ec;
        if (fs::exists(journal, ec))
            return journal;
    }
    return std::nullopt;
}

// Opens `file` as it is. SQLite says only "unable to open database file" of
// a file it cannot open; the system's reason (no permission, a folder in the
// way) is thrown as std::system_error when there is one. No connection of
// ours is open on the file when opening it fails, so the descriptor tried
// here drops no lock of ours. Throws platform::DbError otherwise.
platform::Database openAsItIs(const fs::path& file, platform::Database::Access access)
{
    try {
        platform::Database db = platform::Database::openUnchecked(file.string(), access);
        // The checks and copies read every page: through a memory map instead
        // of SQLite's small page cache they take a third of the time (most of
        // it the system's, copying pages in). Only address space; the file is
        // not changed by it.
        db.scalar("PRAGMA mmap_size = 1073741824");
        return db;
    } catch (const platform::DbError& e) {
        if (e.isDamage())
            throw;
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw std::system_error(errno, std::generic_category(), "cannot open " + quoted(file));
        ::close(fd);
        throw;
    }
}

struct Marks {
    std::int64_t applicationId = 0;
    std::int64_t version = 0;
};

// The first few of `items`, joined for a sentence, and how many more there are.
std::string listed(const std::vector<std::string>& items)
{
    constexpr std::size_t kShown = 3;
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < kShown; ++i)
        text += (i == 0 ? "" : ", ") + items[i];
    if (items.size() > kShown)
        text += " and " + std::to_string(items.size() - kShown) + " more";
    return text;
}

Marks readMarks(platform::Database& db)
{
    return {db.scalar("PRAGMA application_id").toInt(), db.scalar("PRAGMA user_version").toInt()};
}

std::string newerText(std::int64_t version)
{
    return " comes from a newer version of Tamsel Standard (layout " + std::to_string(version)
        + "; this program reads layout " + std::to_string(platform::kSchemaVersion) + ")";
}

// What is damaged in a file SQLite cannot read whole, said for the user.
const std::string kBrokenPages = "some of its pages are broken";

// Rows that break a rule of their table, said for the user from SQLite's
// text: integrity_check's lines ("CHECK constraint failed in Jobs", "NULL value
// in Jobs.JobNo") or an insert's failure ("NOT NULL constraint failed:
// Jobs.JobNo"), the table named by `table` where the text does not name it.
// "" for a text that tells of no such rule.
std::string brokenRule(const std::string& text, std::string table = {})
{
    const auto rows = [&] { return table.empty() ? std::string("rows") : "rows of " + table; };
    const auto named = [&](std::string_view lead) {
        const std::size_t at = text.find(lead);
        if (at != std::string::npos) {
            const std::string rest = text.substr(at + lead.size());
            table = rest.substr(0, rest.find_first_of(". \n"));
        }
        return rows();
    };
    if (text.starts_with("CHECK constraint failed"))
        return named("failed in ") + " break a rule of that table";
    if (text.starts_with("NULL value in "))
        return named("value in ") + " lack a value that table requires";
    if (text.starts_with("NOT NULL constraint failed"))
        return named("failed: ") + " lack a value that table requires";
    if (text.starts_with("UNIQUE constraint failed") || text.starts_with("PRIMARY KEY constraint failed"))
        return named("failed: ") + " repeat what must be unique in that table";
    if (text.starts_with("non-unique entry in index "))
        return "rows repeat what must be unique in their table";
    if (text.starts_with("datatype mismatch"))
        return rows() + " hold a value of the wrong kind for that table";
    return {};
}

// The first problem of a file's rows and references, in the user's words.
std::string referencesDamage(platform::Database& db)
{
    const std::string references = db.foreignKeyCheck();
    if (references.empty())
        return {};
    // "SubTransactions row 7 -> Transactions"
    const std::string first = references.substr(0, references.find('\n'));
    const std::size_t row = first.find(" row ");
    const std::size_t arrow = first.find(" -> ");
    if (row == std::string::npos || arrow == std::string::npos)
        return "some of its rows refer to rows that are not there";
    return "rows of " + first.substr(0, row) + " refer to rows of " + first.substr(arrow + 4) + " that are not there";
}

// The first problem SQLite's full integrity check finds, in the user's words,
// or "" for a sound file. The full check, never quick_check alone: a changed
// byte inside a row leaves every page readable and only its indexes disagree
// with it, and a copy written row by row (VACUUM INTO, the restore's rebuild)
// would rebuild the indexes from the changed row and hide it for good. No
// copy is ever kept from a file this check finds damaged.
std::string integrityDamage(platform::Database& db)
{
    const std::string integrity = db.integrityCheck();
    if (integrity != "ok") {
        // integrity_check's own lines ("*** in database main ***", "row 14 missing
        // from index X") say where, which tells the user nothing. Rows that only
        // break their table's rules are told as such.
        std::string rule;
        for (std::size_t at = 0; at < integrity.size();) {
            const std::size_t end = std::min(integrity.find('\n', at), integrity.size());
            const std::string told = brokenRule(integrity.substr(at, end - at));
            if (told.empty())
                return kBrokenPages;
            if (rule.empty())
                rule = told;
            at = end + 1;
        }
        return rule;
    }
    return {};
}

// The first problem the full checks find, its pages and rows first, then its
// references; "" for a sound file.
std::string damageOf(platform::Database& db)
{
    if (std::string damage = integrityDamage(db); !damage.empty())
        return damage;
    return referencesDamage(db);
}

// How the database file `file` departs from a whole one by its size, read
// from its header (SQLite refuses to count the pages of a file cut short):
// "" when it does not, or when the header cannot be read. Never for the book,
// whose descriptors are SQLite's.
std::string sizeFault(const fs::path& file)
{
    unsigned char header[100] = {};
    std::error_code ec;
    const auto bytes = fs::file_size(file, ec);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (ec || fd < 0)
        return {};
    const ssize_t n = ::read(fd, header, sizeof header);
    ::close(fd);
    if (n != static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
        return {};
    const auto big = [&](int at, int size) {
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | header[at + i];
        return value;
    };
    const std::uint64_t pageSize = big(16, 2) == 1 ? 65536 : big(16, 2);
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return {};
    // The page count at 28 holds only while the counter at 92 matches the change counter at 24.
    const std::uint64_t pages = big(92, 4) == big(24, 4) ? big(28, 4) : 0;
    if (bytes < pages * pageSize || (pages == 0 && bytes % pageSize != 0))
        return "it ends before its last page, as a copy cut off midway does";
    // Bytes past the last page that SQLite never reads: no copy SQLite writes
    // has them, so something else wrote into the file.
    if (pages > 0 && bytes > pages * pageSize)
        return std::to_string(bytes - pages * pageSize) + " bytes follow its last page, which no copy of a data file has";
    return {};
}

// Writes a compacted copy of `source`, as last committed, into the new file
// `path` and makes it durable. VACUUM INTO reads in one read transaction, so a
// writer beside it is no harm, and writes the rows only, never the free pages;
// SQLite does not flush what it wrote. A partial file is removed. Throws
// platform::DbError (with the system's reason, such as a full disk, when there
// is one) or std::system_error.
void copyInto(platform::Database& source, const fs::path& path)
{
    try {
        source.exec("VACUUM INTO ?", {path.string()});
    } catch (const platform::DbError& e) {
        // SQLite's own text for a failed write is only "disk I/O error".
        const int error = source.lastSystemError();
        removeTemp(path);
        if (error != 0)
            throw platform::DbError(e.code(), e.message() + " (" + systemReason(error) + ")", e.sql());
        throw;
    }
    flushToDisk(path, 0);
}

// Copies the file `from` byte for byte into the new file `to` and makes it
// durable. Only for a book SQLite cannot read, under the exclusive lock and
// with no connection of ours open on it: closing this descriptor would drop
// such a connection's locks. Throws std::system_error.
void copyBytes(const fs::path& from, const fs::path& to)
{
    const auto fail = [](const std::string& what) {
        throw std::system_error(errno, std::generic_category(), what);
    };
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        fail("cannot open " + quoted(from));
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        errno = error;
        fail("cannot make " + quoted(to));
    }
    char buffer[1 << 16];
    ssize_t n = 0;
    bool ok = true;
    while (ok && (n = ::read(in, buffer, sizeof buffer)) != 0) {
        if (n < 0) {
            ok = errno == EINTR;
            continue;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            ok = w >= 0 || errno == EINTR;
            done += w > 0 ? w : 0;
        }
    }
    ok = ok && ::fsync(out) == 0;
    const int error = errno;
    ::close(in);
    ::close(out);
    errno = error;
    if (!ok)
        fail("cannot copy " + quoted(from));
}

// Writes the safety copy into `folder` under `stamp` with `copy` (which makes
// a new durable file at the path it is given), never over an existing file:
// the copy is made under a temporary name and then linked to the first free
// name, which fails rather than replaces when the name is taken.
fs::path writeSafetyCopy(const fs::path& folder, const std::string& stamp,
                         const std::function<void(const fs::path&)>& copy)
{
    const std::string what = "The safety copy of the data file could not be written in " + quoted(folder);
    const std::string after = ", so nothing was changed.";
    probeWritable(folder, what, after);
    TempFile temp{tempPathIn(folder)};
    step(what, after, [&] { copy(temp.path()); });
    for (int n = 1;; ++n) {
        const fs::path name = folder / safetyCopyName(stamp, n);
        if (::link(temp.path().c_str(), name.c_str()) != 0) {
            if (errno == EEXIST)
                continue;
            // A file system without hard links: the free name is looked for first.
            std::error_code ec;
            if (fs::exists(name, ec))
                continue;
            if (::rename(temp.path().c_str(), name.c_str()) != 0)
                throw Refused(what + ": " + systemReason(errno) + after);
            temp.release();
        }
        step(what, after, [&] { flushFolder(folder); });
        return name;
    }
}

fs::path writeSafetyCopy(platform::Database& book, const fs::path& folder, const std::string& stamp)
{
    return writeSafetyCopy(folder, stamp, [&](const fs::path& path) { copyInto(book, path); });
}

// The safety copy before a restore, which must not need a sound book: the
// book may be what the user restores for. A book SQLite opens is copied page
// for page (SQLite's online backup; a read-write connection first rolls back
// a save that was cut off), so it keeps the book exactly as it was, damage
// included: a copy written row by row would rebuild its indexes from rows that
// may be broken and pass the damage off as sound, or lose the broken part the
// user may want back. It is also the fastest copy, and the restore does not
// wait on a full check of a book it is about to replace. One SQLite cannot
// read at all (a damaged header, a foreign file) is copied byte for byte.
void writeSafetyCopyBeforeRestore(const BookFiles& files, const std::string& stamp)
{
    {
        std::optional<platform::Database> book;
        try {
            book = openAsItIs(files.book, platform::Database::Access::ReadWrite);
            readMarks(*book);
        } catch (const platform::DbError& e) {
            book.reset();   // closed before the file is opened again for its reason
            if (!e.isDamage())
                throw Refused("The data file " + quoted(files.book) + " could not be read: " + reasonOf(files.book, e)
                              + ", so nothing was changed.");
        } catch (const std::system_error& e) {
            throw Refused("The data file " + quoted(files.book) + " could not be read: " + systemReason(e.code().value())
                          + ", so nothing was changed.");
        }
        if (book) {
            writeSafetyCopy(files.folder, stamp, [&](const fs::path& path) { book->backupTo(path.string()); });
            return;
        }
    }
    writeSafetyCopy(files.folder, stamp, [&](const fs::path& path) { copyBytes(files.book, path); });
}

// Opens the book for a compaction under the exclusive lock. A read-write
// connection rolls back a journal a crashed main program left, so that the
// safety copy and what follows see the book as last committed. The marks are
// checked before any change: a foreign or newer file is left alone.
platform::Database openBookForChange(const BookFiles& files)
{
    const std::string what = "The data file " + quoted(files.book) + " could not be read";
    const std::string after = ", so nothing was changed.";
    return step(what, after, [&] {
        platform::Database book = openAsItIs(files.book, platform::Database::Access::ReadWrite);
        Marks marks;
        try {
            marks = readMarks(book);
        } catch (const platform::DbError& e) {
            if (e.isDamage())
                throw Refused("The data file " + quoted(files.book) + " is damaged ("
                              + (e.isNotADatabase() ? std::string("it is no database file") : kBrokenPages)
                              + "); restore a back-up instead.");
            throw;
        }
        if (marks.applicationId != platform::kApplicationId)
            throw Refused("The data file " + quoted(files.book) + " is not a Tamsel Standard database, so nothing was changed.");
        if (marks.version > platform::kSchemaVersion)
            throw Refused("The data file " + quoted(files.book) + newerText(marks.version) + ", so nothing was changed.");
        return book;
    });
}

// The opening-balance voucher's kind: its amount stays 0 whatever its lines.
constexpr int kOpeningBalanceType = 11;

// The first key of `kept` (the rows a table keeps) that disagrees with
// `counted` (the same rows summed afresh from the lines), either way, as text
// per key column; nothing when they agree. Both give `keys` key columns and
// then `values` columns. The sums are made once.
std::optional<std::vector<std::string>> firstDisagreement(platform::Database& db, const std::string& kept,
                                                          const std::string& counted, int keys, int values)
{
    std::string keyColumns;
    std::string allColumns;
    for (int k = 1; k <= keys + values; ++k) {
        const std::string name = (k <= keys ? "k" : "v") + std::to_string(k);
        allColumns += (k > 1 ? ", " : "") + name;
        if (k <= keys)
            keyColumns += (k > 1 ? ", " : "") + name;
    }
    platform::Statement st(db, "WITH kept (" + allColumns + ") AS (" + kept + "), counted (" + allColumns
                               + ") AS MATERIALIZED (" + counted + ")"
                               " SELECT " + keyColumns + " FROM (SELECT * FROM kept EXCEPT SELECT * FROM counted)"
                               " UNION ALL SELECT " + keyColumns + " FROM (SELECT * FROM counted EXCEPT SELECT * FROM kept)"
                               " ORDER BY " + keyColumns + " LIMIT 1");
    if (!st.step())
        return std::nullopt;
    std::vector<std::string> key;
    for (int k = 0; k < keys; ++k)
        key.push_back(st.column(k).toText());
    return key;
}

// The first of the book's kept data that disagrees with its lines, said for
// the user, or "" when all agree: the lines' copies of their voucher's year,
// date and counting, each account's month totals, the day book's day totals
// and each voucher's amount (the sum of its debits; the opening-balance
// voucher's is 0). A voucher whose debits and credits differ is no fault: the
// program saves such a voucher, showing only the difference. Set-based, so a
// book of a million lines is checked in a few seconds. Throws platform::DbError.
std::string keptDataDisagreement(platform::Database& book)
{
    {
        platform::Statement st(book, "SELECT s.Serial FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
                                     " WHERE s.VoucherYear IS NOT t.FYID OR s.VoucherDate IS NOT t.TranDate"
                                     " OR s.Counted <> (t.Cancel = 0 AND t.Posted = 1) ORDER BY s.Serial LIMIT 1");
        if (st.step())
            return "the line " + st.column(0).toText() + " does not carry its voucher's year, date or posting";
    }
    if (const auto month = firstDisagreement(book,
            "SELECT AccCode, Month, FYID, Debits, Credits FROM AccountMonths"
            " WHERE Debits <> 0 OR Credits <> 0",
            "SELECT AccCode, substr(VoucherDate, 1, 7), VoucherYear, SUM(coalesce(Debit, 0)), SUM(coalesce(Credit, 0))"
            " FROM SubTransactions WHERE Counted = 1 GROUP BY 1, 2, 3"
            " HAVING SUM(coalesce(Debit, 0)) <> 0 OR SUM(coalesce(Credit, 0)) <> 0", 3, 2))
        return "the month totals of account " + (*month)[0] + " for " + (*month)[1] + " do not match its lines";
    if (const auto day = firstDisagreement(book,
            "SELECT Day, FYID, Lines, Debits, Credits FROM DayBookDays"
            " WHERE Lines <> 0 OR Debits <> 0 OR Credits <> 0",
            "SELECT t.TranDate, t.FYID, COUNT(*), SUM(coalesce(s.Debit, 0)), SUM(coalesce(s.Credit, 0))"
            " FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
            " WHERE t.Cancel = 0 AND EXISTS (SELECT 1 FROM TranType k WHERE k.TranType = t.TranType)"
            " AND (coalesce(s.Debit, 0) <> 0 OR coalesce(s.Credit, 0) <> 0) GROUP BY 1, 2", 2, 3))
        return "the day totals of " + (*day)[0] + " do not match its lines";
    platform::Statement amount(book, "SELECT t.DocNo, coalesce(k.Name, t.TranType), t.TranDate FROM Transactions t"
                                     " LEFT JOIN (SELECT TranNo, SUM(coalesce(Debit, 0)) AS Debits FROM SubTransactions"
                                     " GROUP BY TranNo) d ON d.TranNo = t.TranNo"
                                     " LEFT JOIN TranType k ON k.TranType = t.TranType"
                                     " WHERE t.TranType <> ? AND t.TrAmount <> coalesce(d.Debits, 0)"
                                     " ORDER BY t.TranNo LIMIT 1");
    amount.bind(1, kOpeningBalanceType);
    if (amount.step())
        return "the amount of voucher " + amount.column(0).toText() + " (" + amount.column(1).toText() + ", "
            + amount.column(2).toText() + ") does not match its lines' debits";
    return {};
}

std::string quotedName(const std::string& name)
{
    std::string text = "\"";
    for (const char c : name)
        text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

// Whether the trigger made by `sql` fires before the change of its statement,
// read from its head as the layout's scripts write it ("CREATE TRIGGER name
// BEFORE ...").
bool firesBefore(const std::string& sql)
{
    std::istringstream words(sql);
    std::string create, trigger, name, when;
    words >> create >> trigger >> name >> when;
    std::transform(when.begin(), when.end(), when.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return when == "BEFORE";
}

// Why rows of `table` were refused as they went into the new book, or "" when
// the failure was no broken rule.
std::string refusedRows(const platform::DbError& e, const std::string& table)
{
    if (!e.isConstraint() && (e.code() & 0xff) != 20)   // 20: SQLITE_MISMATCH, a key of the wrong kind
        return {};
    if (std::string rule = brokenRule(e.message(), table); !rule.empty())
        return rule;
    // A trigger's own refusal: its text is the rule.
    return "rows of " + table + " break a rule of that table (" + reasonOf(e) + ")";
}

// Writes the book to be at `target`, a new file, from the checked file at
// `source` (attached read-only, never changed): the current layout made anew
// from the very text a freshly made book holds, and every table's rows copied
// into it, so that each of its checks, required values, collations and unique
// keys holds for every row as it goes in, whatever layout the file had; the
// numbers AUTOINCREMENT gave stay given. The derived tables are copied as they
// are, so the triggers that keep them (those that fire after a change) are
// made after the rows, with the indexes, and the copy is then held against the
// lines; those that fire before a change only refuse, and hold every row.
// Returns why the rows were refused ("" when the book was written), flushed
// or not. Throws platform::DbError.
std::string fillBook(platform::Database& book, const fs::path& source);

// The system's error on writing a page at `offset` of the file `path` (or
// its end, when further), or 0. Only for a file of ours about to be removed.
int writeFailure(const fs::path& path, off_t offset)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const std::string page(4096, '\0');
    const off_t end = std::max(::lseek(fd, 0, SEEK_END), offset);
    const ssize_t written = ::pwrite(fd, page.data(), page.size(), end);
    const int error = written < 0 ? errno : 0;
    ::close(fd);
    return error;
}

std::string buildBook(const fs::path& source, const fs::path& target)
{
    platform::Database book = platform::Database::createEmpty(target.string());
    return fillBook(book, source);
}

// buildBook's work on the new, empty `book`.
std::string fillBook(platform::Database& book, const fs::path& source)
{
    // The file counts only once it is flushed and renamed: its journal (of a
    // new file, nearly empty) stays in memory, and it is flushed once, at the end.
    book.scalar("PRAGMA journal_mode = MEMORY");
    book.exec("PRAGMA synchronous = OFF");
    // The references are checked whole once the rows are in: then a row need
    // not come after the rows it refers to.
    book.exec("PRAGMA foreign_keys = OFF");
    book.attachReadOnly(source.string(), "src");
    const auto& objects = db::currentStoredObjects();
    const auto made = [](const db::StoredObject& object) {
        return !object.sql.empty() && !object.name.starts_with("sqlite_");
    };
    platform::Transaction tx(book);
    try {
        for (const auto& object : objects)
            if (made(object) && (object.type == "table" || (object.type == "trigger" && firesBefore(object.sql))))
                book.exec(object.sql);
        for (const auto& object : objects) {
            if (!made(object) || object.type != "table")
                continue;
            std::string columns;
            platform::Statement names(book, "SELECT name FROM pragma_table_xinfo(?, 'main') WHERE hidden = 0");
            names.bind(1, object.name);
            while (names.step())
                columns += (columns.empty() ? "" : ", ") + quotedName(names.column(0).toText());
            try {
                book.exec("INSERT INTO main." + quotedName(object.name) + " (" + columns + ") SELECT " + columns
                          + " FROM src." + quotedName(object.name));
            } catch (const platform::DbError& e) {
                if (std::string refused = refusedRows(e, object.name); !refused.empty())
                    return refused;
                throw;
            }
        }
        // A number AUTOINCREMENT gave to a row since deleted is never given again.
        if (book.scalar("SELECT COUNT(*) FROM src.sqlite_schema WHERE name = 'sqlite_sequence'").toInt() > 0) {
            book.exec("UPDATE main.sqlite_sequence SET seq = (SELECT s.seq FROM src.sqlite_sequence s"
                      " WHERE s.name = main.sqlite_sequence.name)"
                      " WHERE seq < (SELECT s.seq FROM src.sqlite_sequence s WHERE s.name = main.sqlite_sequence.name)");
            book.exec("INSERT INTO main.sqlite_sequence (name, seq) SELECT s.name, s.seq FROM src.sqlite_sequence s"
                      " WHERE s.name IN (SELECT name FROM main.sqlite_schema WHERE type = 'table' AND sql LIKE '%AUTOINCREMENT%')"
                      " AND s.name NOT IN (SELECT name FROM main.sqlite_sequence)");
        }
        for (const auto& object : objects)
            if (made(object) && object.type == "index")
                book.exec(object.sql);
        for (const auto& object : objects)
            if (made(object) && object.type != "table" && object.type != "index" && !firesBefore(object.sql))
                book.exec(object.sql);
        book.exec("PRAGMA application_id = " + std::to_string(platform::kApplicationId));
        book.exec("PRAGMA user_version = " + std::to_string(platform::kSchemaVersion));
        tx.commit();
    } catch (const platform::DbError& e) {
        // Read before the rollback: SQLite's own text for a failed write is
        // only "disk I/O error", and the system's reason goes with the next call.
        if (const int error = book.lastSystemError(); error != 0 && !e.isConstraint())
            throw platform::DbError(e.code(), e.message() + " (" + systemReason(error) + ")", e.sql());
        // A write that failed at the commit keeps no reason once SQLite has
        // rolled back (a full disk is told as such; a size limit is not): a
        // page written into the new file, which is thrown away, as far out as
        // the file's rows reach, meets it again.
        if ((e.code() & 0xff) == 10) {   // SQLITE_IOERR
            std::error_code ec;
            const auto reach = static_cast<off_t>(fs::file_size(source, ec));
            if (const int error = writeFailure(book.path(), ec ? 0 : reach); error != 0)
                throw platform::DbError(e.code(), e.message() + " (" + systemReason(error) + ")", e.sql());
        }
        throw;
    }
    book.exec("DETACH DATABASE src");
    if (std::string references = referencesDamage(book); !references.empty())
        return references;
    if (std::string kept = keptDataDisagreement(book); !kept.empty())
        return kept;
    return {};
}

Failure run(const BookFiles& files, const std::function<void()>& work)
{
    if (auto missing = checkBook(files))
        return missing;
    try {
        work();
    } catch (const Refused& e) {
        return std::string(e.what());
    } catch (const std::exception& e) {
        // Anything the steps did not foresee still reaches the user, never silence.
        return "The action stopped unexpectedly: " + reasonOf(e) + ".";
    }
    return std::nullopt;
}

} // namespace

BookFiles::BookFiles(const fs::path& workingFolder)
    : folder{fs::absolute(workingFolder) / "DB"}
    , book{folder / "tamselstd.MDB"}
    , lock{platform::lockPathFor(book.string())}
{
}

void removeStaleTemporaries(const fs::path& folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!ended(temporaryOwner(it->path().filename().string())))
            continue;
        std::error_code ignored;   // a file that stays is removed at a later start
        fs::remove(it->path(), ignored);
    }
}

void removeStaleTemporaries(const BookFiles& files)
{
    removeStaleTemporaries(files.folder);
    std::vector<fs::path> notes;
    std::error_code ec;
    for (fs::directory_iterator it(files.folder, ec), end; !ec && it != end; it.increment(ec))
        if (ended(temporaryOwner(it->path().filename().string(), kFolderNoteSuffix)))
            notes.push_back(it->path());
    for (const auto& note : notes) {
        std::ifstream in(note);
        std::string folder;
        std::getline(in, folder);
        in.close();
        bool left = false;
        if (!folder.empty()) {
            removeStaleTemporaries(fs::path(folder));
            // A folder out of reach now (a disk not plugged in) keeps its note for a later start.
            std::error_code missing;
            left = !fs::is_directory(folder, missing);
            for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
                left = left || ended(temporaryOwner(it->path().filename().string()));
        }
        if (!left) {
            std::error_code ignored;
            fs::remove(note, ignored);
        }
    }
}

Failure checkBook(const BookFiles& files)
{
    std::error_code ec;
    if (!fs::is_regular_file(files.book, ec))
        return "The data file " + quoted(files.book) + " was not found; start Stowkeep in the folder of Tamsel Standard.";
    return std::nullopt;
}

Failure lockForChange(const BookFiles& files, platform::FileLock& lock, int waitMs)
{
    // The lock file is made here first when it is missing, so that a folder
    // that cannot be written is told as such: FileLock falls back to opening
    // an existing file read-only and would report only that there is none.
    std::error_code ec;
    if (!fs::exists(files.lock, ec)) {
        const int fd = ::open(files.lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return "Stowkeep cannot make the lock file " + quoted(files.lock) + " in the data file's folder ("
                + systemReason(errno) + "), so nothing was changed.";
        ::close(fd);
    }
    try {
        lock = platform::FileLock::take(files.lock.string(), platform::FileLock::Mode::Exclusive, waitMs);
    } catch (const std::system_error& e) {
        return "The lock file " + quoted(files.lock) + " could not be taken: " + systemReason(e.code().value())
            + ", so nothing was changed.";
    }
    if (!lock.held())
        return std::string("Tamsel Standard still has the data file open; close it first, then try again.");
    return std::nullopt;
}

Failure backUp(const BookFiles& files, const fs::path& chosen)
{
    return run(files, [&] {
        const fs::path target = fs::absolute(chosen);
        const fs::path folder = target.parent_path();
        const std::string what = "The back-up could not be written to " + quoted(target);
        const std::string after = ".";
        if (sameFile(target, files.book))
            throw Refused("A back-up cannot be saved over the data file itself; choose another file.");
        // Over the lock file the back-up would end the main program's hold on
        // the book; as its journal it would be taken for a save to roll back.
        if (companionOfBook(target, files))
            throw Refused("A back-up cannot be saved over the lock file or journal of the data file; choose another file.");
        std::error_code ec;
        if (fs::is_directory(target, ec))
            throw Refused(what + ": it is a folder.");
        if (const auto journal = journalBeside(target))
            throw Refused(what + ": the journal " + quoted(*journal) + " lies beside it; choose another name.");
        const std::string bookWhat = "The data file " + quoted(files.book) + " could not be read";
        // Another connection holding the book past the wait is writing it: the
        // main program's long save, or a second Stowkeep compacting it.
        const auto busy = [&] {
            return Refused("The data file " + quoted(files.book) + " is in use by another program that is writing to it;"
                           " try the back-up again in a moment.");
        };
        platform::Database book = step(bookWhat, ".", [&] {
            // A connection that may write, though it only reads: SQLite copies
            // many times faster through one (a read-only connection's VACUUM
            // INTO took 14 times as long on a large book). It writes the book
            // only to roll back the journal of a save that was cut off, which
            // SQLite takes for one only when no connection holds the book for
            // a save (the main program's save in progress is no such journal),
            // and which puts back the book as last committed, as the main
            // program's next start would; a book it may not write it reads as
            // a read-only connection would.
            platform::Database db = openAsItIs(files.book, platform::Database::Access::ReadWrite);
            Marks marks;
            try {
                marks = readMarks(db);
            } catch (const platform::DbError& e) {
                if (e.isBusy())
                    throw busy();
                // A connection that may not write the book cannot roll back the
                // journal of a save that was cut off; the main program does at its next start.
                if (const auto journal = journalBeside(files.book); journal && !e.isDamage())
                    throw Refused("The data file " + quoted(files.book) + " holds a save that was cut off (the journal "
                                  + quoted(*journal) + " lies beside it); start Tamsel Standard and close it again, "
                                  "then take the back-up.");
                if (e.isDamage())
                    throw Refused("The data file " + quoted(files.book) + " is damaged ("
                                  + (e.isNotADatabase() ? std::string("it is no database file") : kBrokenPages)
                                  + "), so no back-up was written; restore an earlier back-up instead.");
                throw;
            }
            if (marks.applicationId != platform::kApplicationId)
                throw Refused("The data file " + quoted(files.book) + " is not a Tamsel Standard database; nothing was saved.");
            return db;
        });
        probeWritable(folder, what, after);
        const FolderNote note(files, folder);
        removeStaleTemporaries(folder);
        TempFile temp{tempPathIn(folder)};
        step(what, after, [&] {
            const auto damaged = [&](const std::string& why) {
                return Refused("The data file " + quoted(files.book) + " is damaged (" + why
                               + "), so no back-up was written; restore an earlier back-up instead.");
            };
            try {
                // The full check first: the copy is written row by row and
                // would pass a row changed inside a page off as sound. A save
                // committed between the check and the copy's own read is
                // SQLite's writing, which damages nothing.
                if (const std::string damage = damageOf(book); !damage.empty())
                    throw damaged(damage);
                copyInto(book, temp.path());
            } catch (const platform::DbError& e) {
                if (e.isBusy())
                    throw busy();
                if (e.isDamage())
                    throw damaged(kBrokenPages);
                throw;
            }
        });
        step(what, after, [&] {
            // The copy is read back before it takes the chosen name: our marks,
            // and every page the copy's header counts is in the file. SQLite
            // wrote it from the book's rows, so a full integrity check would
            // only repeat the book's state at several seconds a million lines.
            platform::Database copy = platform::Database::openUnchecked(temp.path().string(), platform::Database::Access::ReadOnly);
            const auto pages = copy.scalar("PRAGMA page_count").toInt() * copy.scalar("PRAGMA page_size").toInt();
            if (readMarks(copy).applicationId != platform::kApplicationId
                || pages != static_cast<std::int64_t>(fs::file_size(temp.path())))
                throw Refused(what + ": the copy did not read back whole.");
        });
        step(what, after, [&] {
            if (::rename(temp.path().c_str(), target.c_str()) != 0)
                throw std::system_error(errno, std::generic_category());
            temp.release();
            flushFolder(folder);
        });
    });
}

Failure restore(const BookFiles& files, const platform::FileLock& held, const fs::path& chosenPath,
                const std::string& stamp, std::span<const platform::SchemaUpgrade> upgrades)
{
    assert(held.held());
    (void)held;
    return run(files, [&] {
        const fs::path chosen = fs::absolute(chosenPath);
        const std::string notRestored = ", so it was not restored.";
        std::error_code ec;
        if (!fs::is_regular_file(chosen, ec))
            throw Refused("The file " + quoted(chosen) + " was not found" + notRestored);
        if (sameFile(chosen, files.book))
            throw Refused(quoted(chosen) + " is the data file itself; choose a back-up to restore.");
        if (const auto journal = journalBeside(chosen))
            throw Refused(quoted(chosen) + " has the journal " + quoted(*journal)
                          + " beside it and may be incomplete" + notRestored);
        const auto damaged = [&](const std::string& why) {
            return Refused(quoted(chosen) + " is damaged (" + why + ")" + notRestored);
        };
        if (const std::string fault = sizeFault(chosen); !fault.empty())
            throw damaged(fault);

        // The book to be is written in the book's folder, so that it can be
        // renamed over the book; the file chosen is only ever read.
        const std::string copyWhat = "The back-up could not be copied into " + quoted(files.folder);
        const std::string nothing = ", so nothing was changed.";
        probeWritable(files.folder, copyWhat, nothing);
        TempFile temp{tempPathIn(files.folder)};
        std::optional<TempFile> upgraded;
        std::future<std::string> integrity;
        // A damaged file is told as such whatever else the build met: the
        // damage may be why it failed.
        const auto refuseIfDamaged = [&] {
            if (!integrity.valid())
                return;
            std::string damage;
            try {
                damage = integrity.get();
            } catch (const platform::DbError& e) {
                if (e.isDamage())
                    throw damaged(kBrokenPages);
                throw Refused(quoted(chosen) + " could not be read: " + reasonOf(e) + notRestored);
            } catch (const std::system_error& e) {
                throw Refused(quoted(chosen) + " could not be read: " + systemReason(e.code().value()) + notRestored);
            }
            if (!damage.empty())
                throw damaged(damage);
        };
        try {
            {
                std::optional<platform::Database> source;
                Marks marks;
                try {
                    source = openAsItIs(chosen, platform::Database::Access::ReadOnly);
                    marks = readMarks(*source);
                } catch (const platform::DbError& e) {
                    source.reset();
                    if (e.isNotADatabase())
                        throw Refused(quoted(chosen) + " is not a back-up of Tamsel Standard: it is no database file.");
                    if (e.isDamage())
                        throw damaged(kBrokenPages);
                    throw Refused(quoted(chosen) + " could not be read: " + reasonOf(chosen, e) + notRestored);
                } catch (const std::system_error& e) {
                    throw Refused(quoted(chosen) + " could not be read: " + systemReason(e.code().value()) + notRestored);
                }
                if (marks.applicationId != platform::kApplicationId)
                    throw Refused(quoted(chosen) + " is not a back-up of Tamsel Standard.");
                if (marks.version > platform::kSchemaVersion)
                    throw Refused(quoted(chosen) + newerText(marks.version) + notRestored);
                for (std::int64_t v = marks.version; v < platform::kSchemaVersion; ++v)
                    if (v < 1 || std::none_of(upgrades.begin(), upgrades.end(), [&](const auto& u) { return u.from == v; }))
                        throw Refused(quoted(chosen) + " is not a back-up of Tamsel Standard: its layout number "
                                      + std::to_string(marks.version) + " is none that Tamsel Standard writes.");
                // The file chosen itself is checked whole, since a copy would
                // rebuild its indexes from its rows and hide a row changed inside a
                // page. The check reads on a connection of its own while the new
                // book is built beside it (each takes about half the restore of a
                // large book); the new book counts only once the check found the
                // file sound, and is thrown away otherwise. Its references are
                // checked on the new book, which holds the same rows.
                integrity = std::async(std::launch::async, [chosen] {
                    platform::Database own = openAsItIs(chosen, platform::Database::Access::ReadOnly);
                    return integrityDamage(own);
                });
                if (marks.version < platform::kSchemaVersion) {
                    // An older layout is brought up to date on a copy, page for
                    // page, of the file.
                    upgraded.emplace(tempPathIn(files.folder));
                    step(copyWhat, nothing, [&] { source->backupTo(upgraded->path().string()); });
                    source.reset();
                    try {
                        source = platform::Database::open(upgraded->path().string(), upgrades);
                    } catch (const platform::DbError& e) {
                        throw Refused(quoted(chosen) + " could not be brought up to this version: " + reasonOf(e) + notRestored);
                    }
                }
                // The tables, indexes, triggers and views the file has, held against
                // the current layout: the new book is made in the current layout
                // whatever the file's, and takes only tables it knows.
                if (const auto differences = db::layoutDifferences(*source); !differences.empty())
                    throw Refused(quoted(chosen) + " is not a whole back-up of Tamsel Standard ("
                                  + listed(differences) + ")" + notRestored);
            }
            const fs::path checked = upgraded ? upgraded->path() : chosen;
            std::string refused;
            try {
                refused = buildBook(checked, temp.path());
            } catch (const platform::DbError& e) {
                if (e.isDamage())
                    throw damaged(kBrokenPages);
                throw Refused(copyWhat + ": " + reasonOf(e) + nothing);
            }
            refuseIfDamaged();
            if (!refused.empty())
                throw damaged(refused);
        } catch (...) {
            refuseIfDamaged();
            throw;
        }
        step(copyWhat, nothing, [&] { flushToDisk(temp.path(), 0); });
        upgraded.reset();

        writeSafetyCopyBeforeRestore(files, stamp);
        if (const auto journal = journalBeside(files.book))
            throw Refused("The journal " + quoted(*journal) + " lies beside the data file, so it was not replaced.");
        const std::string replaceWhat = "The data file " + quoted(files.book) + " could not be replaced";
        if (::rename(temp.path().c_str(), files.book.c_str()) != 0)
            throw Refused(replaceWhat + ": " + systemReason(errno) + "; it is as it was.");
        temp.release();
        step("The back-up was restored, but the folder " + quoted(files.folder) + " could not be flushed to disk", ".",
             [&] { flushFolder(files.folder); });
    });
}

Failure compact(const BookFiles& files, const platform::FileLock& held, const std::string& stamp)
{
    assert(held.held());
    (void)held;
    return run(files, [&] {
        platform::Database book = openBookForChange(files);
        const std::string damage = step("The data file " + quoted(files.book) + " could not be checked", ", so nothing was changed.",
                                        [&] { return damageOf(book); });
        if (!damage.empty())
            throw Refused("The data file " + quoted(files.book) + " is damaged (" + damage
                          + "), so it was not compacted; restore a back-up instead.");
        const fs::path safety = writeSafetyCopy(book, files.folder, stamp);
        // VACUUM rewrites the book through its journal: a failure part way is
        // rolled back, so the book is either compacted or as it was.
        step("The data file could not be compacted", "; it is as it was, and the safety copy " + quoted(safety) + " stays.", [&] {
            book.exec("PRAGMA synchronous = FULL");
            book.exec("VACUUM");
        });
    });
}

} // namespace backup
