// The main program's hold on the book for its whole run: the shared lock on
// the lock file beside it, which keeps the back-up program from replacing or
// compacting the book while it is open here.
#pragma once

#include <optional>

#include <QString>

#include "platform/data/file_lock.h"

namespace app {

// Takes the shared lock beside the book at `databasePath` without waiting.
// Returns the lock to hold until the program ends; it holds nothing when the
// lock file cannot be made (no DB folder: the sign-in then tells of the
// missing book itself). Returns nullopt, after telling the user, while the
// back-up program holds the lock to restore or compact the book.
std::optional<platform::FileLock> lockBookForRun(const QString& databasePath);

} // namespace app
