// flock(2) on a lock file of its own: flock locks belong to the open file, not
// to the process, so they never interfere with SQLite's own POSIX locks on the
// book, and two opens in one process conflict as two processes would.
#include "platform/data/file_lock.h"

#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kRetryMs = 50;

[[noreturn]] void fail(const std::string& what, const std::string& path)
{
    throw std::system_error(errno, std::generic_category(), what + " \"" + path + "\"");
}

int openLockFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock file made read-only still locks: flock needs no write access.
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail("cannot open the lock file", path);
    return fd;
}

} // namespace

std::string lockPathFor(const std::string& bookPath)
{
    return bookPath + ".lock";
}

FileLock FileLock::take(const std::string& path, Mode mode, int waitMs)
{
    FileLock lock{openLockFile(path)};
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (::flock(lock.m_fd, operation) == 0)
            return lock;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            fail("cannot lock", path);
        if (std::chrono::steady_clock::now() >= deadline)
            return FileLock{};
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
    }
}

FileLock::FileLock(FileLock&& other) noexcept : m_fd{std::exchange(other.m_fd, -1)} {}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace platform
