// Day-book queries.
#include "ledgers/day_book_store.h"

#include <algorithm>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {

// A day's vouchers come from Transactions (FYID, TranDate), their lines by
// SubTransactions (TranNo, Serial). Within a voucher the debit lines come
// first, larger first, then the credit lines, larger first; the serial makes
// the order the same at every read, so a slice of a day read with LIMIT and
// OFFSET (a LIMIT of -1 is none) holds the same lines at every read.
constexpr const char* kDay =
    "SELECT t.TranNo, t.TranDate, t.TranType, k.Name || ' No. ' || t.DocNo, k.Short || ' ' || t.DocNo AS RefShort,"
    " s.AccCode, COALESCE(s.AccName, ''), COALESCE(s.\"Desc\", ''), COALESCE(s.Debit, 0) AS Dr,"
    " COALESCE(s.Credit, 0) AS Cr, s.Serial"
    " FROM Transactions t"
    " JOIN TranType k ON k.TranType = t.TranType"
    " JOIN SubTransactions s ON s.TranNo = t.TranNo"
    " WHERE t.FYID = ?1 AND t.TranDate = ?2 AND t.Cancel = 0"
    " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " ORDER BY RefShort, Dr DESC, Cr DESC, s.Serial LIMIT ?3 OFFSET ?4";

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
    st.bindAll({fyId, isoDay, -1, 0});
    readDay(st, [&lines](const DayBookLine& l) { lines.push_back(l); });
    return lines;
}

void readDayBook(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                 const std::function<void(const DayBookLine&)>& visit)
{
    platform::Statement st(db, kDay);
    for (const DayBookDay& d : dayBookDays(db, fyId, from, to)) {
        st.reset();
        st.bindAll({fyId, d.day, -1, 0});
        readDay(st, visit);
    }
}

DayBookTotals totalsOf(const std::vector<DayBookDay>& days)
{
    DayBookTotals totals;
    for (const DayBookDay& d : days) {
        totals.debits += d.debits;
        totals.credits += d.credits;
    }
    return totals;
}

platform::Hierarchy dayBookRows(const std::vector<DayBookLine>& lines)
{
    std::vector<platform::Recordset::Row> rows;
    rows.reserve(lines.size());
    for (const DayBookLine& l : lines)
        rows.push_back({l.tranNo, l.tranDate, l.tranType, l.tranRefShort, l.accCode, l.accName, l.desc,
                        l.debit.cents(), l.credit.cents()});
    std::vector<platform::LevelRows> level;
    level.push_back({"", platform::Recordset::fromRows({"TranNo", "TranDate", "TranType", "TranRefShort", "AccCode",
                                                         "AccName", "Desc", "Debit", "Credit"},
                                                        std::move(rows)),
                     "", ""});
    return platform::Hierarchy::fromRows(std::move(level));
}

DayBookSlices::DayBookSlices(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                             std::size_t linesPerSlice)
    : m_db{db}, m_fyId{fyId}, m_perSlice{static_cast<std::int64_t>(std::max<std::size_t>(1, linesPerSlice))},
      m_days{dayBookDays(db, fyId, from, to)}, m_totals{totalsOf(m_days)}
{
    m_firstLine.reserve(m_days.size() + 1);
    m_firstLine.push_back(0);
    for (const DayBookDay& d : m_days)
        m_firstLine.push_back(m_firstLine.back() + d.lines);
}

std::size_t DayBookSlices::sliceCount() const
{
    return std::max<std::size_t>(1, static_cast<std::size_t>((lineCount() + m_perSlice - 1) / m_perSlice));
}

std::vector<DayBookLine> DayBookSlices::lines(std::size_t index) const
{
    const std::int64_t from = std::min(lineCount(), static_cast<std::int64_t>(index) * m_perSlice);
    const std::int64_t to = std::min(lineCount(), from + m_perSlice);
    std::vector<DayBookLine> lines;
    lines.reserve(static_cast<std::size_t>(to - from));
    platform::Statement st(m_db, kDay);
    // The first day holding line `from`, then each day up to line `to`, each
    // read from where the slice starts in it to where the slice ends in it.
    auto day = static_cast<std::size_t>(std::upper_bound(m_firstLine.begin(), m_firstLine.end(), from)
                                        - m_firstLine.begin() - 1);
    for (; day < m_days.size() && m_firstLine[day] < to; ++day) {
        const std::int64_t skip = std::max(from, m_firstLine[day]) - m_firstLine[day];
        const std::int64_t take = std::min(to, m_firstLine[day + 1]) - m_firstLine[day] - skip;
        st.reset();
        st.bindAll({m_fyId, m_days[day].day, take, skip});
        readDay(st, [&lines](const DayBookLine& l) { lines.push_back(l); });
    }
    return lines;
}

std::shared_ptr<const platform::Hierarchy> DayBookSlices::slice(std::size_t index) const
{
    return std::make_shared<const platform::Hierarchy>(dayBookRows(lines(index)));
}

} // namespace ledgers
