// The sign-in window: defaults, the password check and the hand-over to the main window.
#include "main/login_form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "platform/data/password_hash.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "platform/shell/launcher.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using testing_support::MessageRecorder;
using testing_support::TestDatabase;

class LoginFormTest : public QObject {
    Q_OBJECT

private:
    static QComboBox* combo(app::LoginForm& f, const char* name) { return f.findChild<QComboBox*>(name); }
    static QLineEdit* edit(app::LoginForm& f, const char* name) { return f.findChild<QLineEdit*>(name); }
    static void choose(QComboBox* c, const QString& text) { c->setCurrentIndex(c->findText(text)); }

    // Signs in and hands the main window to `out`, which the caller closes.
    static void closeMain(app::LoginForm& f)
    {
        if (QPointer<app::Parent> main = f.mainWindow()) {
            main->ExitOpt = true;
            main->close();
        }
    }

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        shell::setStartHook([](const QString&, const QStringList&) { return true; });
        forms::WindowHost::setModalNonBlocking(true);
    }

    void preselectsTheStoredDefaultsAndSetAsDefaultChangesTheNextStart()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "pw");
        t.db().exec("INSERT INTO FinancialYear (FYID, FinancialYearStart, FinancialYearEnd, Abbreviation) "
                    "VALUES (2, '2027-07-01', '2028-06-30', '2027-28')");
        {
            app::LoginForm f(t.path());
            QVERIFY(f.Form_Load());
            QCOMPARE(combo(f, "UserCombo")->currentText(), QStringLiteral("Administrator"));
            QCOMPARE(combo(f, "FYear")->currentText(), QStringLiteral("2026-27"));
            QCOMPARE(combo(f, "FYear")->count(), 2);
            // Choosing alone stores nothing.
            choose(combo(f, "UserCombo"), QStringLiteral("clerk"));
        }
        {
            app::LoginForm f(t.path());
            QVERIFY(f.Form_Load());
            QCOMPARE(combo(f, "UserCombo")->currentText(), QStringLiteral("Administrator"));
            choose(combo(f, "UserCombo"), QStringLiteral("clerk"));
            choose(combo(f, "FYear"), QStringLiteral("2027-28"));
            f.findChild<QPushButton*>("SetDefault")->click();
        }
        app::LoginForm f(t.path());
        QVERIFY(f.Form_Load());
        QCOMPARE(combo(f, "UserCombo")->currentText(), QStringLiteral("clerk"));
        QCOMPARE(combo(f, "FYear")->currentText(), QStringLiteral("2027-28"));
    }

    void refusesAWrongPasswordAndEmptiesTheBox_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("exact") << "Secret" << "Secret" << true;
        QTest::newRow("case differs") << "Secret" << "secret" << false;
        QTest::newRow("wrong") << "Secret" << "Secreto" << false;
        QTest::newRow("empty typed, stored set") << "Secret" << "" << false;
        QTest::newRow("both empty") << "" << "" << true;
        QTest::newRow("typed, stored empty") << "" << "x" << false;
    }
    void refusesAWrongPasswordAndEmptiesTheBox()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        TestDatabase t;
        t.addUser(2, "clerk", stored.toStdString());
        MessageRecorder boxes;
        app::LoginForm f(t.path());
        QVERIFY(f.Form_Load());
        f.show();
        choose(combo(f, "UserCombo"), QStringLiteral("clerk"));
        edit(f, "PWD")->setText(typed);
        f.findChild<QPushButton*>("OkBttn")->click();
        if (accepted) {
            QVERIFY(f.mainWindow() != nullptr);
            QVERIFY(boxes.boxes().empty());
            closeMain(f);
            return;
        }
        QVERIFY(f.mainWindow() == nullptr);
        QCOMPARE(boxes.last().title, QStringLiteral("Wrong Password"));
        QCOMPARE(boxes.last().text, QStringLiteral("The password provided is incorrect! Please try again!"));
        QVERIFY(boxes.last().informationIcon);
        QVERIFY(edit(f, "PWD")->text().isEmpty());
        QCOMPARE(f.focusWidget(), edit(f, "PWD"));
        QCOMPARE(combo(f, "UserCombo")->currentText(), QStringLiteral("clerk"));
    }

    // The stored hash is read when Continue is pressed: a password changed
    // while the window was open is the one that counts.
    void checksThePasswordStoredWhenContinueIsPressed()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "old");
        MessageRecorder boxes;
        app::LoginForm f(t.path());
        QVERIFY(f.Form_Load());
        f.show();
        choose(combo(f, "UserCombo"), QStringLiteral("clerk"));
        t.db().exec("UPDATE Users SET Password = ? WHERE UserID = 2", {platform::hashPassword("new")});
        edit(f, "PWD")->setText(QStringLiteral("old"));
        f.findChild<QPushButton*>("OkBttn")->click();
        QVERIFY(f.mainWindow() == nullptr);
        QCOMPARE(boxes.last().title, QStringLiteral("Wrong Password"));
        edit(f, "PWD")->setText(QStringLiteral("new"));
        f.findChild<QPushButton*>("OkBttn")->click();
        QVERIFY(f.mainWindow() != nullptr);
        closeMain(f);
    }

    void fillsTheSignInStateStatusLineAndCaption_data()
    {
        QTest::addColumn<QVariant>("fax");
        QTest::addColumn<QString>("bizTel");
        QTest::newRow("no fax") << QVariant() << "Tel: 021-111";
        QTest::newRow("empty fax") << QVariant(QString()) << "Tel: 021-111";
        QTest::newRow("fax") << QVariant(QStringLiteral("123")) << "Tel: 021-111   Fax: 123";
    }
    void fillsTheSignInStateStatusLineAndCaption()
    {
        QFETCH(QVariant, fax);
        QFETCH(QString, bizTel);
        TestDatabase t;
        t.db().exec("UPDATE BusinessInfo SET Name = 'Acme Traders', Address = '1 Quay', Telephones = '021-111', "
                    "Fax = ?, Email = 'a@acme.test', CurrencyName = 'Rupees', CCode = 'Rs', "
                    "PV = 1, PRV = 0, SV = 1, SRV = 0, CPV = 1, CRV = 0, BPV = 1, BRV = 0, GJV = 1, Posting = 1",
                    {fax.isNull() ? platform::Value() : platform::Value(fax.toString().toStdString())});
        app::LoginForm f(t.path());
        QVERIFY(f.Form_Load());
        edit(f, "PWD")->setText(QStringLiteral("admin"));
        f.OkBttn_Click();
        QPointer<app::Parent> main = f.mainWindow();
        QVERIFY(main);
        QCOMPARE(main->UName, QStringLiteral("Administrator"));
        QCOMPARE(main->PelkUser, 1);
        QCOMPARE(main->FYID, 1);
        QCOMPARE(main->FYStart, QDate(2026, 7, 1));
        QCOMPARE(main->FYEnd, QDate(2027, 6, 30));
        QCOMPARE(main->BizName, QStringLiteral("Acme Traders"));
        QCOMPARE(main->BizAdd, QStringLiteral("1 Quay"));
        QCOMPARE(main->BizTel, bizTel);
        QCOMPARE(main->BizEMail, QStringLiteral("E-Mail: a@acme.test"));
        QCOMPARE(main->CurrencyName, QStringLiteral("Rupees"));
        QCOMPARE(main->CurrencySymbol, QStringLiteral("Rs"));
        QVERIFY(main->PVType && !main->PRVType && main->SVType && !main->SRVType && main->CPVType);
        QVERIFY(!main->CRVType && main->BPVType && !main->BRVType && main->GJVType && main->AutoPost);
        QCOMPARE(main->panelText(1), QStringLiteral("Tamsel Standard by Brevanko"));
        QCOMPARE(main->panelText(2),
                 QStringLiteral("Financial Year Starting From  Jul 1, 2026  To  Jun 30, 2027"));
        QCOMPARE(main->windowTitle(), QStringLiteral("Tamsel Standard - Acme Traders"));
        QVERIFY(main->isVisible());
        QVERIFY(!f.isVisible());
        QVERIFY(main->Pelkconn);
        closeMain(f);
    }

    void signsInForTheChosenYear()
    {
        TestDatabase t;
        t.db().exec("INSERT INTO FinancialYear (FYID, FinancialYearStart, FinancialYearEnd, Abbreviation) "
                    "VALUES (7, '2012-07-01', '2013-06-30', '2012-13')");
        app::LoginForm f(t.path());
        QVERIFY(f.Form_Load());
        choose(combo(f, "FYear"), QStringLiteral("2012-13"));
        edit(f, "PWD")->setText(QStringLiteral("admin"));
        f.OkBttn_Click();
        QVERIFY(f.mainWindow());
        QCOMPARE(f.mainWindow()->FYID, 7);
        QCOMPARE(f.mainWindow()->FYStart, QDate(2012, 7, 1));
        QCOMPARE(f.mainWindow()->panelText(2),
                 QStringLiteral("Financial Year Starting From  Jul 1, 2012  To  Jun 30, 2013"));
        closeMain(f);
    }

    void stopsWithTheEngineMessageWhenTheDatabaseIsMissing()
    {
        QTemporaryDir empty;
        MessageRecorder boxes;
        app::LoginForm f(empty.filePath(QStringLiteral("DB/tamselstd.MDB")));
        QVERIFY(!f.Form_Load());
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QVERIFY(boxes.last().text.contains(QStringLiteral("tamselstd.MDB")));
        QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("DB/tamselstd.MDB"))));
    }

    void opensTheMakersAddressWithoutWaiting()
    {
        TestDatabase t;
        QUrl opened;
        auto previous = shell::setUrlHook([&](const QUrl& u) { opened = u; });
        app::LoginForm f(t.path());
        QVERIFY(f.Form_Load());
        f.weblink_Click();
        QCOMPARE(opened, QUrl(QLatin1String(app::LoginForm::webAddress())));
        shell::setUrlHook(std::move(previous));
    }
};

WINDOW_TEST_MAIN(LoginFormTest)
#include "login_form_test.moc"
