// Day-book queries.
#include "ledgers/day_book_store.h"

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {

// A day's vouchers come from Transactions (FYID, TranDate), their lines by
// SubTransactions (TranNo, Serial). Within a voucher the debit lines come
// first, larger first, then the credit lines, larger first; the serial makes
// the order the same at every read.
constexpr const char* kDay =
    "SELECT t.TranNo, t.TranDate, t.TranType, k.Name || ' No. ' || t.DocNo, k.Short || ' ' || t.DocNo AS RefShort,"
    " s.AccCode, COALESCE(s.AccName, ''), COALESCE(s.\"Desc\", ''), COALESCE(s.Debit, 0) AS Dr,"
    " COALESCE(s.Credit, 0) AS Cr, s.Serial"
    " FROM Transactions t"
    " JOIN TranType k ON k.TranType = t.TranType"
    " JOIN SubTransactions s ON s.TranNo = t.TranNo"
    " WHERE t.FYID = ?1 AND t.TranDate = ?2 AND t.Cancel = 0"
    " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " ORDER BY RefShort, Dr DESC, Cr DESC, s.Serial";

// Days whose lines all went again keep a row of zeros: they are no day of the list.
constexpr const char* kDays =
    "SELECT Day, Lines, Debits, Credits FROM DayBookDays"
    " WHERE FYID = ?1 AND Day BETWEEN ?2 AND ?3 AND Lines > 0 ORDER BY Day";

void readDay(platform::Statement& st, const std::function<void(const DayBookLine&)>& visit)
{
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
        line.serial = st.columnInt64(10);
        visit(line);
    }
}

} // namespace

std::vector<DayBookDay> dayBookDays(platform::Database& db, int fyId, const QDate& from, const QDate& to)
{
    std::vector<DayBookDay> days;
    platform::Statement st(db, kDays);
    st.bindAll({fyId, platform::isoDate(from), platform::isoDate(to)});
    while (st.step())
        days.push_back({st.column(0).toText(), st.columnInt64(1), platform::Money::fromCents(st.columnInt64(2)),
                        platform::Money::fromCents(st.columnInt64(3))});
    return days;
}

std::vector<DayBookLine> readDayBookDay(platform::Database& db, int fyId, const std::string& isoDay)
{
    std::vector<DayBookLine> lines;
    platform::Statement st(db, kDay);
    st.bindAll({fyId, isoDay});
    readDay(st, [&lines](const DayBookLine& l) { lines.push_back(l); });
    return lines;
}

void readDayBook(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                 const std::function<void(const DayBookLine&)>& visit)
{
    platform::Statement st(db, kDay);
    for (const DayBookDay& d : dayBookDays(db, fyId, from, to)) {
        st.reset();
        st.bindAll({fyId, d.day});
        readDay(st, visit);
    }
}

platform::Recordset dayBookRows(platform::Database& db, int fyId, const QDate& from, const QDate& to)
{
    std::vector<platform::Recordset::Row> rows;
    readDayBook(db, fyId, from, to, [&](const DayBookLine& l) {
        rows.push_back({l.tranNo, l.tranDate, l.tranType, l.tranRefShort, l.accCode, l.accName, l.desc,
                        l.debit.cents(), l.credit.cents()});
    });
    return platform::Recordset::fromRows({"TranNo", "TranDate", "TranType", "TranRefShort", "AccCode", "AccName",
                                          "Desc", "Debit", "Credit"},
                                         std::move(rows));
}

} // namespace ledgers
