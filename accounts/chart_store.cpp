// SQL of the chart editor on the shared connection. Writes go through the
// caller's transaction; a write that changes no row means the row went away
// under the window and is reported like any other database failure.
#include "accounts/chart_store.h"

#include <unordered_set>

#include "platform/data/database.h"

namespace accounts {
namespace {

// SQLite's result for a statement that found nothing to change; shown as a
// database failure with a message of ours.
constexpr int kSqliteNotFound = 12;   // SQLITE_NOTFOUND

std::optional<std::int64_t> maxOf(platform::Database& db, const char* sql, std::int64_t parent)
{
    return db.scalar(sql, {parent}).asInt();
}

bool any(platform::Database& db, const char* sql, std::int64_t key)
{
    return !db.scalar(sql, {key}).isNull();
}

void changeOne(platform::Transaction& tx, const char* sql, const platform::Params& params)
{
    if (tx.db().exec(sql, params) != 1)
        throw platform::DbError(kSqliteNotFound, "The row was changed or deleted by someone else.", sql);
}

} // namespace

platform::Recordset openMainTypes(platform::Database& db)
{
    return platform::Recordset::open(db, "SELECT TypeID, Type, NatureID FROM AccLevel1 ORDER BY TypeID");
}

platform::Recordset openSubTypes(platform::Database& db, std::int64_t typeId)
{
    return platform::Recordset::open(db, "SELECT * FROM AccLevel2 WHERE TypeID = ? ORDER BY Level2ID", {typeId});
}

platform::Recordset openAccounts(platform::Database& db, std::int64_t level2Id)
{
    return platform::Recordset::open(db, "SELECT * FROM AccLevel3 WHERE Level2ID = ? ORDER BY AccCode",
                                     {level2Id});
}

platform::Recordset openNatures(platform::Database& db)
{
    return platform::Recordset::open(db, "SELECT * FROM FSNature ORDER BY NatureID");
}

platform::Hierarchy openChartPrint(platform::Database& db, ChartPrint part, std::int64_t mainType,
                                   std::int64_t subType)
{
    // Each level reads only the rows the part reaches; relating them is the
    // hierarchy's work, so a sub type outside the part could not show anyway.
    platform::LevelQuery types{"Level1", "SELECT * FROM AccLevel1", {}, "", ""};
    platform::LevelQuery subTypes{"level2", "SELECT * FROM AccLevel2", {}, "TypeID", "TypeID"};
    platform::LevelQuery accounts{"level3", "SELECT * FROM AccLevel3", {}, "Level2ID", "Level2ID"};
    const auto where = [](platform::LevelQuery& level, const char* condition, std::int64_t code) {
        level.sql += condition;
        level.params = {code};
    };
    switch (part) {
    case ChartPrint::Whole:
        break;
    case ChartPrint::MainType:
        where(types, " WHERE TypeID = ?", mainType);
        where(subTypes, " WHERE TypeID = ?", mainType);
        where(accounts, " WHERE Level2ID IN (SELECT Level2ID FROM AccLevel2 WHERE TypeID = ?)", mainType);
        break;
    case ChartPrint::SubType:
        where(types, " WHERE TypeID = ?", mainType);
        where(subTypes, " WHERE Level2ID = ?", subType);
        where(accounts, " WHERE Level2ID = ?", subType);
        break;
    }
    types.sql += " ORDER BY TypeID";
    subTypes.sql += " ORDER BY Level2ID";
    accounts.sql += " ORDER BY AccCode";
    return platform::Hierarchy::open(db, {std::move(types), std::move(subTypes), std::move(accounts)});
}

std::optional<std::int64_t> highestMainType(platform::Database& db, std::int64_t natureId)
{
    return maxOf(db, "SELECT MAX(TypeID) FROM AccLevel1 WHERE NatureID = ?", natureId);
}

std::optional<std::int64_t> highestSubType(platform::Database& db, std::int64_t typeId)
{
    return maxOf(db, "SELECT MAX(Level2ID) FROM AccLevel2 WHERE TypeID = ?", typeId);
}

std::optional<std::int64_t> highestAccount(platform::Database& db, std::int64_t level2Id)
{
    return maxOf(db, "SELECT MAX(AccCode) FROM AccLevel3 WHERE Level2ID = ?", level2Id);
}

bool mainTypeExists(platform::Database& db, std::int64_t typeId)
{
    return any(db, "SELECT 1 FROM AccLevel1 WHERE TypeID = ?", typeId);
}

bool hasSubTypes(platform::Database& db, std::int64_t typeId)
{
    return any(db, "SELECT 1 FROM AccLevel2 WHERE TypeID = ? LIMIT 1", typeId);
}

bool hasAccounts(platform::Database& db, std::int64_t level2Id)
{
    return any(db, "SELECT 1 FROM AccLevel3 WHERE Level2ID = ? LIMIT 1", level2Id);
}

bool hasVoucherLines(platform::Database& db, std::int64_t accCode)
{
    // Every line counts, whatever its voucher's year, kind or state.
    return any(db, "SELECT 1 FROM SubTransactions WHERE AccCode = ? LIMIT 1", accCode);
}

void insertMainType(platform::Transaction& tx, const MainTypeRow& row)
{
    tx.db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, ?, ?)",
                 {row.typeId, row.name, row.natureId});
}

void renameMainType(platform::Transaction& tx, std::int64_t typeId, const std::string& name)
{
    changeOne(tx, "UPDATE AccLevel1 SET Type = ? WHERE TypeID = ?", {name, typeId});
}

void deleteMainType(platform::Transaction& tx, std::int64_t typeId)
{
    changeOne(tx, "DELETE FROM AccLevel1 WHERE TypeID = ?", {typeId});
}

void insertSubType(platform::Transaction& tx, const SubTypeRow& row)
{
    tx.db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, ?, ?)",
                 {row.level2Id, row.name, row.typeId});
}

void updateSubType(platform::Transaction& tx, const SubTypeRow& row)
{
    changeOne(tx, "UPDATE AccLevel2 SET L2AccName = ?, TypeID = ? WHERE Level2ID = ?",
              {row.name, row.typeId, row.level2Id});
}

void deleteSubType(platform::Transaction& tx, std::int64_t level2Id)
{
    changeOne(tx, "DELETE FROM AccLevel2 WHERE Level2ID = ?", {level2Id});
}

void insertAccount(platform::Transaction& tx, const AccountRow& row)
{
    tx.db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, ?, ?, ?)",
                 {row.accCode, row.name, row.level1Id, row.level2Id});
}

void updateAccount(platform::Transaction& tx, const AccountRow& row)
{
    changeOne(tx, "UPDATE AccLevel3 SET AccName = ?, Level1ID = ?, Level2ID = ? WHERE AccCode = ?",
              {row.name, row.level1Id, row.level2Id, row.accCode});
}

void deleteAccount(platform::Transaction& tx, std::int64_t accCode)
{
    changeOne(tx, "DELETE FROM AccLevel3 WHERE AccCode = ?", {accCode});
}

std::optional<std::size_t> firstLineOffChart(platform::Database& db, const std::vector<SubTranRow>& lines)
{
    platform::Statement st(db, "SELECT 1 FROM AccLevel3 WHERE AccCode = ?");
    std::unordered_set<std::int64_t> inChart;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& code = lines[i].accCode;
        if (!code || inChart.contains(*code))
            continue;
        st.reset();
        st.bind(1, *code);
        if (!st.step())
            return i;
        inChart.insert(*code);
    }
    return std::nullopt;
}

} // namespace accounts
