// The chart editor's SQL: the lists of the three levels and the natures, the
// look-ups its checks need, and the one-row writes of AccLevel1/2/3; and whether
// the lines of a voucher grid still name accounts of the chart. Every value
// is bound; the checks themselves live in chart_rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "accounts/line_grid_rules.h"
#include "platform/data/hierarchy.h"
#include "platform/data/recordset.h"

namespace platform {
class Database;
class Transaction;
}

namespace accounts {

struct MainTypeRow {
    std::int64_t typeId = 0;
    std::string name;
    std::int64_t natureId = 0;
};

struct SubTypeRow {
    std::int64_t level2Id = 0;
    std::string name;
    std::int64_t typeId = 0;
};

struct AccountRow {
    std::int64_t accCode = 0;
    std::string name;
    std::int64_t level1Id = 0;
    std::int64_t level2Id = 0;
};

// --- lists (all throw platform::DbError) ---

// Every main type (TypeID, Type, NatureID) by code.
platform::Recordset openMainTypes(platform::Database& db);
// The sub types of main type `typeId` (every column of AccLevel2) by code.
platform::Recordset openSubTypes(platform::Database& db, std::int64_t typeId);
// The accounts of sub type `level2Id` (every column of AccLevel3) by code.
platform::Recordset openAccounts(platform::Database& db, std::int64_t level2Id);
// Every nature (every column of FSNature) by NatureID.
platform::Recordset openNatures(platform::Database& db);

// Which part of the chart a print covers, by the index of its "Chart" button:
// the whole chart, one main type with all its sub types and their accounts,
// or one sub type with its accounts under its main type.
enum class ChartPrint { Whole = 0, MainType = 1, SubType = 2 };

// The chart as printed (CARst): main types (every column of AccLevel1) at the
// top, their sub types as "level2" (every column of AccLevel2, related by
// TypeID) and the sub types' accounts as "level3" (every column of AccLevel3,
// related by Level2ID), each level by code. `mainType` chooses the main type
// of the MainType and SubType parts, `subType` the sub type of the SubType
// part; the whole chart uses neither. Throws platform::DbError.
platform::Hierarchy openChartPrint(platform::Database& db, ChartPrint part, std::int64_t mainType,
                                   std::int64_t subType);

// --- look-ups (all throw platform::DbError) ---

// The highest main-type code of nature `natureId`, or nothing when it has none.
std::optional<std::int64_t> highestMainType(platform::Database& db, std::int64_t natureId);
// The highest sub-type code of main type `typeId`, or nothing when it has none.
std::optional<std::int64_t> highestSubType(platform::Database& db, std::int64_t typeId);
// The highest account code of sub type `level2Id`, or nothing when it has none.
std::optional<std::int64_t> highestAccount(platform::Database& db, std::int64_t level2Id);
// True when a main type with code `typeId` is stored.
bool mainTypeExists(platform::Database& db, std::int64_t typeId);
// True when main type `typeId` has sub types.
bool hasSubTypes(platform::Database& db, std::int64_t typeId);
// True when sub type `level2Id` has accounts.
bool hasAccounts(platform::Database& db, std::int64_t level2Id);
// True when any voucher line uses account `accCode`: any voucher of any year,
// posted or not, cancelled or not, the opening balances included.
bool hasVoucherLines(platform::Database& db, std::int64_t accCode);

// --- writes (all throw platform::DbError; a broken key is a constraint error) ---

// Adds a main type.
void insertMainType(platform::Transaction& tx, const MainTypeRow& row);
// Gives main type `typeId` the name `name`; code and nature stay.
void renameMainType(platform::Transaction& tx, std::int64_t typeId, const std::string& name);
// Deletes main type `typeId`; refused by the database while rows refer to it.
void deleteMainType(platform::Transaction& tx, std::int64_t typeId);

// Adds a sub type.
void insertSubType(platform::Transaction& tx, const SubTypeRow& row);
// Writes name and main type of the stored sub type `row.level2Id`.
void updateSubType(platform::Transaction& tx, const SubTypeRow& row);
// Deletes sub type `level2Id`; refused by the database while accounts refer to it.
void deleteSubType(platform::Transaction& tx, std::int64_t level2Id);

// Adds an account.
void insertAccount(platform::Transaction& tx, const AccountRow& row);
// Writes name and both parents of the stored account `row.accCode`.
void updateAccount(platform::Transaction& tx, const AccountRow& row);
// Deletes account `accCode`; refused by the database while voucher lines use it.
void deleteAccount(platform::Transaction& tx, std::int64_t accCode);

// The first of `lines` (in their order) whose account code the chart
// (AccLevel3) no longer holds, as it may after an account was deleted while
// the lines were typed; nothing when every line's account is there. Lines
// without an account are passed over. Throws platform::DbError.
std::optional<std::size_t> firstLineOffChart(platform::Database& db, const std::vector<SubTranRow>& lines);

} // namespace accounts
