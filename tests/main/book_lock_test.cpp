// The main program's hold on the book: shared for the run, refused with a
// message while the back-up program holds the book, and no obstacle when the
// book's folder is missing (the sign-in tells of that).
#include "main/book_lock.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/support/message_recorder.h"

using platform::FileLock;
using testing_support::MessageRecorder;

namespace {

struct Folder {
    QTemporaryDir dir;
    QString book;
    Folder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("DB"));
        book = dir.filePath(QStringLiteral("DB/tamselstd.MDB"));
    }
};

TEST(LockBookForRun, HoldsTheBookSharedSoTheBackUpProgramCannotTakeIt)
{
    Folder folder;
    MessageRecorder boxes;
    const auto lock = app::lockBookForRun(folder.book);
    ASSERT_TRUE(lock);
    EXPECT_TRUE(lock->held());
    EXPECT_TRUE(boxes.boxes().empty());
    const std::string lockFile = platform::lockPathFor(folder.book.toStdString());
    EXPECT_FALSE(FileLock::take(lockFile, FileLock::Mode::Exclusive).held());
    EXPECT_TRUE(app::lockBookForRun(folder.book)) << "a second main program may run beside the first";
}

TEST(LockBookForRun, RefusesToStartWhileTheBackUpProgramHoldsTheBook)
{
    Folder folder;
    MessageRecorder boxes;
    const FileLock stowkeep = FileLock::take(platform::lockPathFor(folder.book.toStdString()), FileLock::Mode::Exclusive);
    ASSERT_TRUE(stowkeep.held());
    EXPECT_FALSE(app::lockBookForRun(folder.book));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.last().title.toStdString(), "Book in Use");
    EXPECT_TRUE(boxes.last().informationIcon);
}

TEST(LockBookForRun, LeavesAMissingFolderToTheSignIn)
{
    QTemporaryDir dir;
    MessageRecorder boxes;
    const auto lock = app::lockBookForRun(dir.filePath(QStringLiteral("DB/tamselstd.MDB")));
    ASSERT_TRUE(lock);
    EXPECT_FALSE(lock->held());
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_FALSE(QDir(dir.path()).exists(QStringLiteral("DB"))) << "nothing is made where the book should be";
}

} // namespace
