// "User Rights Settings": one operator's column at a time, toggles in memory,
// Save, Cancel and closing, and the operator's next check following a save.
#include "main/user_rights.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "main/parent.h"
#include "main/rights.h"
#include "platform/data/database.h"
#include "tests/main/signed_in.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using app::UserRights;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

QTableWidget* grid(UserRights& w)
{
    return w.findChild<QTableWidget*>("RightsGrid");
}

int rowOf(UserRights& w, int rightId)
{
    for (int r = 0; r < grid(w)->rowCount(); ++r)
        if (grid(w)->item(r, 0)->text() == QString::number(rightId))
            return r;
    qFatal("no right %d", rightId);
}

void doubleClick(UserRights& w, int rightId)
{
    grid(w)->setCurrentCell(rowOf(w, rightId), 1);
    w.RightsGrid_DblClick();
}

QString shownColumns(UserRights& w)
{
    QString s;
    for (int c = 0; c < grid(w)->columnCount(); ++c)
        if (!grid(w)->isColumnHidden(c))
            s += QString::number(c);
    return s;
}

void pickOperator(UserRights& w, const char* name)
{
    auto* list = w.findChild<QComboBox*>("LoginList");
    list->setCurrentIndex(list->findText(QString::fromLatin1(name)));
}

} // namespace

class UserRightsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { signed_in::setUpSeams(); }

    void showsOneOperatorsColumnAndTogglesItInMemory()
    {
        TestDatabase t;
        t.addUser(2, "zed", "");
        t.addUser(3, "amy", "");
        t.refuse(3, 42);
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        UserRights w(*main);
        QCOMPARE(w.windowTitle(), QStringLiteral("User Rights Settings"));
        // The first operator by name, amy (user 3), and her column 3 only.
        QCOMPARE(w.shownOperator(), 3);
        QCOMPARE(w.findChild<QLineEdit*>("UID")->text(), QStringLiteral("3"));
        QCOMPARE(shownColumns(w), QStringLiteral("013"));
        QCOMPARE(grid(w)->horizontalHeaderItem(3)->text(), QStringLiteral("   Right Allowed Status"));
        QCOMPARE(grid(w)->item(rowOf(w, 42), 3)->text(), QStringLiteral("Not Allowed"));
        QCOMPARE(grid(w)->item(rowOf(w, 42), 2)->text(), QString());

        doubleClick(w, 42);
        QCOMPARE(grid(w)->item(rowOf(w, 42), 3)->text(), QString());
        doubleClick(w, 42);
        QCOMPARE(grid(w)->item(rowOf(w, 42), 3)->text(), QStringLiteral("Not Allowed"));
        QVERIFY(!w.sheet().hasChanges());

        // An edit for amy stays pending while zed's column is shown, and one Save writes both.
        doubleClick(w, 240);
        pickOperator(w, "zed");
        QCOMPARE(shownColumns(w), QStringLiteral("012"));
        doubleClick(w, 240);
        QVERIFY(!app::loadRight(t.db(), 240, 3).notAllowed);
        w.findChild<QPushButton*>("SaveBttn")->click();
        QVERIFY(boxes.boxes().empty());
        QVERIFY(app::loadRight(t.db(), 240, 3).notAllowed);
        QVERIFY(app::loadRight(t.db(), 240, 2).notAllowed);
        QVERIFY(app::loadRight(t.db(), 42, 3).notAllowed);
        QVERIFY(!w.sheet().hasChanges());
    }

    void cancelAndClosingDropTheToggles()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "");
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        {
            UserRights w(*main);
            w.show();
            doubleClick(w, 62);
            w.findChild<QPushButton*>("CancelBttn")->click();
            QVERIFY(w.isVisible());
            QCOMPARE(grid(w)->item(rowOf(w, 62), 2)->text(), QString());
            w.findChild<QPushButton*>("SaveBttn")->click();
            doubleClick(w, 64);
            w.close();
        }
        QVERIFY(!app::loadRight(t.db(), 62, 2).notAllowed);
        QVERIFY(!app::loadRight(t.db(), 64, 2).notAllowed);
        QVERIFY(boxes.boxes().empty());
    }

    void theOperatorsNextCheckFollowsTheSave()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "");
        auto admin = signed_in::mainWindow(t);
        auto clerk = signed_in::mainWindow(t, 2, QStringLiteral("clerk"));
        MessageRecorder boxes;
        QVERIFY(clerk->CheckRight(248));
        UserRights w(*admin);
        doubleClick(w, 248);
        QVERIFY(clerk->CheckRight(248));   // not saved yet
        w.SaveBttn_Click();
        QVERIFY(!clerk->CheckRight(248));
        QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
    }

    void aFailedSaveKeepsThePendingChangesAndSaysWhy()
    {
        TestDatabase t;
        t.addUser(2, "clerk", "");
        auto main = signed_in::mainWindow(t);
        UserRights w(*main);
        doubleClick(w, 42);
        doubleClick(w, 254);
        t.db().execScript("CREATE TRIGGER NoChange BEFORE UPDATE ON userrights WHEN NEW.RightID = 254"
                          " BEGIN SELECT RAISE(ABORT, 'locked'); END;");
        MessageRecorder boxes;
        w.SaveBttn_Click();
        QCOMPARE(boxes.last().title, QStringLiteral("Database Error"));
        QVERIFY(!app::loadRight(t.db(), 42, 2).notAllowed);
        QCOMPARE(w.sheet().changes().size(), std::size_t{2});
        t.db().execScript("DROP TRIGGER NoChange;");
        w.SaveBttn_Click();
        QVERIFY(app::loadRight(t.db(), 42, 2).notAllowed);
        QVERIFY(app::loadRight(t.db(), 254, 2).notAllowed);
    }

    void withoutOperatorsNothingCanBeToggled()
    {
        TestDatabase t;
        auto main = signed_in::mainWindow(t);
        MessageRecorder boxes;
        UserRights w(*main);
        QCOMPARE(w.shownOperator(), 0);
        QCOMPARE(shownColumns(w), QStringLiteral("01"));
        doubleClick(w, 42);
        QVERIFY(!w.sheet().hasChanges());
        QVERIFY(boxes.boxes().empty());
    }

    void anOperatorWhoOpensItByNameIsRefused()
    {
        signed_in::checkRefusedToOperator<UserRights>(
            "You do not have access to edit user rights.",
            [](UserRights& w, TestDatabase&) { QCOMPARE(grid(w)->rowCount(), 0); });
    }
};

WINDOW_TEST_MAIN(UserRightsTest)
#include "user_rights_test.moc"
