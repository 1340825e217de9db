// The SQL of the trial balance: every account's opening, period and closing
// figures in one pass over the year's counted lines (those of posted,
// uncancelled vouchers of the year, as the ledger counts them), and the main
// types and sub types the window offers for a selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QDate>

#include "platform/text/money.h"
#include "statements/trial_balance_rules.h"

namespace platform { class Database; }

namespace statements {

// Which accounts a trial balance covers.
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

struct TrialBalance {
    // Accounts whose opening, period debits or period credits are not zero
    // (and so whose closing may be), by code. The two-column layout lists
    // those of them that listedInTwoColumns.
    std::vector<AccountFigures> rows;
    BalanceTotals totals;   // totalsOf(rows)
};

// The trial balance of year `fyId` for the period `from` to `to` (both
// included; the caller refuses a from date after the to date) over the
// accounts of `selection`. Opening figures are the counted lines dated before
// `from` (with `from` at the year's start: the opening-balance voucher).
// "All" covers the accounts with a main type (Level1ID above 0). Throws
// platform::DbError (also when a sum overflows).
TrialBalance trialBalance(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                          const AccountSelection& selection);

struct MainTypeEntry {
    std::int64_t typeId = 0;
    std::string text;   // the type's name, " (", its nature's heading, ")"
};
struct SubTypeEntry {
    std::int64_t level2Id = 0;
    std::string name;
};

// Every main type with a nature, ordered by its text. Throws platform::DbError.
std::vector<MainTypeEntry> mainTypes(platform::Database& db);
// The sub types of main type `typeId`, by name. Throws platform::DbError.
std::vector<SubTypeEntry> subTypesOf(platform::Database& db, std::int64_t typeId);

} // namespace statements
