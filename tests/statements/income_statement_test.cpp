// The income statement window on the statement book: its options with the
// lines each counts, the printed statement, the check, the button while the
// preview is open, and a failed query.
#include "statements/income_statement.h"

#include <memory>

#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "tests/statements/statement_windows.h"
#include "tests/support/page_rows.h"
#include "tests/support/window_test_main.h"

using platform::Money;
namespace stm = testing_support::stm;

namespace {

using Fixture = testing_support::StatementWindows;
using testing_support::child;
using testing_support::previewOver;
using testing_support::whole;


} // namespace

class IncomeStatementTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }
    void init() { shell::setToday(QDate::fromString(stm::kToday, Qt::ISODate)); }
    void cleanup() { app::clearWindows(); }

    void opensWithToDateAndTheDefaultPeriod()
    {
        Fixture f;
        statements::IncomeStatement w(*f.main);
        QCOMPARE(w.windowTitle(), QStringLiteral("Income Statement"));
        QVERIFY(child<QRadioButton>(w, "Period_0")->isChecked());
        for (const char* d : {"DateUpto", "DateFrom", "DateTo"})
            QVERIFY2(!child<QDateEdit>(w, d)->isEnabled(), d);
        QCOMPARE(child<QDateEdit>(w, "DateUpto")->date(), QDate(2026, 12, 10));
        QCOMPARE(child<QDateEdit>(w, "DateFrom")->date(), QDate(2026, 12, 10));
        w.Period_Click(1);
        QVERIFY(child<QDateEdit>(w, "DateUpto")->isEnabled() && !child<QDateEdit>(w, "DateTo")->isEnabled());
        w.Period_Click(2);
        QVERIFY(!child<QDateEdit>(w, "DateUpto")->isEnabled() && child<QDateEdit>(w, "DateFrom")->isEnabled()
                && child<QDateEdit>(w, "DateTo")->isEnabled());
    }

    void eachOptionPrintsTheLinesItCounts_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QString>("from");   // the book's lines counted, ISO ("" no bound)
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("periodLine");
        QTest::addColumn<bool>("loss");
        QTest::newRow("to date: the post-dated voucher left out")
            << 0 << QDate() << QDate() << "" << stm::kToday << "For The Period Ended On  December 10, 2026" << false;
        QTest::newRow("up to a date: that day and the opening voucher in")
            << 1 << QDate() << QDate(2027, 1, 15) << "" << stm::kPostDated
            << "For The Period Ended On  January 15, 2027" << false;
        QTest::newRow("a period from the year's first day: the opening voucher out")
            << 2 << QDate(2026, 7, 1) << QDate(2027, 6, 30) << "2026-07-01" << "2027-06-30"
            << "For The Period From  July 01, 2026  To  June 30, 2027" << false;
        QTest::newRow("a month with expenses only: a loss")
            << 2 << QDate(2026, 9, 1) << QDate(2026, 9, 30) << "2026-09-01" << "2026-09-30"
            << "For The Period From  September 01, 2026  To  September 30, 2026" << true;
        QTest::newRow("one day, both ends the same")
            << 2 << QDate(2026, 8, 5) << QDate(2026, 8, 5) << "2026-08-05" << "2026-08-05"
            << "For The Period From  August 05, 2026  To  August 05, 2026" << false;
    }
    void eachOptionPrintsTheLinesItCounts()
    {
        QFETCH(int, option);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, periodLine);
        QFETCH(bool, loss);
        Fixture f;
        statements::IncomeStatement w(*f.main);
        child<QRadioButton>(w, qPrintable(QStringLiteral("Period_%1").arg(option)))->click();
        if (option == 1)
            child<QDateEdit>(w, "DateUpto")->setDate(last);
        if (option == 2) {
            child<QDateEdit>(w, "DateFrom")->setDate(first);
            child<QDateEdit>(w, "DateTo")->setDate(last);
        }
        child<QPushButton>(w, "PreviewBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        report::PreviewWindow* shown = previewOver(w);
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Income Statement"));
        QCOMPARE(w.PLSPeriod, periodLine);
        QVERIFY(!child<QPushButton>(w, "PreviewBttn")->isEnabled());

        // Credits minus debits of the counted lines, worked out from the book.
        const auto diff = [&](std::int64_t type) { return f.book.diff(type, from.toStdString(), to.toStdString()); };
        const Money revenue = diff(stm::Sales) + diff(stm::OtherIncome);
        const Money expenses = diff(stm::Purchases) + diff(stm::Expenses);
        const std::vector<QStringList> want = {
            {"Tamsel Traders"}, {"Income Statement"}, {periodLine}, {"Amount Rs"},
            {"Sales"}, {"Sales", whole(diff(stm::Sales))},
            {"Other Income"}, {"Other Income", whole(diff(stm::OtherIncome))},
            {"Revenue", whole(revenue)},
            {"Cost of Sales"}, {"Purchases", whole(diff(stm::Purchases))},
            {"Operating Expenses"}, {"Expenses", whole(diff(stm::Expenses))},
            {"Financial Charges"},   // a nature without main types: its heading alone
            {"Expenses", whole(expenses)},
            {"Net Profit / (Loss) for the Period", whole(revenue + expenses)},
            {"Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"},
        };
        QCOMPARE(shown->document().pages.size(), std::size_t(1));
        QCOMPARE(testing_support::rowsOf(shown->document().pages.front()), want);
        QCOMPARE(whole(revenue + expenses).startsWith(u'('), loss);   // a loss in parentheses

        shown->close();
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
        QVERIFY(!w.PLSRst.isOpen());
    }

    void theCountedLinesAreThoseOfPostedUncancelledVouchersOfTheYear()
    {
        Fixture f;
        statements::IncomeStatement w(*f.main);
        child<QRadioButton>(w, "Period_2")->click();
        child<QDateEdit>(w, "DateFrom")->setDate(QDate(2026, 10, 1));
        child<QDateEdit>(w, "DateTo")->setDate(QDate(2026, 10, 31));
        w.PreviewBttn_Click();
        // October holds the interest received, an unposted and an other-year
        // sale and a cancelled rent: only the interest counts.
        const auto rows = testing_support::rowsOf(previewOver(w)->document().pages.front());
        QCOMPARE(rows[5], (QStringList{"Sales", "0"}));
        QCOMPARE(rows[7], (QStringList{"Other Income", "50"}));
        QCOMPARE(rows[12], (QStringList{"Expenses", "0"}));
        QCOMPARE(rows[15], (QStringList{"Net Profit / (Loss) for the Period", "50"}));
    }

    void refusesAPeriodEndingBeforeItStarts()
    {
        Fixture f;
        statements::IncomeStatement w(*f.main);
        child<QRadioButton>(w, "Period_2")->click();
        child<QDateEdit>(w, "DateFrom")->setDate(QDate(2026, 12, 11));
        w.PreviewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Invalid Date"));
        QCOMPARE(f.messages.last().text, QStringLiteral("The ending date should be greater than the beginning date."));
        QVERIFY(!previewOver(w));
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
    }

    void aFailedQueryIsToldAndGivesTheButtonBack()
    {
        Fixture f;
        statements::IncomeStatement w(*f.main);
        f.t.db().exec("ALTER TABLE FSNature RENAME TO Natures");
        w.PreviewBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(!previewOver(w));
        QVERIFY(!w.PLSRst.isOpen());
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
    }

    void aProfitTooLargeToAddIsToldAndGivesTheButtonBack()
    {
        Fixture f;
        testing_support::StatementBook::writeIncomeTooLargeToAdd(f.t.db());
        statements::IncomeStatement w(*f.main);
        w.PreviewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Amount Too Large"));
        QVERIFY(!previewOver(w));
        QVERIFY(!w.PLSRst.isOpen());
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
    }

    void opensModallyFromItsMenuEntry()
    {
        Fixture f;
        app::registerWindow(QStringLiteral("IncomeStatement"),
                            [](app::Parent& m) { return new statements::IncomeStatement(m); });
        QWidget* w = f.main->openWindow(QStringLiteral("IncomeStatement"), true);
        QVERIFY(w);
        QVERIFY(w->isModal());
        QCOMPARE(w->objectName(), QStringLiteral("IncomeStatement"));
        w->close();
    }
};

WINDOW_TEST_MAIN(IncomeStatementTest)
#include "income_statement_test.moc"
