// "User Logins": ten users at most, new and reset users signing in with the
// empty password, renames that write only the name, the window's states and
// its refusal to operators.
#include "main/user_logins.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "main/parent.h"
#include "main/user_store.h"
#include "platform/data/database.h"
#include "platform/data/password_hash.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::UserLogins;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

template <class W> W* child(QWidget& w, const char* name)
{
    auto* c = w.findChild<W*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

void pick(UserLogins& w, const QString& name)
{
    auto* list = child<QListWidget>(w, "UserList");
    const auto items = list->findItems(name, Qt::MatchExactly);
    if (items.isEmpty())
        qFatal("no user %s", qPrintable(name));
    list->setCurrentItem(items.first());
}

void typeName(UserLogins& w, const QString& name)
{
    auto* login = child<QLineEdit>(w, "LoginTxt");
    login->selectAll();
    QTest::keyClicks(login, name);
}

// Which of list, New and Reset Password are enabled, as "LAR" with "-" for off.
QString enabled(UserLogins& w)
{
    QString s;
    s += child<QListWidget>(w, "UserList")->isEnabled() ? 'L' : '-';
    s += child<QPushButton>(w, "AddBttn")->isEnabled() ? 'A' : '-';
    s += child<QPushButton>(w, "SetPwd")->isEnabled() ? 'R' : '-';
    return s;
}

std::string stored(TestDatabase& t, const char* column, int userId)
{
    return t.db().scalar(std::string("SELECT ") + column + " FROM Users WHERE UserID = ?", {userId}).toText();
}

} // namespace

class UserLoginsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }

    void theTenthUserGetsId10AndTheEleventhIsRefused()
    {
        TestDatabase t;
        for (int id = 2; id <= 9; ++id)
            t.addUser(id, "user" + std::to_string(id), "x");
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        UserLogins w(*main);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("User Logins"));
        QCOMPARE(child<QLabel>(w, "UserType")->text(), QStringLiteral("Administrator"));
        QCOMPARE(enabled(w), QStringLiteral("LAR"));

        child<QPushButton>(w, "AddBttn")->click();
        QCOMPARE(w.state(), UserLogins::State::Adding);
        QCOMPARE(enabled(w), QStringLiteral("---"));
        QCOMPARE(child<QLineEdit>(w, "UserID")->text(), QStringLiteral("10"));
        QCOMPARE(child<QLabel>(w, "UserType")->text(), QStringLiteral("Operator"));
        QCOMPARE(child<QLineEdit>(w, "LoginTxt")->text(), QString());
        typeName(w, QStringLiteral("tenth"));
        child<QPushButton>(w, "SaveBttn")->click();
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(stored(t, "UserName", 10), std::string("tenth"));
        QCOMPARE(w.state(), UserLogins::State::Browsing);
        QCOMPARE(child<QListWidget>(w, "UserList")->currentItem()->text(), QStringLiteral("tenth"));

        child<QPushButton>(w, "AddBttn")->click();
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Add"));
        QCOMPARE(boxes.last().text, QStringLiteral("You have already created maximum number of user logins allowed."));
        QCOMPARE(w.state(), UserLogins::State::Browsing);
        QCOMPARE(app::userCount(t.db()), 10);
    }

    void newAndResetUsersSignInWithTheEmptyPassword()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "secret");
        {
            auto main = signed_in::mainWindow(t);
            MessageRecorder boxes;
            UserLogins w(*main);
            w.show();
            child<QPushButton>(w, "AddBttn")->click();
            typeName(w, QStringLiteral("newbie"));
            child<QPushButton>(w, "SaveBttn")->click();
            pick(w, QStringLiteral("clerk"));
            child<QPushButton>(w, "SetPwd")->click();
            QVERIFY(boxes.boxes().empty());   // no question, no message
            QCOMPARE(stored(t, "Notes", 3), std::string());
        }
        MessageRecorder boxes;
        for (const char* name : {"newbie", "clerk"}) {
            auto main = signed_in::signIn(t, QString::fromLatin1(name), QString());
            QVERIFY2(main, name);
            QCOMPARE(main->UName, QString::fromLatin1(name));
        }
        QVERIFY(!signed_in::signIn(t, QStringLiteral("clerk"), QStringLiteral("secret")));
        QCOMPARE(boxes.last().title, QStringLiteral("Wrong Password"));
    }

    void aRenameWritesOnlyTheNameAndAResetLeavesItPending()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "secret");
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        UserLogins w(*main);
        w.show();
        pick(w, QStringLiteral("clerk"));
        QCOMPARE(child<QLabel>(w, "UserType")->text(), QStringLiteral("Operator"));
        typeName(w, QStringLiteral("cashier"));
        QCOMPARE(w.state(), UserLogins::State::Renaming);
        QCOMPARE(enabled(w), QStringLiteral("--R"));

        // Written elsewhere while the window is open.
        t.db().exec("UPDATE Users SET Notes = 'from the dashboard' WHERE UserID = 2");
        child<QPushButton>(w, "SetPwd")->click();
        QVERIFY(platform::passwordMatches("", stored(t, "Password", 2)));
        QCOMPARE(stored(t, "UserName", 2), std::string("clerk"));
        QCOMPARE(w.state(), UserLogins::State::Renaming);
        QCOMPARE(child<QLineEdit>(w, "LoginTxt")->text(), QStringLiteral("cashier"));

        t.db().exec("UPDATE Users SET Password = ? WHERE UserID = 2", {platform::hashPassword("later")});
        child<QPushButton>(w, "SaveBttn")->click();
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(stored(t, "UserName", 2), std::string("cashier"));
        QCOMPARE(stored(t, "Notes", 2), std::string("from the dashboard"));
        QVERIFY(platform::passwordMatches("later", stored(t, "Password", 2)));
        QCOMPARE(app::userCount(t.db()), 2);
        QCOMPARE(enabled(w), QStringLiteral("LAR"));
        // The signed-in name is the sign-in's: it keeps the old one.
        QCOMPARE(main->UName, QStringLiteral("Administrator"));
    }

    void anEmptyNameIsRefusedAndCancelDropsWhatWasNotSaved()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "x");
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        UserLogins w(*main);
        w.show();
        QApplication::setActiveWindow(&w);
        child<QPushButton>(w, "AddBttn")->click();
        typeName(w, QStringLiteral("   "));
        child<QPushButton>(w, "CancelBttn")->setFocus();
        child<QPushButton>(w, "SaveBttn")->click();
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Save"));
        QCOMPARE(boxes.last().text, QStringLiteral("Give login name to save record."));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("LoginTxt"));
        QCOMPARE(app::userCount(t.db()), 2);
        QCOMPARE(w.state(), UserLogins::State::Adding);

        child<QPushButton>(w, "CancelBttn")->click();
        QCOMPARE(w.state(), UserLogins::State::Browsing);
        QCOMPARE(app::userCount(t.db()), 2);
        pick(w, QStringLiteral("clerk"));
        typeName(w, QStringLiteral("renamed"));
        child<QPushButton>(w, "CancelBttn")->click();
        QCOMPARE(child<QLineEdit>(w, "LoginTxt")->text(), QStringLiteral("clerk"));
        QCOMPARE(stored(t, "UserName", 2), std::string("clerk"));
        QVERIFY(w.isVisible());
    }

    void anOperatorWhoOpensItByNameIsRefused()
    {
        signed_in::checkRefusedToOperator<UserLogins>(
            "You do not have access to edit user logins.", [](UserLogins& w, TestDatabase& t) {
                QCOMPARE(child<QListWidget>(w, "UserList")->count(), 0);
                w.SetPwd_Click();
                w.AddBttn_Click();
                w.SaveBttn_Click();
                QVERIFY(platform::passwordMatches("x", stored(t, "Password", 2)));
                QCOMPARE(app::userCount(t.db()), 2);
            });
    }
};

WINDOW_TEST_MAIN(UserLoginsTest)
#include "user_logins_test.moc"
