// Test support for voucher entry: a few accounts, a second year, jobs and
// vouchers written with plain SQL, independent of the store under test.
#pragma once

#include <cstdint>
#include <string>

namespace platform { class Database; }

namespace book {

// Accounts of the small chart the voucher tests use.
inline constexpr std::int64_t kCash = 10101001;
inline constexpr std::int64_t kBank = 10101002;
inline constexpr std::int64_t kRent = 60101001;

// Adds main types, sub types and the three accounts above; and the financial
// year 2 (2027-07-01 to 2028-06-30) beside the delivered year 1.
void addChartAndYear(platform::Database& db);
// Adds a job and returns its JobID; `completed` sets Status 1.
std::int64_t addJob(platform::Database& db, int jobNo, const std::string& desc, bool completed = false);
// Adds a voucher header of `tranType` in `fyId` with `docNo`, dated 2026-12-01,
// and returns its TranNo.
std::int64_t addVoucher(platform::Database& db, int tranType, int fyId, std::int64_t docNo,
                        int posted = 0, std::int64_t jobId = 0);
// A voucher header with the fields a search looks at.
struct VoucherRow {
    std::int64_t docNo;
    const char* date;           // "YYYY-MM-DD"
    const char* desc;           // nullptr: no description
    std::int64_t cents = 0;     // TrAmount
    int posted = 0;
    int cancel = 0;
    int tranType = 41;
    int fyId = 1;
    int addedBy = 1;            // 0: no user
    int editedBy = 1;
};
// Adds `v`, added at "2026-12-01 10:00:00" and edited at "2026-12-02 11:30:00";
// returns its TranNo.
std::int64_t addVoucherRow(platform::Database& db, const VoucherRow& v);

// Adds a line to voucher `tranNo` (amounts in cents; a negative value leaves the cell null).
void addLine(platform::Database& db, std::int64_t tranNo, std::int64_t accCode, std::int64_t debit,
             std::int64_t credit, const std::string& desc = "line");
// Counts rows: SELECT COUNT(*) FROM `table` WHERE `where` (fixed text of the test).
std::int64_t count(platform::Database& db, const std::string& table, const std::string& where = "1");

} // namespace book
