// Fills a new database with the schema, the delivered rows, the administrator and
// the first financial year. The tables and reference rows themselves are the SQL
// files of this folder; this file adds only what depends on the day it runs.
#include "db/delivered.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/data/database.h"
#include "platform/data/password_hash.h"

namespace db {
namespace {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The value of the `count` digits of `text` starting at `pos`, or -1 when one is no digit.
int digitsAt(std::string_view text, std::size_t pos, std::size_t count)
{
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Exactly "YYYY-MM-DD", naming a real day. Throws std::invalid_argument.
Date parseDate(std::string_view text, std::string_view what)
{
    const auto fail = [&] {
        throw std::invalid_argument(std::string(what) + " \"" + std::string(text)
                                    + "\" is no date of the form YYYY-MM-DD.");
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        fail();
    const Date d{digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2)};
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > daysInMonth(d.year, d.month))
        fail();
    return d;
}

// "YYYY-MM-DD HH:MM:SS" with a real day and time. Throws std::invalid_argument.
void checkNow(std::string_view nowIso)
{
    const auto fail = [&] {
        throw std::invalid_argument("The time \"" + std::string(nowIso)
                                    + "\" is no time of the form YYYY-MM-DD HH:MM:SS.");
    };
    if (nowIso.size() != 19 || nowIso[10] != ' ' || nowIso[13] != ':' || nowIso[16] != ':')
        fail();
    try {
        parseDate(nowIso.substr(0, 10), "The time");
    } catch (const std::invalid_argument&) {
        fail();
    }
    const int hour = digitsAt(nowIso, 11, 2);
    const int minute = digitsAt(nowIso, 14, 2);
    const int second = digitsAt(nowIso, 17, 2);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        fail();
}

// The July-to-June year holding a day, as the FinancialYear row stores it.
struct FirstYear {
    std::string start;          // YYYY-07-01
    std::string end;            // YYYY+1-06-30
    std::string abbreviation;   // YYYY-YY
    std::string openingDate;    // the day before the start
};

FirstYear yearHolding(std::string_view todayIso)
{
    const Date today = parseDate(todayIso, "Today");
    const int startYear = today.month >= 7 ? today.year : today.year - 1;
    const int endYear = startYear + 1;
    if (startYear < 1 || endYear > 9999)
        throw std::invalid_argument("Today \"" + std::string(todayIso)
                                    + "\" lies in no financial year with four-digit years.");
    char start[32], end[32], abbreviation[32], opening[32];
    std::snprintf(start, sizeof start, "%04d-07-01", startYear);
    std::snprintf(end, sizeof end, "%04d-06-30", endYear);
    std::snprintf(abbreviation, sizeof abbreviation, "%04d-%02d", startYear, endYear % 100);
    std::snprintf(opening, sizeof opening, "%04d-06-30", startYear);
    return {start, end, abbreviation, opening};
}

constexpr int kAdminId = 1;
constexpr int kFirstYearId = 1;
constexpr int kOpeningBalanceType = 11;

} // namespace

void fillLayout(platform::Database& db)
{
    db.execScript(schemaSql());
    db.execScript(balancesSql());
    db.execScript(voucherCopiesSql());
    db.execScript(isoDatesSql());
    db.execScript(dayBookSql());
}

void fillDelivered(platform::Database& db, std::string_view todayIso, std::string_view nowIso)
{
    // Everything that can be refused or can fail outside SQLite comes first, so
    // that a refusal leaves the database as it was.
    const FirstYear year = yearHolding(todayIso);
    checkNow(nowIso);
    const std::string adminHash = platform::hashPassword(kAdminPassword);

    platform::Transaction tx(db);
    fillLayout(db);
    db.execScript(deliveredRowsSql());

    db.exec("INSERT INTO Users (UserID, UserName, Password, Notes) VALUES (?, ?, ?, '')",
            {kAdminId, kAdminName, adminHash});
    db.exec("INSERT INTO FinancialYear (FYID, FinancialYearStart, FinancialYearEnd, Abbreviation)"
            " VALUES (?, ?, ?, ?)",
            {kFirstYearId, year.start, year.end, year.abbreviation});
    db.exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID,"
            " FYID, UserAdded, TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
            " VALUES (1, ?, 'Opening Balance', ?, 0, '', 0, ?, ?, ?, ?, ?, 0, 1)",
            {year.openingDate, kOpeningBalanceType, kFirstYearId, kAdminId, nowIso, kAdminId, nowIso});
    // The company row comes with the delivered rows; its preselected user and
    // year can be named only now that both exist.
    db.exec("UPDATE BusinessInfo SET UserID = ?, FYID = ?", {kAdminId, kFirstYearId});
    tx.commit();
}

void writeDeliveredFile(const std::string& path, std::string_view todayIso, std::string_view nowIso)
{
    // Refuse bad dates before a file exists that would have to be removed again.
    yearHolding(todayIso);
    checkNow(nowIso);

    std::optional<platform::Database> db{platform::Database::createEmpty(path)};
    try {
        fillDelivered(*db, todayIso, nowIso);
    } catch (...) {
        db.reset();   // close before removing, so no handle keeps the half-made file
        std::error_code ignored;   // the fill's own failure is the one worth reporting
        std::filesystem::remove(path, ignored);
        throw;
    }
}

} // namespace db
