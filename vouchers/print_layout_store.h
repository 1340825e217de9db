// The SQL of the printing preferences: the nine print-layout flags kept in the
// one BusinessInfo row. The sign-in state's copy is the windows' business.
#pragma once

#include <array>

namespace platform {
class Database;
class Transaction;
}

namespace vouchers {

// One flag per kind, in printLayoutFlags() order: true prints with the lines'
// descriptions (Voucher1).
using PrintLayouts = std::array<bool, 9>;

// The stored flags; all false when BusinessInfo has no row. Throws platform::DbError.
PrintLayouts loadPrintLayouts(platform::Database& db);
// Writes the flags into the BusinessInfo row, within the caller's transaction.
// Returns false, having written nothing, when there is no such row. Throws
// platform::DbError.
bool storePrintLayouts(platform::Transaction& tx, const PrintLayouts& layouts);

} // namespace vouchers
