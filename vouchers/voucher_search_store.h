// The SQL of the voucher search windows: the list of a kind's vouchers in a year
// narrowed by the criteria, and each listed voucher's details with who added and
// who last edited it. The list holds keys only, so that a year of vouchers opens
// at once; the window reads the details of the rows it shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QDate>

#include "platform/data/database.h"
#include "platform/text/money.h"
#include "vouchers/voucher_search_rules.h"
#include "vouchers/voucher_store.h"

namespace vouchers {

// The vouchers of the kind and year that meet every criterion set in
// `criteria`, in serial-number order. Every value is bound; the description is
// found literally and without regard to case. Throws
// platform::DbError.
std::vector<ListedVoucher> listVouchers(platform::Database& db, KindYear kind, const SearchCriteria& criteria);

// What the grid and the boxes under it show of one voucher. A user that is not
// (or no longer) in Users reads as an empty name; the voucher is listed all the same.
struct VoucherDetails {
    std::int64_t tranNo = 0;
    std::int64_t docNo = 0;
    QDate date;
    std::string desc;
    platform::Money amount;
    bool posted = false;
    bool cancelled = false;
    std::string addedBy;
    std::string timeAdded;    // as stored, "YYYY-MM-DD HH:MM:SS", or empty
    std::string editedBy;
    std::string timeEdited;
};

// Reads the details of listed vouchers with one prepared statement.
class VoucherDetailsReader {
public:
    // Throws platform::DbError.
    explicit VoucherDetailsReader(platform::Database& db);
    // The details of voucher `tranNo`, or nothing when it is gone. Throws platform::DbError.
    std::optional<VoucherDetails> read(std::int64_t tranNo);

private:
    platform::Statement m_read;
};

} // namespace vouchers
