// The balance sheet window on the statement book: TempBS and the timer, the
// printed sheet with each side on its own page and both sides equal, its
// profit row against the income statement, a loss, and a failed write.
#include "statements/balance_sheet.h"

#include <memory>

#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "statements/income_statement.h"
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


// TempBS as stored, a row a text, in its order.
QStringList tempBS(platform::Database& db)
{
    QStringList rows;
    platform::Statement st(db, "SELECT TypeID, NatureID, Type, Balance FROM TempBS ORDER BY rowid");
    while (st.step())
        rows << QString::fromStdString(st.column(0).toText() + " " + st.column(1).toText() + " " +
                                       st.column(2).toText() + " " + st.column(3).toText());
    return rows;
}

// Views the sheet on `on` (empty: "To date") and runs the timer.
report::PreviewWindow* view(statements::BalanceSheet& w, const QDate& on)
{
    if (on.isValid()) {
        child<QRadioButton>(w, "Period_1")->click();
        child<QDateEdit>(w, "DateOn")->setDate(on);
    }
    w.PreviewBttn_Click();
    w.Timer2_Timer();
    return previewOver(w);
}

} // namespace

class BalanceSheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }
    void init() { shell::setToday(QDate::fromString(stm::kToday, Qt::ISODate)); }
    void cleanup() { app::clearWindows(); }

    void viewWritesTempBSAndTheTimerShowsTheSheet()
    {
        Fixture f;
        statements::BalanceSheet w(*f.main);
        QCOMPARE(w.windowTitle(), QStringLiteral("Balance Sheet"));
        QVERIFY(child<QRadioButton>(w, "Period_0")->isChecked());
        QVERIFY(!child<QDateEdit>(w, "DateOn")->isEnabled());
        QCOMPARE(child<QDateEdit>(w, "DateOn")->date(), QDate(2026, 12, 10));

        child<QPushButton>(w, "PreviewBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        auto* timer = child<QTimer>(w, "Timer2");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1500);
        QVERIFY(!previewOver(w));   // the report waits for the timer
        QVERIFY(!child<QPushButton>(w, "PreviewBttn")->isEnabled());
        // The profit row first, then a row per main type of sides 1 and 2 with
        // the side's sign, the types without lines at 0.
        const auto diff = [&](std::int64_t t) { return f.book.diff(t, "", stm::kToday); };
        const Money profit = diff(stm::Sales) + diff(stm::OtherIncome) + diff(stm::Purchases) + diff(stm::Expenses);
        const auto row = [](std::int64_t type, int nature, const char* name, Money m) {
            return QStringLiteral("%1 %2 %3 %4").arg(type).arg(nature).arg(name).arg(m.cents());
        };
        QCOMPARE(tempBS(f.t.db()),
                 (QStringList{row(9999, 30, "Profit / (Loss) For The Period", profit),
                              row(stm::FixedAssets, 10, "Fixed Assets", -diff(stm::FixedAssets)),
                              row(stm::Cash, 20, "Cash and Bank", -diff(stm::Cash)),
                              row(stm::Capital, 30, "Capital", diff(stm::Capital)),
                              row(stm::Loans, 35, "Long-Term Loans", Money{}),
                              row(stm::Payables, 36, "Trade Payables", diff(stm::Payables))}));

        timer->stop();
        w.Timer2_Timer();
        QVERIFY(previewOver(w));
        QVERIFY(!child<QPushButton>(w, "PreviewBttn")->isEnabled());   // while the preview is open
        previewOver(w)->close();
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
        QVERIFY(!w.BSRptRst.isOpen());
    }

    void eachSidePrintsOnItsOwnPageAndBothAgree_data()
    {
        QTest::addColumn<QDate>("on");
        QTest::addColumn<QString>("upTo");
        QTest::addColumn<QString>("dateLine");
        QTest::newRow("to date: the post-dated voucher left out")
            << QDate() << stm::kToday << "As On  December 10, 2026";
        QTest::newRow("on the year's last day: the post-dated voucher in")
            << QDate(2027, 6, 30) << "2027-06-30" << "As On  June 30, 2027";
        QTest::newRow("on a day of a loss") << QDate(2026, 7, 31) << "2026-07-31" << "As On  July 31, 2026";
        QTest::newRow("on the opening voucher's day") << QDate(2026, 6, 30) << "2026-06-30" << "As On  June 30, 2026";
    }
    void eachSidePrintsOnItsOwnPageAndBothAgree()
    {
        QFETCH(QDate, on);
        QFETCH(QString, upTo);
        QFETCH(QString, dateLine);
        Fixture f;
        statements::BalanceSheet w(*f.main);
        report::PreviewWindow* shown = view(w, on);
        QVERIFY(f.messages.boxes().empty());
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Balance Sheet"));
        QCOMPARE(w.BalOnDate, dateLine);

        const auto diff = [&](std::int64_t t) { return f.book.diff(t, "", upTo.toStdString()); };
        const Money assets = -diff(stm::FixedAssets) - diff(stm::Cash);
        const Money profit = diff(stm::Sales) + diff(stm::OtherIncome) + diff(stm::Purchases) + diff(stm::Expenses);
        const Money capital = diff(stm::Capital) + profit;
        const Money liabilities = diff(stm::Loans) + diff(stm::Payables);
        const QStringList heading[] = {{"Tamsel Traders"}, {"Balance Sheet"}, {dateLine}, {"Amount Rs"}};
        const QStringList pageFooter[] = {{"Date 10-12-2026", "Page  1  of  2", "Printed By: Ali"},
                                          {"Date 10-12-2026", "Page  2  of  2", "Printed By: Ali"}};
        const std::vector<QStringList> want[] = {
            {heading[0], heading[1], heading[2], heading[3], {"Assets"},
             {"Non-Current Assets"}, {"Fixed Assets", whole(-diff(stm::FixedAssets))}, {whole(-diff(stm::FixedAssets))},
             {"Current Assets"}, {"Cash and Bank", whole(-diff(stm::Cash))}, {whole(-diff(stm::Cash))},
             {"Total", "Assets", whole(assets)}, pageFooter[0]},
            {heading[0], heading[1], heading[2], heading[3], {"Equity and Liabilities"},
             {"Capital and Reserves"}, {"Capital", whole(diff(stm::Capital))},
             {"Profit / (Loss) For The Period", whole(profit)}, {whole(capital)},
             {"Non-Current Liabilities"}, {"Long-Term Loans", "0"}, {"0"},
             {"Current Liabilities"}, {"Trade Payables", whole(diff(stm::Payables))}, {whole(diff(stm::Payables))},
             {"Total", "Equity and Liabilities", whole(capital + liabilities)}, pageFooter[1]},
        };
        const auto& pages = shown->document().pages;
        QCOMPARE(pages.size(), std::size_t(2));
        QCOMPARE(testing_support::rowsOf(pages[0]), want[0]);
        QCOMPARE(testing_support::rowsOf(pages[1]), want[1]);
        QCOMPARE(assets, capital + liabilities);   // a balanced book balances
        if (upTo == "2026-07-31")
            QVERIFY(whole(profit).startsWith(u'('));   // a loss in parentheses
        shown->close();

        // The profit row is the income statement's net at the same date.
        statements::IncomeStatement income(*f.main);
        child<QRadioButton>(income, on.isValid() ? "Period_1" : "Period_0")->click();
        if (on.isValid())
            child<QDateEdit>(income, "DateUpto")->setDate(on);
        income.PreviewBttn_Click();
        const auto net = testing_support::rowsOf(previewOver(income)->document().pages.back());
        QCOMPARE(net[net.size() - 2], (QStringList{"Net Profit / (Loss) for the Period", whole(profit)}));
    }

    void aFailedWriteLeavesTempBSAsItWas()
    {
        Fixture f;
        statements::BalanceSheet w(*f.main);
        QVERIFY(view(w, QDate()));
        previewOver(w)->close();
        const QStringList before = tempBS(f.t.db());
        QVERIFY(!before.isEmpty());
        f.t.db().execScript("CREATE TRIGGER NoCapital BEFORE INSERT ON TempBS WHEN NEW.TypeID = 301"
                            " BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
        child<QRadioButton>(w, "Period_1")->click();
        child<QDateEdit>(w, "DateOn")->setDate(QDate(2026, 7, 31));
        w.PreviewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QCOMPARE(tempBS(f.t.db()), before);
        QVERIFY(!child<QTimer>(w, "Timer2")->isActive());
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
    }

    void aProfitTooLargeToAddIsToldAndGivesTheButtonBack()
    {
        Fixture f;
        testing_support::StatementBook::writeIncomeTooLargeToAdd(f.t.db());
        statements::BalanceSheet w(*f.main);
        w.PreviewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Amount Too Large"));
        QVERIFY(!child<QTimer>(w, "Timer2")->isActive());
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
    }

    void aFailedReportQueryIsToldAndGivesTheButtonBack()
    {
        Fixture f;
        statements::BalanceSheet w(*f.main);
        w.PreviewBttn_Click();
        f.t.db().exec("ALTER TABLE FS RENAME TO Sides");
        w.Timer2_Timer();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(!previewOver(w));
        QVERIFY(!w.BSRptRst.isOpen());
        QVERIFY(child<QPushButton>(w, "PreviewBttn")->isEnabled());
    }
};

WINDOW_TEST_MAIN(BalanceSheetTest)
#include "balance_sheet_test.moc"
