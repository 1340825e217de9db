// The SQL of a selection, and the main types and sub types offered for it.
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

const char* selectionClause(AccountSelection::Kind kind, const char* allAccounts)
{
    switch (kind) {
    case AccountSelection::Kind::All: return allAccounts;
    case AccountSelection::Kind::MainType: return "a.Level1ID = ?10";
    case AccountSelection::Kind::SubType: return "a.Level2ID = ?10";
    case AccountSelection::Kind::Range: return "a.AccCode BETWEEN ?10 AND ?11";
    }
    return "0";
}

void bindSelection(platform::Statement& st, const AccountSelection& selection)
{
    switch (selection.kind) {
    case AccountSelection::Kind::All:
        break;
    case AccountSelection::Kind::MainType:
    case AccountSelection::Kind::SubType:
        st.bind(10, selection.id);
        break;
    case AccountSelection::Kind::Range:
        st.bind(10, selection.fromCode).bind(11, selection.toCode);
        break;
    }
}

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
