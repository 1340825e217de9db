// The hand-made book and its figures.
#include "tests/ledgers/hand_book.h"

#include <algorithm>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace testing_support {
namespace {

using platform::Money;

BookLine dr(std::int64_t acc, std::int64_t cents) { return {acc, cents, std::nullopt}; }
BookLine cr(std::int64_t acc, std::int64_t cents) { return {acc, std::nullopt, cents}; }

bool within(const std::string& date, const std::string& from, const std::string& to)
{
    return (from.empty() || date >= from) && (to.empty() || date <= to);
}

} // namespace

HandBook::HandBook(platform::Database& db)
{
    db.execScript(
        "INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (201, 'Cash and Receivables', 20),"
        " (501, 'Sales', 40), (751, 'Expenses', 55);"
        "INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (20101, 'Cash and Bank', 201),"
        " (20102, 'Receivables', 201), (50101, 'Local Sales', 501), (75101, 'Admin', 751);"
        "INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES"
        " (20101001, 'Cash in Hand', 201, 20101), (20101002, 'Bank 50% Account', 201, 20101),"
        " (20102001, 'Customer_A', 201, 20102), (50101001, 'Sales', 501, 50101),"
        " (75101001, 'Rent', 751, 75101), (75101002, 'Idle Account', 751, 75101);"
        "INSERT INTO FinancialYear (FYID, FinancialYearStart, FinancialYearEnd, Abbreviation)"
        " VALUES (2, '2027-07-01', '2028-06-30', '2027-28');");

    using namespace acc;
    m_vouchers = {
        // The year's opening balances, on the delivered opening voucher.
        {1, 11, "2026-06-30", kYear, true, false, {dr(Cash, 100000), dr(Bank, 50000), cr(Customer, 150000)}},
        {0, 31, "2026-07-05", kYear, true, false, {dr(Customer, 30000), cr(Sales, 30000)}},
        // Two vouchers on one day: the receipt is written first, so Cash rises
        // to 1200.00 before the rent takes it to exactly 0.
        {0, 37, "2026-08-10", kYear, true, false, {dr(Cash, 20000), cr(Customer, 20000)}},
        {0, 27, "2026-08-10", kYear, true, false, {dr(Rent, 120000), cr(Cash, 120000)}},
        {0, 27, "2026-09-01", kYear, true, false, {dr(Rent, 5000), cr(Cash, 5000)}},   // Cash below zero
        // Lines without amounts (zero and null) are counted but never listed.
        {0, 41, "2026-09-15", kYear, true, false,
         {{Cash, 0, 0}, {Cash, std::nullopt, std::nullopt}, dr(Bank, 7000), cr(Sales, 7000)}},
        {0, 31, "2026-09-20", kYear, false, false, {dr(Cash, 99900), cr(Sales, 99900)}},     // not posted
        {0, 37, "2026-10-01", kYear, true, true, {dr(Cash, 88800), cr(Customer, 88800)}},    // cancelled
        {0, 31, "2026-10-05", kOtherYear, true, false, {dr(Cash, 77700), cr(Sales, 77700)}}, // other year
        {0, 38, "2026-11-30", kYear, true, false, {dr(Bank, 10000), cr(Customer, 10000)}},
        {0, 41, "2027-01-15", kYear, true, false, {dr(Cash, 2500), cr(Rent, 2500)}},
        {0, 28, "2027-06-30", kYear, true, false, {dr(Rent, 1000), cr(Bank, 1000)}},
    };

    writeVouchers(db, m_vouchers);
}

Money HandBook::debits(std::int64_t acc, const std::string& from, const std::string& to) const
{
    Money sum;
    for (const BookVoucher& v : m_vouchers)
        if (v.counted() && within(v.date, from, to))
            for (const BookLine& l : v.lines)
                if (l.acc == acc)
                    sum += Money::fromCents(l.debit.value_or(0));
    return sum;
}

Money HandBook::credits(std::int64_t acc, const std::string& from, const std::string& to) const
{
    Money sum;
    for (const BookVoucher& v : m_vouchers)
        if (v.counted() && within(v.date, from, to))
            for (const BookLine& l : v.lines)
                if (l.acc == acc)
                    sum += Money::fromCents(l.credit.value_or(0));
    return sum;
}

Money HandBook::difference(std::int64_t acc, const std::string& from, const std::string& to) const
{
    return debits(acc, from, to) - credits(acc, from, to);
}

Money HandBook::periodDebits(std::int64_t acc, const std::string& from, const std::string& to) const
{
    return debits(acc, "", to) - debits(acc, "", dayBefore(from));
}

Money HandBook::periodCredits(std::int64_t acc, const std::string& from, const std::string& to) const
{
    return credits(acc, "", to) - credits(acc, "", dayBefore(from));
}

std::vector<BookLine> HandBook::listedLines(std::int64_t acc, const std::string& from, const std::string& to) const
{
    std::vector<const BookVoucher*> byDate;
    for (const BookVoucher& v : m_vouchers)
        if (v.counted() && within(v.date, from, to))
            byDate.push_back(&v);
    // Vouchers were written in the table's order, so their lines' serials follow it.
    std::stable_sort(byDate.begin(), byDate.end(),
                     [](const BookVoucher* a, const BookVoucher* b) { return a->date < b->date; });
    std::vector<BookLine> lines;
    for (const BookVoucher* v : byDate)
        for (const BookLine& l : v->lines)
            if (l.acc == acc && (l.debit.value_or(0) != 0 || l.credit.value_or(0) != 0))
                lines.push_back(l);
    return lines;
}

void writeVouchers(platform::Database& db, std::vector<BookVoucher>& vouchers)
{
    int docNo[64] = {};
    platform::Statement header(db,
        "INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, FYID, Cancel, Posted)"
        " VALUES (?, ?, 'hand-made', ?, ?, ?, ?)");
    platform::Statement line(db,
        "INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit) VALUES (?, ?, ?, ?, ?)");
    for (BookVoucher& v : vouchers) {
        if (v.tranNo == 0) {
            header.reset();
            header.bindAll({++docNo[v.type - 10], v.date, v.type, v.fyId, v.cancelled ? 1 : 0, v.posted ? 1 : 0})
                .run();
            v.tranNo = static_cast<std::int32_t>(db.lastInsertId());
        }
        int n = 0;
        for (const BookLine& l : v.lines) {
            line.reset();
            line.bindAll({v.tranNo, l.acc, "line " + std::to_string(++n) + " of " + std::to_string(v.tranNo),
                          l.debit ? platform::Value(*l.debit) : platform::Value(),
                          l.credit ? platform::Value(*l.credit) : platform::Value()})
                .run();
        }
    }
}

std::string dayBefore(const std::string& isoDate)
{
    return platform::isoDate(platform::parseIsoDate(isoDate)->addDays(-1));
}

void addLookAlikeTypes(platform::Database& db)
{
    using namespace lookalike;
    db.exec("UPDATE AccLevel2 SET L2AccName = 'Petty' WHERE Level2ID IN (?, ?)", {kCashAndBank, kReceivables});
    db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, 'petty', ?)", {kSmallPetty, kAssets});
    db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID)"
            " SELECT ?, 'cash and Receivables', NatureID FROM AccLevel1 WHERE TypeID = ?",
            {kSmallMainType, kAssets});
    db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, 'Float', ?)",
            {kSmallMainType * 100 + 1, kSmallMainType});
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'Till', ?, ?), (?, 'Drawer', ?, ?)",
            {kSmallPettyAccount, kAssets, kSmallPetty, kSmallMainTypeAccount, kSmallMainType,
             kSmallMainType * 100 + 1});
    db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (1, ?, 100), (1, ?, 100)",
            {kSmallPettyAccount, kSmallMainTypeAccount});
}

} // namespace testing_support
