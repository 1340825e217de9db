// The chart search's SQL: every account that has both a sub type and a main
// type, with their codes and names, for the search window to filter in memory.
#pragma once

#include <vector>

#include "accounts/chart_search_rules.h"

namespace platform { class Database; }

namespace accounts {

// Every account joined to its sub type (by Level2ID) and that sub type's main
// type (by TypeID), by account code; an account whose sub type or main type
// row is missing is left out. Throws platform::DbError.
std::vector<ChartSearchRow> loadChartSearch(platform::Database& db);

} // namespace accounts
