// "Clear Transactions": the question, and the clearing of the signed-in year only.
#include "main/clear_transactions.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "main/year_rules.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::ClearTransactions;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

const QDateTime kNow{QDate(2027, 2, 3), QTime(8, 0, 0)};

// Year 1 (delivered) and year 2, each with a journal voucher of two lines and
// an opening line; signed in to year `fyId` as user 1.
struct Fixture {
    TestDatabase t;
    std::unique_ptr<app::Parent> main;

    explicit Fixture(int fyId)
    {
        auto& db = t.db();
        db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (201, 'Cash', 20)");
        db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID) VALUES (20101001, 'Petty cash', 201)");
        {
            platform::Transaction tx(db);
            const QDate start(2027, 7, 1), end(2028, 6, 30);
            app::addYear(tx, {2, start, end, app::yearAbbreviation(start, end)}, {1, kNow});
            tx.commit();
        }
        for (int fy : {1, 2}) {
            db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Posted) VALUES (1, '2027-01-01', 41, ?, 1)",
                    {fy});
            const auto jv = db.lastInsertId();
            db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Debit) VALUES (?, 20101001, 5), (?, 20101001, 6)",
                    {jv, jv});
            db.exec("INSERT INTO SubTransactions (TranNo, AccCode, Credit) VALUES (?, 20101001, 7)",
                    {*app::openingVoucherOf(db, fy)});
        }
        main = std::make_unique<app::Parent>(t.path());
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->PelkUser = 1;
        main->FYID = fyId;
        main->FYStart = QDate(2020, 1, 1);   // a stale sign-in date the clearing must not use
        main->MDIForm_Load();
    }
    std::int64_t rows(int fy) { return t.db().scalar("SELECT COUNT(*) FROM Transactions WHERE FYID = ?", {fy}).toInt(); }
    std::int64_t lines(int fy)
    {
        return t.db().scalar("SELECT COUNT(*) FROM SubTransactions s JOIN Transactions t ON t.TranNo = s.TranNo"
                             " WHERE t.FYID = ?", {fy}).toInt();
    }
};

} // namespace

class ClearTransactionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        shell::setNow(kNow);
    }

    void showsItsAdvice()
    {
        Fixture f(1);
        ClearTransactions w(*f.main);
        QCOMPARE(w.windowTitle(), QStringLiteral("Clear Transactions"));
        QCOMPARE(w.findChild<QPushButton*>("ClearBttn")->text(), QStringLiteral("Clear Transactions"));
        QStringList texts;
        for (auto* l : w.findChildren<QLabel*>())
            texts << l->text();
        QVERIFY(texts.contains("You can use this utility to clear all the transactions in your software. "
                               "This will let you start you software from scratch."));
        QVERIFY(texts.contains("It is strongly advised that you take back-up of your latest data, "
                               "to save yourself from any mis-happenning."));
        QVERIFY(texts.filter("\"Compact & Repair Data\"").size() == 1);
    }

    void answeringNoWritesNothing()
    {
        Fixture f(1);
        MessageRecorder messages;
        messages.answer(forms::Answer::No);
        ClearTransactions w(*f.main);
        w.show();
        w.ClearBttn_Click();
        QCOMPARE(messages.boxes().size(), std::size_t{1});
        QCOMPARE(messages.last().title, QStringLiteral("Confirmation"));
        QCOMPARE(messages.last().text,
                 QStringLiteral("Are you sure, you want to clear your transactions? This is an irreversible process "
                                "and you would not be able to recover your transactions once cleared."));
        QVERIFY(messages.last().buttons == forms::Buttons::YesNo);
        QVERIFY(!messages.last().informationIcon);
        QCOMPARE(f.rows(1), 2);
        QCOMPARE(f.lines(1), 3);
        QVERIFY(w.isVisible());
    }

    void clearsTheSignedInYearOnly_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("openingDate");
        QTest::newRow("first year") << 1 << "2026-06-30";
        QTest::newRow("second year") << 2 << "2027-06-30";
    }
    void clearsTheSignedInYearOnly()
    {
        QFETCH(int, year);
        QFETCH(QString, openingDate);
        Fixture f(year);
        const int other = 3 - year;
        MessageRecorder messages;
        messages.answer(forms::Answer::Yes);
        ClearTransactions w(*f.main);
        w.show();
        w.ClearBttn_Click();

        QCOMPARE(messages.boxes().size(), std::size_t{1});
        QCOMPARE(f.rows(year), 1);
        QCOMPARE(f.lines(year), 0);
        QCOMPARE(QString::fromStdString(
                     f.t.db().scalar("SELECT TranDate || ' ' || TranType || ' ' || TimeAdded FROM Transactions"
                                     " WHERE FYID = ?", {year}).toText()),
                 openingDate + " 11 2027-02-03 08:00:00");
        QCOMPARE(f.t.db().scalar("SELECT COUNT(*) FROM SubTransactions WHERE TranNo NOT IN"
                                 " (SELECT TranNo FROM Transactions)").toInt(), 0);
        QCOMPARE(f.rows(other), 2);
        QCOMPARE(f.lines(other), 3);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }
};

WINDOW_TEST_MAIN(ClearTransactionsTest)
#include "clear_transactions_test.moc"
