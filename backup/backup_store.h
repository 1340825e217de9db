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

// Removes what a Stowkeep killed midway left in `folder`: its hidden
// temporary files, each as large as a book, and their journals. A file whose
// maker still runs (this process among them, or another user's) stays. Says
// nothing: a file it cannot remove stays for a later start.
void removeStaleTemporaries(const std::filesystem::path& folder);

// The same in the book's folder and in every folder a killed back-up was
// writing in, wherever it is: while a back-up runs, a note of its folder
// (`.stowkeep-PID-N.where`) lies beside the book, and a note whose maker has
// ended is followed and then removed.
void removeStaleTemporaries(const BookFiles& files);

// The book's absence, told; the back-up program never makes a book.
Failure checkBook(const BookFiles& files);

// Takes the book's lock file exclusively into `lock`, waiting up to `waitMs`
// while the main program holds it. Fails when the main program still has the
// book open, or when the lock file cannot be made or opened (naming it and the
// system's reason, such as a folder it may not write in).
Failure lockForChange(const BookFiles& files, platform::FileLock& lock, int waitMs = kLockWaitMs);

// Copies the book as last committed into `target`, compacted, from a read-only
// connection (the main program may be open and writing): into a new file
// beside `target`, checked, made durable and renamed over it; the temporaries
// a killed Stowkeep left in that folder go first. Fails
// without touching `target` when the book cannot be read, `target` is the book
// itself or has a journal beside it, or the folder cannot be written.
Failure backUp(const BookFiles& files, const std::filesystem::path& target);

// Replaces the book with the back-up `chosen`, under the exclusive lock `held`.
// `chosen` is refused before anything is touched when it is the book itself,
// no database, another program's file, from a newer version, has a journal
// beside it, is damaged (cut short, integrity and foreign keys) or lacks or
// changes a table, column, index or trigger of the current layout; all is
// checked on a compacted copy in the book's folder, where an older layout is
// first brought up to date by `upgrades` (the file chosen is never changed).
// Then a safety copy of the book is written into its folder
// under `stamp` (safetyCopyName), and the checked copy is renamed over the book.
// The safety copy stays whatever follows.
Failure restore(const BookFiles& files, const platform::FileLock& held, const std::filesystem::path& chosen,
                const std::string& stamp, std::span<const platform::SchemaUpgrade> upgrades);

// Compacts the book in place (VACUUM), under the exclusive lock `held`: a
// damaged book is refused with advice to restore a back-up; otherwise a safety
// copy is written under `stamp` first, as for a restore, and stays.
Failure compact(const BookFiles& files, const platform::FileLock& held, const std::string& stamp);

} // namespace backup
