// The main types and sub types offered for a selection.
#include "ledgers/account_selection.h"

#include "platform/data/database.h"

namespace ledgers {
namespace {

constexpr const char* kMainTypes =
    "SELECT COALESCE(l.Type, '') || ' (' || n.AccNatureTop || ')' AS MainType, l.TypeID"
    " FROM FSNature n JOIN AccLevel1 l ON n.NatureID = l.NatureID"
    " ORDER BY MainType";

constexpr const char* kSubTypes =
    "SELECT Level2ID, COALESCE(L2AccName, '') FROM AccLevel2 WHERE TypeID = ? ORDER BY L2AccName";

} // namespace

std::vector<MainTypeEntry> mainTypes(platform::Database& db)
{
    platform::Statement st(db, kMainTypes);
    std::vector<MainTypeEntry> rows;
    while (st.step())
        rows.push_back({st.columnInt64(1), st.column(0).toText()});
    return rows;
}

std::vector<SubTypeEntry> subTypesOf(platform::Database& db, std::int64_t typeId)
{
    platform::Statement st(db, kSubTypes);
    st.bind(1, typeId);
    std::vector<SubTypeEntry> rows;
    while (st.step())
        rows.push_back({st.columnInt64(0), st.column(1).toText()});
    return rows;
}

} // namespace ledgers
