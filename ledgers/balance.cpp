// The balance convention.
#include "ledgers/balance.h"

namespace ledgers {

using platform::Money;

Money debitMinusCredit(Money debits, Money credits)
{
    return debits - credits;
}

Money creditMinusDebit(Money debits, Money credits)
{
    return credits - debits;
}

Balance balanceOf(Money difference)
{
    return {difference.abs(), difference < Money{} ? Side::Credit : Side::Debit};
}

const char* statusText(Side side)
{
    return side == Side::Debit ? "Debit" : "Credit";
}

} // namespace ledgers
