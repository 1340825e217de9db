// The day book's queries: every line with an amount of the vouchers of a year
// dated in a period that are not cancelled, posted or not, in the order the
// day book lists and prints them; and the count and sums of those lines per
// day, which the database keeps (db/day_book.sql), so that a year's list is
// read one day at a time and its print a slice of lines at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDate>

#include "platform/data/hierarchy.h"
#include "platform/report/engine.h"
#include "platform/text/money.h"

namespace platform { class Database; }

namespace ledgers {

struct DayBookLine {
    std::int64_t tranNo = 0;
    std::string tranDate;        // ISO
    int tranType = 0;
    std::string tranRefLong;     // the kind's name, " No. ", the document number
    std::string tranRefShort;    // the kind's short name, a blank, the document number
    std::int64_t accCode = 0;
    std::string accName;
    std::string desc;
    platform::Money debit;       // null reads as 0
    platform::Money credit;
    std::int64_t serial = 0;
};

// Hands each line of the vouchers of year `fyId` dated `from` to `to` (both
// included) that are not cancelled and whose debit or credit is not zero to
// `visit`, ordered by date, then by the short reference compared as text, then
// debit lines before credit lines, larger amounts first, then by the line's
// serial. Reads a day at a time (the days of dayBookDays). Throws platform::DbError.
void readDayBook(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                 const std::function<void(const DayBookLine&)>& visit);

// The same lines of one day `isoDay`, in the same order. Throws platform::DbError.
std::vector<DayBookLine> readDayBookDay(platform::Database& db, int fyId, const std::string& isoDay);

struct DayBookDay {
    std::string day;             // ISO
    std::int64_t lines = 0;
    platform::Money debits;
    platform::Money credits;
    friend bool operator==(const DayBookDay&, const DayBookDay&) = default;
};

// The days of year `fyId` from `from` to `to` (both included) on which the day
// book lists at least one line, in date order, with the count and sums of
// their lines. Empty when `from` lies after `to`. Throws platform::DbError.
std::vector<DayBookDay> dayBookDays(platform::Database& db, int fyId, const QDate& from, const QDate& to);

struct DayBookTotals {
    platform::Money debits;
    platform::Money credits;
    friend bool operator==(const DayBookTotals&, const DayBookTotals&) = default;
};

// The sums of `days`' debits and credits. Throws std::overflow_error when a
// sum does not fit.
DayBookTotals totalsOf(const std::vector<DayBookDay>& days);

// `lines` as the printed day book reads them (GJQry): one level of one row per
// line with the columns TranNo, TranDate, TranType, TranRefShort, AccCode,
// AccName, Desc, Debit and Credit (cents). The window shows the long reference
// from its own rows, and the year and cancel flag are those asked for, so the
// rows are held without them.
platform::Hierarchy dayBookRows(const std::vector<DayBookLine>& lines);

// The printed day book's rows (GJQry) read a slice of lines at a time, in the
// order of readDayBook, so that a print holds a few slices, not the period:
// the days and their sums are read when the slices are made, a slice's lines
// (which may start or end within a day) when the slice is read. The totals are
// the days' sums, so they are exact whatever the number of slices. Nothing is
// written while a print's preview is open (it is modal), so a slice read
// again holds the rows it held.
class DayBookSlices : public report::SlicedData {
public:
    static constexpr std::size_t kLinesPerSlice = 4000;

    // The lines of year `fyId` from `from` to `to` (both included; none when
    // `from` lies after `to`) on `db`, which must outlive the slices. Reads the
    // days only. Throws platform::DbError, and std::overflow_error when a sum
    // does not fit.
    DayBookSlices(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                  std::size_t linesPerSlice = kLinesPerSlice);

    std::int64_t lineCount() const { return m_firstLine.back(); }
    const DayBookTotals& totals() const { return m_totals; }
    std::size_t sliceCount() const override;
    // The lines of slice `index`, as readDayBook hands them over. Throws
    // platform::DbError.
    std::vector<DayBookLine> lines(std::size_t index) const;
    // The same as rows (dayBookRows).
    std::shared_ptr<const platform::Hierarchy> slice(std::size_t index) const override;

private:
    platform::Database& m_db;
    int m_fyId;
    std::int64_t m_perSlice;
    std::vector<DayBookDay> m_days;
    std::vector<std::int64_t> m_firstLine;   // of each day; one more entry: the line count
    DayBookTotals m_totals;
};

} // namespace ledgers
