// Trial-balance queries.
#include "statements/trial_balance_store.h"

#include <string>

#include "platform/data/database.h"
#include "statements/month_cuts.h"

namespace statements {
namespace {

using platform::Money;

// The balance of every account at a cut date is read from the month totals
// and at most half a month of lines (month_cuts.h): the opening at the from
// date and the closing after the to date, per account. ?10/?11 the selection.
constexpr const char* kSelect =
    " SELECT a.AccCode, COALESCE(a.AccName, ''), c.bDr - c.bCr, c.uDr - c.bDr, c.uCr - c.bCr, c.uDr - c.uCr,"
    "  COALESCE(a.Level1ID, 0), COALESCE(a.Level2ID, 0)"
    " FROM cuts c CROSS JOIN AccLevel3 a ON a.AccCode = c.AccCode"
    " WHERE (c.bDr <> c.bCr OR c.uDr <> c.bDr OR c.uCr <> c.bCr) AND ";
constexpr const char* kTail = " ORDER BY a.AccCode";

} // namespace

TrialBalance trialBalance(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                          const AccountSelection& selection)
{
    platform::Statement st(db, std::string(kCutsTable) + kSelect
                                   + ledgers::selectionClause(selection.kind, "a.Level1ID > 0") + kTail);
    bindCuts(st, fyId, cutAt(from), cutAt(to.addDays(1)));
    ledgers::bindSelection(st, selection);

    TrialBalance tb;
    while (st.step()) {
        AccountFigures f;
        f.accCode = st.columnInt64(0);
        f.accName = st.column(1).toText();
        f.opening = Money::fromCents(st.columnInt64(2));
        f.debits = Money::fromCents(st.columnInt64(3));
        f.credits = Money::fromCents(st.columnInt64(4));
        f.closing = Money::fromCents(st.columnInt64(5));
        f.level1Id = st.columnInt64(6);
        f.level2Id = st.columnInt64(7);
        tb.rows.push_back(std::move(f));
    }
    tb.totals = totalsOf(tb.rows);
    return tb;
}

} // namespace statements
