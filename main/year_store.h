// The SQL of the financial years: the list, the ids, the year rows and the
// opening-balance voucher each year owns, written with the year or anew when a
// year is cleared. The lines of that voucher belong to the opening balances.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QDate>
#include <QDateTime>
#include <QString>

namespace platform {
class Database;
class Transaction;
}

namespace app {

struct YearRow {
    int fyId = 0;
    QDate start;
    QDate end;
    QString abbreviation;
};

// Who writes a voucher header and when: UserAdded/UserEdited and TimeAdded/TimeEdited.
struct Stamp {
    int userId = 0;
    QDateTime when;
};

// --- reads (all throw platform::DbError) ---

// Every year, ordered by Abbreviation (then by id). A stored date that does
// not read as ISO comes back invalid.
std::vector<YearRow> listYears(platform::Database& db);
// Year `fyId`, or nothing when it is not stored.
std::optional<YearRow> findYear(platform::Database& db, int fyId);
// The highest stored FYID, or 0 when there is no year.
int highestYearId(platform::Database& db);
// The TranNo of year `fyId`'s opening-balance voucher (type 11; of several,
// the lowest document number), or nothing when the year has none.
std::optional<std::int64_t> openingVoucherOf(platform::Database& db, int fyId);

// --- writes (all throw platform::DbError; the caller validated the dates) ---

// Adds `year` with its id, dates and abbreviation, and its opening-balance
// voucher stamped `stamp` as creator and editor. A taken id is a constraint error.
void addYear(platform::Transaction& tx, const YearRow& year, const Stamp& stamp);
// Stores new dates and abbreviation for the stored year `year.fyId` and
// re-writes its opening-balance voucher (rewriteOpeningVoucher), creating the
// voucher when the year has none. Throws std::invalid_argument when the year
// is not stored (nothing is written then, once the caller rolls back).
void updateYear(platform::Transaction& tx, const YearRow& year, const Stamp& stamp);

// Adds an opening-balance voucher for year `fyId` starting on `start`: number 1,
// dated the day before, "Opening Balance", posted, not cancelled, no job, no
// lines; `stamp` as creator and editor. Returns its TranNo.
std::int64_t insertOpeningVoucher(platform::Transaction& tx, int fyId, const QDate& start, const Stamp& stamp);
// Re-writes the header of year `fyId`'s opening-balance voucher (the one
// openingVoucherOf names) as insertOpeningVoucher would write it, but keeps its
// TranNo, its creator and creation time, and its lines. Returns false, writing
// nothing, when the year has no such voucher.
bool rewriteOpeningVoucher(platform::Transaction& tx, int fyId, const QDate& start, const Stamp& stamp);

// The TranNo of year `fyId`'s opening-balance voucher; when the year has none,
// writes one (insertOpeningVoucher, from the year's stored start) and returns
// its number. Throws std::invalid_argument when the year is not stored.
std::int64_t ensureOpeningVoucher(platform::Transaction& tx, int fyId, const Stamp& stamp);

// Deletes every voucher of year `fyId`, of every kind and state, with their
// lines, and gives the year a new opening-balance voucher without lines dated
// from the year's stored start. No other year is touched. Returns the new
// voucher's TranNo. Throws std::invalid_argument when the year is not stored.
std::int64_t clearYear(platform::Transaction& tx, int fyId, const Stamp& stamp);

} // namespace app
