// The trial balance's two export layouts: columns, rows and totals.
#include "statements/trial_balance_export.h"

#include <vector>

#include "ledgers/balance.h"
#include "platform/text/formats.h"

namespace statements {
namespace {

constexpr const char* kLongDate = "mmmm dd, yyyy";

sheet::Cell code(const AccountFigures& f)
{
    return sheet::Cell::integer(f.accCode);
}

sheet::Cell name(const AccountFigures& f)
{
    return sheet::Cell::textCell(QString::fromStdString(f.accName));
}

sheet::Cell shownAmount(platform::Money difference)
{
    return sheet::Cell::amount(ledgers::balanceOf(difference).amount);
}

sheet::Cell shownStatus(platform::Money difference)
{
    return sheet::Cell::textCell(QString::fromLatin1(ledgers::statusText(ledgers::balanceOf(difference).side)));
}

// A total with its status words is a text, as its box shows it.
sheet::Cell balanceTotal(platform::Money total)
{
    return sheet::Cell::textCell(QString::fromStdString(balanceTotalText(total)));
}

} // namespace

sheet::Table sixColumnTable(std::span<const AccountFigures> rows, const QDate& from, const QDate& to)
{
    const BalanceTotals t = totalsOf(rows);
    sheet::Table table;
    table.title = QStringLiteral("Trial Balance");
    table.dateLine = QStringLiteral("From ") + platform::formatDate(from, kLongDate) + QStringLiteral(" To ")
                     + platform::formatDate(to, kLongDate);
    table.columns = {{10, QStringLiteral("Acc Code"), std::nullopt},
                     {40, QStringLiteral("Account Name"), std::nullopt},
                     {12, QStringLiteral("Opening Balance"), balanceTotal(t.opening)},
                     {8, QStringLiteral("Status"), std::nullopt},
                     {12, QStringLiteral("Debit"), sheet::Cell::amount(t.debits)},
                     {12, QStringLiteral("Credit"), sheet::Cell::amount(t.credits)},
                     {12, QStringLiteral("Closing Balance"), balanceTotal(t.closing)},
                     {8, QStringLiteral("Status"), std::nullopt}};
    table.recordCount = rows.size();
    table.cellAt = [rows](std::size_t record, int column) {
        const AccountFigures& f = rows[record];
        switch (column) {
        case 0: return code(f);
        case 1: return name(f);
        case 2: return shownAmount(f.opening);
        case 3: return shownStatus(f.opening);
        case 4: return sheet::Cell::amount(f.debits);
        case 5: return sheet::Cell::amount(f.credits);
        case 6: return shownAmount(f.closing);
        default: return shownStatus(f.closing);
        }
    };
    return table;
}

sheet::Table twoColumnTable(std::span<const AccountFigures> rows, const QDate& to)
{
    std::vector<std::size_t> listed;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (listedInTwoColumns(rows[i]))
            listed.push_back(i);
    const BalanceTotals t = totalsOf(rows);
    sheet::Table table;
    table.title = QStringLiteral("Trial Balance");
    table.dateLine = QStringLiteral("As On ") + platform::formatDate(to, kLongDate);
    table.columns = {{10, QStringLiteral("Acc Code"), std::nullopt},
                     {40, QStringLiteral("Account Name"), std::nullopt},
                     {12, QStringLiteral("Debit"), sheet::Cell::amount(t.twoColumnDebit)},
                     {12, QStringLiteral("Credit"), sheet::Cell::amount(t.twoColumnCredit)}};
    table.recordCount = listed.size();
    table.cellAt = [rows, listed = std::move(listed)](std::size_t record, int column) {
        const AccountFigures& f = rows[listed[record]];
        const TwoColumnCells cells = twoColumnSplit(f.closing);
        switch (column) {
        case 0: return code(f);
        case 1: return name(f);
        case 2: return sheet::Cell::amount(cells.debit);
        default: return sheet::Cell::amount(cells.credit);
        }
    };
    return table;
}

} // namespace statements
