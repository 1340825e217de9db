// Tests of the delivered database: its tables and columns, the rules its reference
// rows keep, the first year and its opening-balance voucher, the administrator,
// the constraints of the schema and the delivered file's marks.
#include "db/delivered.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/data/database.h"
#include "platform/data/password_hash.h"
#include "platform/data/recordset.h"

namespace {

using platform::Database;
using platform::DbError;
using platform::Recordset;

constexpr const char* kToday = "2026-12-10";
constexpr const char* kNow = "2026-12-10 09:30:15";
const std::string kNbsp2 = "\u00a0\u00a0";

Database delivered(std::string_view today = kToday, std::string_view now = kNow)
{
    Database db = Database::createEmpty(":memory:");
    db::fillDelivered(db, today, now);
    return db;
}

std::int64_t count(Database& db, std::string_view sql, const platform::Params& params = {})
{
    return db.scalar(sql, params).toInt();
}

// One main type, sub type and account, so that voucher lines have an account to name.
constexpr std::int64_t kAccount = 20101001;
void addAccount(Database& db)
{
    db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (201, 'Cash and Bank', 20)");
    db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (20101, 'Cash', 201)");
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'Cash in Hand', 201, 20101)",
            {kAccount});
}

// The DbError a statement fails with, or nothing when it succeeds.
std::optional<DbError> failureOf(Database& db, std::string_view sql, const platform::Params& params)
{
    try {
        db.exec(sql, params);
    } catch (const DbError& e) {
        return e;
    }
    return std::nullopt;
}

std::int64_t openingTranNo(Database& db)
{
    return count(db, "SELECT TranNo FROM Transactions WHERE TranType = 11 AND FYID = 1");
}

// A file path in the temporary folder, removed again when the test ends.
struct TempPath {
    std::filesystem::path path;
    explicit TempPath(const std::string& name)
        : path{std::filesystem::temp_directory_path()
               / ("delivered_test_" + std::to_string(::getpid()) + "_" + name + ".db")}
    {
        std::filesystem::remove(path);
    }
    ~TempPath() { std::filesystem::remove(path); }
};

TEST(DeliveredSchema, HasEveryTableWithItsColumns)
{
    struct Table { std::string name; std::vector<std::string> columns; };
    const Table tables[] = {
        {"Transactions", {"TranNo", "DocNo", "TranDate", "Desc", "TranType", "TrAmount", "WordsAmt", "JobID",
                          "FYID", "UserAdded", "TimeAdded", "UserEdited", "TimeEdited", "Cancel", "Posted"}},
        {"SubTransactions", {"Serial", "TranNo", "AccCode", "AccName", "Desc", "Debit", "Credit", "Balance",
                             "Status",
                             "VoucherYear", "VoucherDate", "Counted"}},
        {"AccLevel1", {"TypeID", "Type", "NatureID"}},
        {"AccLevel2", {"Level2ID", "L2AccName", "TypeID"}},
        {"AccLevel3", {"AccCode", "AccName", "Level1ID", "Level2ID"}},
        {"FSNature", {"NatureID", "FSID", "AccNatureTop", "StartAt", "EndAt"}},
        {"FS", {"FSID", "FSType"}},
        {"TranType", {"TranType", "Name", "Short"}},
        {"FinancialYear", {"FYID", "FinancialYearStart", "FinancialYearEnd", "Abbreviation"}},
        {"Users", {"UserID", "UserName", "Password", "Notes"}},
        {"userrights", {"RightID", "RightType", "operator1", "operator2", "operator3", "operator4", "operator5",
                        "operator6", "operator7", "operator8", "operator9"}},
        {"BusinessInfo", {"Name", "Address", "Telephones", "Fax", "Email", "Website", "NTN", "SalesTaxReg",
                          "Description", "Country", "CurrencyName", "CCode", "UserID", "FYID", "PV", "PRV", "SV",
                          "SRV", "CPV", "CRV", "BPV", "BRV", "GJV", "Posting", "CoMemo"}},
        {"Currencies", {"Serial", "Country", "CCode" + kNbsp2, "Curency" + kNbsp2}},
        {"Jobs", {"JobID", "JobNo", "JobDate", "JobDesc", "OrderRefDate", "ExpDeliveryDate", "CustomerName",
                  "Address", "Telephone", "Contact", "EstimatedCost", "ValueofWork", "JobIncharge",
                  "CompletionDate", "Status", "DeliveryRefDate", "Remarks"}},
        {"TempBS", {"TypeID", "NatureID", "Type", "Balance"}},
        {"HelpIndex", {"ID", "Heading", "Matter"}},
        {"AccountMonths", {"FYID", "AccCode", "Month", "Debits", "Credits"}},
        {"DayBookDays", {"FYID", "Day", "Lines", "Debits", "Credits"}},
    };
    Database db = delivered();
    for (const auto& t : tables) {
        SCOPED_TRACE(t.name);
        // The exact spelling, case included, is what the queries of the windows name.
        EXPECT_EQ(count(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE BINARY",
                        {t.name}),
                  1);
        Recordset rs = Recordset::open(db, "SELECT name FROM pragma_table_info(?) ORDER BY cid", {t.name});
        std::vector<std::string> names;
        for (; !rs.eof(); rs.moveNext())
            names.push_back(rs["name"].toText());
        EXPECT_EQ(names, t.columns);
    }
    EXPECT_EQ(count(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'"),
              static_cast<std::int64_t>(std::size(tables)));
}

TEST(DeliveredRows, StatementSidesAreOneToFour)
{
    Database db = delivered();
    Recordset rs = Recordset::open(db, "SELECT FSID, FSType FROM FS ORDER BY FSID");
    std::vector<std::int64_t> ids;
    for (; !rs.eof(); rs.moveNext()) {
        ids.push_back(rs["FSID"].toInt());
        EXPECT_FALSE(rs["FSType"].toText().empty());
    }
    EXPECT_EQ(ids, (std::vector<std::int64_t>{1, 2, 3, 4}));
}

TEST(DeliveredRows, NaturesCoverTheMainTypeCodesOnceAndKeepTheirSides)
{
    Database db = delivered();
    Recordset rs = Recordset::open(
        db, "SELECT NatureID, FSNature.FSID AS Side, AccNatureTop, StartAt, EndAt, FS.FSID AS Known"
            " FROM FSNature LEFT JOIN FS ON FS.FSID = FSNature.FSID ORDER BY StartAt");
    ASSERT_FALSE(rs.eof());
    std::int64_t next = 100;   // the lowest code the next range must start at
    bool sawNature30 = false;
    for (; !rs.eof(); rs.moveNext()) {
        const std::int64_t id = rs["NatureID"].toInt();
        const std::int64_t side = rs["Side"].toInt();
        SCOPED_TRACE(testing::Message() << "nature " << id);
        EXPECT_FALSE(rs["Known"].isNull());
        EXPECT_FALSE(rs["AccNatureTop"].toText().empty());
        EXPECT_EQ(rs["StartAt"].toInt(), next);   // no gap and no overlap with the range before
        EXPECT_LE(rs["StartAt"].toInt(), rs["EndAt"].toInt());
        next = rs["EndAt"].toInt() + 1;
        if (side <= 2)
            EXPECT_LT(id, 40);
        else
            EXPECT_GE(id, 40);
        if (id == 30) {
            sawNature30 = true;
            EXPECT_EQ(side, 2);   // the profit is shown on the equity side
        }
    }
    EXPECT_EQ(next, 1000);
    EXPECT_TRUE(sawNature30);
    // Both statements need natures on both of their sides.
    EXPECT_EQ(count(db, "SELECT count(DISTINCT FSID) FROM FSNature"), 4);
}

TEST(DeliveredRows, HasExactlyTheTenVoucherKindsWithDistinctNames)
{
    Database db = delivered();
    Recordset rs = Recordset::open(db, "SELECT TranType, Name, Short FROM TranType ORDER BY TranType");
    std::vector<std::int64_t> codes;
    std::set<std::string> names, shorts;
    for (; !rs.eof(); rs.moveNext()) {
        codes.push_back(rs["TranType"].toInt());
        EXPECT_FALSE(rs["Name"].toText().empty());
        EXPECT_FALSE(rs["Short"].toText().empty());
        names.insert(rs["Name"].toText());
        shorts.insert(rs["Short"].toText());
    }
    EXPECT_EQ(codes, (std::vector<std::int64_t>{11, 21, 25, 27, 28, 31, 35, 37, 38, 41}));
    EXPECT_EQ(names.size(), codes.size());
    EXPECT_EQ(shorts.size(), codes.size());
}

TEST(DeliveredRows, HelpIndexAnswersTheSevenQuestions)
{
    Database db = delivered();
    Recordset rs = Recordset::open(db, "SELECT ID, Heading, Matter FROM HelpIndex ORDER BY ID");
    std::vector<std::int64_t> ids;
    for (; !rs.eof(); rs.moveNext()) {
        SCOPED_TRACE(testing::Message() << "help " << rs["ID"].toInt());
        ids.push_back(rs["ID"].toInt());
        EXPECT_FALSE(rs["Heading"].toText().empty());
        EXPECT_NE(rs["Matter"].toText().find("<p>"), std::string::npos);   // shown as rich text
    }
    EXPECT_EQ(ids, (std::vector<std::int64_t>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(DeliveredRows, EveryRightHasARowThatAllowsEveryOperator)
{
    std::set<std::int64_t> expected{2, 4, 12, 14, 18, 20, 30, 180, 184, 240, 248, 252, 254};
    for (int base = 44; base <= 124; base += 10)   // the nine voucher kinds
        for (int offset : {-2, 0, 2, 4})
            expected.insert(base + offset);

    Database db = delivered();
    Recordset rs = Recordset::open(db, "SELECT * FROM userrights");
    std::set<std::int64_t> ids;
    for (; !rs.eof(); rs.moveNext()) {
        const std::int64_t id = rs["RightID"].toInt();
        SCOPED_TRACE(testing::Message() << "right " << id);
        ids.insert(id);
        const std::string type = rs["RightType"].toText();
        // It follows "You do not have access to " as the rest of a sentence.
        ASSERT_GE(type.size(), 2u);
        EXPECT_EQ(type.back(), '.');
        EXPECT_NE(type.front(), ' ');
        for (int k = 1; k <= 9; ++k)
            EXPECT_EQ(rs["operator" + std::to_string(k)], platform::Value(0)) << "operator" << k;
    }
    EXPECT_EQ(ids, expected);
}

TEST(DeliveredRows, CurrencySymbolsFitAndTheCompanyUsesAListedCurrency)
{
    Database db = delivered();
    const std::string ccode = "\"CCode" + kNbsp2 + "\"";
    const std::string curency = "\"Curency" + kNbsp2 + "\"";
    EXPECT_GE(count(db, "SELECT count(*) FROM Currencies"), 30);
    EXPECT_EQ(count(db, "SELECT count(*) FROM Currencies WHERE length(" + ccode + ") NOT BETWEEN 1 AND 3"
                        " OR coalesce(" + curency + ", '') = ''"),
              0);
    EXPECT_EQ(count(db, "SELECT count(*) - count(DISTINCT Country) FROM Currencies"), 0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM BusinessInfo b JOIN Currencies c ON c.Country = b.Country"
                        " AND c." + ccode + " = b.CCode AND c." + curency + " = b.CurrencyName"),
              1);
}

TEST(DeliveredRows, BusinessInfoIsOneRowNamingTheAdministratorAndTheYear)
{
    Database db = delivered();
    EXPECT_EQ(count(db, "SELECT count(*) FROM BusinessInfo"), 1);
    EXPECT_EQ(count(db, "SELECT count(*) FROM BusinessInfo b JOIN Users u ON u.UserID = b.UserID"
                        " JOIN FinancialYear y ON y.FYID = b.FYID WHERE b.UserID = 1"),
              1);
    EXPECT_FALSE(db.scalar("SELECT Name FROM BusinessInfo").toText().empty());
}

TEST(DeliveredYear, IsTheJulyToJuneYearHoldingToday)
{
    struct Case { const char* today; const char* start; const char* end; const char* abbreviation; const char* opening; };
    const Case cases[] = {
        {"2026-12-10", "2026-07-01", "2027-06-30", "2026-27", "2026-06-30"},
        {"2027-06-30", "2026-07-01", "2027-06-30", "2026-27", "2026-06-30"},   // last day of the year
        {"2027-07-01", "2027-07-01", "2028-06-30", "2027-28", "2027-06-30"},   // first day of the next
        {"2027-01-01", "2026-07-01", "2027-06-30", "2026-27", "2026-06-30"},
        {"1999-07-01", "1999-07-01", "2000-06-30", "1999-00", "1999-06-30"},   // the century turns
        {"2028-02-29", "2027-07-01", "2028-06-30", "2027-28", "2027-06-30"},   // leap day
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.today);
        Database db = delivered(c.today, kNow);
        Recordset y = Recordset::open(db, "SELECT * FROM FinancialYear");
        ASSERT_EQ(y.recordCount(), 1u);
        EXPECT_EQ(y["FYID"].toInt(), 1);
        EXPECT_EQ(y["FinancialYearStart"].toText(), c.start);
        EXPECT_EQ(y["FinancialYearEnd"].toText(), c.end);
        EXPECT_EQ(y["Abbreviation"].toText(), c.abbreviation);
        EXPECT_EQ(db.scalar("SELECT TranDate FROM Transactions WHERE TranType = 11").toText(), c.opening);
    }
}

TEST(DeliveredYear, HasItsOpeningBalanceVoucher)
{
    Database db = delivered();
    Recordset t = Recordset::open(db, "SELECT * FROM Transactions");
    ASSERT_EQ(t.recordCount(), 1u);
    struct Column { const char* name; platform::Value value; };
    const Column columns[] = {
        {"DocNo", 1}, {"TranDate", "2026-06-30"}, {"Desc", "Opening Balance"}, {"TranType", 11},
        {"TrAmount", 0}, {"WordsAmt", ""}, {"JobID", 0}, {"FYID", 1}, {"UserAdded", 1},
        {"TimeAdded", kNow}, {"UserEdited", 1}, {"TimeEdited", kNow}, {"Cancel", 0}, {"Posted", 1},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(t[c.name], c.value);
    }
    EXPECT_EQ(count(db, "SELECT count(*) FROM SubTransactions"), 0);
}

TEST(DeliveredYear, BadDatesAreRefusedAndWriteNothing)
{
    struct Case { const char* today; const char* now; };
    const Case cases[] = {
        {"2026-13-01", kNow}, {"2026-00-10", kNow}, {"2026-02-29", kNow}, {"2026-04-31", kNow},
        {"2026-2-28", kNow}, {"2026-12-10x", kNow}, {"", kNow}, {"20261210", kNow}, {"2026/12/10", kNow},
        {"0000-03-01", kNow}, {"9999-08-01", kNow},   // years whose July-to-June year has no four-digit end
        {kToday, "2026-12-10 24:00:00"}, {kToday, "2026-12-10T09:30:15"}, {kToday, "2026-12-10 09:30"},
        {kToday, "2026-12-32 09:30:15"}, {kToday, "2026-12-10 09:60:15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.today << "\" \"" << c.now << '"');
        Database db = Database::createEmpty(":memory:");
        EXPECT_THROW(db::fillDelivered(db, c.today, c.now), std::invalid_argument);
        EXPECT_EQ(count(db, "SELECT count(*) FROM sqlite_master"), 0);
    }
}

TEST(DeliveredYear, FillingTwiceFailsAndKeepsTheFirstFill)
{
    Database db = delivered("2026-12-10", kNow);
    EXPECT_THROW(db::fillDelivered(db, "2030-01-01", "2030-01-01 08:00:00"), DbError);
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(count(db, "SELECT count(*) FROM FinancialYear"), 1);
    EXPECT_EQ(db.scalar("SELECT FinancialYearStart FROM FinancialYear").toText(), "2026-07-01");
    EXPECT_EQ(count(db, "SELECT count(*) FROM Users"), 1);
}

TEST(DeliveredAdministrator, PasswordIsStoredAsAHashThatMatches)
{
    Database db = delivered();
    Recordset u = Recordset::open(db, "SELECT * FROM Users");
    ASSERT_EQ(u.recordCount(), 1u);
    EXPECT_EQ(u["UserID"].toInt(), 1);
    EXPECT_EQ(u["UserName"].toText(), db::kAdminName);
    const std::string stored = u["Password"].toText();
    EXPECT_EQ(stored.find(db::kAdminPassword), std::string::npos);
    EXPECT_TRUE(platform::passwordMatches(db::kAdminPassword, stored));
    EXPECT_FALSE(platform::passwordMatches("Admin", stored));   // exact case
    EXPECT_FALSE(platform::passwordMatches("", stored));
}

TEST(DeliveredSchema, NamesThatListsOrderByCompareWithoutCase)
{
    struct Case { const char* what; const char* setup; const char* probe; };
    const Case cases[] = {
        {"Users.UserName", "", "SELECT count(*) FROM Users WHERE UserName = 'aDMINISTRATOR'"},
        {"FinancialYear.Abbreviation",
         "INSERT INTO FinancialYear VALUES (2, '2031-07-01', '2032-06-30', 'Fy-b')",
         "SELECT count(*) FROM FinancialYear WHERE Abbreviation = 'fY-B'"},
        {"Currencies.Country", "", "SELECT count(*) FROM Currencies WHERE Country = 'UNITED STATES'"},
        {"AccLevel1.Type", "", "SELECT count(*) FROM AccLevel1 WHERE Type = 'CASH AND BANK'"},
        {"AccLevel2.L2AccName", "", "SELECT count(*) FROM AccLevel2 WHERE L2AccName = 'cash'"},
        {"AccLevel3.AccName", "", "SELECT count(*) FROM AccLevel3 WHERE AccName = 'cash IN hand'"},
        {"Jobs.JobDesc", "INSERT INTO Jobs (JobNo, JobDesc) VALUES (1, 'Roof Repair')",
         "SELECT count(*) FROM Jobs WHERE JobDesc = 'roof repair'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Database db = delivered();
        addAccount(db);
        if (*c.setup)
            db.exec(c.setup);
        EXPECT_EQ(count(db, c.probe), 1);
    }
}

TEST(DeliveredSchema, RefusesRowsThatBreakItsRules)
{
    // Each statement runs on its own fresh database holding one account and the
    // opening-balance voucher, whose TranNo is bound as ?1 where the text uses it.
    struct Case { const char* what; const char* sql; };
    const Case cases[] = {
        {"line on an unknown account",
         "INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?1, 99999999, 100)"},
        {"line of an unknown voucher",
         "INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?1 + 1, 20101001, 100)"},
        {"line with a debit and a credit",
         "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (?1, 20101001, 100, 5)"},
        {"line with an unknown status",
         "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Status) VALUES (?1, 20101001, 100, 'Dr')"},
        {"second number 1 of the opening kind in the year",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-08-01', 11, 1)"},
        {"voucher of a missing job",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, JobID) VALUES (1, '2026-08-01', 21, 1, 7)"},
        {"voucher moved to a missing job", "UPDATE Transactions SET JobID = 7 WHERE TranNo = ?1"},
        {"voucher of an unknown kind",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-08-01', 99, 1)"},
        {"voucher of an unknown year",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-08-01', 21, 2)"},
        {"voucher dated in another form",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '01/08/2026', 21, 1)"},
        {"voucher dated a day that does not exist",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-02-30', 21, 1)"},
        {"voucher dated without leading zeros",
         "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-8-1', 21, 1)"},
        {"voucher re-dated with a time", "UPDATE Transactions SET TranDate = '2026-06-30 10:00' WHERE TranNo = ?1"},
        {"line's date copy in another form",
         "INSERT INTO SubTransactions (TranNo, AccCode, Debit, VoucherDate) VALUES (?1, 20101001, 100, '30.06.2026')"},
        {"voucher added by an unknown user", "UPDATE Transactions SET UserAdded = 5 WHERE TranNo = ?1"},
        {"posted 2", "UPDATE Transactions SET Posted = 2 WHERE TranNo = ?1"},
        {"cancel -1", "UPDATE Transactions SET Cancel = -1 WHERE TranNo = ?1"},
        {"operator9 2", "UPDATE userrights SET operator9 = 2 WHERE RightID = 2"},
        {"posting preference 2", "UPDATE BusinessInfo SET Posting = 2"},
        {"layout flag 2", "UPDATE BusinessInfo SET GJV = 2"},
        {"job status 2", "INSERT INTO Jobs (JobNo, Status) VALUES (1, 2)"},
        {"company preselecting an unknown year", "UPDATE BusinessInfo SET FYID = 2"},
        {"currency symbol of four characters",
         "UPDATE Currencies SET \"CCode\u00a0\u00a0\" = 'ABCD' WHERE Serial = 1"},
        {"year ending before it starts",
         "INSERT INTO FinancialYear VALUES (2, '2031-07-01', '2031-06-30', '2031-31')"},
        {"eleventh user", "INSERT INTO Users (UserID, UserName, Password) VALUES (11, 'x', 'x')"},
        {"sub type of an unknown main type",
         "INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (30101, 'Capital', 301)"},
        {"main type of an unknown nature",
         "INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (301, 'Capital', 31)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Database db = delivered();
        addAccount(db);
        const std::string_view sql = c.sql;
        const platform::Params params = sql.find("?1") != sql.npos ? platform::Params{openingTranNo(db)}
                                                                     : platform::Params{};
        const auto failure = failureOf(db, sql, params);
        ASSERT_TRUE(failure.has_value()) << "the statement was accepted";
        EXPECT_TRUE(failure->isConstraint()) << failure->what();
    }
}

TEST(DeliveredSchema, AcceptsVouchersWithoutAJobOrWithAnExistingOne)
{
    Database db = delivered();
    db.exec("INSERT INTO Jobs (JobNo, JobDesc) VALUES (1, 'Roof Repair')");
    const std::int64_t jobId = db.lastInsertId();
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, JobID) VALUES (1, '2026-08-01', 21, 1, 0)");
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, JobID) VALUES (2, '2026-08-01', 21, 1, ?)",
            {jobId});
    const std::int64_t second = db.lastInsertId();
    db.exec("UPDATE Transactions SET JobID = 0 WHERE TranNo = ?", {second});
    // The same number in another kind is no duplicate.
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-08-01', 31, 1)");
    EXPECT_EQ(count(db, "SELECT count(*) FROM Transactions"), 4);
}

TEST(DeliveredSchema, AccountsAndJobsInUseCannotBeDeleted)
{
    Database db = delivered();
    addAccount(db);
    db.exec("INSERT INTO Jobs (JobNo) VALUES (1)");
    const std::int64_t used = db.lastInsertId();
    db.exec("INSERT INTO Jobs (JobNo) VALUES (2)");
    const std::int64_t unused = db.lastInsertId();
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, JobID) VALUES (1, '2026-08-01', 21, 1, ?)",
            {used});
    db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?, ?, 100)",
            {db.lastInsertId(), kAccount});

    for (const auto& [sql, key] : {std::pair{"DELETE FROM Jobs WHERE JobID = ?", used},
                                   std::pair{"DELETE FROM AccLevel3 WHERE AccCode = ?", kAccount}}) {
        SCOPED_TRACE(sql);
        const auto failure = failureOf(db, sql, {key});
        ASSERT_TRUE(failure.has_value()) << "the row was deleted";
        EXPECT_TRUE(failure->isConstraint()) << failure->what();
    }
    EXPECT_EQ(db.exec("DELETE FROM Jobs WHERE JobID = ?", {unused}), 1);
}

TEST(DeliveredSchema, DeletingAVoucherDeletesItsLinesOnly)
{
    Database db = delivered();
    addAccount(db);
    const std::int64_t opening = openingTranNo(db);
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-08-01', 41, 1)");
    const std::int64_t journal = db.lastInsertId();
    for (const std::int64_t tranNo : {opening, opening, journal})
        db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?, ?, 100)", {tranNo, kAccount});

    EXPECT_EQ(db.exec("DELETE FROM Transactions WHERE TranNo = ?", {opening}), 1);
    EXPECT_EQ(count(db, "SELECT count(*) FROM SubTransactions WHERE TranNo = ?", {opening}), 0);
    EXPECT_EQ(count(db, "SELECT count(*) FROM SubTransactions WHERE TranNo = ?", {journal}), 1);
}

TEST(DeliveredSchema, VoucherNumbersAreNeverReused)
{
    // A cleared year's new opening-balance voucher must get a new TranNo.
    Database db = delivered();
    const std::int64_t old = openingTranNo(db);
    db.exec("DELETE FROM Transactions WHERE FYID = 1");
    db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID) VALUES (1, '2026-06-30', 11, 1)");
    EXPECT_GT(db.lastInsertId(), old);
}

TEST(DeliveredFile, OpensAsOurFileAndIsNeverOverwritten)
{
    TempPath file("marks");
    db::writeDeliveredFile(file.path.string(), kToday, kNow);
    {
        Database db = Database::open(file.path.string());
        EXPECT_EQ(db.scalar("PRAGMA application_id").toInt(), platform::kApplicationId);
        EXPECT_EQ(db.scalar("PRAGMA user_version").toInt(), platform::kSchemaVersion);
        EXPECT_EQ(count(db, "SELECT count(*) FROM BusinessInfo"), 1);
    }
    EXPECT_THROW(db::writeDeliveredFile(file.path.string(), "2030-01-01", "2030-01-01 08:00:00"), DbError);
    Database db = Database::open(file.path.string());
    EXPECT_EQ(db.scalar("SELECT FinancialYearStart FROM FinancialYear").toText(), "2026-07-01");
}

TEST(DeliveredFile, BadDateLeavesNoFile)
{
    TempPath file("bad_date");
    EXPECT_THROW(db::writeDeliveredFile(file.path.string(), "2026-02-30", kNow), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(file.path));
}

} // namespace
