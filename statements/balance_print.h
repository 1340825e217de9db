// The rows the printed trial balances read (PrintBalances), made from one run
// of the trial balance: grouped by main type and sub type, or flat for a code
// range, in six or two columns, with the totals of the accounts printed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/data/hierarchy.h"
#include "statements/trial_balance_rules.h"
#include "statements/trial_balance_store.h"

namespace platform { class Database; }

namespace statements {

// The chart's groups that have accounts: main types by TypeID, sub types by Level2ID.
struct ChartGroups {
    struct MainType {
        std::int64_t typeId = 0;
        std::string type;
    };
    struct SubType {
        std::int64_t level2Id = 0;
        std::string name;
        std::int64_t typeId = 0;
    };
    std::vector<MainType> mainTypes;
    std::vector<SubType> subTypes;
};
// Reads them. Throws platform::DbError.
ChartGroups chartGroups(platform::Database& db);

enum class PrintColumns { Six, Two };

struct BalancePrint {
    platform::Hierarchy rows;   // what the report reads
    BalanceTotals totals;       // over the accounts the report prints
};

// The grouped rows of `tb` (a run for `selection`, which is not a range):
// top level the main types (TypeID, Type, TDiff, TBalance, TStatus), member
// "level2" their sub types (Level2ID, L2AccName, TypeID and the same sums),
// member "level3" the accounts under their sub type. For all accounts every
// main type and sub type that has accounts; for a main type that one alone with
// its sub types; for a sub type its main type and that sub type alone, the main
// type's sums covering that sub type only. The group sums are the closing
// balances of the accounts printed under the group. Six columns print the
// accounts of `tb` (AccCode, AccName, ODiff, OBalance, OStatus, Debits, Credits,
// CDiff, CBalance, CStatus, Level1ID, Level2ID), two columns those
// listedInTwoColumns (AccCode, AccName, Level1ID, Level2ID, Diff, Debits,
// Credits with one of them null, Debits2, Credits2 with 0 for null). Amounts in
// cents. Throws std::overflow_error when a sum does not fit.
BalancePrint groupedBalancePrint(const TrialBalance& tb, const ChartGroups& groups,
                                 const AccountSelection& selection, PrintColumns columns);

// The flat rows of `tb`, in code order: the accounts in six columns (the
// columns above less Level2ID), or those listedInTwoColumns in two (AccCode,
// AccName, Diff, Debits, Credits, Debits2, Credits2). Throws std::overflow_error.
BalancePrint rangeBalancePrint(const TrialBalance& tb, PrintColumns columns);

} // namespace statements
