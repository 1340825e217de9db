// PrintBalances from a trial-balance run: the chart's groups, the rows of each
// layout and the totals of what is printed.
#include "statements/balance_print.h"

#include <map>
#include <set>

#include "ledgers/balance.h"
#include "platform/data/database.h"

namespace statements {
namespace {

using platform::Money;
using platform::Recordset;
using platform::Value;

constexpr const char* kMainTypesWithAccounts =
    "SELECT l.TypeID, COALESCE(l.Type, '') FROM AccLevel1 l"
    " WHERE EXISTS (SELECT 1 FROM AccLevel3 a WHERE a.Level1ID = l.TypeID) ORDER BY l.TypeID";
constexpr const char* kSubTypesWithAccounts =
    "SELECT s.Level2ID, COALESCE(s.L2AccName, ''), COALESCE(s.TypeID, 0) FROM AccLevel2 s"
    " WHERE EXISTS (SELECT 1 FROM AccLevel3 a WHERE a.Level2ID = s.Level2ID) ORDER BY s.Level2ID";

Value cents(Money m) { return m.cents(); }
Value cents(const std::optional<Money>& m) { return m ? Value(m->cents()) : Value(); }

// The balance columns of a difference: the difference, its absolute value
// and its status.
void appendBalance(Recordset::Row& row, Money difference)
{
    const ledgers::Balance b = ledgers::balanceOf(difference);
    row.emplace_back(cents(difference));
    row.emplace_back(cents(b.amount));
    row.emplace_back(ledgers::statusText(b.side));
}

std::vector<std::string> accountColumns(PrintColumns columns, bool grouped)
{
    if (columns == PrintColumns::Six) {
        std::vector<std::string> names = {"AccCode", "AccName", "ODiff", "OBalance", "OStatus", "Debits",
                                          "Credits", "CDiff", "CBalance", "CStatus", "Level1ID"};
        if (grouped)
            names.push_back("Level2ID");
        return names;
    }
    if (grouped)
        return {"AccCode", "AccName", "Level1ID", "Level2ID", "Diff", "Debits", "Credits", "Debits2", "Credits2"};
    return {"AccCode", "AccName", "Diff", "Debits", "Credits", "Debits2", "Credits2"};
}

Recordset::Row accountRow(const AccountFigures& f, PrintColumns columns, bool grouped)
{
    Recordset::Row row = {f.accCode, f.accName};
    if (columns == PrintColumns::Six) {
        appendBalance(row, f.opening);
        row.emplace_back(cents(f.debits));
        row.emplace_back(cents(f.credits));
        appendBalance(row, f.closing);
        row.emplace_back(f.level1Id);
        if (grouped)
            row.emplace_back(f.level2Id);
        return row;
    }
    if (grouped) {
        row.emplace_back(f.level1Id);
        row.emplace_back(f.level2Id);
    }
    const TwoColumnCells cells = twoColumnSplit(f.closing);
    row.emplace_back(cents(f.closing));
    row.emplace_back(cents(cells.debit));
    row.emplace_back(cents(cells.credit));
    row.emplace_back(cents(cells.debit.value_or(Money{})));
    row.emplace_back(cents(cells.credit.value_or(Money{})));
    return row;
}

bool printed(const AccountFigures& f, PrintColumns columns)
{
    return columns == PrintColumns::Six || listedInTwoColumns(f);
}

} // namespace

ChartGroups chartGroups(platform::Database& db)
{
    ChartGroups g;
    platform::Statement types(db, kMainTypesWithAccounts);
    while (types.step())
        g.mainTypes.push_back({types.columnInt64(0), types.column(1).toText()});
    platform::Statement subs(db, kSubTypesWithAccounts);
    while (subs.step())
        g.subTypes.push_back({subs.columnInt64(0), subs.column(1).toText(), subs.columnInt64(2)});
    return g;
}

BalancePrint groupedBalancePrint(const TrialBalance& tb, const ChartGroups& groups,
                                 const AccountSelection& selection, PrintColumns columns)
{
    // Which groups print: a sub type chosen prints its main type and itself.
    std::set<std::int64_t> subTypes;
    std::set<std::int64_t> mainTypes;
    for (const ChartGroups::SubType& s : groups.subTypes) {
        const bool chosen = selection.kind == AccountSelection::Kind::All
                            || (selection.kind == AccountSelection::Kind::MainType && s.typeId == selection.id)
                            || (selection.kind == AccountSelection::Kind::SubType && s.level2Id == selection.id);
        if (chosen)
            subTypes.insert(s.level2Id);
        if (chosen && selection.kind == AccountSelection::Kind::SubType)
            mainTypes.insert(s.typeId);
    }
    for (const ChartGroups::MainType& m : groups.mainTypes)
        if (selection.kind == AccountSelection::Kind::All
            || (selection.kind == AccountSelection::Kind::MainType && m.typeId == selection.id))
            mainTypes.insert(m.typeId);

    // A sub type prints only under a main type that prints; an account only
    // under a sub type that does.
    std::map<std::int64_t, std::int64_t> typeOfSub;
    for (const ChartGroups::SubType& s : groups.subTypes)
        if (subTypes.contains(s.level2Id) && mainTypes.contains(s.typeId))
            typeOfSub[s.level2Id] = s.typeId;

    BalancePrint out;
    std::vector<AccountFigures> accounts;
    std::map<std::int64_t, Money> subSums;
    std::map<std::int64_t, Money> typeSums;
    std::vector<Recordset::Row> level3;
    for (const AccountFigures& f : tb.rows) {
        const auto sub = typeOfSub.find(f.level2Id);
        if (sub == typeOfSub.end() || !printed(f, columns))
            continue;
        accounts.push_back(f);
        subSums[f.level2Id] += f.closing;
        typeSums[sub->second] += f.closing;
        level3.push_back(accountRow(f, columns, true));
    }
    out.totals = totalsOf(accounts);

    std::vector<Recordset::Row> level1;
    for (const ChartGroups::MainType& m : groups.mainTypes)
        if (mainTypes.contains(m.typeId)) {
            Recordset::Row row = {m.typeId, m.type};
            appendBalance(row, typeSums[m.typeId]);
            level1.push_back(std::move(row));
        }
    std::vector<Recordset::Row> level2;
    for (const ChartGroups::SubType& s : groups.subTypes)
        if (typeOfSub.contains(s.level2Id)) {
            Recordset::Row row = {s.level2Id, s.name, s.typeId};
            appendBalance(row, subSums[s.level2Id]);
            level2.push_back(std::move(row));
        }

    std::vector<platform::LevelRows> levels;
    levels.push_back({"Level1", Recordset::fromRows({"TypeID", "Type", "TDiff", "TBalance", "TStatus"},
                                                    std::move(level1)), {}, {}});
    levels.push_back({"level2",
                      Recordset::fromRows({"Level2ID", "L2AccName", "TypeID", "TDiff", "TBalance", "TStatus"},
                                          std::move(level2)),
                      "TypeID", "TypeID"});
    levels.push_back({"level3", Recordset::fromRows(accountColumns(columns, true), std::move(level3)), "Level2ID",
                      "Level2ID"});
    out.rows = platform::Hierarchy::fromRows(std::move(levels));
    return out;
}

BalancePrint rangeBalancePrint(const TrialBalance& tb, PrintColumns columns)
{
    BalancePrint out;
    std::vector<AccountFigures> accounts;
    std::vector<Recordset::Row> rows;
    for (const AccountFigures& f : tb.rows)
        if (printed(f, columns)) {
            accounts.push_back(f);
            rows.push_back(accountRow(f, columns, false));
        }
    out.totals = totalsOf(accounts);
    std::vector<platform::LevelRows> level;
    level.push_back({"", Recordset::fromRows(accountColumns(columns, false), std::move(rows)), {}, {}});
    out.rows = platform::Hierarchy::fromRows(std::move(level));
    return out;
}

} // namespace statements
