// "Financial Years": the list, adding and editing a year with its voucher, the
// refusals and the window's states, on a delivered database.
#include "main/financial_years.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
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

using app::FinancialYears;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

const QDate kToday{2026, 12, 10};
const QDateTime kNow{kToday, QTime(11, 22, 33)};

std::unique_ptr<app::Parent> signedIn(TestDatabase& t, int user)
{
    if (user != 1)
        t.addUser(user, "clerk", "pw");
    auto main = std::make_unique<app::Parent>(t.path());
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->PelkUser = user;
    main->FYID = 1;
    main->MDIForm_Load();
    return main;
}

void addYear(TestDatabase& t, int id, QDate start, QDate end)
{
    platform::Transaction tx(t.db());
    app::addYear(tx, {id, start, end, app::yearAbbreviation(start, end)}, {1, kNow});
    tx.commit();
}

template <class W> W* child(QWidget& w, const char* name)
{
    auto* c = w.findChild<W*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

QStringList listed(FinancialYears& w)
{
    QStringList texts;
    auto* list = child<QListWidget>(w, "FYList");
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QString text(platform::Database& db, const char* sql, const platform::Params& params = {})
{
    return QString::fromStdString(db.scalar(sql, params).toText());
}

} // namespace

class FinancialYearsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        shell::setToday(kToday);
        shell::setNow(kNow);
    }

    void listsYearsByAbbreviationAndShowsTheFirst()
    {
        TestDatabase t;
        addYear(t, 2, {2024, 7, 1}, {2025, 6, 30});
        addYear(t, 3, {2025, 1, 1}, {2025, 12, 31});
        auto main = signedIn(t, 1);
        MessageRecorder messages;   // a box must never block the test
        FinancialYears w(*main);
        QCOMPARE(listed(w), (QStringList{"2024-25", "2025-25", "2026-27"}));
        QCOMPARE(child<QDateEdit>(w, "FYDate0")->date(), QDate(2024, 7, 1));
        QCOMPARE(child<QDateEdit>(w, "FYDate1")->date(), QDate(2025, 6, 30));
        QCOMPARE(child<QLineEdit>(w, "FID")->text(), QStringLiteral("2"));

        child<QListWidget>(w, "FYList")->setCurrentRow(2);
        QCOMPARE(child<QDateEdit>(w, "FYDate0")->date(), QDate(2026, 7, 1));
        QCOMPARE(child<QLineEdit>(w, "FYAbbreviation")->text(), QStringLiteral("2026-27"));
        QCOMPARE(child<QLineEdit>(w, "FID")->text(), QStringLiteral("1"));
        // Picking a year is no change of its dates.
        QCOMPARE(w.state(), FinancialYears::State::Browsing);
        QVERIFY(child<QListWidget>(w, "FYList")->isEnabled());
    }

    void anUntouchedSaveKeepsTheStoredDates_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("touched");   // the picker the user changes, or none
        QTest::addColumn<QString>("stored");
        QTest::newRow("a year in 2000") << QDate(2000, 1, 1) << QDate(2000, 12, 31) << QString()
                                        << QStringLiteral("2000-01-01 2000-12-31 1999-12-31");
        QTest::newRow("a start before the pickers' range")
            << QDate(1899, 7, 1) << QDate(1900, 6, 30) << QString()
            << QStringLiteral("1899-07-01 1900-06-30 1899-06-30");
        QTest::newRow("only the end changed")
            << QDate(1899, 7, 1) << QDate(1900, 6, 30) << QStringLiteral("FYDate1")
            << QStringLiteral("1899-07-01 1900-12-31 1899-06-30");
    }
    void anUntouchedSaveKeepsTheStoredDates()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, touched);
        QFETCH(QString, stored);
        TestDatabase t;
        addYear(t, 2, start, end);
        auto main = signedIn(t, 1);
        MessageRecorder messages;
        FinancialYears w(*main);
        auto* list = child<QListWidget>(w, "FYList");
        const auto found = list->findItems(app::yearAbbreviation(start, end), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->setCurrentItem(found.front());
        if (!touched.isEmpty())
            child<QDateEdit>(w, touched.toLatin1().constData())->setDate({1900, 12, 31});
        child<QPushButton>(w, "SaveBttn")->click();
        QVERIFY(messages.boxes().empty());
        QCOMPARE(text(t.db(), "SELECT FinancialYearStart || ' ' || FinancialYearEnd || ' ' || TranDate"
                              " FROM FinancialYear JOIN Transactions USING (FYID) WHERE FYID = 2 AND TranType = 11"),
                 stored);
    }

    void pickersSpanTheTwentiethAndTwentyFirstCenturies()
    {
        TestDatabase t;
        auto main = signedIn(t, 1);
        MessageRecorder messages;
        FinancialYears w(*main);
        for (const char* name : {"FYDate0", "FYDate1"}) {
            auto* picker = child<QDateEdit>(w, name);
            QCOMPARE(picker->minimumDate(), QDate(1900, 1, 1));
            QCOMPARE(picker->maximumDate(), QDate(2099, 12, 31));
        }
    }

    void addsAYearAfterTheHighestIdWithItsVoucher()
    {
        TestDatabase t;
        addYear(t, 2, {2027, 7, 1}, {2028, 6, 30});
        addYear(t, 5, {2028, 7, 1}, {2029, 6, 30});
        auto main = signedIn(t, 2);
        MessageRecorder messages;
        FinancialYears w(*main);

        child<QPushButton>(w, "AddBttn")->click();
        QCOMPARE(w.state(), FinancialYears::State::Adding);
        QCOMPARE(child<QLineEdit>(w, "FID")->text(), QStringLiteral("6"));
        QCOMPARE(child<QDateEdit>(w, "FYDate0")->date(), kToday);
        QCOMPARE(child<QDateEdit>(w, "FYDate1")->date(), kToday);
        QVERIFY(!child<QListWidget>(w, "FYList")->isEnabled());
        QVERIFY(!child<QPushButton>(w, "AddBttn")->isEnabled());
        QVERIFY(child<QPushButton>(w, "SaveBttn")->isEnabled());

        child<QDateEdit>(w, "FYDate0")->setDate({2029, 7, 1});
        child<QDateEdit>(w, "FYDate1")->setDate({2030, 6, 30});
        QCOMPARE(w.state(), FinancialYears::State::Adding);   // still a new year
        child<QPushButton>(w, "SaveBttn")->click();

        QVERIFY(messages.boxes().empty());
        QCOMPARE(w.state(), FinancialYears::State::Browsing);
        QCOMPARE(text(t.db(), "SELECT FinancialYearStart || ' ' || FinancialYearEnd || ' ' || Abbreviation"
                              " FROM FinancialYear WHERE FYID = 6"),
                 QStringLiteral("2029-07-01 2030-06-30 2029-30"));
        QCOMPARE(text(t.db(), "SELECT TranDate || ' ' || UserAdded || ' ' || TimeAdded FROM Transactions"
                              " WHERE FYID = 6 AND TranType = 11 AND DocNo = 1"),
                 QStringLiteral("2029-06-30 2 2026-12-10 11:22:33"));
        QCOMPARE(child<QLineEdit>(w, "FYAbbreviation")->text(), QStringLiteral("2029-30"));
        QCOMPARE(child<QListWidget>(w, "FYList")->currentItem()->text(), QStringLiteral("2029-30"));
        QVERIFY(child<QListWidget>(w, "FYList")->isEnabled());
        QVERIFY(child<QPushButton>(w, "AddBttn")->isEnabled());
    }

    void refusesAnEndNotLaterThanTheStart_data()
    {
        QTest::addColumn<QDate>("end");
        QTest::newRow("same day") << QDate(2027, 7, 1);
        QTest::newRow("day before") << QDate(2027, 6, 30);
    }
    void refusesAnEndNotLaterThanTheStart()
    {
        QFETCH(QDate, end);
        TestDatabase t;
        auto main = signedIn(t, 1);
        MessageRecorder messages;
        FinancialYears w(*main);
        child<QPushButton>(w, "AddBttn")->click();
        child<QDateEdit>(w, "FYDate0")->setDate({2027, 7, 1});
        child<QDateEdit>(w, "FYDate1")->setDate(end);
        child<QPushButton>(w, "SaveBttn")->click();

        QCOMPARE(messages.boxes().size(), std::size_t{1});
        QCOMPARE(messages.last().title, QStringLiteral("Invalid Date"));
        QCOMPARE(messages.last().text, QStringLiteral("The ending date should be greater than the beginning date."));
        QVERIFY(messages.last().informationIcon);
        QCOMPARE(t.db().scalar("SELECT COUNT(*) FROM FinancialYear").toInt(), 1);
        QCOMPARE(t.db().scalar("SELECT COUNT(*) FROM Transactions").toInt(), 1);
        QCOMPARE(w.state(), FinancialYears::State::Adding);
        QVERIFY(!child<QListWidget>(w, "FYList")->isEnabled());
        QVERIFY(child<QPushButton>(w, "SaveBttn")->isEnabled());
    }

    void refusesANewYearWhenTheLastIdIsTaken()
    {
        TestDatabase t;
        addYear(t, 255, {2027, 7, 1}, {2028, 6, 30});
        auto main = signedIn(t, 1);
        MessageRecorder messages;
        FinancialYears w(*main);
        child<QPushButton>(w, "AddBttn")->click();
        QCOMPARE(messages.last().title, QStringLiteral("Cannot Add"));
        QCOMPARE(w.state(), FinancialYears::State::Browsing);
        QVERIFY(child<QListWidget>(w, "FYList")->isEnabled());
    }

    void editingADateMovesTheVoucherAndKeepsItsNumber()
    {
        TestDatabase t;
        auto main = signedIn(t, 2);
        MessageRecorder messages;
        FinancialYears w(*main);
        const auto tranNo = *app::openingVoucherOf(t.db(), 1);

        child<QDateEdit>(w, "FYDate0")->setDate({2026, 8, 1});
        QCOMPARE(w.state(), FinancialYears::State::Editing);
        QVERIFY(!child<QListWidget>(w, "FYList")->isEnabled());
        QVERIFY(!child<QPushButton>(w, "AddBttn")->isEnabled());
        child<QPushButton>(w, "SaveBttn")->click();

        QVERIFY(messages.boxes().empty());
        QCOMPARE(w.state(), FinancialYears::State::Browsing);
        QCOMPARE(app::openingVoucherOf(t.db(), 1), tranNo);
        QCOMPARE(text(t.db(), "SELECT TranDate || ' ' || UserAdded || ' ' || UserEdited || ' ' || TimeEdited"
                              " FROM Transactions WHERE TranNo = ?", {tranNo}),
                 QStringLiteral("2026-07-31 1 2 2026-12-10 11:22:33"));
        QCOMPARE(text(t.db(), "SELECT FinancialYearStart || ' ' || Abbreviation FROM FinancialYear WHERE FYID = 1"),
                 QStringLiteral("2026-08-01 2026-27"));
        // The sign-in state keeps the dates it signed in with.
        QCOMPARE(main->FYID, 1);
    }

    void savingAnUnchangedYearRewritesItsVoucher()
    {
        TestDatabase t;
        t.db().exec("UPDATE Transactions SET Posted = 0, Cancel = 1");
        auto main = signedIn(t, 1);
        MessageRecorder messages;   // a box must never block the test
        FinancialYears w(*main);
        child<QPushButton>(w, "SaveBttn")->click();
        QVERIFY(messages.boxes().empty());
        QCOMPARE(text(t.db(), "SELECT Posted || Cancel || ' ' || TimeEdited FROM Transactions WHERE FYID = 1"),
                 QStringLiteral("10 2026-12-10 11:22:33"));
    }

    void cancelDropsTheNewYearAndCloses()
    {
        TestDatabase t;
        auto main = signedIn(t, 1);
        MessageRecorder messages;   // a box must never block the test
        FinancialYears w(*main);
        w.show();
        child<QPushButton>(w, "AddBttn")->click();
        child<QDateEdit>(w, "FYDate1")->setDate({2027, 12, 31});
        child<QPushButton>(w, "CancelBttn")->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(t.db().scalar("SELECT COUNT(*) FROM FinancialYear").toInt(), 1);
        QCOMPARE(w.state(), FinancialYears::State::Browsing);
    }
};

WINDOW_TEST_MAIN(FinancialYearsTest)
#include "financial_years_test.moc"
