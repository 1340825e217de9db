// Test support: a small hand-made book on a delivered test database: a chart
// of three main types, four sub types and six accounts, and vouchers that
// cover the cases the ledger and the trial balance must tell apart (opening
// balance, same-day lines, a balance that reaches zero and crosses it, lines
// of zero, unposted, cancelled and other-year vouchers). The expected figures
// are worked out here from the vouchers as written, line by line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/text/money.h"

namespace platform { class Database; }

namespace testing_support {

namespace acc {
inline constexpr std::int64_t Cash = 20101001;
inline constexpr std::int64_t Bank = 20101002;
inline constexpr std::int64_t Customer = 20102001;
inline constexpr std::int64_t Sales = 50101001;
inline constexpr std::int64_t Rent = 75101001;
inline constexpr std::int64_t Idle = 75101002;   // no line at all
inline constexpr std::int64_t all[] = {Cash, Bank, Customer, Sales, Rent, Idle};
} // namespace acc

inline constexpr std::int64_t kAssets = 201, kSales = 501, kExpenses = 751;     // main types
inline constexpr std::int64_t kCashAndBank = 20101, kReceivables = 20102;       // sub types of 201
inline constexpr std::int64_t kLocalSales = 50101, kAdmin = 75101;
// Where each account sits in the chart.
struct ChartPlace {
    std::int64_t code;
    std::int64_t level1;
    std::int64_t level2;
};
inline constexpr ChartPlace kChart[] = {
    {acc::Cash, kAssets, kCashAndBank}, {acc::Bank, kAssets, kCashAndBank},
    {acc::Customer, kAssets, kReceivables}, {acc::Sales, kSales, kLocalSales},
    {acc::Rent, kExpenses, kAdmin}, {acc::Idle, kExpenses, kAdmin},
};

inline constexpr int kYear = 1;        // the delivered year, 2026-07-01 to 2027-06-30
inline constexpr int kOtherYear = 2;

struct BookLine {
    std::int64_t acc = 0;
    std::optional<std::int64_t> debit;    // cents; empty: stored null
    std::optional<std::int64_t> credit;
};

struct BookVoucher {
    std::int32_t tranNo = 0;   // given when written
    int type = 0;
    std::string date;
    int fyId = kYear;
    bool posted = true;
    bool cancelled = false;
    std::vector<BookLine> lines;
    bool counted() const { return fyId == kYear && posted && !cancelled; }
};

class HandBook {
public:
    // Writes the chart, a second financial year and the vouchers into `db`
    // (a delivered test database, whose opening-balance voucher is TranNo 1).
    explicit HandBook(platform::Database& db);

    const std::vector<BookVoucher>& vouchers() const { return m_vouchers; }

    // Over the counted lines of `acc` dated `from` to `to` (ISO; empty means
    // no bound), worked out from the vouchers as written, nulls as 0:
    platform::Money debits(std::int64_t acc, const std::string& from, const std::string& to) const;
    platform::Money credits(std::int64_t acc, const std::string& from, const std::string& to) const;
    platform::Money difference(std::int64_t acc, const std::string& from, const std::string& to) const;
    // The period's debits and credits as the trial balance takes them: those
    // dated up to `to` less those dated before `from` (both ISO), so negative
    // for a `from` after `to` with lines between.
    platform::Money periodDebits(std::int64_t acc, const std::string& from, const std::string& to) const;
    platform::Money periodCredits(std::int64_t acc, const std::string& from, const std::string& to) const;
    // The counted lines of `acc` with an amount, in the ledger's order (date,
    // then the order written).
    std::vector<BookLine> listedLines(std::int64_t acc, const std::string& from, const std::string& to) const;

private:
    std::vector<BookVoucher> m_vouchers;
};

// Writes `vouchers` into `db` in their order, numbering each kind within
// itself; a voucher with a TranNo (the delivered opening voucher) gets only
// its lines, the others get the TranNo they were written under.
void writeVouchers(platform::Database& db, std::vector<BookVoucher>& vouchers);

// Types whose texts differ from others' only in letter case, each with an
// account opened with a debit of 1.00 (on the opening-balance voucher): the
// sub types kCashAndBank and kReceivables renamed "Petty" and a third of
// kAssets, "petty"; and a main type "cash and Receivables" of kAssets's nature
// beside kAssets's "Cash and Receivables", with a sub type "Float".
namespace lookalike {
inline constexpr std::int64_t kSmallPetty = 20103, kSmallPettyAccount = 20103001;
inline constexpr std::int64_t kSmallMainType = 202, kSmallMainTypeAccount = 20201001;
} // namespace lookalike
void addLookAlikeTypes(platform::Database& db);

// The day before `isoDate`, as ISO text.
std::string dayBefore(const std::string& isoDate);

} // namespace testing_support
