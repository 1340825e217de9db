// "Password Settings": the wrong old password, the mismatch and the change,
// each with its boxes and focus; the operator held to his own password.
#include "main/password.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/data/password_hash.h"
#include "platform/forms/length_limit.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::Password;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

QLineEdit* box(Password& w, const char* name)
{
    auto* b = w.findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!b)
        qFatal("no box %s", name);
    return b;
}

void type(Password& w, const char* oldPwd, const char* newPwd, const char* newPwd2)
{
    box(w, "OldPwd")->setText(QString::fromLatin1(oldPwd));
    box(w, "NewPwd")->setText(QString::fromLatin1(newPwd));
    box(w, "NewPwd2")->setText(QString::fromLatin1(newPwd2));
}

bool storedIs(TestDatabase& t, int userId, const char* password)
{
    return platform::passwordMatches(
        password, t.db().scalar("SELECT Password FROM Users WHERE UserID = ?", {userId}).toText());
}

} // namespace

class PasswordTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }

    void checksTheOldPasswordThenTheRetypedOneThenStores_data()
    {
        QTest::addColumn<QString>("oldPwd");
        QTest::addColumn<QString>("newPwd2");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("left");    // OldPwd|NewPwd|NewPwd2 after the click
        QTest::addColumn<QString>("focus");
        QTest::newRow("wrong old password") << "Secret" << "next" << "Wrong Password" << "||" << "OldPwd";
        QTest::newRow("wrong old and a mismatch") << "nope" << "other" << "Wrong Password" << "||" << "OldPwd";
        QTest::newRow("mismatch") << "secret" << "nxet" << "Password Mismatch" << "secret||" << "NewPwd";
    }
    void checksTheOldPasswordThenTheRetypedOneThenStores()
    {
        QFETCH(QString, oldPwd);
        QFETCH(QString, newPwd2);
        TestDatabase t;
        t.addUser(2, "clerk", "secret");
        auto main = signed_in::mainWindow(t, 2, QStringLiteral("clerk"));
        MessageRecorder boxes;
        Password w(*main);
        w.show();
        QApplication::setActiveWindow(&w);
        type(w, oldPwd.toLatin1(), "next", newPwd2.toLatin1());
        w.findChild<QPushButton*>("ChangePwd")->click();
        QFETCH(QString, title);
        QCOMPARE(boxes.last().title, title);
        QCOMPARE(boxes.last().text, title == QLatin1String("Wrong Password")
                                        ? QStringLiteral("The old password provided is incorrect! Please try again!")
                                        : QStringLiteral("Please re-type your new password!"));
        QFETCH(QString, left);
        QCOMPARE(box(w, "OldPwd")->text() + '|' + box(w, "NewPwd")->text() + '|' + box(w, "NewPwd2")->text(), left);
        QFETCH(QString, focus);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(storedIs(t, 2, "secret"));
        QVERIFY(w.isVisible());

        // Typed right, the new hash is stored and the window closes without a message.
        boxes.clear();
        type(w, "secret", "next", "next");
        w.findChild<QPushButton*>("ChangePwd")->click();
        QVERIFY(boxes.boxes().empty());
        QVERIFY(storedIs(t, 2, "next"));
        QVERIFY(!storedIs(t, 2, "secret"));
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void anOperatorChangesOnlyHisOwnPassword()
    {
        TestDatabase t;
        t.addUser(2, "amy", "a");
        t.addUser(3, "bob", "b");
        auto main = signed_in::mainWindow(t, 3, QStringLiteral("bob"));
        MessageRecorder boxes;
        Password w(*main);
        w.show();
        auto* users = w.findChild<QComboBox*>("UserCombo");
        QCOMPARE(users->currentText(), QStringLiteral("bob"));
        QVERIFY(!users->isEnabled());
        users->setCurrentIndex(users->findText(QStringLiteral("amy")));   // whatever the list shows
        type(w, "b", "new", "new");
        w.ChangePwd_Click();
        QVERIFY(boxes.boxes().empty());
        QVERIFY(storedIs(t, 3, "new"));
        QVERIFY(storedIs(t, 2, "a"));
    }

    void theAdministratorPicksAUserAndTypesThatUsersOldPassword()
    {
        TestDatabase t;
        t.addUser(2, "amy", "");
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        Password w(*main);
        w.show();
        auto* users = w.findChild<QComboBox*>("UserCombo");
        QVERIFY(users->isEnabled());
        QCOMPARE(users->currentText(), QStringLiteral("Administrator"));
        users->setCurrentIndex(users->findText(QStringLiteral("amy")));
        type(w, "", "fresh", "fresh");   // a reset password is the empty one
        w.ChangePwd_Click();
        QVERIFY(boxes.boxes().empty());
        QVERIFY(storedIs(t, 2, "fresh"));
        QVERIFY(storedIs(t, 1, "admin"));
        for (const char* name : {"OldPwd", "NewPwd", "NewPwd2"}) {
            QCOMPARE(box(w, name)->echoMode(), QLineEdit::Password);
            QCOMPARE(forms::lengthLimit(box(w, name)), 20);
        }
    }
};

WINDOW_TEST_MAIN(PasswordTest)
#include "password_test.moc"
