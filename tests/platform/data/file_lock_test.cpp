// The lock between the two programs: shared holders together, an exclusive
// one alone, given back when its holder lets go, and never inherited by a
// program the holder starts.
#include "platform/data/file_lock.h"

#include <filesystem>

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using platform::FileLock;

namespace {

class FileLockTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("file-lock-test-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
        m_path = (m_folder / "book.MDB.lock").string();
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
    std::string m_path;
};

TEST_F(FileLockTest, SharedHoldersShutOutAnExclusiveOneUntilTheyLetGo)
{
    FileLock first = FileLock::take(m_path, FileLock::Mode::Shared);
    FileLock second = FileLock::take(m_path, FileLock::Mode::Shared);
    ASSERT_TRUE(first.held());
    ASSERT_TRUE(second.held());
    EXPECT_FALSE(FileLock::take(m_path, FileLock::Mode::Exclusive, 120).held());

    first = FileLock{};
    EXPECT_FALSE(FileLock::take(m_path, FileLock::Mode::Exclusive).held());
    second = FileLock{};
    FileLock exclusive = FileLock::take(m_path, FileLock::Mode::Exclusive);
    ASSERT_TRUE(exclusive.held());
    EXPECT_FALSE(FileLock::take(m_path, FileLock::Mode::Shared).held());
    EXPECT_TRUE(fs::exists(m_path));
}

TEST_F(FileLockTest, AProgramStartedByTheHolderDoesNotInheritTheLock)
{
    FileLock held = FileLock::take(m_path, FileLock::Mode::Shared);
    ASSERT_TRUE(held.held());
    pid_t child = 0;
    char program[] = "/bin/sleep";
    char seconds[] = "5";
    char* argv[] = {program, seconds, nullptr};
    ASSERT_EQ(::posix_spawn(&child, program, nullptr, nullptr, argv, environ), 0);

    held = FileLock{};   // the holder ends while its child runs on
    EXPECT_TRUE(FileLock::take(m_path, FileLock::Mode::Exclusive).held());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST_F(FileLockTest, AFolderThatIsNotThereIsAnErrorNotABusyLock)
{
    EXPECT_THROW(FileLock::take((m_folder / "missing" / "x.lock").string(), FileLock::Mode::Shared), std::system_error);
}

} // namespace
