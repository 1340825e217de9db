// The statements' book and its figures.
#include "tests/statements/statement_book.h"

#include "platform/data/database.h"

namespace testing_support {
namespace {

BookLine dr(std::int64_t acc, std::int64_t cents) { return {acc, cents, std::nullopt}; }
BookLine cr(std::int64_t acc, std::int64_t cents) { return {acc, std::nullopt, cents}; }

constexpr std::int64_t Furniture = 10101001, Cash = 20101001, Bank = 20101002, Owner = 30101001,
                       Supplier = 45101001, Sales = 50101001, Interest = 60101001, Purchases = 65101001,
                       Rent = 75101001;

} // namespace

StatementBook::StatementBook(platform::Database& db)
{
    db.execScript(
        "INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (101, 'Fixed Assets', 10),"
        " (201, 'Cash and Bank', 20), (301, 'Capital', 30), (401, 'Long-Term Loans', 35),"
        " (451, 'Trade Payables', 36), (501, 'Sales', 40), (601, 'Other Income', 45),"
        " (651, 'Purchases', 50), (751, 'Expenses', 55);"
        "INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (10101, 'Furniture', 101),"
        " (20101, 'Cash and Bank', 201), (30101, 'Owner', 301), (40101, 'Bank Loans', 401),"
        " (45101, 'Suppliers', 451), (50101, 'Local Sales', 501), (60101, 'Interest', 601),"
        " (65101, 'Local Purchases', 651), (75101, 'Admin', 751);"
        "INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES"
        " (10101001, 'Office Furniture', 101, 10101), (20101001, 'Cash in Hand', 201, 20101),"
        " (20101002, 'Bank Account', 201, 20101), (30101001, 'Owner''s Capital', 301, 30101),"
        " (40101001, 'Bank Loan', 401, 40101), (45101001, 'Supplier_A', 451, 45101),"
        " (50101001, 'Sales', 501, 50101), (60101001, 'Interest Received', 601, 60101),"
        " (65101001, 'Purchases', 651, 65101), (75101001, 'Rent', 751, 75101);"
        "INSERT INTO FinancialYear (FYID, FinancialYearStart, FinancialYearEnd, Abbreviation)"
        " VALUES (2, '2027-07-01', '2028-06-30', '2027-28');");

    m_vouchers = {
        // The opening voucher also brings forward a prepaid rent, so that it
        // tells in the income statement.
        {1, 11, "2026-06-30", kYear, true, false,
         {dr(Furniture, 500000), dr(Cash, 300000), dr(Rent, 2500), cr(Owner, 802500)}},
        {0, 21, "2026-07-10", kYear, true, false, {dr(Purchases, 200000), cr(Supplier, 200000)}},
        {0, 31, "2026-08-05", kYear, true, false, {dr(Bank, 450050), cr(Sales, 450050)}},
        {0, 27, "2026-09-15", kYear, true, false, {dr(Rent, 60000), cr(Cash, 60000), {Rent, std::nullopt, 0}}},
        {0, 38, "2026-10-01", kYear, true, false, {dr(Bank, 5000), cr(Interest, 5000)}},
        {0, 31, "2026-10-10", kYear, false, false, {dr(Cash, 99900), cr(Sales, 99900)}},      // not posted
        {0, 27, "2026-10-11", kYear, true, true, {dr(Rent, 88800), cr(Bank, 88800)}},         // cancelled
        {0, 31, "2026-10-12", kOtherYear, true, false, {dr(Cash, 77700), cr(Sales, 77700)}},  // other year
        {0, 28, "2026-11-20", kYear, true, false, {dr(Supplier, 150000), cr(Bank, 150000)}},
        {0, 27, "2026-12-10", kYear, true, false, {dr(Rent, 10000), cr(Cash, 10000)}},        // today
        {0, 27, stm::kPostDated, kYear, true, false, {dr(Rent, 40000), cr(Cash, 40000)}},
    };
    writeVouchers(db, m_vouchers);
}

void StatementBook::writeIncomeTooLargeToAdd(platform::Database& db)
{
    constexpr std::int64_t kHuge = 5'000'000'000'000'000'000;
    std::vector<BookVoucher> huge{
        {0, 41, "2026-11-01", kYear, true, false, {dr(Furniture, kHuge), dr(Cash, kHuge), cr(Sales, kHuge), cr(Interest, kHuge)}}};
    writeVouchers(db, huge);
}

platform::Money StatementBook::diff(std::int64_t typeId, const std::string& from, const std::string& to) const
{
    platform::Money sum;
    for (const BookVoucher& v : m_vouchers)
        if (v.counted() && (from.empty() || v.date >= from) && (to.empty() || v.date <= to))
            for (const BookLine& l : v.lines)
                if (typeOf(l.acc) == typeId)
                    sum += platform::Money::fromCents(l.credit.value_or(0) - l.debit.value_or(0));
    return sum;
}

} // namespace testing_support
