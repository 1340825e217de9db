// Test support: a small book for the statements, on a delivered test
// database: main types on every side (fixed and current assets, capital, a
// long-term loan without lines, payables, sales, other income, purchases,
// expenses; the nature "Financial Charges" has none), an opening-balance
// voucher, a post-dated voucher, and unposted, cancelled and other-year lines.
// Expected figures are worked out here from the vouchers as written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/money.h"
#include "tests/ledgers/hand_book.h"

namespace platform { class Database; }

namespace testing_support {

namespace stm {
inline constexpr std::int64_t FixedAssets = 101, Cash = 201, Capital = 301, Loans = 401, Payables = 451,
                              Sales = 501, OtherIncome = 601, Purchases = 651, Expenses = 751;
inline constexpr std::int64_t allTypes[] = {FixedAssets, Cash, Capital, Loans, Payables,
                                            Sales, OtherIncome, Purchases, Expenses};
// Today in the statement tests: inside the year, before the post-dated voucher.
inline constexpr const char* kToday = "2026-12-10";
inline constexpr const char* kPostDated = "2027-01-15";
} // namespace stm

class StatementBook {
public:
    // Writes the chart, a second financial year and the vouchers into `db`.
    explicit StatementBook(platform::Database& db);

    // Credits minus debits of the counted lines of main type `typeId` dated
    // `from` to `to` (ISO; empty: no bound), nulls as 0.
    platform::Money diff(std::int64_t typeId, const std::string& from, const std::string& to) const;
    // The main type of an account of the book.
    static std::int64_t typeOf(std::int64_t accCode) { return accCode / 100000; }
    // Writes a counted voucher (the only one of its kind) of 2026-11-01 whose sales and interest each
    // fit in an amount while their sum, the period's profit, does not.
    static void writeIncomeTooLargeToAdd(platform::Database& db);

private:
    std::vector<BookVoucher> m_vouchers;
};

} // namespace testing_support
