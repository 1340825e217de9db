// Trial-balance queries.
#include "statements/trial_balance_store.h"

#include <string>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace statements {
namespace {

using platform::Money;

// The balance of every account at a cut date (its counted lines dated before
// the cut) is read from the month totals for the whole months before the cut,
// and from the lines only for the month the cut falls in: the days before the
// cut are added, or, past the middle of the month, the days from the cut on
// are taken off that whole month. So the work follows the accounts and at most
// half a month of lines, not the year's lines.
//
// Each part sums per account on its own, the month totals in key order without
// a sort; the parts meet in a sum over at most three rows per account. The
// days are read from the lines' own copies of their voucher's year, date and
// counting (SubTransactions_Days), as the ledger reads them. The voucher kind
// needs no test: TranType is a foreign key, so every voucher has a kind. Null
// amounts count as 0.
//
// ?1 year; ?2/?3 the month limits of the from and the to cut (months before
// them count whole); ?4..?6 and ?7..?9 the days of each cut's month that are
// read from the lines (from, to excluded) and their sign; ?10/?11 the selection.
constexpr const char* kSelect =
    "WITH"
    " months AS (SELECT AccCode,"
    "   SUM(CASE WHEN Month < ?2 THEN Debits ELSE 0 END) AS bDr,"
    "   SUM(CASE WHEN Month < ?2 THEN Credits ELSE 0 END) AS bCr,"
    "   SUM(CASE WHEN Month < ?3 THEN Debits ELSE 0 END) AS uDr,"
    "   SUM(CASE WHEN Month < ?3 THEN Credits ELSE 0 END) AS uCr"
    "  FROM AccountMonths WHERE FYID = ?1 AND Month < max(?2, ?3) GROUP BY AccCode),"
    " fromDays AS (SELECT s.AccCode,"
    "   ?6 * SUM(COALESCE(s.Debit, 0)) AS bDr, ?6 * SUM(COALESCE(s.Credit, 0)) AS bCr, 0 AS uDr, 0 AS uCr"
    "  FROM SubTransactions s INDEXED BY SubTransactions_Days"
    "  WHERE s.VoucherYear = ?1 AND s.Counted = 1 AND s.VoucherDate >= ?4 AND s.VoucherDate < ?5"
    "  GROUP BY s.AccCode),"
    " toDays AS (SELECT s.AccCode,"
    "   0 AS bDr, 0 AS bCr, ?9 * SUM(COALESCE(s.Debit, 0)) AS uDr, ?9 * SUM(COALESCE(s.Credit, 0)) AS uCr"
    "  FROM SubTransactions s INDEXED BY SubTransactions_Days"
    "  WHERE s.VoucherYear = ?1 AND s.Counted = 1 AND s.VoucherDate >= ?7 AND s.VoucherDate < ?8"
    "  GROUP BY s.AccCode),"
    " cuts AS (SELECT AccCode, SUM(bDr) AS bDr, SUM(bCr) AS bCr, SUM(uDr) AS uDr, SUM(uCr) AS uCr FROM ("
    "   SELECT * FROM months UNION ALL SELECT * FROM fromDays UNION ALL SELECT * FROM toDays)"
    "  GROUP BY AccCode)"
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

std::string monthOf(const QDate& day)
{
    return platform::isoDate(day).substr(0, 7);
}

// How the balance at `cut` (lines dated before it) is read: months before
// `monthLimit` whole, plus `sign` times the lines dated from `daysFrom` to
// before `daysTo`.
struct Cut {
    std::string monthLimit;
    std::string daysFrom;
    std::string daysTo;
    int sign = 1;
};

Cut cutAt(const QDate& cut)
{
    const QDate monthStart(cut.year(), cut.month(), 1);
    const QDate nextMonth = monthStart.addMonths(1);
    if (cut.day() == 1)
        return {monthOf(cut), platform::isoDate(cut), platform::isoDate(cut), 1};
    if (cut.daysTo(nextMonth) >= monthStart.daysTo(cut))
        return {monthOf(cut), platform::isoDate(monthStart), platform::isoDate(cut), 1};
    return {monthOf(nextMonth), platform::isoDate(cut), platform::isoDate(nextMonth), -1};
}

} // namespace

TrialBalance trialBalance(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                          const AccountSelection& selection)
{
    const Cut before = cutAt(from);
    const Cut through = cutAt(to.addDays(1));
    platform::Statement st(db, std::string(kSelect) + selectionClause(selection.kind) + kTail);
    st.bind(1, fyId).bind(2, before.monthLimit).bind(3, through.monthLimit);
    st.bind(4, before.daysFrom).bind(5, before.daysTo).bind(6, before.sign);
    st.bind(7, through.daysFrom).bind(8, through.daysTo).bind(9, through.sign);
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
