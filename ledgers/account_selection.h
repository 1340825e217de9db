// Which accounts a report over many accounts covers (all, a main type, a sub
// type or a code range), and the main types and sub types a window offers for
// the choice. Shared by the multi-ledger print and the trial balance.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform { class Database; class Statement; }

namespace ledgers {

struct AccountSelection {
    enum class Kind { All, MainType, SubType, Range };
    Kind kind = Kind::All;
    std::int64_t id = 0;         // TypeID for MainType, Level2ID for SubType
    std::int64_t fromCode = 0;   // Range, both ends included
    std::int64_t toCode = 0;

    static AccountSelection all() { return {}; }
    static AccountSelection mainType(std::int64_t typeId) { return {Kind::MainType, typeId, 0, 0}; }
    static AccountSelection subType(std::int64_t level2Id) { return {Kind::SubType, level2Id, 0, 0}; }
    static AccountSelection range(std::int64_t from, std::int64_t to) { return {Kind::Range, 0, from, to}; }
};

struct MainTypeEntry {
    std::int64_t typeId = 0;
    std::string text;   // the type's name, " (", its nature's heading, ")"
};
struct SubTypeEntry {
    std::int64_t level2Id = 0;
    std::string name;
};

// The WHERE clause that keeps the selected accounts of AccLevel3 `a`, with its
// values as ?10 (and ?11 for a range); `allAccounts` is the clause for
// Kind::All, which each report words for itself.
const char* selectionClause(AccountSelection::Kind kind, const char* allAccounts);
// Binds the selection's values to ?10/?11 of a statement built with selectionClause.
void bindSelection(platform::Statement& st, const AccountSelection& selection);

// Every main type with a nature, ordered by its text. Throws platform::DbError.
std::vector<MainTypeEntry> mainTypes(platform::Database& db);
// The sub types of main type `typeId`, by name. Throws platform::DbError.
std::vector<SubTypeEntry> subTypesOf(platform::Database& db, std::int64_t typeId);

} // namespace ledgers
