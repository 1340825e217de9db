// Running balances, totals and references of a ledger.
#include "ledgers/ledger_rules.h"

#include "ledgers/balance.h"

namespace ledgers {

namespace {
const KindName* kindOf(const KindNames& kinds, int type)
{
    const auto it = kinds.find(type);
    return it == kinds.end() ? nullptr : &it->second;
}
} // namespace

std::string longReference(const KindNames& kinds, const LedgerLine& line)
{
    const KindName* k = kindOf(kinds, line.tranType);
    return (k ? k->name : std::string()) + " No. " + std::to_string(line.docNo);
}

std::string shortReference(const KindNames& kinds, const LedgerLine& line)
{
    const KindName* k = kindOf(kinds, line.tranType);
    return (k ? k->shortName : std::string()) + " " + std::to_string(line.docNo);
}

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
