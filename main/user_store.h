// SQL of the user logins, the password window and the dashboard's notes: the
// users' names and ids, new users, renames, and the password hashes, which are
// made and checked here and never leave this file.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {
class Database;
class Transaction;
}

namespace app {

// At most this many users: the administrator and nine operators.
inline constexpr int kMaxUsers = 10;

struct UserRow {
    int userId = 0;
    std::string userName;
};

// Every user by id. Throws platform::DbError.
std::vector<UserRow> listUsers(platform::Database& db);
// Every user by login name (then id), as the password window lists them. Throws platform::DbError.
std::vector<UserRow> listUsersByName(platform::Database& db);
// The operators (ids above 1) by login name, as the rights window lists them. Throws platform::DbError.
std::vector<UserRow> listOperatorsByName(platform::Database& db);
// How many users there are. Throws platform::DbError.
int userCount(platform::Database& db);

// The id a new user would get: the highest id plus one. Throws platform::DbError.
int nextUserId(platform::Database& db);

// Adds a user named `name` with the empty password's hash and empty notes;
// its id is the highest id plus one, worked out inside `tx`. Returns the new
// id, or nothing (and writes nothing) when kMaxUsers users exist already.
// Throws platform::DbError.
std::optional<int> addUser(platform::Transaction& tx, const std::string& name);
// Writes only the login name of user `userId`. Returns false when there is no
// such user. Throws platform::DbError.
bool renameUser(platform::Database& db, int userId, const std::string& name);
// Writes only the password of user `userId`: the hash of the empty password.
// Returns false when there is no such user. Throws platform::DbError.
bool resetPassword(platform::Database& db, int userId);

// True when `password` (exact case) matches user `userId`'s stored hash, read
// now; false for no such user. Throws platform::DbError, or std::runtime_error
// when the password library cannot start.
bool passwordIs(platform::Database& db, int userId, const std::string& password);

enum class PasswordChange { Changed, WrongOldPassword, NoSuchUser };
// Checks `oldPassword` against user `userId`'s stored hash, read now, and when
// it matches stores the hash of `newPassword`; both in one transaction.
// Throws platform::DbError, or std::runtime_error when hashing fails.
PasswordChange changePassword(platform::Database& db, int userId, const std::string& oldPassword,
                              const std::string& newPassword);

// The notes of user `userId` ("" when none or no such user). Throws platform::DbError.
std::string loadNotes(platform::Database& db, int userId);
// Writes only the notes of user `userId`. Returns false when there is no such
// user. Throws platform::DbError.
bool storeNotes(platform::Database& db, int userId, const std::string& notes);

} // namespace app
