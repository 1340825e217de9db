// Financial years and their opening-balance vouchers in SQL; every value bound.
#include "main/year_store.h"

#include <stdexcept>
#include <string>

#include "main/voucher_kinds.h"
#include "main/year_rules.h"
#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace app {
namespace {

constexpr const char* kOpeningDesc = "Opening Balance";

QDate dateOf(const platform::Value& v)
{
    return platform::parseIsoDate(v.toText()).value_or(QDate());
}

YearRow readYear(const platform::Statement& st)
{
    return YearRow{static_cast<int>(st.columnInt64(0)), dateOf(st.column(1)), dateOf(st.column(2)),
                   QString::fromStdString(st.column(3).toText())};
}

constexpr const char* kYearColumns = "SELECT FYID, FinancialYearStart, FinancialYearEnd, Abbreviation FROM FinancialYear";

} // namespace

std::vector<YearRow> listYears(platform::Database& db)
{
    platform::Statement st(db, std::string(kYearColumns) + " ORDER BY Abbreviation, FYID");
    std::vector<YearRow> years;
    while (st.step())
        years.push_back(readYear(st));
    return years;
}

std::optional<YearRow> findYear(platform::Database& db, int fyId)
{
    platform::Statement st(db, std::string(kYearColumns) + " WHERE FYID = ?");
    st.bind(1, fyId);
    if (!st.step())
        return std::nullopt;
    return readYear(st);
}

int highestYearId(platform::Database& db)
{
    // MAX over no rows is null: no year yet reads as 0.
    return static_cast<int>(db.scalar("SELECT MAX(FYID) FROM FinancialYear").toInt(0));
}

std::optional<std::int64_t> openingVoucherOf(platform::Database& db, int fyId)
{
    const platform::Value v = db.scalar(
        "SELECT TranNo FROM Transactions WHERE TranType = ? AND FYID = ? ORDER BY DocNo, TranNo LIMIT 1",
        {kOpeningBalanceType, fyId});
    return v.asInt();
}

void addYear(platform::Transaction& tx, const YearRow& year, const Stamp& stamp)
{
    tx.db().exec("INSERT INTO FinancialYear (FYID, FinancialYearStart, FinancialYearEnd, Abbreviation)"
                 " VALUES (?, ?, ?, ?)",
                 {year.fyId, platform::isoDate(year.start), platform::isoDate(year.end),
                  year.abbreviation.toStdString()});
    insertOpeningVoucher(tx, year.fyId, year.start, stamp);
}

void updateYear(platform::Transaction& tx, const YearRow& year, const Stamp& stamp)
{
    const int changed = tx.db().exec(
        "UPDATE FinancialYear SET FinancialYearStart = ?, FinancialYearEnd = ?, Abbreviation = ? WHERE FYID = ?",
        {platform::isoDate(year.start), platform::isoDate(year.end), year.abbreviation.toStdString(), year.fyId});
    if (changed == 0)
        throw std::invalid_argument("financial year " + std::to_string(year.fyId) + " is not stored");
    // A year that lost its voucher (or never had one) gets one instead of
    // leaving the opening balances with nothing to hang their lines on.
    if (!rewriteOpeningVoucher(tx, year.fyId, year.start, stamp))
        insertOpeningVoucher(tx, year.fyId, year.start, stamp);
}

std::int64_t insertOpeningVoucher(platform::Transaction& tx, int fyId, const QDate& start, const Stamp& stamp)
{
    const std::string when = platform::isoDateTime(stamp.when);
    tx.db().exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID,"
                 " FYID, UserAdded, TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
                 " VALUES (1, ?, ?, ?, 0, '', 0, ?, ?, ?, ?, ?, 0, 1)",
                 {platform::isoDate(openingVoucherDate(start)), kOpeningDesc, kOpeningBalanceType, fyId,
                  stamp.userId, when, stamp.userId, when});
    return tx.db().lastInsertId();
}

bool rewriteOpeningVoucher(platform::Transaction& tx, int fyId, const QDate& start, const Stamp& stamp)
{
    const auto tranNo = openingVoucherOf(tx.db(), fyId);
    if (!tranNo)
        return false;
    tx.db().exec("UPDATE Transactions SET DocNo = 1, TranDate = ?, \"Desc\" = ?, TranType = ?, TrAmount = 0,"
                 " WordsAmt = '', JobID = 0, FYID = ?, UserEdited = ?, TimeEdited = ?, Cancel = 0, Posted = 1"
                 " WHERE TranNo = ?",
                 {platform::isoDate(openingVoucherDate(start)), kOpeningDesc, kOpeningBalanceType, fyId,
                  stamp.userId, platform::isoDateTime(stamp.when), *tranNo});
    return true;
}

std::int64_t ensureOpeningVoucher(platform::Transaction& tx, int fyId, const Stamp& stamp)
{
    if (const auto tranNo = openingVoucherOf(tx.db(), fyId))
        return *tranNo;
    const auto year = findYear(tx.db(), fyId);
    if (!year)
        throw std::invalid_argument("financial year " + std::to_string(fyId) + " is not stored");
    return insertOpeningVoucher(tx, fyId, year->start, stamp);
}

std::int64_t clearYear(platform::Transaction& tx, int fyId, const Stamp& stamp)
{
    const auto year = findYear(tx.db(), fyId);
    if (!year)
        throw std::invalid_argument("financial year " + std::to_string(fyId) + " is not stored");
    // The lines go with their headers: SubTransactions.TranNo cascades on delete.
    tx.db().exec("DELETE FROM Transactions WHERE FYID = ?", {fyId});
    return insertOpeningVoucher(tx, fyId, year->start, stamp);
}

} // namespace app
