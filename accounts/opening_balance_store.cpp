// Opening lines in SQL; every value bound, statements prepared once per save.
#include "accounts/opening_balance_store.h"

#include <optional>
#include <string>

#include "accounts/opening_balance_rules.h"
#include "main/voucher_kinds.h"
#include "platform/data/database.h"

namespace accounts {
namespace {

// Amounts are nullable: null is an empty cell, not a zero.
std::optional<platform::Money> amountAt(const platform::Statement& st, int column)
{
    if (st.columnIsNull(column))
        return std::nullopt;
    return platform::Money::fromCents(st.columnInt64(column));
}

platform::Value bound(const std::optional<platform::Money>& amount)
{
    return amount ? platform::Value(amount->cents()) : platform::Value();
}

platform::Value bound(const std::optional<std::int64_t>& code)
{
    return code ? platform::Value(*code) : platform::Value();
}

// The nets of one level of the print: `keys` and the sums of the year's
// opening lines grouped by them, then the balance convention (ledgers'
// balanceOf) in SQL, since the report reads Bal and Status as columns; the
// store's test holds the two together.
std::string netsQuery(const std::string& keys, const std::string& joins, const std::string& order)
{
    return "SELECT *, ABS(Diff) AS Bal, CASE WHEN Diff < 0 THEN 'Credit' ELSE 'Debit' END AS Status"
           " FROM (SELECT " + keys + ", SUM(s.Debit) AS Debits, SUM(s.Credit) AS Credits,"
           " COALESCE(SUM(s.Debit), 0) AS Drs, COALESCE(SUM(s.Credit), 0) AS Crs,"
           " COALESCE(SUM(s.Debit), 0) - COALESCE(SUM(s.Credit), 0) AS Diff"
           " FROM Transactions t JOIN SubTransactions s ON s.TranNo = t.TranNo"
           " JOIN AccLevel3 a3 ON a3.AccCode = s.AccCode " + joins +
           " WHERE t.TranType = ? AND t.FYID = ? AND t.TranNo = ? GROUP BY " + keys + ") ORDER BY " + order;
}

} // namespace

platform::Hierarchy openOpeningBalancesPrint(platform::Database& db, int fyId, std::int64_t tranNo)
{
    // The nets sum the same voucher's lines as the third level lists.
    const platform::Params year{app::kOpeningBalanceType, fyId, tranNo};
    return platform::Hierarchy::open(
        db, {{"Level1", netsQuery("a3.Level1ID, a1.Type", "JOIN AccLevel1 a1 ON a1.TypeID = a3.Level1ID", "Level1ID"),
              year, "", ""},
             {"level2",
              netsQuery("a3.Level2ID, a3.Level1ID, a2.L2AccName", "JOIN AccLevel2 a2 ON a2.Level2ID = a3.Level2ID",
                        "Level2ID"),
              year, "Level1ID", "Level1ID"},
             {"level3",
              "SELECT a3.AccCode, a3.AccName, s.Debit, s.Credit, a3.Level2ID FROM AccLevel3 a3"
              " JOIN SubTransactions s ON s.AccCode = a3.AccCode WHERE s.TranNo = ? ORDER BY a3.AccCode, s.Serial",
              {tranNo}, "Level2ID", "Level2ID"}});
}

std::vector<SubTranRow> loadOpeningLines(platform::Database& db, std::int64_t tranNo)
{
    platform::Statement st(db, "SELECT Serial, AccCode, AccName, \"Desc\", Debit, Credit FROM SubTransactions"
                               " WHERE TranNo = ? ORDER BY Serial");
    st.bind(1, tranNo);
    std::vector<SubTranRow> lines;
    while (st.step()) {
        SubTranRow line;
        line.serial = st.columnInt64(0);
        line.accCode = st.column(1).asInt();
        line.accName = QString::fromStdString(st.column(2).toText());
        line.desc = QString::fromStdString(st.column(3).toText());
        line.debit = amountAt(st, 4);
        line.credit = amountAt(st, 5);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::int64_t countOpeningAccounts(platform::Database& db)
{
    return db.scalar("SELECT COUNT(AccLevel3.AccCode) FROM AccLevel1"
                     " INNER JOIN AccLevel3 ON AccLevel1.TypeID = AccLevel3.Level1ID")
        .toInt();
}

void saveOpeningLines(platform::Transaction& tx, std::int64_t tranNo, const OpeningSave& plan)
{
    platform::Database& db = tx.db();
    if (!plan.deletes.empty()) {
        platform::Statement del(db, "DELETE FROM SubTransactions WHERE Serial = ? AND TranNo = ?");
        for (const auto serial : plan.deletes) {
            del.reset();
            del.bindAll({serial, tranNo}).run();
        }
    }
    if (!plan.updates.empty()) {
        platform::Statement upd(db, "UPDATE SubTransactions SET AccCode = ?, AccName = ?, \"Desc\" = ?, Debit = ?,"
                                    " Credit = ? WHERE Serial = ? AND TranNo = ?");
        for (const auto& line : plan.updates) {
            upd.reset();
            upd.bindAll({bound(line.accCode), line.accName.toStdString(), line.desc.toStdString(),
                         bound(line.debit), bound(line.credit), line.serial, tranNo})
                .run();
        }
    }
    if (!plan.inserts.empty()) {
        platform::Statement ins(db, "INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit)"
                                    " VALUES (?, ?, ?, ?, ?, ?)");
        for (const auto& line : plan.inserts) {
            ins.reset();
            ins.bindAll({tranNo, bound(line.accCode), line.accName.toStdString(), line.desc.toStdString(),
                         bound(line.debit), bound(line.credit)})
                .run();
        }
    }
}

} // namespace accounts
