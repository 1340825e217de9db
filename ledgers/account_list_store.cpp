// The type-ahead query.
#include "ledgers/account_list_store.h"

#include "ledgers/account_code_rules.h"
#include "platform/data/database.h"

namespace ledgers {
namespace {

// AccLevel3 has a few thousand rows: a scan per key is a few milliseconds, and
// no index serves a match anywhere inside the text.
constexpr const char* kAll = "SELECT AccCode, AccName FROM AccLevel3 ORDER BY AccCode";
constexpr const char* kMatching =
    "SELECT AccCode, AccName FROM AccLevel3"
    " WHERE (AccCode || '  ' || COALESCE(AccName, '')) LIKE ? ESCAPE '\\'"
    " ORDER BY AccCode";

} // namespace

std::vector<AccountEntry> accountsMatching(platform::Database& db, std::string_view typed)
{
    platform::Statement st(db, typed.empty() ? kAll : kMatching);
    if (!typed.empty())
        st.bind(1, containsPattern(typed));
    std::vector<AccountEntry> rows;
    while (st.step())
        rows.push_back({st.columnInt64(0), st.column(1).toText()});
    return rows;
}

} // namespace ledgers
