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

const char* selectionClause(AccountSelection::Kind kind)
{
    switch (kind) {
    case AccountSelection::Kind::All: return "a.Level1ID > 0";
    case AccountSelection::Kind::MainType: return "a.Level1ID = ?10";
    case AccountSelection::Kind::SubType: return "a.Level2ID = ?10";
    case AccountSelection::Kind::Range: return "a.AccCode BETWEEN ?10 AND ?11";
    }
    return "0";
}

} // namespace

TrialBalance trialBalance(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                          const AccountSelection& selection)
{
    platform::Statement st(db, std::string(kCutsTable) + kSelect + selectionClause(selection.kind) + kTail);
    bindCuts(st, fyId, cutAt(from), cutAt(to.addDays(1)));
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
