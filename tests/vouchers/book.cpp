// Rows for the voucher tests, written with plain SQL.
#include "tests/vouchers/book.h"

#include "platform/data/database.h"

namespace book {

void addChartAndYear(platform::Database& db)
{
    db.execScript("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (101, 'Current Assets', NULL),"
                  " (601, 'Expenses', NULL);"
                  "INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (10101, 'Cash and Bank', 101),"
                  " (60101, 'Rent', 601);"
                  "INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES"
                  " (10101001, 'Cash in Hand', 101, 10101), (10101002, 'Bank Account', 101, 10101),"
                  " (60101001, 'Office Rent', 601, 60101);"
                  "INSERT INTO FinancialYear (FYID, FinancialYearStart, FinancialYearEnd, Abbreviation)"
                  " VALUES (2, '2027-07-01', '2028-06-30', '2027-28');");
}

std::int64_t addJob(platform::Database& db, int jobNo, const std::string& desc, bool completed)
{
    db.exec("INSERT INTO Jobs (JobNo, JobDesc, Status) VALUES (?, ?, ?)", {jobNo, desc, completed ? 1 : 0});
    return db.lastInsertId();
}

std::int64_t addVoucher(platform::Database& db, int tranType, int fyId, std::int64_t docNo, int posted,
                        std::int64_t jobId)
{
    db.exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, WordsAmt, JobID, FYID,"
            " UserAdded, TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
            " VALUES (?, '2026-12-01', ?, ?, 0, '', ?, ?, 1, '2026-12-01 10:00:00', 1, '2026-12-01 10:00:00', 0, ?)",
            {docNo, "voucher " + std::to_string(docNo), tranType, jobId, fyId, posted});
    return db.lastInsertId();
}

std::int64_t addVoucherRow(platform::Database& db, const VoucherRow& v)
{
    auto user = [](int id) { return id ? platform::Value{id} : platform::Value{}; };
    db.exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, TrAmount, JobID, FYID, UserAdded,"
            " TimeAdded, UserEdited, TimeEdited, Cancel, Posted)"
            " VALUES (?, ?, ?, ?, ?, 0, ?, ?, '2026-12-01 10:00:00', ?, '2026-12-02 11:30:00', ?, ?)",
            {v.docNo, v.date, v.desc ? platform::Value{v.desc} : platform::Value{}, v.tranType, v.cents, v.fyId,
             user(v.addedBy), user(v.editedBy), v.cancel, v.posted});
    return db.lastInsertId();
}

void addLine(platform::Database& db, std::int64_t tranNo, std::int64_t accCode, std::int64_t debit,
             std::int64_t credit, const std::string& desc)
{
    db.exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit)"
            " VALUES (?, ?, (SELECT AccName FROM AccLevel3 WHERE AccCode = ?), ?, ?, ?)",
            {tranNo, accCode, accCode, desc, debit < 0 ? platform::Value{} : platform::Value{debit},
             credit < 0 ? platform::Value{} : platform::Value{credit}});
}

std::int64_t count(platform::Database& db, const std::string& table, const std::string& where)
{
    return db.scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where).toInt();
}

} // namespace book
