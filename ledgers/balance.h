// The balance convention every ledger and balance of the program shows: the
// difference is debits minus credits, shown as its absolute value with the side
// "Debit" (zero or more) or "Credit". Statements use the reverse difference.
#pragma once

#include "platform/text/money.h"

namespace ledgers {

enum class Side { Debit, Credit };

struct Balance {
    platform::Money amount;   // never negative
    Side side = Side::Debit;
    friend bool operator==(const Balance&, const Balance&) = default;
};

// Debits minus credits: the difference every ledger and trial balance works
// with. Callers read a null amount as zero before calling. Throws
// std::overflow_error when the difference does not fit.
platform::Money debitMinusCredit(platform::Money debits, platform::Money credits);
// Credits minus debits: the difference the financial statements show.
// Throws std::overflow_error when the difference does not fit.
platform::Money creditMinusDebit(platform::Money debits, platform::Money credits);

// How `difference` (debits minus credits) is shown: its absolute value, on the
// debit side when it is zero or more, else on the credit side. A zero balance
// is a debit balance. Throws std::overflow_error for the smallest Money.
Balance balanceOf(platform::Money difference);

// "Debit" or "Credit", the status text of a side.
const char* statusText(Side side);

} // namespace ledgers
