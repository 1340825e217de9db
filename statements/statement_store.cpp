// Statement queries and the balance sheet's work table.
#include "statements/statement_store.h"

#include <string>

#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "statements/month_cuts.h"

namespace statements {
namespace {

using platform::Money;

// Each account's lines of the period are its balance after the period's end
// less its balance before its start (month_cuts.h); the accounts meet their
// main type in one pass, and every main type gets a row, 0 without lines.
constexpr const char* kFigures =
    ", byType AS (SELECT a.Level1ID AS TypeID, SUM((c.uCr - c.bCr) - (c.uDr - c.bDr)) AS Diff"
    "  FROM cuts c CROSS JOIN AccLevel3 a ON a.AccCode = c.AccCode GROUP BY a.Level1ID)"
    " SELECT l.TypeID, COALESCE(l.Type, ''), COALESCE(l.NatureID, 0), COALESCE(n.FSID, 0), COALESCE(b.Diff, 0)"
    " FROM AccLevel1 l LEFT JOIN FSNature n ON n.NatureID = l.NatureID"
    " LEFT JOIN byType b ON b.TypeID = l.TypeID"
    " ORDER BY l.TypeID";

constexpr const char* kIncomeSides = "SELECT FSID, FSType FROM FS WHERE FSID = 3 OR FSID = 4 ORDER BY FSID";
constexpr const char* kNatures = "SELECT NatureID, FSID, AccNatureTop FROM FSNature ORDER BY NatureID";

constexpr const char* kBalanceSides = "SELECT FSID, FSType FROM FS WHERE FSID = 1 OR FSID = 2 ORDER BY FSID";
constexpr const char* kBalanceNatures =
    "SELECT NatureID, FSID, AccNatureTop FROM FSNature WHERE FSID = 1 OR FSID = 2 ORDER BY NatureID";
// TypeID 9999 sorts the profit row after its nature's main types.
constexpr const char* kTempBSRows = "SELECT TypeID, NatureID, Type, Balance FROM TempBS ORDER BY TypeID";

} // namespace

std::vector<MainTypeFigure> mainTypeFigures(platform::Database& db, int fyId, const StatementPeriod& period)
{
    platform::Statement st(db, std::string(kCutsTable) + kFigures);
    bindCuts(st, fyId, period.from ? cutAt(*period.from) : cutBeforeAll(), cutAt(period.to.addDays(1)));
    std::vector<MainTypeFigure> rows;
    while (st.step()) {
        MainTypeFigure f;
        f.typeId = st.columnInt64(0);
        f.type = st.column(1).toText();
        f.natureId = st.columnInt64(2);
        f.fsId = static_cast<int>(st.columnInt64(3));
        f.diff = Money::fromCents(st.columnInt64(4));
        rows.push_back(std::move(f));
    }
    return rows;
}

platform::Hierarchy incomeStatementRows(platform::Database& db, std::span<const MainTypeFigure> figures)
{
    std::vector<platform::Recordset::Row> types;
    types.reserve(figures.size());
    for (const MainTypeFigure& f : figures)
        types.push_back({f.typeId, f.type, f.natureId, f.diff.cents()});
    std::vector<platform::LevelRows> levels;
    levels.push_back({"MainHeads", platform::Recordset::open(db, kIncomeSides), {}, {}});
    levels.push_back({"Heads", platform::Recordset::open(db, kNatures), "FSID", "FSID"});
    levels.push_back({"ChildCmd",
                      platform::Recordset::fromRows({"TypeID", "Type", "NatureID", "Diff"}, std::move(types)),
                      "NatureID", "NatureID"});
    return platform::Hierarchy::fromRows(std::move(levels));
}

void writeTempBS(platform::Transaction& tx, std::span<const TempBSRow> rows)
{
    tx.db().exec("DELETE FROM TempBS");
    platform::Statement insert(tx.db(), "INSERT INTO TempBS (TypeID, NatureID, Type, Balance) VALUES (?, ?, ?, ?)");
    for (const TempBSRow& r : rows) {
        insert.reset();
        insert.bindAll({r.typeId, r.natureId, r.type, r.balance.cents()}).run();
    }
}

platform::Hierarchy balanceSheetReportRows(platform::Database& db)
{
    return platform::Hierarchy::open(db, {{"FSCmd", kBalanceSides, {}, {}, {}},
                                          {"NatureCmd", kBalanceNatures, {}, "FSID", "FSID"},
                                          {"DetailCmd", kTempBSRows, {}, "NatureID", "NatureID"}});
}

} // namespace statements
