// Print-layout flags as BusinessInfo's yes/no columns PV ... GJV (0 or 1).
#include "vouchers/print_layout_store.h"

#include <cassert>
#include <string>

#include "platform/data/database.h"
#include "vouchers/voucher_printing.h"

namespace vouchers {
namespace {

// "PV, PRV, ..." or "PV = ?, PRV = ?, ...": the column names come from the
// table of flags, never from input.
std::string columnList(const char* suffix)
{
    std::string out;
    for (const auto& f : printLayoutFlags()) {
        if (!out.empty())
            out += ", ";
        out += f.column;
        out += suffix;
    }
    return out;
}

} // namespace

PrintLayouts loadPrintLayouts(platform::Database& db)
{
    PrintLayouts layouts{};
    assert(printLayoutFlags().size() == layouts.size());
    platform::Statement st(db, "SELECT " + columnList("") + " FROM BusinessInfo ORDER BY rowid LIMIT 1");
    if (st.step())
        for (std::size_t i = 0; i < layouts.size(); ++i)
            layouts[i] = st.columnInt64(static_cast<int>(i)) != 0;   // null reads as no
    return layouts;
}

bool storePrintLayouts(platform::Transaction& tx, const PrintLayouts& layouts)
{
    platform::Params values;
    for (const bool on : layouts)
        values.emplace_back(on ? 1 : 0);
    return tx.db().exec("UPDATE BusinessInfo SET " + columnList(" = ?")
                       + " WHERE rowid = (SELECT MIN(rowid) FROM BusinessInfo)",
                   values)
           > 0;
}

} // namespace vouchers
