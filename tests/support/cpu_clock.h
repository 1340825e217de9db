// The processor time this thread has used, for the tests that guard the speed of
// a piece of work. Unlike a wall clock it does not count the time the thread
// waits for a busy machine, so such a test passes while other builds run.
#pragma once

#include <cstdint>

#include <time.h>

namespace testing_support {

class CpuClock {
public:
    CpuClock() : m_start(now()) {}

    // Milliseconds of this thread's processor time since construction.
    std::int64_t elapsedMs() const { return (now() - m_start) / 1'000'000; }

private:
    static std::int64_t now()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
    }

    std::int64_t m_start;
};

} // namespace testing_support
