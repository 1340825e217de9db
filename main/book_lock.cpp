// The lock costs one open and one flock at start; nothing else of the start waits on it.
#include "main/book_lock.h"

#include <system_error>

#include "platform/forms/messages.h"

namespace app {

std::optional<platform::FileLock> lockBookForRun(const QString& databasePath)
{
    platform::FileLock lock;
    try {
        lock = platform::FileLock::take(platform::lockPathFor(databasePath.toStdString()),
                                        platform::FileLock::Mode::Shared);
    } catch (const std::system_error&) {
        // No lock file can be made where the book should be; the sign-in's own
        // open of the book says what is wrong with the folder.
        return platform::FileLock{};
    }
    if (lock.held())
        return lock;
    forms::inform(nullptr, QStringLiteral("Book in Use"),
                  QStringLiteral("Stowkeep, the back-up program, is restoring or compacting your data; start "
                                 "Tamsel Standard again when it has finished."));
    return std::nullopt;
}

} // namespace app
