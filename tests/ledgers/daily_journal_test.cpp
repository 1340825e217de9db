// The day-book window on the hand-made book: load, the lines and totals it
// shows (none for a period that starts after it ends), a failed query, the
// double-click and the print.
#include "ledgers/daily_journal.h"

#include <memory>

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "ledgers/day_book_store.h"
#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "tests/ledgers/hand_book.h"
#include "tests/ledgers/signed_in_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using platform::Money;
using testing_support::HandBook;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;

namespace {

using testing_support::child;
using testing_support::text;
constexpr auto preview = testing_support::previewOver;

struct Fixture : testing_support::SignedInBook {
    std::unique_ptr<ledgers::DailyJournal> window() { return std::make_unique<ledgers::DailyJournal>(*main); }
    std::vector<ledgers::DayBookLine> lines(const QDate& from, const QDate& to)
    {
        std::vector<ledgers::DayBookLine> all;
        ledgers::readDayBook(t.db(), testing_support::kYear, from, to,
                             [&](const ledgers::DayBookLine& l) { all.push_back(l); });
        return all;
    }
};

void choose(QWidget& w, const QDate& from, const QDate& to)
{
    child<QDateEdit>(w, "LedgerDt_0")->setDate(from);
    child<QDateEdit>(w, "LedgerDt_1")->setDate(to);
}

} // namespace

class DailyJournalTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }
    void init() { shell::setToday(QDate(2026, 12, 10)); }
    void cleanup() { app::clearWindows(); }

    void loadsWithTheDefaultPeriodAndDropsAPendingHandOver_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("inside the year") << QDate(2026, 12, 10) << QDate(2026, 12, 10) << QDate(2026, 12, 10);
        QTest::newRow("after the year") << QDate(2027, 8, 1) << QDate(2026, 7, 1) << QDate(2027, 6, 30);
    }
    void loadsWithTheDefaultPeriodAndDropsAPendingHandOver()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        shell::setToday(today);
        Fixture f;
        f.main->LOpen = true;
        auto w = f.window();
        QCOMPARE(w->windowTitle(), QStringLiteral("Journal Report"));
        QCOMPARE(child<QDateEdit>(*w, "LedgerDt_0")->date(), from);
        QCOMPARE(child<QDateEdit>(*w, "LedgerDt_1")->date(), to);
        QCOMPARE(text(*w, "TtlLbl"), QStringLiteral("Totals Rs"));
        QVERIFY(!f.main->LOpen);
        QCOMPARE(w->dayBookModel()->rowCount(), 0);
    }

    void displayListsThePeriodsLinesWithExactTotals_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("debits");
        QTest::newRow("whole year with the opening voucher") << QDate(2026, 6, 30) << QDate(2027, 6, 30) << "";
        QTest::newRow("the year without it") << QDate(2026, 7, 1) << QDate(2027, 6, 30) << "";
        QTest::newRow("one busy day") << QDate(2026, 8, 10) << QDate(2026, 8, 10) << "1400.00";
        QTest::newRow("a day without lines") << QDate(2026, 8, 11) << QDate(2026, 8, 11) << "0.00";
    }
    void displayListsThePeriodsLinesWithExactTotals()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, debits);
        Fixture f;
        // Amounts that a floating-point sum would not add up exactly.
        f.t.db().execScript(
            "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES (70, '2027-02-02', 41, 1, 0, 1);"
            "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) VALUES (last_insert_rowid(), 20101001, 10, NULL);"
            "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT MAX(TranNo), 20101002, 20, NULL FROM Transactions;"
            "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT MAX(TranNo), 50101001, NULL, 30 FROM Transactions;");
        auto w = f.window();
        choose(*w, from, to);
        child<QPushButton>(*w, "ViewBttn")->click();
        QVERIFY(f.messages.boxes().empty());

        const auto want = f.lines(from, to);
        QCOMPARE(w->dayBookModel()->rowCount(), int(want.size()));
        Money dr, cr;
        for (const auto& l : want) {
            dr += l.debit;
            cr += l.credit;
        }
        QCOMPARE(text(*w, "TotalDr"), platform::formatMoneyQ(dr, "0.00;(0.00)"));
        QCOMPARE(text(*w, "TotalCr"), platform::formatMoneyQ(cr, "0.00;(0.00)"));
        if (!debits.isEmpty())
            QCOMPARE(text(*w, "TotalDr"), debits);
        // The opening voucher shows only when the period reaches back to its day.
        const bool opening = std::any_of(want.begin(), want.end(), [](const auto& l) { return l.tranType == 11; });
        QCOMPARE(opening, from <= QDate(2026, 6, 30));
        if (want.empty()) {
            QVERIFY(text(*w, "TranType").isEmpty());
            QVERIFY(text(*w, "LTranNo").isEmpty());
            return;
        }
        // The current row's long reference and voucher.
        QCOMPARE(text(*w, "TranType"), QString::fromStdString(want.front().tranRefLong));
        QCOMPARE(text(*w, "LTranNo"), QString::number(want.front().tranNo));
        auto* grid = child<QTableView>(*w, "GJGrid");
        grid->setCurrentIndex(w->dayBookModel()->index(int(want.size()) - 1, 0));
        QCOMPARE(text(*w, "LTranNo"), QString::number(want.back().tranNo));
        QCOMPARE(text(*w, "LTranType"), QString::number(want.back().tranType));
    }

    void aPeriodStartingAfterItEndsListsAndPrintsNothingWithZeroTotals()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, QDate(2026, 8, 1), QDate(2026, 9, 30));
        w->ViewBttn_Click();
        QVERIFY(w->dayBookModel()->rowCount() > 0);
        choose(*w, QDate(2026, 9, 30), QDate(2026, 8, 1));
        child<QPushButton>(*w, "ViewBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(w->dayBookModel()->rowCount(), 0);
        QCOMPARE(text(*w, "TotalDr"), QStringLiteral("0.00"));
        QCOMPARE(text(*w, "TotalCr"), QStringLiteral("0.00"));
        QVERIFY(text(*w, "LTranNo").isEmpty());

        child<QPushButton>(*w, "PrintBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(text(*w, "TotalDr"), QStringLiteral("0.00"));
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        QCOMPARE(shown->document().pages.size(), std::size_t(1));
        const auto rows = testing_support::rowsOf(shown->document().pages.front());
        QCOMPARE(rows[2], QStringList{"For The Period From  September 30, 2026  To  August 01, 2026"});
        QCOMPARE(rows[4], (QStringList{"Totals  Rs", "0.00", "0.00"}));
    }

    void aFailedQueryIsToldAndLeavesTheGridTotalsAndPrintDataEmpty()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, QDate(2026, 6, 30), QDate(2027, 6, 30));
        w->PrintBttn_Click();
        QVERIFY(w->GJQry());
        f.t.db().exec("ALTER TABLE DayBookDays RENAME TO Gone");
        for (const char* button : {"ViewBttn", "PrintBttn"}) {
            f.messages.clear();
            child<QPushButton>(*w, button)->click();
            QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
            QCOMPARE(w->dayBookModel()->rowCount(), 0);
            QVERIFY(text(*w, "TotalDr").isEmpty());
            QVERIFY(text(*w, "TotalCr").isEmpty());
            QVERIFY(text(*w, "LTranNo").isEmpty());
            QVERIFY(!w->GJQry());
            QVERIFY(!w->totals());
        }
        f.t.db().exec("ALTER TABLE Gone RENAME TO DayBookDays");
        w->ViewBttn_Click();
        QVERIFY(w->dayBookModel()->rowCount() > 0);
    }

    void doubleClickOpensTheCurrentLinesVoucher_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("form");
        QTest::newRow("a cash payment") << 27 << "CashPaymentVoucher";
        QTest::newRow("the opening balances") << 11 << "OpeningBalancesAcc";
    }
    void doubleClickOpensTheCurrentLinesVoucher()
    {
        QFETCH(int, type);
        QFETCH(QString, form);
        Fixture f;
        std::int32_t handedOver = 0;
        app::registerWindow(form, [&handedOver](app::Parent& m) {
            handedOver = m.LOpen ? m.LedgerRef : -1;
            m.LOpen = false;
            return new QWidget;
        });
        auto w = f.window();
        w->GJGrid_DblClick();   // nothing listed: nothing opens
        QCOMPARE(handedOver, 0);
        QVERIFY(!f.main->host().find(form));

        choose(*w, QDate(2026, 6, 30), QDate(2027, 6, 30));
        w->ViewBttn_Click();
        const auto want = f.lines(QDate(2026, 6, 30), QDate(2027, 6, 30));
        const auto it = std::find_if(want.begin(), want.end(), [type](const auto& l) { return l.tranType == type; });
        QVERIFY(it != want.end());
        child<QTableView>(*w, "GJGrid")->setCurrentIndex(w->dayBookModel()->index(int(it - want.begin()), 0));
        w->GJGrid_DblClick();
        QVERIFY(f.main->host().find(form));
        // A voucher form is handed the voucher; the opening balances are not.
        QCOMPARE(handedOver, type == 11 ? -1 : std::int32_t(it->tranNo));
    }

    void printShowsTheListOfTheDatesAsTheyStand()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, QDate(2026, 8, 1), QDate(2026, 9, 30));   // Display is never pressed
        child<QPushButton>(*w, "PrintBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("General Journal"));
        QCOMPARE(shown->document().orientation, QPageLayout::Landscape);

        const auto want = f.lines(QDate(2026, 8, 1), QDate(2026, 9, 30));
        QCOMPARE(w->dayBookModel()->rowCount(), int(want.size()));
        QCOMPARE(w->GJQry()->lineCount(), std::int64_t(want.size()));
        QCOMPARE(shown->document().pages.size(), std::size_t(1));
        const auto rows = testing_support::rowsOf(shown->document().pages.front());
        QCOMPARE(rows[0], QStringList{"Tamsel Traders"});
        QCOMPARE(rows[1], QStringList{"Journal Report"});
        QCOMPARE(rows[2], QStringList{"For The Period From  August 01, 2026  To  September 30, 2026"});
        QCOMPARE(rows[3], (QStringList{"Tran. No.", "Date", " Acc Code", " Account Name", " Description", "Debit Rs",
                                       "Credit Rs"}));
        const auto& first = want.front();
        QStringList firstRow{QString::fromStdString(first.tranRefShort), "10-08-26", QString::number(first.accCode),
                             QString::fromStdString(first.accName), QString::fromStdString(first.desc),
                             platform::formatMoneyQ(first.debit, "#,##0.00;(#,##0.00)"),
                             platform::formatMoneyQ(first.credit, "#,##0.00;(#,##0.00)")};
        firstRow.removeAll(QString());   // the book's lines carry no account name
        QCOMPARE(rows[4], firstRow);
        Money dr, cr;
        for (const auto& l : want) {
            dr += l.debit;
            cr += l.credit;
        }
        QCOMPARE(rows[4 + want.size()], (QStringList{"Totals  Rs", platform::formatMoneyQ(dr, "#,##0.00"),
                                                     platform::formatMoneyQ(cr, "#,##0.00")}));
        QCOMPARE(rows.back(), (QStringList{"Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"}));
        // GJ has no end step: its rows stay open until the next build.
        shown->close();
        QVERIFY(w->GJQry());
        w->ViewBttn_Click();
        QVERIFY(!w->GJQry());
    }
};

WINDOW_TEST_MAIN(DailyJournalTest)
#include "daily_journal_test.moc"
