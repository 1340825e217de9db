// The sign-in window's queries: the business row, the years, the users, the
// stored defaults and the clean-up of orphaned chart rows.
#pragma once

#include "platform/data/recordset.h"

namespace platform { class Database; }

namespace app {

// Where the main program finds its database, relative to the working folder.
inline constexpr const char* kDatabasePath = "DB/tamselstd.MDB";

// The one BusinessInfo row with the columns the sign-in reads (first row only).
platform::Recordset openBusinessInfo(platform::Database& db);
// Every year, ordered by Abbreviation.
platform::Recordset openYears(platform::Database& db);
// Every user (UserID, UserName), in the table's order; the password hashes
// stay in the database (see passwordIs).
platform::Recordset openUsers(platform::Database& db);

// The shared list of all accounts (AccListRst), every column, in code order.
// Throws platform::DbError.
platform::Recordset openAccountList(platform::Database& db);

// Stores the user and year preselected at the next sign-in. Throws platform::DbError.
void storeDefaults(platform::Database& db, int userId, int fyId);

// Deletes accounts without a main type or sub type and sub types without a main
// type, keeping any account that voucher lines use and any sub type that
// accounts use. One transaction. Throws platform::DbError.
void deleteOrphans(platform::Database& db);

} // namespace app
