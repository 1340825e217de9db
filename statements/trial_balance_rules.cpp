// Two-column split and total texts.
#include "statements/trial_balance_rules.h"

#include "ledgers/balance.h"
#include "platform/text/formats.h"

namespace statements {
namespace {
constexpr const char* kTotal = "0.00; (0.00)";
}

TwoColumnCells twoColumnSplit(platform::Money closing)
{
    const ledgers::Balance b = ledgers::balanceOf(closing);
    if (b.side == ledgers::Side::Debit)
        return {b.amount, std::nullopt};
    return {std::nullopt, b.amount};
}

bool listedInTwoColumns(const AccountFigures& figures)
{
    return !figures.closing.isZero();
}

BalanceTotals totalsOf(std::span<const AccountFigures> rows)
{
    BalanceTotals t;
    for (const AccountFigures& f : rows) {
        t.opening += f.opening;
        t.debits += f.debits;
        t.credits += f.credits;
        t.closing += f.closing;
        const TwoColumnCells cells = twoColumnSplit(f.closing);
        t.twoColumnDebit += cells.debit.value_or(platform::Money{});
        t.twoColumnCredit += cells.credit.value_or(platform::Money{});
    }
    return t;
}

std::string balanceTotalText(platform::Money total)
{
    const ledgers::Balance b = ledgers::balanceOf(total);
    return platform::formatMoney(b.amount, kTotal) + (b.side == ledgers::Side::Debit ? "  Debit " : " Credit ");
}

std::string amountTotalText(platform::Money total)
{
    return platform::formatMoney(total, kTotal);
}

} // namespace statements
