// The cuts and the common table that reads balances at them.
#include "statements/month_cuts.h"

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace statements {
namespace {

std::string monthOf(const QDate& day)
{
    return platform::isoDate(day).substr(0, 7);
}

} // namespace

// Each part sums per account on its own, the month totals in key order without
// a sort; the parts meet in a sum over at most three rows per account. The
// days are read from the lines' own copies of their voucher's year, date and
// counting (SubTransactions_Days), as the ledger reads them. The voucher kind
// needs no test: TranType is a foreign key, so every voucher has a kind. Null
// amounts count as 0.
//
// ?1 year; ?2/?3 the month limits of the first and the second cut (months
// before them count whole); ?4..?6 and ?7..?9 the days of each cut's month that
// are read from the lines (from, to excluded) and their sign.
const char* const kCutsTable =
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
    "  GROUP BY AccCode)";

Cut cutAt(const QDate& day)
{
    const QDate monthStart(day.year(), day.month(), 1);
    const QDate nextMonth = monthStart.addMonths(1);
    if (day.day() == 1)
        return {monthOf(day), platform::isoDate(day), platform::isoDate(day), 1};
    if (day.daysTo(nextMonth) >= monthStart.daysTo(day))
        return {monthOf(day), platform::isoDate(monthStart), platform::isoDate(day), 1};
    return {monthOf(nextMonth), platform::isoDate(day), platform::isoDate(nextMonth), -1};
}

Cut cutBeforeAll()
{
    // No month is below "" and no date lies in ["", "").
    return {std::string(), std::string(), std::string(), 1};
}

void bindCuts(platform::Statement& st, int fyId, const Cut& first, const Cut& second)
{
    st.bind(1, fyId).bind(2, first.monthLimit).bind(3, second.monthLimit);
    st.bind(4, first.daysFrom).bind(5, first.daysTo).bind(6, first.sign);
    st.bind(7, second.daysFrom).bind(8, second.daysTo).bind(9, second.sign);
}

} // namespace statements
