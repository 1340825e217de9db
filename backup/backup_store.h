// The back-up program's work on files: a back-up of the book while the main
// program may be writing, a restore of a back-up over the book and the book's
// compaction. Whatever fails, the book stays byte for byte as it was until a
// checked replacement is renamed over it. The window asks and tells; this
// does the work and returns what went wrong in one sentence.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "platform/data/database.h"

namespace platform { class FileLock; }

namespace backup {

// The book and its companions under a working folder, where the main program
// finds them: DB/tamselstd.MDB and its lock file beside it. Paths are absolute.
struct BookFiles {
    explicit BookFiles(const std::filesystem::path& workingFolder);
    std::filesystem::path folder;
    std::filesystem::path book;
    std::filesystem::path lock;
};

// What an action came to: nothing when it was done, else one sentence for
// the user saying what failed and why.
using Failure = std::optional<std::string>;

// How long a restore or compaction waits for the main program to let the book
// go: it may still be closing after it started the back-up program.
inline constexpr int kLockWaitMs = 5000;

// The book's absence, told; the back-up program never makes a book.
Failure checkBook(const BookFiles& files);

// Takes the book's lock file exclusively into `lock`, waiting up to `waitMs`
// while the main program holds it. Fails when the main program still has the
// book open, or when the lock file cannot be opened (naming it and the reason).
Failure lockForChange(const BookFiles& files, platform::FileLock& lock, int waitMs = kLockWaitMs);

// Copies the book as last committed into `target` with SQLite's online backup
// from a read-only connection (the main program may be open and writing): into
// a new file beside `target`, checked, made durable and renamed over it. Fails
// without touching `target` when the book cannot be read, `target` is the book
// itself or has a journal beside it, or the folder cannot be written.
Failure backUp(const BookFiles& files, const std::filesystem::path& target);

// Replaces the book with the back-up `chosen`, under the exclusive lock `held`.
// `chosen` is refused before anything is touched when it is the book itself,
// no database, another program's file, from a newer version, has a journal
// beside it, or is damaged (integrity and foreign keys, checked on a copy in
// the book's folder; an older layout is brought up to date by `upgrades` on
// that copy only). Then a safety copy of the book is written into its folder
// under `stamp` (safetyCopyName), and the checked copy is renamed over the book.
// The safety copy stays whatever follows.
Failure restore(const BookFiles& files, const platform::FileLock& held, const std::filesystem::path& chosen,
                const std::string& stamp, std::span<const platform::SchemaUpgrade> upgrades);

// Compacts the book in place (VACUUM), under the exclusive lock `held`: a
// damaged book is refused with advice to restore a back-up; otherwise a safety
// copy is written under `stamp` first, as for a restore, and stays.
Failure compact(const BookFiles& files, const platform::FileLock& held, const std::string& stamp);

} // namespace backup
