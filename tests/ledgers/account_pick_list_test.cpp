// The account code box and the range picker: look-up, leaving the box, keys,
// the type-ahead list and which box the list serves.
#include "ledgers/account_pick_list.h"

#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/data/recordset.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using testing_support::TestDatabase;

namespace {

// A window with a range picker (or one box) over the hand-made chart and a
// button to move the focus to.
struct Host {
    TestDatabase t;
    std::unique_ptr<testing_support::HandBook> book;
    platform::Recordset accounts;
    QWidget window;
    QLineEdit* codeFrom = new QLineEdit(&window);
    QLineEdit* accFrom = new QLineEdit(&window);
    QLineEdit* codeTo = new QLineEdit(&window);
    QLineEdit* accTo = new QLineEdit(&window);
    QPushButton* elsewhere = new QPushButton(QStringLiteral("elsewhere"), &window);
    ledgers::AccRangePicker* picker = nullptr;

    explicit Host(bool emptyChart = false)
    {
        if (!emptyChart)
            book = std::make_unique<testing_support::HandBook>(t.db());
        accounts = platform::Recordset::open(t.db(), "SELECT * FROM AccLevel3 ORDER BY AccCode");
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{codeFrom, accFrom, codeTo, accTo, elsewhere})
            layout->addWidget(w);
        window.resize(400, 500);
        picker = new ledgers::AccRangePicker(t.db(), accounts, &window, codeFrom, accFrom, codeTo, accTo);
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("window not active");
    }
    QListView* list() const { return picker->list(); }
    int listRows() const { return list()->model()->rowCount(); }
    void focus(QWidget* w)
    {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
};

} // namespace

class AccountPickListTest : public QObject {
    Q_OBJECT

private slots:
    void typedCodeFillsTheNameOnlyForAnAccount_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("account") << "20101001" << "20101001" << "Cash in Hand";
        QTest::newRow("ninth digit not taken") << "201010029" << "20101002" << "Bank 50% Account";
        QTest::newRow("no account") << "20101009" << "20101009" << "";
        QTest::newRow("part of a code") << "2010100" << "2010100" << "";
        QTest::newRow("letters") << "Cash" << "Cash" << "";
    }
    void typedCodeFillsTheNameOnlyForAnAccount()
    {
        QFETCH(QString, typed);
        QFETCH(QString, code);
        QFETCH(QString, name);
        Host h;
        h.focus(h.codeFrom);
        QTest::keyClicks(h.codeFrom, typed);
        QCOMPARE(h.codeFrom->text(), code);
        QCOMPARE(h.accFrom->text(), name);
        QVERIFY(h.accFrom->isReadOnly());
    }

    void leavingTheBoxKeepsOnlyAnAccountCode_data()
    {
        QTest::addColumn<bool>("emptyChart");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("why");   // what the name box then says
        QTest::newRow("account") << false << "75101001" << "75101001" << "";
        QTest::newRow("no account") << false << "75101009" << "" << "No account has the code 75101009.";
        QTest::newRow("letters") << false << "Rent" << "" << "An account code is digits only.";
        QTest::newRow("nothing typed") << false << "" << "" << "";
        QTest::newRow("empty chart keeps a number") << true << "75101001" << "75101001" << "";
        QTest::newRow("empty chart drops letters") << true << "Rent" << "" << "An account code is digits only.";
    }
    void leavingTheBoxKeepsOnlyAnAccountCode()
    {
        QFETCH(bool, emptyChart);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, why);
        Host h(emptyChart);
        h.focus(h.codeFrom);
        QTest::keyClicks(h.codeFrom, typed);
        h.focus(h.elsewhere);
        QCOMPARE(h.codeFrom->text(), kept);
        QCOMPARE(h.accFrom->text().isEmpty(), emptyChart || kept.isEmpty());
        QCOMPARE(h.accFrom->placeholderText(), why);
        QVERIFY(h.accTo->placeholderText().isEmpty());

        // The reason stays until the box is typed into again.
        h.focus(h.codeFrom);
        QTest::keyClicks(h.codeFrom, QStringLiteral("7"));
        QVERIFY(h.accFrom->placeholderText().isEmpty());
    }

    void typingFiltersTheListAndEscEmptiesTheBox()
    {
        Host h;
        QVERIFY(!h.list()->isVisible());
        QCOMPARE(h.listRows(), 6);
        h.focus(h.codeFrom);
        QTest::keyClicks(h.codeFrom, QStringLiteral("cash"));
        QVERIFY(h.list()->isVisible());
        QCOMPARE(h.listRows(), 1);
        QCOMPARE(h.picker->currentCode(), std::optional<std::int64_t>(testing_support::acc::Cash));
        QVERIFY(h.accFrom->text().isEmpty());
        QTest::keyClick(h.codeFrom, Qt::Key_Escape);
        QVERIFY(h.codeFrom->text().isEmpty());
        QVERIFY(!h.list()->isVisible());
        QCOMPARE(h.listRows(), 6);   // the key's release asked for every account again
    }

    void enterMovesOnWithoutTakingTheListsEntry()
    {
        Host h;
        h.focus(h.codeFrom);
        QTest::keyClicks(h.codeFrom, QStringLiteral("2010100"));
        QVERIFY(h.list()->isVisible());
        QTest::keyClick(h.codeFrom, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), h.accFrom);
        QVERIFY(!h.list()->isVisible());
        QVERIFY(h.codeFrom->text().isEmpty());   // left the box holding no account's code
    }

    void theListGivesItsEntryToTheBox_data()
    {
        QTest::addColumn<int>("key");   // 0: a double-click
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("double-click") << 0;
    }
    void theListGivesItsEntryToTheBox()
    {
        QFETCH(int, key);
        Host h;
        h.focus(h.codeFrom);
        QTest::keyClicks(h.codeFrom, QStringLiteral("ank"));
        QTest::keyClick(h.codeFrom, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), h.list());
        QCOMPARE(h.list()->currentIndex().row(), 0);
        if (key) {
            QTest::keyClick(h.list(), Qt::Key(key));
            QCOMPARE(QApplication::focusWidget(), h.accFrom);
        } else {
            const QRect row = h.list()->visualRect(h.list()->model()->index(0, 0));
            QTest::mouseDClick(h.list()->viewport(), Qt::LeftButton, {}, row.center());
            QCOMPARE(QApplication::focusWidget(), h.codeFrom);
        }
        QCOMPARE(h.codeFrom->text(), QStringLiteral("20101002"));
        QCOMPARE(h.accFrom->text(), QStringLiteral("Bank 50% Account"));
        QVERIFY(!h.list()->isVisible());
    }

    void escInTheListEmptiesTheServedBox()
    {
        Host h;
        h.focus(h.codeTo);
        QTest::keyClicks(h.codeTo, QStringLiteral("Rent"));
        QTest::keyClick(h.codeTo, Qt::Key_Down);
        QTest::keyClick(h.list(), Qt::Key_Escape);
        QVERIFY(h.codeTo->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), h.codeTo);
    }

    void theListServesTheBoxThatLastHadTheFocus()
    {
        Host h;
        h.focus(h.codeFrom);
        QVERIFY(h.picker->fromActive());
        h.focus(h.codeTo);
        QVERIFY(!h.picker->fromActive());
        QTest::keyClicks(h.codeTo, QStringLiteral("Rent"));
        QVERIFY(h.list()->geometry().top() > h.codeTo->geometry().bottom());
        h.picker->AccCodeList_DblClick();
        QCOMPARE(h.codeTo->text(), QStringLiteral("75101001"));
        QCOMPARE(h.accTo->text(), QStringLiteral("Rent"));
        QVERIFY(h.codeFrom->text().isEmpty());
    }

    void theListHidesOnceTheFocusHasLeftBoxAndList()
    {
        Host h;
        h.focus(h.codeFrom);
        QTest::keyClicks(h.codeFrom, QStringLiteral("Sal"));
        QVERIFY(h.list()->isVisible());
        h.focus(h.elsewhere);
        QVERIFY(h.picker->timer()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!h.list()->isVisible(), 1000);
        QVERIFY(!h.picker->timer()->isActive());
    }
};

WINDOW_TEST_MAIN(AccountPickListTest)
#include "account_pick_list_test.moc"
