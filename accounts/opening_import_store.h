// The SQL of the import of opening balances: one grouped insert of another
// year's closing balances of the balance-sheet accounts into this year's
// opening-balance voucher. The years it offers are main/year_store's.
#pragma once

#include <cstdint>

namespace platform { class Transaction; }

namespace accounts {

// Adds to voucher `tranNo` one line per account that has lines in the
// uncancelled vouchers of year `fromYear` (posted or not; the year's own
// opening balances included, so the lines carry its closing position) and
// whose main type, above 0, has a nature of the balance sheet (FS 1 or 2), in
// code order: the net of its debits minus its credits, in exact integers, as
// Debit when 0 or more, else as Credit (the other amount null), with the
// chart's name, an empty description, Balance 0 and an empty Status. Lines the
// voucher holds already stay. Returns the lines added. Throws
// platform::DbError (also when a sum does not fit); the caller rolls back.
std::int64_t importOpeningLines(platform::Transaction& tx, int fromYear, std::int64_t tranNo);

} // namespace accounts
