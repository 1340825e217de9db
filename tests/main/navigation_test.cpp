// The dashboard: its texts, the shared notice board and its lock by right 4,
// each user's own notes, the quick buttons with their rights, and the
// troubleshooting questions in their order.
#include "main/navigation.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include "main/help_form.h"
#include "main/parent.h"
#include "main/rights.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/window_host.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::Navigation;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

// The dashboard the main window opened at sign-in.
Navigation* dashboard(app::Parent& main)
{
    auto* nav = qobject_cast<Navigation*>(main.host().find(QStringLiteral("Navigation")));
    if (!nav)
        qFatal("no dashboard");
    return nav;
}

QPlainTextEdit* memo(Navigation& n, const char* name)
{
    return n.findChild<QPlainTextEdit*>(QString::fromLatin1(name));
}

QPushButton* button(Navigation& n, const char* name)
{
    return n.findChild<QPushButton*>(QString::fromLatin1(name));
}

QString stored(TestDatabase& t, const char* sql)
{
    return QString::fromStdString(t.db().scalar(sql).toText());
}

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }
    void init() { app::clearWindows(); }

    void greetsTheUserWithTheBusinessAndTodaysDate()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "");
        auto main = signed_in::mainWindow(t, 2, QStringLiteral("clerk"));
        Navigation* n = dashboard(*main);
        QCOMPARE(n->windowTitle(), QStringLiteral("Account Dashboard - clerk"));
        QCOMPARE(n->findChild<QLineEdit*>("CoTxt")->text(), QStringLiteral("My Business"));
        QCOMPARE(n->findChild<QLabel*>("DtLbl")->text(), QStringLiteral("December 10, 2026"));
    }

    void theBoardIsLockedOnlyForAnOperatorRefusedRight4_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("locked");
        QTest::newRow("operator refused") << 2 << true << true;
        QTest::newRow("operator allowed") << 2 << false << false;
        QTest::newRow("administrator, every column refused") << 1 << true << false;
    }
    void theBoardIsLockedOnlyForAnOperatorRefusedRight4()
    {
        QFETCH(int, user);
        QFETCH(bool, refused);
        QFETCH(bool, locked);
        TestDatabase t;
        for (int id = 2; id <= 10; ++id) {
            t.addUser(id, "user" + std::to_string(id), "");
            t.refuse(id, app::right::NoticeBoard, refused);
        }
        t.db().exec("UPDATE BusinessInfo SET CoMemo = 'stored board'");
        auto main = signed_in::mainWindow(t, user, QStringLiteral("someone"));
        MessageRecorder boxes;
        // Locked, or not, from the very first showing after sign-in.
        Navigation* n = dashboard(*main);
        QCOMPARE(n->boardLocked(), locked);
        QCOMPARE(memo(*n, "MemoTxt")->isReadOnly(), locked);
        QCOMPARE(button(*n, "SaveBttn2")->isEnabled(), !locked);
        QCOMPARE(button(*n, "CancelBttn2")->isEnabled(), !locked);
        QVERIFY(!memo(*n, "NotesTxt")->isReadOnly());

        memo(*n, "MemoTxt")->setPlainText(QStringLiteral("changed"));
        n->SaveBttn2_Click();   // the handler itself does nothing while locked
        QCOMPARE(stored(t, "SELECT CoMemo FROM BusinessInfo"), locked ? QStringLiteral("stored board") : QStringLiteral("changed"));
        QVERIFY(boxes.boxes().empty());
    }

    void everyoneSharesTheBoardAndKeepsHisOwnNotes()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "");
        {
            auto admin = signed_in::mainWindow(t);
            Navigation* n = dashboard(*admin);
            memo(*n, "MemoTxt")->setPlainText(QStringLiteral("<b>Stock count</b> on Friday"));
            button(*n, "SaveBttn2")->click();
            memo(*n, "NotesTxt")->setPlainText(QStringLiteral("admin's own"));
            button(*n, "SaveBttn")->click();
        }
        auto clerk = signed_in::mainWindow(t, 2, QStringLiteral("clerk"));
        MessageRecorder boxes;
        Navigation* n = dashboard(*clerk);
        // Plain text: the markup one user typed is shown as typed on another's screen.
        QCOMPARE(memo(*n, "MemoTxt")->toPlainText(), QStringLiteral("<b>Stock count</b> on Friday"));
        QCOMPARE(memo(*n, "NotesTxt")->toPlainText(), QString());
        memo(*n, "NotesTxt")->setPlainText(QStringLiteral("clerk's own"));
        button(*n, "SaveBttn")->click();
        memo(*n, "NotesTxt")->setPlainText(QStringLiteral("typed, not saved"));
        button(*n, "CancelBttn")->click();
        QCOMPARE(memo(*n, "NotesTxt")->toPlainText(), QStringLiteral("clerk's own"));
        memo(*n, "MemoTxt")->setPlainText(QStringLiteral("not saved either"));
        button(*n, "CancelBttn2")->click();
        QCOMPARE(memo(*n, "MemoTxt")->toPlainText(), QStringLiteral("<b>Stock count</b> on Friday"));
        QCOMPARE(stored(t, "SELECT group_concat(Notes, '|') FROM (SELECT Notes FROM Users ORDER BY UserID)"),
                 QStringLiteral("admin's own|clerk's own"));
        QVERIFY(boxes.boxes().empty());
    }

    void aFailedSaveSaysSoAndKeepsTheText()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        Navigation* n = dashboard(*main);
        t.db().execScript("CREATE TRIGGER NoNotes BEFORE UPDATE ON Users BEGIN SELECT RAISE(ABORT, 'busy'); END;"
                          "CREATE TRIGGER NoBoard BEFORE UPDATE ON BusinessInfo BEGIN SELECT RAISE(ABORT, 'busy'); END;");
        MessageRecorder boxes;
        memo(*n, "NotesTxt")->setPlainText(QStringLiteral("keep me"));
        n->SaveBttn_Click();
        QCOMPARE(boxes.last().title, QStringLiteral("Database Error"));
        QCOMPARE(memo(*n, "NotesTxt")->toPlainText(), QStringLiteral("keep me"));
        memo(*n, "MemoTxt")->setPlainText(QStringLiteral("board text"));
        n->SaveBttn2_Click();
        QCOMPARE(boxes.boxes().size(), std::size_t{2});
        QCOMPARE(memo(*n, "MemoTxt")->toPlainText(), QStringLiteral("board text"));
    }

    void aSaveStoresTheTextAsLoadedOrTyped_data()
    {
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("typed");   // typed at the end before the save
        QTest::addColumn<QString>("saved");
        const QString text = QString::fromUtf8("Rs.\xC2\xA0" "500 due\r\nFriday\xE2\x80\xA8" "10\xC2\xA0" "am\r\n");
        QTest::newRow("unedited") << text << QString() << text;
        QTest::newRow("typed after") << text << QStringLiteral("ok") << text + QStringLiteral("ok");
        QTest::newRow("lone CR") << QStringLiteral("a\rb") << QString() << QStringLiteral("a\rb");
    }
    void aSaveStoresTheTextAsLoadedOrTyped()
    {
        QFETCH(QString, loaded);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        TestDatabase t;
        t.db().exec("UPDATE BusinessInfo SET CoMemo = ?", {loaded.toStdString()});
        t.db().exec("UPDATE Users SET Notes = ? WHERE UserID = 1", {loaded.toStdString()});
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        Navigation* n = dashboard(*main);
        for (const char* box : {"MemoTxt", "NotesTxt"}) {
            memo(*n, box)->moveCursor(QTextCursor::End);
            QTest::keyClicks(memo(*n, box), typed);
        }
        button(*n, "SaveBttn")->click();
        button(*n, "SaveBttn2")->click();
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(stored(t, "SELECT CoMemo FROM BusinessInfo"), saved);
        QCOMPARE(stored(t, "SELECT Notes FROM Users WHERE UserID = 1"), saved);
    }

    void theQuickButtonsTestTheMenusRights()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "");
        int made = 0;
        app::registerWindow(QStringLiteral("PurchaseVoucher"), [&made](app::Parent&) {
            ++made;
            return new QWidget;
        });
        app::registerWindow(QStringLiteral("GeneralJournal"), [](app::Parent&) { return new QWidget; });
        app::registerWindow(QStringLiteral("IncomeStatement"), [](app::Parent&) { return new QDialog; });
        auto main = signed_in::mainWindow(t, 2, QStringLiteral("clerk"));
        Navigation* n = dashboard(*main);
        const char* const vouchers[] = {"Purchase Voucher",     "Purchase Return Voucher", "Sale Voucher",
                                        "Sale Return Voucher",  "Cash Payment Voucher",    "Cash Receipt Voucher",
                                        "Bank Payment Voucher", "Bank Receipt Voucher",    "General Journal Voucher"};
        for (int i = 0; i < 9; ++i)
            QCOMPARE(n->findChild<QLabel*>(QStringLiteral("RecordNew%1").arg(i))->text(), QString::fromLatin1(vouchers[i]));
        const char* const reports[] = {"Accounts' Ledgers", "Trial Balance", "Income Statement", "Balance Sheet"};
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(n->findChild<QLabel*>(QStringLiteral("ViewRep%1").arg(i))->text(), QString::fromLatin1(reports[i - 1]));
        // Only the windows that are part of the program are live.
        QVERIFY(n->findChild<QLabel*>("RecordNew0")->isEnabled());
        QVERIFY(!n->findChild<QLabel*>("RecordNew1")->isEnabled());

        MessageRecorder boxes;
        t.refuse(2, 42);
        n->RecordNew_Click(0);
        QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
        QCOMPARE(made, 0);
        t.refuse(2, 42, false);
        boxes.clear();
        n->RecordNew_Click(0);
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(made, 1);
        QVERIFY(main->host().find(QStringLiteral("PurchaseVoucher")));

        t.refuse(2, 122);
        n->RecordNew_Click(8);
        QVERIFY(!main->host().find(QStringLiteral("GeneralJournal")));
        t.refuse(2, 252);
        n->ViewRep_Click(3);
        QCOMPARE(boxes.boxes().size(), std::size_t{2});
        QVERIFY(!main->findChild<QDialog*>(QStringLiteral("IncomeStatement")));
        t.refuse(2, 252, false);
        n->ViewRep_Click(3);
        auto* income = main->findChild<QDialog*>(QStringLiteral("IncomeStatement"));
        QVERIFY(income && income->isModal());
        income->close();
    }

    void theQuestionsOpenTheirAnswersInOrder()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        Navigation* n = dashboard(*main);
        MessageRecorder boxes;
        const int ids[] = {1, 2, 7, 3, 4, 5, 6};
        for (int i = 0; i < 7; ++i) {
            n->Trouble_Click(i);
            QCOMPARE(main->HelpID, ids[i]);
            auto* help = main->findChild<app::HelpForm*>();
            QVERIFY(help && help->isModal());
            QCOMPARE(help->findChild<QLabel*>("Label1")->text(),
                     stored(t, ("SELECT Heading FROM HelpIndex WHERE ID = " + std::to_string(ids[i])).c_str()));
            help->close();
            QTRY_VERIFY(!main->findChild<app::HelpForm*>());
        }
        QCOMPARE(n->findChild<QLabel*>("Trouble2")->text(),
                 QStringLiteral("What is a Chart of Accounts and how can I develop it?"));
        QCOMPARE(n->findChild<QLabel*>("Trouble3")->text(), QStringLiteral("How to move focus within controls of a form?"));
        QVERIFY(n->findChild<QLabel*>("Trouble4")->text().contains(
            QStringLiteral("\"Report width is larger than the paper width.\" What should I do")));
        QVERIFY(boxes.boxes().empty());
    }
};

WINDOW_TEST_MAIN(NavigationTest)
#include "navigation_test.moc"
