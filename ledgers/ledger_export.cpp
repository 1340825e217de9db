// The ledger export's columns, its fixed brought-forward row and its totals.
#include "ledgers/ledger_export.h"

#include "ledgers/balance.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {

constexpr const char* kLongDate = "mmmm dd, yyyy";

// A line is a debit or a credit: the other side, read as 0, stays empty.
sheet::Cell amountOrEmpty(platform::Money amount)
{
    return amount.isZero() ? sheet::Cell{} : sheet::Cell::amount(amount);
}

sheet::Cell status(platform::Money difference)
{
    return sheet::Cell::textCell(QString::fromLatin1(statusText(balanceOf(difference).side)));
}

} // namespace

sheet::Table ledgerTable(const LedgerSheet& s)
{
    sheet::Table t;
    t.title = s.accName;
    t.dateLine = s.period ? QStringLiteral("Ledger For The Period From ") + platform::formatDate(s.period->start, kLongDate)
                                + QStringLiteral(" To ") + platform::formatDate(s.period->end, kLongDate)
                          : QStringLiteral("Ledger For The Period Ended On ") + platform::formatDate(s.today, kLongDate);
    const platform::Money closing = s.totals.closing;
    t.columns = {{12, QStringLiteral("Date"), std::nullopt},
                 {10, QStringLiteral("Tran No"), std::nullopt},
                 {50, QStringLiteral("Description"), std::nullopt},
                 {10, QStringLiteral("Debit"), sheet::Cell::amount(s.totals.totalDebit)},
                 {10, QStringLiteral("Credit"), sheet::Cell::amount(s.totals.totalCredit)},
                 {10, QStringLiteral("Balance"), sheet::Cell::amount(balanceOf(closing).amount)},
                 {10, QStringLiteral("Status"), status(closing)}};
    if (s.broughtForward)
        t.fixedRows.push_back({{}, {}, sheet::Cell::textCell(QStringLiteral("Balance Brought Forward  ")), {}, {},
                               sheet::Cell::amount(balanceOf(*s.broughtForward).amount), status(*s.broughtForward)});
    else
        t.fixedRows.emplace_back();
    t.recordCount = s.lines.size();
    t.cellAt = [lines = s.lines, kinds = s.kinds](std::size_t record, int column) {
        const LedgerLine& l = lines[record];
        switch (column) {
        case 0: {
            const auto date = platform::parseIsoDate(l.tranDate);
            return date ? sheet::Cell::date(*date) : sheet::Cell::textCell(QString::fromStdString(l.tranDate));
        }
        case 1: return sheet::Cell::textCell(QString::fromStdString(shortReference(*kinds, l)));
        case 2: return sheet::Cell::textCell(QString::fromStdString(l.desc));
        case 3: return amountOrEmpty(l.debit);
        case 4: return amountOrEmpty(l.credit);
        case 5: return sheet::Cell::amount(balanceOf(l.running).amount);
        default: return status(l.running);
        }
    };
    return t;
}

} // namespace ledgers
