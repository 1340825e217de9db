// The sign-in's clean-up of orphaned chart rows and its stored defaults.
#include "main/login_store.h"

#include <gtest/gtest.h>

#include "tests/support/test_database.h"

TEST(DeleteOrphans, RemovesUnlinkedRowsButNeverAnAccountInUse)
{
    testing_support::TestDatabase t;
    auto& db = t.db();
    const auto nature = db.scalar("SELECT MIN(NatureID) FROM FSNature WHERE FSID = 1").toInt();
    const auto low = db.scalar("SELECT StartAt FROM FSNature WHERE NatureID = ?", {nature}).toInt();
    db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, 'Assets', ?)", {low, nature});
    const std::int64_t sub = low * 100 + 1;
    db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, 'Cash', ?)", {sub, low});
    db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, 'Loose', NULL)", {sub + 1});
    db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, 'Loose but used', NULL)",
            {sub + 2});
    const std::int64_t a = sub * 1000;
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'Kept', ?, ?)",
            {a + 1, low, sub});
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'No type', NULL, ?)",
            {a + 2, sub});
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'No sub', ?, NULL)",
            {a + 3, low});
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'Used', NULL, ?)",
            {a + 4, sub});
    db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, 'Under loose', ?, ?)",
            {a + 5, low, sub + 2});
    const auto tranNo = db.scalar("SELECT TranNo FROM Transactions WHERE TranType = 11").toInt();
    db.exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit) "
            "VALUES (?, ?, 'Used', '', 100, 0)",
            {tranNo, a + 4});

    app::deleteOrphans(db);

    const auto left = db.scalar("SELECT group_concat(AccName, ',') FROM (SELECT AccName FROM AccLevel3 "
                                "ORDER BY AccCode)").toText();
    EXPECT_EQ(left, "Kept,Used,Under loose");
    const auto subs = db.scalar("SELECT group_concat(L2AccName, ',') FROM (SELECT L2AccName FROM AccLevel2 "
                                "ORDER BY Level2ID)").toText();
    EXPECT_EQ(subs, "Cash,Loose but used");
}

TEST(StoreDefaults, ChangesOnlyTheFirstBusinessRow)
{
    testing_support::TestDatabase t;
    t.addUser(2, "clerk", "pw");
    app::storeDefaults(t.db(), 2, 1);
    auto rs = app::openBusinessInfo(t.db());
    EXPECT_EQ(rs["UserID"].toInt(), 2);
    EXPECT_EQ(rs["FYID"].toInt(), 1);
}
