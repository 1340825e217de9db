// The figures of an account ledger that need no database: the running
// difference after each line and the totals from the balance brought forward,
// and the references a line shows for its voucher.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "platform/text/money.h"

namespace ledgers {

struct LedgerLine {
    std::int32_t tranNo = 0;
    std::string tranDate;       // ISO, as stored
    int tranType = 0;
    std::int64_t docNo = 0;
    std::string desc;
    platform::Money debit;      // a null amount reads as 0
    platform::Money credit;
    platform::Money running;    // debits minus credits: brought forward plus every line up to this one
    std::int64_t serial = 0;
};

struct LedgerTotals {
    platform::Money totalDebit;
    platform::Money totalCredit;
    // Debits minus credits after the last line; the brought-forward
    // difference when there is no line.
    platform::Money closing;
    friend bool operator==(const LedgerTotals&, const LedgerTotals&) = default;
};

// The names of the voucher kinds (TranType), by type code.
struct KindName {
    std::string name;         // "Cash Payment Voucher"
    std::string shortName;    // "CPV"
};
using KindNames = std::map<int, KindName>;

// "Cash Payment Voucher No. 12": the kind's name, " No. " and the document
// number; the kind's part is empty for a type without a name.
std::string longReference(const KindNames& kinds, const LedgerLine& line);
// "CPV 12": the kind's short name, a blank and the document number.
std::string shortReference(const KindNames& kinds, const LedgerLine& line);

// Sets each line's running difference, in the order given, starting from
// `broughtForward` (0 for a whole-year ledger), and returns the totals.
// Throws std::overflow_error when a sum does not fit.
LedgerTotals runBalances(platform::Money broughtForward, std::span<LedgerLine> lines);

} // namespace ledgers
