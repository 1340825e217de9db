// The voucher print query: one row per voucher (ParentCmd) with the voucher's
// lines that carry an amount below it (ChildCmd). Which vouchers, and how they
// are shown, is the printing windows' and the layouts' business.
#pragma once

#include <cstdint>

#include <QDate>
#include <QString>

#include "platform/data/hierarchy.h"

namespace platform { class Database; }

namespace reports {

// The member names of the two levels.
inline constexpr const char* kVoucherHeaders = "ParentCmd";
inline constexpr const char* kVoucherLines = "ChildCmd";

// How a batch print picks the vouchers of a kind in a year.
enum class BatchCriterion { AllRecords, DateRange, SerialRange };

struct VoucherBatch {
    int tranType = 0;
    int fyId = 0;
    BatchCriterion criterion = BatchCriterion::AllRecords;
    QDate dateFrom{};              // DateRange: both ends included
    QDate dateTo{};
    std::int64_t serialFrom = 0;   // SerialRange: both ends included
    std::int64_t serialTo = 0;
};

// The print data of voucher `tranNo`, whatever its kind, year or flags.
// ParentCmd: tranno, docno, trandate, desc, WordsAmt (`currencyName`, a blank,
// then the stored words), trantype, cancel, posted. ChildCmd: Serial, AccCode,
// AccName, TranNo, Desc, Debit, Credit of the lines whose debit or credit is
// not zero (null counting as zero), debits first, largest first, then credits,
// largest first. No voucher gives no rows. Throws platform::DbError.
platform::Hierarchy openVoucherPrint(platform::Database& db, const QString& currencyName, std::int64_t tranNo);

// The same data for the vouchers `batch` picks (posted or not, cancelled or
// not), in serial number order. A date range whose start is after its end, or
// a number range beyond the highest number, picks nothing. Throws platform::DbError.
platform::Hierarchy openVoucherBatch(platform::Database& db, const QString& currencyName, const VoucherBatch& batch);

} // namespace reports
