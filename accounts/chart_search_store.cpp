// Chart search SQL.
#include "accounts/chart_search_store.h"

#include "platform/data/database.h"

namespace accounts {

std::vector<ChartSearchRow> loadChartSearch(platform::Database& db)
{
    // A missing name must not blank the whole column: the code alone still finds it.
    platform::Statement st(db,
                           "SELECT a3.AccCode, a3.AccCode || '  ' || COALESCE(a3.AccName, ''),"
                           " a1.TypeID, a1.TypeID || '  ' || COALESCE(a1.Type, ''),"
                           " a2.Level2ID, a2.Level2ID || '  ' || COALESCE(a2.L2AccName, '')"
                           " FROM (AccLevel1 AS a1 INNER JOIN AccLevel2 AS a2 ON a1.TypeID = a2.TypeID)"
                           " INNER JOIN AccLevel3 AS a3 ON a2.Level2ID = a3.Level2ID"
                           " ORDER BY a3.AccCode");
    std::vector<ChartSearchRow> rows;
    auto text = [&st](int column) { return QString::fromStdString(st.column(column).toText()); };
    while (st.step())
        rows.push_back({st.columnInt64(0), text(1), st.columnInt64(2), text(3), st.columnInt64(4), text(5)});
    return rows;
}

} // namespace accounts
