// The rows of the code box's type-ahead list: accounts whose code and name
// contain the typed text. The name look-up itself uses the main window's
// shared account list and needs no query.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform { class Database; }

namespace ledgers {

struct AccountEntry {
    std::int64_t code = 0;
    std::string name;
    friend bool operator==(const AccountEntry&, const AccountEntry&) = default;
};

// Accounts of AccLevel3 in code order whose code, two blanks and name contain
// `typed` anywhere, without regard to the case of letters; every account for
// an empty text. The text is bound, never part of the SQL. Throws
// platform::DbError.
std::vector<AccountEntry> accountsMatching(platform::Database& db, std::string_view typed);

} // namespace ledgers
