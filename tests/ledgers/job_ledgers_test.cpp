// The job ledger window on the hand-made book with three jobs, two of them of
// one text: the list and particulars, Display and its check, the figures, a
// loss in parentheses, Print and its profit, failures and the double-click.
#include "ledgers/job_ledgers.h"

#include <array>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/page_rows.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"
#include "vouchers/voucher_form.h"

using testing_support::child;
using testing_support::HandBook;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;
using testing_support::text;
namespace acc = testing_support::acc;

namespace {

struct Fixture {
    TestDatabase t;
    HandBook book{t.db()};
    MessageRecorder messages;
    std::unique_ptr<app::Parent> main;
    std::int64_t fitA = 0, fitB = 0, paint = 0;   // fitA and fitB are both "5 (Fit)"
    std::int64_t sale = 0, rent = 0, saleB = 0;

    Fixture()
    {
        fitA = job(5, "Fit", "Zafar & Sons", 90000);
        fitB = job(5, "Fit", "Other Customer", 125000);
        paint = job(7, "Paint", "Painter", 0, true);
        sale = voucher(fitA, 31, 201, "2026-08-05", {{acc::Customer, 30000, 0}, {acc::Sales, 0, 30000}});
        rent = voucher(fitA, 27, 202, "2026-09-01", {{acc::Rent, 50000, 0}, {acc::Cash, 0, 50000}});
        saleB = voucher(fitB, 31, 203, "2026-10-01", {{acc::Customer, 123456789, 0}, {acc::Sales, 0, 123456789}});
        main = testing_support::signedInWindow(
            t.path(), {.user = 1, .fyId = testing_support::kYear, .fyStart = QDate(2026, 7, 1),
                       .fyEnd = QDate(2027, 6, 30), .business = QStringLiteral("Tamsel Traders"),
                       .userName = QStringLiteral("Ali"), .currency = QStringLiteral("Rs")});
        messages.clear();
    }
    std::int64_t job(int no, const char* desc, const char* customer, std::int64_t value, bool completed = false)
    {
        t.db().exec("INSERT INTO Jobs (JobNo, JobDesc, CustomerName, JobIncharge, EstimatedCost, ValueofWork, Status)"
                    " VALUES (?, ?, ?, 'Bilal', 50000, ?, ?)",
                    {no, desc, customer, value, completed ? 1 : 0});
        return t.db().lastInsertId();
    }
    std::int64_t voucher(std::int64_t jobId, int type, int docNo, const char* date,
                         std::initializer_list<std::array<std::int64_t, 3>> lines)
    {
        t.db().exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, FYID, JobID, Posted, Cancel)"
                    " VALUES (?, ?, 'for the job', ?, 1, ?, 1, 0)",
                    {docNo, date, type, jobId});
        const auto tranNo = t.db().lastInsertId();
        for (const auto& [code, debit, credit] : lines)
            t.db().exec("INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit) VALUES (?, ?, 'job line', ?, ?)",
                        {tranNo, code, debit ? platform::Value(debit) : platform::Value(),
                         credit ? platform::Value(credit) : platform::Value()});
        return tranNo;
    }
    std::unique_ptr<ledgers::JobLedgers> window() { return std::make_unique<ledgers::JobLedgers>(*main); }
};

QAbstractItemModel* grid(QWidget& w)
{
    return child<QTableView>(w, "LedgerGrid")->model();
}

QStringList row(QWidget& w, int r)
{
    QStringList cells;
    for (int c = 0; c < grid(w)->columnCount(); ++c)
        cells << grid(w)->index(r, c).data().toString();
    return cells;
}

// Chooses the job with `jobId` from JobList, as a click on its item does.
void choose(QWidget& w, std::int64_t jobId)
{
    auto* list = child<QComboBox>(w, "JobList");
    const int index = list->findData(QVariant::fromValue<qlonglong>(jobId));
    QVERIFY(index >= 0);
    list->setCurrentIndex(index);
}

report::PreviewWindow* preview(QWidget& w)
{
    for (auto* p : w.findChildren<report::PreviewWindow*>())
        if (p->isVisible())
            return p;
    return nullptr;
}

QStringList printedRows(const report::Document& doc)
{
    QStringList all;
    for (const auto& page : doc.pages)
        for (const QStringList& r : testing_support::rowsOf(page))
            all << r.join(QLatin1Char('|'));
    return all;
}

} // namespace

class JobLedgersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        shell::setToday(QDate(2026, 12, 10));
        forms::WindowHost::setModalNonBlocking(true);
    }
    void cleanup() { app::clearWindows(); }

    void listsEveryJobAndShowsTheChosenOnesParticulars()
    {
        Fixture f;
        auto w = f.window();
        auto* list = child<QComboBox>(*w, "JobList");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QStringLiteral("5 (Fit)"));
        QCOMPARE(list->itemText(1), QStringLiteral("5 (Fit)"));
        QCOMPARE(list->itemText(2), QStringLiteral("7 (Paint)"));   // completed jobs too
        QVERIFY(list->currentText().isEmpty());
        choose(*w, f.fitB);
        QCOMPARE(text(*w, "JobTxt_0"), QStringLiteral("Other Customer"));
        QCOMPARE(text(*w, "JobTxt_1"), QStringLiteral("Bilal"));
        QCOMPARE(text(*w, "JobTxt_2"), QStringLiteral("500.00"));
        QCOMPARE(text(*w, "JobTxt_3"), QStringLiteral("1250.00"));
    }

    void displayShowsTheJobsLinesWithTheRunningProfitAndALossInParentheses()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, f.fitA);
        w->ViewBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(grid(*w)->rowCount(), 2);
        QCOMPARE(row(*w, 0), (QStringList{"05-08-26", "SV 201", QString::number(acc::Sales), "Sales", "job line",
                                          "0.00", "300.00", "300.00"}));
        QCOMPARE(row(*w, 1), (QStringList{"01-09-26", "CPV 202", QString::number(acc::Rent), "Rent", "job line",
                                          "500.00", "0.00", "(200.00)"}));
        QCOMPARE(grid(*w)->headerData(7, Qt::Horizontal).toString(), QStringLiteral("  Profit / (Loss)"));
        QCOMPARE(text(*w, "TotalDr"), QStringLiteral("500.00"));
        QCOMPARE(text(*w, "TotalCr"), QStringLiteral("300.00"));
        QCOMPARE(text(*w, "Balance"), QStringLiteral("(200.00)"));
        // The current line's voucher, for the double-click.
        QCOMPARE(text(*w, "TranType"), QStringLiteral("Sale Voucher No. 201"));
        QCOMPARE(text(*w, "LTranNo"), QString::number(f.sale));
        QCOMPARE(text(*w, "LTranType"), QStringLiteral("31"));
        // The stored balances of the lines are left alone.
        QCOMPARE(f.t.db().scalar("SELECT COUNT(*) FROM SubTransactions WHERE Balance IS NOT NULL AND Balance <> 0").toInt(), 0);
    }

    void twoJobsOfOneTextEachGiveTheirOwnLedger()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, f.fitB);
        w->ViewBttn_Click();
        QCOMPARE(w->builtJobId(), f.fitB);
        QCOMPARE(grid(*w)->rowCount(), 1);
        QCOMPARE(text(*w, "Balance"), QStringLiteral("1234567.89"));
        choose(*w, f.fitA);
        w->ViewBttn_Click();
        QCOMPARE(w->builtJobId(), f.fitA);
        QCOMPARE(text(*w, "Balance"), QStringLiteral("(200.00)"));
        QCOMPARE(text(*w, "JobTxt_0"), QStringLiteral("Zafar & Sons"));
    }

    void aJobWithoutCountedLinesShowsAnEmptyLedgerAndZeroTotals()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, f.paint);
        w->ViewBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(grid(*w)->rowCount(), 0);
        for (const char* box : {"TotalDr", "TotalCr", "Balance"})
            QCOMPARE(text(*w, box), QStringLiteral("0.00"));
        w->LedgerGrid_DblClick();   // an empty grid: nothing happens
        QVERIFY(f.messages.boxes().empty());
    }

    void displayAndPrintRefuseATextThatNamesNoJob_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("print");
        QTest::newRow("empty, Display") << QString() << false;
        QTest::newRow("typed, Display") << QStringLiteral("5 (Fitting)") << false;
        QTest::newRow("empty, Print") << QString() << true;
        QTest::newRow("typed, Print") << QStringLiteral("9") << true;
    }
    void displayAndPrintRefuseATextThatNamesNoJob()
    {
        QFETCH(QString, typed);
        QFETCH(bool, print);
        Fixture f;
        auto w = f.window();
        child<QComboBox>(*w, "JobList")->setEditText(typed);
        print ? w->PrintBttn_Click() : w->ViewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t{1});
        QCOMPARE(f.messages.last().title, QStringLiteral("Select Job"));
        QCOMPARE(f.messages.last().text, QStringLiteral("Select a valid job to view ledger."));
        QCOMPARE(grid(*w)->rowCount(), 0);
        QVERIFY(!preview(*w));
    }

    void aTypedTextOfAJobIsThatJob()
    {
        Fixture f;
        auto w = f.window();
        child<QComboBox>(*w, "JobList")->setEditText(QStringLiteral("7 (paint)"));
        w->ViewBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(w->builtJobId(), f.paint);
        QCOMPARE(text(*w, "JobTxt_0"), QStringLiteral("Painter"));
    }

    void printShowsTheLedgerWithTheProfitAsOnScreen()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, f.fitB);
        w->ViewBttn_Click();
        choose(*w, f.fitA);   // Print builds the job now chosen
        w->PrintBttn_Click();
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        QCOMPARE(w->builtJobId(), f.fitA);
        QVERIFY(w->JobLedgerQry.isOpen());
        const report::Document& doc = shown->document();
        QCOMPARE(doc.caption, QStringLiteral("Job Ledger"));
        QCOMPARE(doc.orientation, QPageLayout::Landscape);
        QCOMPARE(doc.pages.size(), std::size_t{1});
        const QStringList rows = printedRows(doc);
        QCOMPARE(rows.value(0), QStringLiteral("Tamsel Traders"));
        QCOMPARE(rows.value(1), QStringLiteral("Job Ledger -- 5 (Fit)"));
        QCOMPARE(rows.value(2), QStringLiteral("Date|Tran. No.|Acc Code|Account Name|Description|Debit|Credit|Profit / (Loss)"));
        QCOMPARE(rows.value(3), QStringLiteral("05-08-26|SV 201|%1|Sales|job line|0.00|300.00|300.00").arg(acc::Sales));
        QCOMPARE(rows.value(4), QStringLiteral("01-09-26|CPV 202|%1|Rent|job line|500.00|0.00|(200.00)").arg(acc::Rent));
        // The totals, with the profit as the screen shows it.
        QCOMPARE(rows.value(5), QStringLiteral("Totals  Rs|500.00|300.00|") + text(*w, "Balance"));
        // The page footer has no user line.
        QCOMPARE(rows.value(6), QStringLiteral("Date 10-12-2026|Page  1  of  1"));
        shown->close();
        QVERIFY(w->JobLedgerQry.isOpen());   // JobLedger has no end step
        w->ViewBttn_Click();
        QVERIFY(!w->JobLedgerQry.isOpen());  // the next build closes it
    }

    void printedAmountsGroupThousands()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, f.fitB);
        w->PrintBttn_Click();
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        const QStringList rows = printedRows(shown->document());
        QVERIFY2(rows.filter(QStringLiteral("|0.00|1,234,567.89|1,234,567.89")).size() == 1, qPrintable(rows.join('\n')));
        // Total1 is the screen's text, digit for digit.
        QCOMPARE(rows.filter(QStringLiteral("Totals")).value(0),
                 QStringLiteral("Totals  Rs|0.00|1,234,567.89|1234567.89"));
        shown->close();
    }

    void aFailedQueryIsToldAndLeavesTheLedgerEmpty()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, f.fitA);
        w->ViewBttn_Click();
        QCOMPARE(grid(*w)->rowCount(), 2);
        f.t.db().exec("ALTER TABLE TranType RENAME TO TranKinds");
        w->PrintBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QCOMPARE(grid(*w)->rowCount(), 0);
        QVERIFY(text(*w, "Balance").isEmpty());
        QVERIFY(!preview(*w));
        f.t.db().exec("ALTER TABLE TranKinds RENAME TO TranType");
        w->ViewBttn_Click();
        QCOMPARE(grid(*w)->rowCount(), 2);
    }

    void totalsTooLargeToAddAreToldAndTheWindowStaysUsable()
    {
        Fixture f;
        // Each expense fits in an amount; their total does not.
        constexpr std::int64_t kHuge = 5'000'000'000'000'000'000;
        f.voucher(f.paint, 27, 301, "2026-11-01", {{acc::Rent, kHuge, 0}, {acc::Cash, 0, kHuge}});
        f.voucher(f.paint, 27, 302, "2026-11-02", {{acc::Idle, kHuge, 0}, {acc::Bank, 0, kHuge}});
        auto w = f.window();
        choose(*w, f.paint);
        w->ViewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t{1});
        QCOMPARE(f.messages.last().title, QStringLiteral("Job Ledger"));
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("The ledger cannot be shown: its totals are too large to be added up."));
        QCOMPARE(grid(*w)->rowCount(), 0);
        QVERIFY(text(*w, "Balance").isEmpty());
        w->PrintBttn_Click();
        QVERIFY(!preview(*w));
        choose(*w, f.fitA);
        w->ViewBttn_Click();
        QCOMPARE(grid(*w)->rowCount(), 2);
    }

    void doubleClickOpensTheLinesVoucherInItsForm()
    {
        Fixture f;
        app::registerWindows();
        auto* w = qobject_cast<ledgers::JobLedgers*>(f.main->openWindow(QStringLiteral("JobLedgers"), false));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Job Ledgers"));
        choose(*w, f.fitA);
        w->ViewBttn_Click();
        child<QTableView>(*w, "LedgerGrid")->setCurrentIndex(grid(*w)->index(1, 0));
        w->LedgerGrid_DblClick();
        auto* form = qobject_cast<vouchers::VoucherForm*>(f.main->host().find(QStringLiteral("CashPaymentVoucher")));
        QVERIFY(form);
        QCOMPARE(form->shownTranNo(), f.rent);
        QVERIFY(!form->adding());
        f.main->host().closeAll();
    }
};

WINDOW_TEST_MAIN(JobLedgersTest)
#include "job_ledgers_test.moc"
