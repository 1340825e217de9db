// Reading and writing the operator columns of userrights.
#include "main/rights_sheet.h"

#include "main/rights.h"
#include "platform/data/database.h"

namespace app {

void RightsSheet::load(platform::Database& db)
{
    std::string sql = "SELECT RightID, RightType";
    for (int user = 2; user <= kOperatorColumns + 1; ++user)
        sql += ", " + *operatorColumn(user);
    sql += " FROM userrights ORDER BY RightID";
    std::vector<RightsRow> rows;
    platform::Statement st(db, sql);
    while (st.step()) {
        RightsRow r;
        r.rightId = static_cast<int>(st.columnInt64(0));
        r.rightType = st.column(1).toText();
        for (int k = 0; k < kOperatorColumns; ++k)
            r.refused[static_cast<std::size_t>(k)] = st.column(2 + k).toInt() == 1;   // null allows
        rows.push_back(std::move(r));
    }
    m_rows = rows;
    m_stored = std::move(rows);
}

bool RightsSheet::toggle(std::size_t row, int userId)
{
    if (row >= m_rows.size() || !operatorColumn(userId))
        return false;
    auto& cell = m_rows[row].refused[static_cast<std::size_t>(userId - 2)];
    cell = !cell;
    return true;
}

std::vector<RightChange> RightsSheet::changes() const
{
    std::vector<RightChange> out;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        for (std::size_t k = 0; k < m_rows[i].refused.size(); ++k)
            if (m_rows[i].refused[k] != m_stored[i].refused[k])
                out.push_back({m_rows[i].rightId, static_cast<int>(k) + 2, m_rows[i].refused[k]});
    return out;
}

void RightsSheet::save(platform::Transaction& tx) const
{
    for (const RightChange& c : changes()) {
        // The column name comes from the fixed list, never from input.
        tx.db().exec("UPDATE userrights SET " + *operatorColumn(c.userId) + " = ? WHERE RightID = ?",
                     {c.refused ? 1 : 0, c.rightId});
    }
}

} // namespace app
