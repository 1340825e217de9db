// Running balances and totals of a ledger.
#include "ledgers/ledger_rules.h"

#include "ledgers/balance.h"

namespace ledgers {

LedgerTotals runBalances(platform::Money broughtForward, std::span<LedgerLine> lines)
{
    LedgerTotals totals{{}, {}, broughtForward};
    for (LedgerLine& line : lines) {
        totals.totalDebit += line.debit;
        totals.totalCredit += line.credit;
        totals.closing += debitMinusCredit(line.debit, line.credit);
        line.running = totals.closing;
    }
    return totals;
}

} // namespace ledgers
