// The Users table for the user logins, the password window and the notes.
#include "main/user_store.h"

#include "platform/data/database.h"
#include "platform/data/password_hash.h"

namespace app {
namespace {

std::vector<UserRow> users(platform::Database& db, const char* sql)
{
    std::vector<UserRow> out;
    platform::Statement st(db, sql);
    while (st.step())
        out.push_back({static_cast<int>(st.columnInt64(0)), st.column(1).toText()});
    return out;
}

} // namespace

std::vector<UserRow> listUsers(platform::Database& db)
{
    return users(db, "SELECT UserID, UserName FROM Users ORDER BY UserID");
}

std::vector<UserRow> listUsersByName(platform::Database& db)
{
    return users(db, "SELECT UserID, UserName FROM Users ORDER BY UserName, UserID");
}

std::vector<UserRow> listOperatorsByName(platform::Database& db)
{
    return users(db, "SELECT UserID, UserName FROM Users WHERE UserID > 1 ORDER BY UserName, UserID");
}

int userCount(platform::Database& db)
{
    return static_cast<int>(db.scalar("SELECT COUNT(*) FROM Users").toInt());
}

int nextUserId(platform::Database& db)
{
    return static_cast<int>(db.scalar("SELECT COALESCE(MAX(UserID), 0) + 1 FROM Users").toInt());
}

std::optional<int> addUser(platform::Transaction& tx, const std::string& name)
{
    platform::Database& db = tx.db();
    if (userCount(db) >= kMaxUsers)
        return std::nullopt;
    const int id = nextUserId(db);
    if (id > kMaxUsers)
        return std::nullopt;   // ids are never reused, so a gap does not make room
    db.exec("INSERT INTO Users (UserID, UserName, Password, Notes) VALUES (?, ?, ?, '')",
            {id, name, platform::hashPassword("")});
    return id;
}

bool renameUser(platform::Database& db, int userId, const std::string& name)
{
    return db.exec("UPDATE Users SET UserName = ? WHERE UserID = ?", {name, userId}) == 1;
}

bool resetPassword(platform::Database& db, int userId)
{
    return db.exec("UPDATE Users SET Password = ? WHERE UserID = ?", {platform::hashPassword(""), userId}) == 1;
}

bool passwordIs(platform::Database& db, int userId, const std::string& password)
{
    const platform::Value stored = db.scalar("SELECT Password FROM Users WHERE UserID = ?", {userId});
    return !stored.isNull() && platform::passwordMatches(password, stored.toText());
}

PasswordChange changePassword(platform::Database& db, int userId, const std::string& oldPassword,
                              const std::string& newPassword)
{
    // The check and the write share one transaction, so a change made
    // elsewhere between them cannot be overwritten unseen.
    platform::Transaction tx(db);
    const platform::Value stored = db.scalar("SELECT Password FROM Users WHERE UserID = ?", {userId});
    if (stored.isNull())
        return PasswordChange::NoSuchUser;
    if (!platform::passwordMatches(oldPassword, stored.toText()))
        return PasswordChange::WrongOldPassword;
    db.exec("UPDATE Users SET Password = ? WHERE UserID = ?", {platform::hashPassword(newPassword), userId});
    tx.commit();
    return PasswordChange::Changed;
}

std::string loadNotes(platform::Database& db, int userId)
{
    return db.scalar("SELECT Notes FROM Users WHERE UserID = ?", {userId}).toText();
}

bool storeNotes(platform::Database& db, int userId, const std::string& notes)
{
    return db.exec("UPDATE Users SET Notes = ? WHERE UserID = ?", {notes, userId}) == 1;
}

} // namespace app
