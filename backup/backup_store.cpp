// Every copy goes through SQLite (VACUUM INTO, which leaves the free pages
// behind), never a byte copy of a live file, and every replacement is a
// rename of a checked, durable file in the same folder: a rename is atomic,
// so the book is either the old one or the new one, never half of each. The
// book file is never opened outside SQLite while a connection of ours is open
// on it, since closing any descriptor of it would drop SQLite's own locks.
#include "backup/backup_store.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
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

// A name for a new file in `folder` that nobody else uses. The process's id in
// it tells a file of a running Stowkeep from one a killed one left.
fs::path tempPathIn(const fs::path& folder)
{
    static std::atomic<int> counter{0};
    return folder / (std::string(kTempPrefix) + std::to_string(::getpid()) + "-" + std::to_string(++counter)
                     + std::string(kTempSuffix));
}

// The process that made the temporary file named `name` (or its journal), or
// nothing when `name` is no name tempPathIn gives.
std::optional<pid_t> temporaryOwner(std::string name)
{
    if (name.ends_with("-journal"))
        name.resize(name.size() - std::string_view("-journal").size());
    if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
        return std::nullopt;
    const std::string middle = name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
    const std::size_t dash = middle.find('-');
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() < 10
            && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string::npos || !digits(middle.substr(0, dash)) || !digits(middle.substr(dash + 1)))
        return std::nullopt;
    return static_cast<pid_t>(std::stol(middle.substr(0, dash)));
}

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
        return platform::Database::openUnchecked(file.string(), access);
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

// The first problem the checks find, in the user's words, or "" for a sound file.
std::string damageOf(platform::Database& db)
{
    // integrity_check's own lines ("*** in database main ***", "Page 5: btreeInitPage()
    // returns error code 11") say where, which tells the user nothing.
    if (db.integrityCheck() != "ok")
        return kBrokenPages;
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

// Whether SQLite finds every page of `db` where its tables say (quick_check:
// the pages and their links, not the indexes' agreement with their tables).
// A copy written row by row (VACUUM INTO) comes out sound from a file that is
// not, with rows lost or read from the wrong pages, so a file is held to this
// before it is copied so. Throws platform::DbError.
bool pagesSound(platform::Database& db)
{
    return db.scalar("PRAGMA quick_check").toText() == "ok";
}

// Whether the database file `file` ends before the pages its header counts,
// or within a page, as a copy cut off midway does. Read from the header
// itself: SQLite refuses to count the pages of such a file. False when the
// header cannot be read. Never for the book, whose descriptors are SQLite's.
bool cutShort(const fs::path& file)
{
    unsigned char header[100] = {};
    std::error_code ec;
    const auto bytes = fs::file_size(file, ec);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (ec || fd < 0)
        return false;
    const ssize_t n = ::read(fd, header, sizeof header);
    ::close(fd);
    if (n != static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
        return false;
    const auto big = [&](int at, int size) {
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | header[at + i];
        return value;
    };
    const std::uint64_t pageSize = big(16, 2) == 1 ? 65536 : big(16, 2);
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return false;
    // The page count at 28 holds only while the counter at 92 matches the change counter at 24.
    const std::uint64_t pages = big(92, 4) == big(24, 4) ? big(28, 4) : 0;
    return bytes % pageSize != 0 || bytes < pages * pageSize;
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
// book may be what the user restores for. A book SQLite opens is copied by
// SQLite (a read-write connection first rolls back a save that was cut off),
// compacted, or page for page when some of its rows cannot be read, since the
// broken part may be what the user wants back; one SQLite cannot read at all
// (a damaged header, a foreign file) byte for byte.
void writeSafetyCopyBeforeRestore(const BookFiles& files, const std::string& stamp)
{
    {
        std::optional<platform::Database> book;
        try {
            book = platform::Database::openUnchecked(files.book.string(), platform::Database::Access::ReadWrite);
            readMarks(*book);
        } catch (const platform::DbError& e) {
            if (!e.isDamage())
                throw Refused("The data file " + quoted(files.book) + " could not be read: " + reasonOf(e)
                              + ", so nothing was changed.");
            book.reset();
        }
        if (book) {
            writeSafetyCopy(files.folder, stamp, [&](const fs::path& path) {
                try {
                    if (pagesSound(*book)) {
                        copyInto(*book, path);
                        return;
                    }
                } catch (const platform::DbError& e) {
                    if (!e.isDamage())
                        throw;
                }
                book->backupTo(path.string());
            });
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
        const auto owner = temporaryOwner(it->path().filename().string());
        // EPERM: the process runs under another user; only ESRCH says it is gone.
        if (!owner || *owner <= 0 || ::kill(*owner, 0) == 0 || errno != ESRCH)
            continue;
        std::error_code ignored;   // a file that stays is removed at a later start
        fs::remove(it->path(), ignored);
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
        platform::Database book = step("The data file " + quoted(files.book) + " could not be read", ".", [&] {
            platform::Database db = openAsItIs(files.book, platform::Database::Access::ReadOnly);
            Marks marks;
            try {
                marks = readMarks(db);
            } catch (const platform::DbError&) {
                // A read-only connection cannot roll back the journal of a save
                // that was cut off; the main program does at its next start.
                if (const auto journal = journalBeside(files.book))
                    throw Refused("The data file " + quoted(files.book) + " holds a save that was cut off (the journal "
                                  + quoted(*journal) + " lies beside it); start Tamsel Standard and close it again, "
                                  "then take the back-up.");
                throw;
            }
            if (marks.applicationId != platform::kApplicationId)
                throw Refused("The data file " + quoted(files.book) + " is not a Tamsel Standard database; nothing was saved.");
            return db;
        });
        probeWritable(folder, what, after);
        removeStaleTemporaries(folder);
        TempFile temp{tempPathIn(folder)};
        step(what, after, [&] {
            const auto damaged = [&] {
                return Refused("The data file " + quoted(files.book) + " is damaged (" + kBrokenPages
                               + "), so no back-up was written; restore an earlier back-up instead.");
            };
            try {
                if (!pagesSound(book))
                    throw damaged();
                copyInto(book, temp.path());
            } catch (const platform::DbError& e) {
                if (e.isDamage())
                    throw damaged();
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

        // The back-up is copied into the book's folder and checked there: the
        // copy is what will become the book, and the file chosen stays as it is.
        const std::string copyWhat = "The back-up could not be copied into " + quoted(files.folder);
        const std::string nothing = ", so nothing was changed.";
        probeWritable(files.folder, copyWhat, nothing);
        TempFile temp{tempPathIn(files.folder)};
        {
            std::optional<platform::Database> source;
            bool cut = false;
            const auto damaged = [&](const std::string& why) {
                return Refused(quoted(chosen) + " is damaged ("
                               + (cut ? std::string("it ends before its last page, as a copy cut off midway does") : why)
                               + ")" + notRestored);
            };
            Marks marks;
            try {
                cut = cutShort(chosen);
                source = openAsItIs(chosen, platform::Database::Access::ReadOnly);
                marks = readMarks(*source);
            } catch (const platform::DbError& e) {
                if (e.isNotADatabase())
                    throw Refused(quoted(chosen) + " is not a back-up of Tamsel Standard: it is no database file.");
                if (e.isDamage())
                    throw damaged(kBrokenPages);
                throw Refused(quoted(chosen) + " could not be read: " + reasonOf(e) + notRestored);
            } catch (const std::system_error& e) {
                throw Refused(quoted(chosen) + " could not be read: " + systemReason(e.code().value()) + notRestored);
            }
            if (marks.applicationId != platform::kApplicationId)
                throw Refused(quoted(chosen) + " is not a back-up of Tamsel Standard.");
            if (marks.version > platform::kSchemaVersion)
                throw Refused(quoted(chosen) + newerText(marks.version) + notRestored);
            // VACUUM INTO reads every row, so a cut or broken file mostly fails
            // here; one whose pages are misplaced would copy soundly, so its
            // pages are checked first.
            try {
                if (!pagesSound(*source))
                    throw damaged(kBrokenPages);
                copyInto(*source, temp.path());
            } catch (const platform::DbError& e) {
                if (e.isDamage())
                    throw damaged(kBrokenPages);
                throw Refused(copyWhat + ": " + reasonOf(e) + nothing);
            }
            if (cut)
                throw damaged({});
            source.reset();
            try {
                // The copy of an older layout is upgraded and then held against
                // the current layout, so only the current one needs describing.
                platform::Database copy = platform::Database::open(temp.path().string(), upgrades);
                if (const auto differences = db::layoutDifferences(copy); !differences.empty())
                    throw Refused(quoted(chosen) + " is not a whole back-up of Tamsel Standard ("
                                  + listed(differences) + ")" + notRestored);
                if (const std::string damage = damageOf(copy); !damage.empty())
                    throw damaged(damage);
                // An upgrade may have left free pages behind: the book is written compacted.
                if (copy.scalar("PRAGMA freelist_count").toInt() > 0)
                    copy.exec("VACUUM");
            } catch (const platform::DbError& e) {
                if (e.isDamage())
                    throw damaged(kBrokenPages);
                throw Refused(quoted(chosen) + " could not be brought up to this version: " + reasonOf(e) + notRestored);
            }
        }

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
