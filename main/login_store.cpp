// SQL of the sign-in window.
#include "main/login_store.h"

#include <string>

#include "main/voucher_kinds.h"
#include "platform/data/database.h"

namespace app {

platform::Recordset openBusinessInfo(platform::Database& db)
{
    // The flags' column names come from the table of kinds, never from input.
    std::string sql = "SELECT Name, Address, Telephones, Fax, Email, UserID, FYID, CurrencyName, CCode, ";
    for (const VoucherKind& k : voucherKinds())
        sql += std::string(k.flagColumn) + ", ";
    sql += "Posting FROM BusinessInfo ORDER BY rowid LIMIT 1";
    return platform::Recordset::open(db, sql);
}

platform::Recordset openYears(platform::Database& db)
{
    return platform::Recordset::open(db, "SELECT * FROM FinancialYear ORDER BY Abbreviation");
}

platform::Recordset openUsers(platform::Database& db)
{
    return platform::Recordset::open(db, "SELECT UserID, UserName FROM Users ORDER BY UserID");
}

platform::Recordset openAccountList(platform::Database& db)
{
    return platform::Recordset::open(db, "SELECT * FROM AccLevel3 ORDER BY AccCode");
}

void storeDefaults(platform::Database& db, int userId, int fyId)
{
    db.exec("UPDATE BusinessInfo SET UserID = ?, FYID = ? "
            "WHERE rowid = (SELECT MIN(rowid) FROM BusinessInfo)",
            {userId, fyId});
}

void deleteOrphans(platform::Database& db)
{
    platform::Transaction tx(db);
    db.exec("DELETE FROM AccLevel3 WHERE (Level2ID IS NULL OR Level1ID IS NULL) "
            "AND NOT EXISTS (SELECT 1 FROM SubTransactions s WHERE s.AccCode = AccLevel3.AccCode)");
    db.exec("DELETE FROM AccLevel2 WHERE TypeID IS NULL "
            "AND NOT EXISTS (SELECT 1 FROM AccLevel3 a WHERE a.Level2ID = AccLevel2.Level2ID)");
    tx.commit();
}

} // namespace app
