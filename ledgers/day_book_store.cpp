// Day-book query.
#include "ledgers/day_book_store.h"

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {

// The year's vouchers of the period come from Transactions (FYID, TranDate),
// their lines by SubTransactions (TranNo, ...). Within a voucher the debit
// lines come first, larger first, then the credit lines, larger first.
constexpr const char* kDayBook =
    "SELECT t.TranNo, t.TranDate, t.TranType, k.Name || ' No. ' || t.DocNo, k.Short || ' ' || t.DocNo AS RefShort,"
    " s.AccCode, COALESCE(s.AccName, ''), COALESCE(s.\"Desc\", ''), COALESCE(s.Debit, 0) AS Dr,"
    " COALESCE(s.Credit, 0) AS Cr"
    " FROM Transactions t"
    " JOIN TranType k ON k.TranType = t.TranType"
    " JOIN SubTransactions s ON s.TranNo = t.TranNo"
    " WHERE t.FYID = ?1 AND t.TranDate BETWEEN ?2 AND ?3 AND t.Cancel = 0"
    " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " ORDER BY t.TranDate, RefShort, Dr DESC, Cr DESC";

} // namespace

void readDayBook(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                 const std::function<void(const DayBookLine&)>& visit)
{
    platform::Statement st(db, kDayBook);
    st.bindAll({fyId, platform::isoDate(from), platform::isoDate(to)});
    DayBookLine line;
    while (st.step()) {
        line.tranNo = st.columnInt64(0);
        line.tranDate = st.column(1).toText();
        line.tranType = static_cast<int>(st.columnInt64(2));
        line.tranRefLong = st.column(3).toText();
        line.tranRefShort = st.column(4).toText();
        line.accCode = st.columnInt64(5);
        line.accName = st.column(6).toText();
        line.desc = st.column(7).toText();
        line.debit = platform::Money::fromCents(st.columnInt64(8));
        line.credit = platform::Money::fromCents(st.columnInt64(9));
        visit(line);
    }
}

} // namespace ledgers
