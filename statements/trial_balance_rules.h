// The figures of the trial balance that need no database: the two-column split
// of a closing difference, which accounts the two-column layout lists, the
// totals and the texts of the total boxes. Balances themselves follow ledgers/balance.h.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/text/money.h"

namespace statements {

// One account's figures for a period; every difference is debits minus credits.
struct AccountFigures {
    std::int64_t accCode = 0;
    std::string accName;
    platform::Money opening;   // counted lines dated before the period
    platform::Money debits;    // debits of the counted lines in the period
    platform::Money credits;   // credits of the counted lines in the period
    platform::Money closing;   // opening + debits - credits: every counted line up to the period's end
    std::int64_t level1Id = 0;
    std::int64_t level2Id = 0;
    friend bool operator==(const AccountFigures&, const AccountFigures&) = default;
};

// The two-column cells of a closing difference: the difference in the debit
// column when it is zero or more, else its absolute value in the credit column;
// the other cell is empty.
struct TwoColumnCells {
    std::optional<platform::Money> debit;
    std::optional<platform::Money> credit;
    friend bool operator==(const TwoColumnCells&, const TwoColumnCells&) = default;
};
TwoColumnCells twoColumnSplit(platform::Money closing);

// True when the two-column layout lists the account: its closing difference is
// not zero (an account whose debits and credits agree is left out).
bool listedInTwoColumns(const AccountFigures& figures);

// The totals under the two layouts.
struct BalanceTotals {
    platform::Money opening;
    platform::Money debits;
    platform::Money credits;
    platform::Money closing;
    platform::Money twoColumnDebit;    // the debit cells of the two-column layout
    platform::Money twoColumnCredit;   // its credit cells, as positive amounts
    friend bool operator==(const BalanceTotals&, const BalanceTotals&) = default;
};
// Sums the figures of `rows` (the six-column rows; the two-column sums take
// those the two-column layout lists). Throws std::overflow_error when a sum
// does not fit.
BalanceTotals totalsOf(std::span<const AccountFigures> rows);

// A total box of the six-column layout for a total difference: the absolute
// total "0.00; (0.00)" followed by "  Debit " (zero or more) or " Credit ".
std::string balanceTotalText(platform::Money total);
// A total box of debits or credits: the sum "0.00; (0.00)".
std::string amountTotalText(platform::Money total);

} // namespace statements
