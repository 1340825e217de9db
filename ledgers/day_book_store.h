// The day book's query: every line with an amount of the vouchers of a year
// dated in a period that are not cancelled, posted or not, in the order the
// day book lists and prints them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QDate>

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
};

// Hands each line of the vouchers of year `fyId` dated `from` to `to` (both
// included) that are not cancelled and whose debit or credit is not zero to
// `visit`, ordered by date, then by the short reference compared as text, then
// debit lines before credit lines, larger amounts first. Throws platform::DbError.
void readDayBook(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                 const std::function<void(const DayBookLine&)>& visit);

} // namespace ledgers
