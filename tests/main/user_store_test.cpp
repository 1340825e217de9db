// The users' store: the limit of ten, new ids, renames, resets, password
// changes against the stored hash, and each user's own notes.
#include "main/user_store.h"

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "platform/data/password_hash.h"
#include "tests/support/test_database.h"

using testing_support::TestDatabase;

namespace {

std::optional<int> add(platform::Database& db, const std::string& name)
{
    platform::Transaction tx(db);
    const auto id = app::addUser(tx, name);
    tx.commit();
    return id;
}

std::string storedHash(platform::Database& db, int userId)
{
    return db.scalar("SELECT Password FROM Users WHERE UserID = ?", {userId}).toText();
}

} // namespace

TEST(AddUser, HandsOutIdsTwoToTenAndRefusesTheEleventhUser)
{
    TestDatabase t;
    for (int expected = 2; expected <= app::kMaxUsers; ++expected)
        EXPECT_EQ(add(t.db(), "user" + std::to_string(expected)), expected);
    EXPECT_EQ(add(t.db(), "eleventh"), std::nullopt);
    EXPECT_EQ(app::userCount(t.db()), 10);
    EXPECT_EQ(t.db().scalar("SELECT COUNT(*) FROM Users WHERE UserName = 'eleventh'").toInt(), 0);
}

TEST(AddUser, TakesTheHighestIdPlusOneAndAnEmptyPasswordAndNotes)
{
    TestDatabase t;
    t.addUser(4, "gap", "x");   // an id beyond a gap: the next one follows it, not the count
    const auto id = add(t.db(), "clerk");
    ASSERT_EQ(id, 5);
    EXPECT_TRUE(platform::passwordMatches("", storedHash(t.db(), 5)));
    EXPECT_FALSE(platform::passwordMatches("clerk", storedHash(t.db(), 5)));
    EXPECT_EQ(app::loadNotes(t.db(), 5), "");
    // With 10 taken as an id the table is full for new ids, whatever the count.
    t.addUser(10, "last", "x");
    EXPECT_EQ(add(t.db(), "more"), std::nullopt);
}

TEST(RenameUser, WritesOnlyTheNameAndKeepsPasswordAndNotesWrittenMeanwhile)
{
    TestDatabase t;
    t.addUser(2, "clerk", "old");
    // Another connection changes the password and the notes after the window read the row.
    auto other = platform::Database::open(t.path().toStdString());
    other.exec("UPDATE Users SET Password = ?, Notes = 'remember' WHERE UserID = 2",
               {platform::hashPassword("changed")});
    ASSERT_TRUE(app::renameUser(t.db(), 2, "cashier"));
    EXPECT_EQ(t.db().scalar("SELECT UserName FROM Users WHERE UserID = 2").toText(), "cashier");
    EXPECT_TRUE(platform::passwordMatches("changed", storedHash(t.db(), 2)));
    EXPECT_EQ(app::loadNotes(t.db(), 2), "remember");
    EXPECT_FALSE(app::renameUser(t.db(), 7, "nobody"));
}

TEST(ResetPassword, StoresTheEmptyPasswordsHashOnlyForThatUser)
{
    TestDatabase t;
    t.addUser(2, "clerk", "secret");
    t.addUser(3, "other", "secret");
    t.db().exec("UPDATE Users SET Notes = 'kept' WHERE UserID = 2");
    ASSERT_TRUE(app::resetPassword(t.db(), 2));
    EXPECT_TRUE(platform::passwordMatches("", storedHash(t.db(), 2)));
    EXPECT_TRUE(platform::passwordMatches("secret", storedHash(t.db(), 3)));
    EXPECT_EQ(app::loadNotes(t.db(), 2), "kept");
    EXPECT_EQ(t.db().scalar("SELECT UserName FROM Users WHERE UserID = 2").toText(), "clerk");
}

TEST(ChangePassword, ChecksTheStoredHashThenStoresTheNewOne)
{
    TestDatabase t;
    t.addUser(2, "clerk", "Old");
    const std::string before = storedHash(t.db(), 2);
    EXPECT_EQ(app::changePassword(t.db(), 2, "old", "new"), app::PasswordChange::WrongOldPassword);   // case counts
    EXPECT_EQ(storedHash(t.db(), 2), before);
    EXPECT_EQ(app::changePassword(t.db(), 9, "", "new"), app::PasswordChange::NoSuchUser);

    EXPECT_EQ(app::changePassword(t.db(), 2, "Old", "new"), app::PasswordChange::Changed);
    EXPECT_TRUE(platform::passwordMatches("new", storedHash(t.db(), 2)));
    EXPECT_FALSE(platform::passwordMatches("Old", storedHash(t.db(), 2)));
    // The check reads the hash again each time: the old password is now "new".
    EXPECT_EQ(app::changePassword(t.db(), 2, "Old", "x"), app::PasswordChange::WrongOldPassword);
    EXPECT_EQ(app::changePassword(t.db(), 2, "new", ""), app::PasswordChange::Changed);
    EXPECT_TRUE(platform::passwordMatches("", storedHash(t.db(), 2)));
}

TEST(Notes, EachUserReadsAndWritesOnlyHisOwn)
{
    TestDatabase t;
    t.addUser(2, "clerk", "");
    ASSERT_TRUE(app::storeNotes(t.db(), 2, "clerk's <b>notes</b>"));
    ASSERT_TRUE(app::storeNotes(t.db(), 1, "admin's notes"));
    EXPECT_EQ(app::loadNotes(t.db(), 2), "clerk's <b>notes</b>");
    EXPECT_EQ(app::loadNotes(t.db(), 1), "admin's notes");
    EXPECT_FALSE(app::storeNotes(t.db(), 5, "nobody"));
}

TEST(ListUsers, ListsByIdByNameAndTheOperatorsByName)
{
    TestDatabase t;
    t.addUser(2, "zed", "");
    t.addUser(3, "Amy", "");
    const auto names = [](const std::vector<app::UserRow>& rows) {
        std::string out;
        for (const auto& r : rows)
            out += std::to_string(r.userId) + r.userName + ",";
        return out;
    };
    const std::string admin = "1" + t.db().scalar("SELECT UserName FROM Users WHERE UserID = 1").toText() + ",";
    EXPECT_EQ(names(app::listUsers(t.db())), admin + "2zed,3Amy,");
    EXPECT_EQ(names(app::listOperatorsByName(t.db())), "3Amy,2zed,");
    EXPECT_EQ(app::listUsersByName(t.db()).size(), 3u);
}
