// Advisory locks between the two programs on a lock file beside the book: the
// main program holds it shared for its whole run, the back-up program takes it
// exclusively to replace or compact the book. The kernel drops a lock when its
// holder ends, however it ends; the lock file itself is never deleted.
#pragma once

#include <string>

namespace platform {

// The lock file of the book at `bookPath`: the same name with ".lock" added.
std::string lockPathFor(const std::string& bookPath);

class FileLock {
public:
    enum class Mode { Shared, Exclusive };

    // Holds nothing.
    FileLock() = default;
    // Opens the lock file at `path` (made when missing) and takes it in `mode`,
    // asking again every 50 ms for up to `waitMs` while another process holds a
    // lock that conflicts. Returns the held lock, or one that holds nothing when
    // the wait ran out. Throws std::system_error (with the path in its text) when
    // the file cannot be opened or locked for any other reason. The descriptor is
    // closed on exec: a program started by the holder does not inherit the lock.
    static FileLock take(const std::string& path, Mode mode, int waitMs = 0);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Closing the descriptor gives the lock back.
    ~FileLock();

    bool held() const { return m_fd >= 0; }

private:
    explicit FileLock(int fd) : m_fd{fd} {}
    int m_fd = -1;
};

} // namespace platform
