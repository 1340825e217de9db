// Writes the database file the system is delivered with: the schema, the
// reference rows, the administrator and the financial year holding a given day.
#pragma once

#include <string>
#include <string_view>

namespace platform { class Database; }

namespace db {

std::string_view schemaSql();          // db/schema.sql
std::string_view deliveredRowsSql();   // db/delivered_rows.sql
std::string_view balancesSql();        // db/balances.sql
std::string_view isoDatesSql();        // db/iso_dates.sql
std::string_view dayBookSql();         // db/day_book.sql
std::string_view voucherCopiesSql();   // db/voucher_copies.sql

// The administrator's login in a delivered database.
inline constexpr std::string_view kAdminName = "Administrator";
inline constexpr std::string_view kAdminPassword = "admin";

// Writes the current layout into an empty database: every table, index and
// trigger and the file's marks, in the order a delivered file has them, and no
// row. Runs in the caller's transaction, if any. Throws platform::DbError.
void fillLayout(platform::Database& db);

// Fills an empty database: schema, reference rows, the administrator (user 1,
// password kAdminPassword hashed), and the July-to-June financial year holding
// `todayIso` ("YYYY-MM-DD") with its opening-balance voucher, preselected in
// BusinessInfo. `nowIso` ("YYYY-MM-DD HH:MM:SS") stamps that voucher.
// All in one transaction. Throws std::invalid_argument for a date text that
// is not ISO, and platform::DbError.
void fillDelivered(platform::Database& db, std::string_view todayIso, std::string_view nowIso);

// Creates the file at `path` (which must not exist yet) and fills it as above;
// a file that could not be filled is removed again. Throws as fillDelivered.
void writeDeliveredFile(const std::string& path, std::string_view todayIso, std::string_view nowIso);

} // namespace db
