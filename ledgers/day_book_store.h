// The day book's queries: every line with an amount of the vouchers of a year
// dated in a period that are not cancelled, posted or not, in the order the
// day book lists and prints them; and the count and sums of those lines per
// day, which the database keeps (db/day_book.sql), so that a year's list is
// read one day at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QDate>

#include "platform/data/recordset.h"
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

// The lines of readDayBook as the printed day book reads them (GJQry): one row
// per line with the columns TranNo, TranDate, TranType, TranRefShort, AccCode,
// AccName, Desc, Debit and Credit (cents). The window shows the long reference
// from its own rows, and the year and cancel flag are those asked for, so a
// year of lines is held without them. Throws platform::DbError.
platform::Recordset dayBookRows(platform::Database& db, int fyId, const QDate& from, const QDate& to);

} // namespace ledgers
