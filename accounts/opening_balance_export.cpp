// The columns of the opening-balance export and its totals, summed from the
// lines it writes.
#include "accounts/opening_balance_export.h"

#include "platform/text/formats.h"

namespace accounts {

sheet::Table openingBalanceTable(const std::vector<SubTranRow>& lines, const QDate& fyStart)
{
    platform::Money debits, credits;
    for (const SubTranRow& l : lines) {
        debits = debits + l.debit.value_or(platform::Money{});
        credits = credits + l.credit.value_or(platform::Money{});
    }
    sheet::Table t;
    t.title = QStringLiteral("Accounts Opening Balance");
    t.dateLine = QStringLiteral("As On ") + platform::formatDate(fyStart, "mmmm dd, yyyy");
    t.columns = {{10, QStringLiteral("Acc Code"), std::nullopt},
                 {40, QStringLiteral("Account Name"), std::nullopt},
                 {12, QStringLiteral("Debit"), sheet::Cell::amount(debits)},
                 {12, QStringLiteral("Credit"), sheet::Cell::amount(credits)}};
    t.recordCount = lines.size();
    t.cellAt = [&lines](std::size_t record, int column) {
        const SubTranRow& l = lines[record];
        switch (column) {
        case 0: return l.accCode ? sheet::Cell::integer(*l.accCode) : sheet::Cell{};
        case 1: return sheet::Cell::textCell(l.accName);
        case 2: return sheet::Cell::amount(l.debit);
        default: return sheet::Cell::amount(l.credit);
        }
    };
    return t;
}

} // namespace accounts
