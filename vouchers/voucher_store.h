// The SQL of the voucher form: numbering, browsing by serial number, the open
// jobs, reading a voucher, and writing, re-writing and deleting it. Every query
// on the vouchers of a kind and year is served by the unique index on
// (TranType, FYID, DocNo), so none of them grows with the book.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QDate>
#include <QDateTime>

#include "accounts/line_grid_rules.h"
#include "platform/text/money.h"
#include "vouchers/voucher_rules.h"

namespace platform {
class Database;
class Transaction;
}

namespace vouchers {

// Which voucher of a kind and year: the form's list, reduced to its ends and neighbours.
struct KindYear {
    int tranType = 0;
    int fyId = 0;
};

// The header as a save writes it (TranNo is the database's).
struct VoucherHeader {
    std::int64_t docNo = 0;
    QDate date;
    std::string desc;
    platform::Money amount;      // the debit total
    std::string words;           // WordsAmt, without the currency
    std::int64_t jobId = 0;      // 0: no job
    int user = 0;                // UserAdded on insert, UserEdited always
    QDateTime when;              // TimeAdded on insert, TimeEdited always
    bool cancelled = false;
    bool posted = false;
};

// A stored voucher as the form shows it.
struct StoredVoucher {
    std::int64_t tranNo = 0;
    std::int64_t docNo = 0;
    QDate date;
    std::string desc;
    std::int64_t jobId = 0;
    bool cancelled = false;
    bool posted = false;
    std::vector<accounts::SubTranRow> lines;   // in Serial order
};

// The highest serial number of the kind in the year, or nothing when it has
// no voucher. Throws platform::DbError.
std::optional<std::int64_t> highestDocNo(platform::Database& db, KindYear kind);
// True when the kind has at least one voucher in the year. Throws platform::DbError.
bool hasVouchers(platform::Database& db, KindYear kind);
// True when a voucher of the kind and year other than `exceptTranNo` (0: none
// excepted) carries serial number `docNo`. Throws platform::DbError.
bool docNoTaken(platform::Database& db, KindYear kind, std::int64_t docNo, std::int64_t exceptTranNo);

// Where a browse goes from the serial number `from`.
enum class Step { First, Previous, Next, Last };
// The TranNo of the voucher of the kind and year that `step` reaches from
// serial number `from` (ignored for First and Last): the nearest lower or
// higher number; at either end nothing. Throws platform::DbError.
std::optional<std::int64_t> browse(platform::Database& db, KindYear kind, Step step, std::int64_t from = 0);

// The open jobs (Status 0) as the job box lists them, in JobNo order.
// Throws platform::DbError.
std::vector<Job> openJobs(platform::Database& db);

// True when `tranNo` is a voucher of the kind and year. Throws platform::DbError.
bool voucherExists(platform::Database& db, KindYear kind, std::int64_t tranNo);
// The voucher `tranNo` with its lines, when it is one of the kind and year;
// nothing otherwise (another kind, another year, deleted). Throws platform::DbError.
std::optional<StoredVoucher> loadVoucher(platform::Database& db, KindYear kind, std::int64_t tranNo);

// Inserts a new voucher of the kind and year: the header, then `lines` (rows
// with an account, as linesToStore gives them) with one prepared statement.
// Returns the new TranNo. Throws platform::DbError; the caller's transaction
// then leaves nothing behind.
std::int64_t insertVoucher(platform::Transaction& tx, KindYear kind, const VoucherHeader& header,
                           const std::vector<accounts::SubTranRow>& lines);
// Rewrites voucher `tranNo` of the kind and year: the header less UserAdded and
// TimeAdded; lines with a stored serial of this voucher are updated in place,
// the others inserted, and stored lines no longer among `lines` deleted.
// Returns false, having written nothing, when the voucher no longer exists.
// Throws platform::DbError.
bool updateVoucher(platform::Transaction& tx, KindYear kind, std::int64_t tranNo, const VoucherHeader& header,
                   const std::vector<accounts::SubTranRow>& lines);
// Deletes voucher `tranNo` of the kind and year; its lines go with it (the
// schema's cascade). Returns false when there was no such voucher.
// Throws platform::DbError.
bool deleteVoucher(platform::Transaction& tx, KindYear kind, std::int64_t tranNo);

} // namespace vouchers
