// The account ledger window on the hand-made book: load, checks, the figures
// it shows, the hand-over from the trial balance, failures and the double-click.
#include "ledgers/acc_ledgers.h"

#include <memory>

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "ledgers/balance.h"
#include "ledgers/ledger_model.h"
#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "tests/ledgers/hand_book.h"
#include "tests/ledgers/signed_in_book.h"
#include "tests/support/cpu_clock.h"
#include "tests/support/message_recorder.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using platform::Money;
using testing_support::HandBook;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;
namespace acc = testing_support::acc;

namespace {

using testing_support::child;
using testing_support::text;
constexpr auto preview = testing_support::previewOver;

struct Fixture : testing_support::SignedInBook {
    std::unique_ptr<ledgers::AccLedgers> window()
    {
        return std::make_unique<ledgers::AccLedgers>(*main);
    }
};

QString amount(Money m)
{
    return platform::formatMoneyQ(m, "0.00;(0.00)");
}

QString cell(ledgers::AccLedgers& w, int row, int column)
{
    const auto* model = w.ledgerModel();
    return model->data(model->index(row, column), Qt::DisplayRole).toString();
}

// An amount as the printed ledger shows it.
QString printed(Money m)
{
    return platform::formatMoneyQ(m, "#,##0.00;(#,##0.00)");
}

void choose(ledgers::AccLedgers& w, std::int64_t account, const QDate& from = {}, const QDate& to = {})
{
    child<QLineEdit>(w, "ACodeTxt")->setText(QString::number(account));
    child<QCheckBox>(w, "DateOpt")->setChecked(from.isValid());
    if (from.isValid()) {
        child<QDateEdit>(w, "LedgerDt_0")->setDate(from);
        child<QDateEdit>(w, "LedgerDt_1")->setDate(to);
    }
}

} // namespace

class AccLedgersTest : public QObject {
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
        QCOMPARE(w->windowTitle(), QStringLiteral("Accounts Ledgers"));
        QCOMPARE(child<QDateEdit>(*w, "LedgerDt_0")->date(), from);
        QCOMPARE(child<QDateEdit>(*w, "LedgerDt_1")->date(), to);
        QCOMPARE(text(*w, "TtlLbl"), QStringLiteral("Totals Rs"));
        QVERIFY(!f.main->LOpen);
        QVERIFY(!child<QCheckBox>(*w, "DateOpt")->isChecked());
        QVERIFY(!child<QDateEdit>(*w, "LedgerDt_0")->isEnabled());
        child<QCheckBox>(*w, "DateOpt")->setChecked(true);
        QVERIFY(child<QDateEdit>(*w, "LedgerDt_0")->isEnabled());
        QVERIFY(child<QDateEdit>(*w, "LedgerDt_1")->isEnabled());
        QVERIFY(child<QPushButton>(*w, "ExcelBttn")->isEnabled());
        QVERIFY(child<QPushButton>(*w, "MultiBttn")->isEnabled());
        QCOMPARE(w->ledgerModel()->rowCount(), 0);
    }

    void displayAndPrintRefuseWhatTheyCannotShow_data()
    {
        QTest::addColumn<bool>("print");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("display, no account") << false << "" << "Select a valid account to view ledger.";
        QTest::newRow("display, no such account") << false << "20101009" << "Select a valid account to view ledger.";
        QTest::newRow("print, no account") << true << "" << "Select a valid account to print ledger.";
    }
    void displayAndPrintRefuseWhatTheyCannotShow()
    {
        QFETCH(bool, print);
        QFETCH(QString, code);
        QFETCH(QString, message);
        Fixture f;
        auto w = f.window();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        child<QLineEdit>(*w, "ACodeTxt")->setText(code);
        if (print)
            child<QPushButton>(*w, "PrintBttn")->click();
        else
            w->ViewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Select Account"));
        QCOMPARE(f.messages.last().text, message);
        QVERIFY(f.messages.last().informationIcon);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ACodeTxt"));
        QCOMPARE(w->ledgerModel()->rowCount(), 0);
        QVERIFY(!preview(*w));
        QVERIFY(!w->LedgerQry().isOpen());
    }

    void aPeriodEndingBeforeItStartsListsNoLineAndBringsForwardToItsFirstDay_data()
    {
        QTest::addColumn<bool>("print");
        QTest::newRow("display") << false;
        QTest::newRow("print") << true;
    }
    void aPeriodEndingBeforeItStartsListsNoLineAndBringsForwardToItsFirstDay()
    {
        QFETCH(bool, print);
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash, QDate(2026, 12, 31), QDate(2026, 8, 10));
        if (print)
            child<QPushButton>(*w, "PrintBttn")->click();
        else
            child<QPushButton>(*w, "ViewBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(w->ledgerModel()->rowCount(), 0);
        // Brought forward to the first day, lines after the last day included.
        const auto bf = ledgers::balanceOf(f.book.difference(acc::Cash, "", "2026-12-30"));
        QVERIFY(bf != ledgers::balanceOf(f.book.difference(acc::Cash, "", "2026-08-10")));
        const QString status = QString::fromLatin1(ledgers::statusText(bf.side));
        QCOMPARE(text(*w, "OBLbl1"), QStringLiteral("Balance Brought Forward  "));
        QCOMPARE(text(*w, "OBLbl2"), platform::formatMoneyQ(bf.amount, "0.00"));
        QCOMPARE(text(*w, "OBLbl3"), status);
        QCOMPARE(text(*w, "TotalDr"), QStringLiteral("0.00"));
        QCOMPARE(text(*w, "TotalCr"), QStringLiteral("0.00"));
        QCOMPARE(text(*w, "Balance"), amount(bf.amount));
        QCOMPARE(text(*w, "Status"), status);
        report::PreviewWindow* shown = preview(*w);
        QCOMPARE(shown != nullptr, print);
        if (!print)
            return;
        QCOMPARE(w->LedgerQry().recordCount(), std::size_t(0));
        const auto rows = testing_support::rowsOf(shown->document().pages.front());
        QCOMPARE(rows[2], QStringList{"Ledger For The Period From  December 31, 2026  To  August 10, 2026"});
        QCOMPARE(rows[4], (QStringList{"Balance Brought Forward  ", printed(bf.amount), status}));
        QCOMPARE(rows[5], (QStringList{"Totals  Rs", printed(Money{}), printed(Money{}), printed(bf.amount), status}));
    }

    void wholeYearShowsEachLinesRunningBalanceAndTheTotals()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash);
        w->ViewBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        const auto want = f.book.listedLines(acc::Cash, "", "");
        QCOMPARE(w->ledgerModel()->rowCount(), int(want.size()));
        Money running;
        bool sawZero = false, sawCredit = false;
        for (int row = 0; row < int(want.size()); ++row) {
            running += Money::fromCents(want[row].debit.value_or(0) - want[row].credit.value_or(0));
            const auto shown = ledgers::balanceOf(running);
            QCOMPARE(cell(*w, row, ledgers::LedgerModel::BalanceColumn), amount(shown.amount));
            QCOMPARE(cell(*w, row, ledgers::LedgerModel::Status), QString::fromLatin1(ledgers::statusText(shown.side)));
            sawZero = sawZero || running.isZero();
            sawCredit = sawCredit || shown.side == ledgers::Side::Credit;
        }
        QVERIFY(sawZero && sawCredit);   // the book takes Cash to zero and below
        QCOMPARE(cell(*w, 0, ledgers::LedgerModel::Date), QStringLiteral("30-06-26"));
        QCOMPARE(cell(*w, 0, ledgers::LedgerModel::TranNo), QStringLiteral("OB 1"));
        QCOMPARE(cell(*w, 0, ledgers::LedgerModel::Debit), QStringLiteral("1000.00"));
        QCOMPARE(cell(*w, 0, ledgers::LedgerModel::Credit), QStringLiteral("0.00"));
        QCOMPARE(text(*w, "TranType"), QStringLiteral("Opening Balance No. 1"));
        QCOMPARE(text(*w, "LTranNo"), QStringLiteral("1"));
        QCOMPARE(text(*w, "LTranType"), QStringLiteral("11"));
        QCOMPARE(text(*w, "TotalDr"), amount(f.book.debits(acc::Cash, "", "")));
        QCOMPARE(text(*w, "TotalCr"), amount(f.book.credits(acc::Cash, "", "")));
        const auto closing = ledgers::balanceOf(f.book.difference(acc::Cash, "", ""));
        QCOMPARE(text(*w, "Balance"), amount(closing.amount));
        QCOMPARE(text(*w, "Status"), QString::fromLatin1(ledgers::statusText(closing.side)));
        QVERIFY(text(*w, "OBLbl1").isEmpty());
    }

    void periodBringsForwardTheBalanceAndClearingItStartsFromTheYear()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash, QDate(2026, 9, 2), QDate(2026, 12, 31));
        w->ViewBttn_Click();
        const auto bf = ledgers::balanceOf(f.book.difference(acc::Cash, "", "2026-09-01"));
        QCOMPARE(bf.side, ledgers::Side::Credit);   // the book leaves Cash overdrawn on 1 September
        QCOMPARE(text(*w, "OBLbl1"), QStringLiteral("Balance Brought Forward  "));
        QCOMPARE(text(*w, "OBLbl2"), platform::formatMoneyQ(bf.amount, "0.00"));
        QCOMPARE(text(*w, "OBLbl3"), QStringLiteral("Credit"));
        QCOMPARE(w->ledgerModel()->rowCount(), int(f.book.listedLines(acc::Cash, "2026-09-02", "2026-12-31").size()));
        QCOMPARE(text(*w, "TotalDr"), amount(f.book.debits(acc::Cash, "2026-09-02", "2026-12-31")));

        child<QCheckBox>(*w, "DateOpt")->setChecked(false);
        w->ViewBttn_Click();
        for (const char* label : {"OBLbl1", "OBLbl2", "OBLbl3"})
            QVERIFY2(text(*w, label).isEmpty(), label);
        QCOMPARE(cell(*w, 0, ledgers::LedgerModel::TranNo), QStringLiteral("OB 1"));
    }

    void aLedgerWithoutLinesClosesAtItsBroughtForwardBalance_data()
    {
        QTest::addColumn<qint64>("account");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("period without lines") << qint64(acc::Rent) << QDate(2027, 2, 1) << QDate(2027, 5, 31);
        QTest::newRow("account without lines") << qint64(acc::Idle) << QDate() << QDate();
    }
    void aLedgerWithoutLinesClosesAtItsBroughtForwardBalance()
    {
        QFETCH(qint64, account);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        Fixture f;
        auto w = f.window();
        choose(*w, account, from, to);
        w->ViewBttn_Click();
        QCOMPARE(w->ledgerModel()->rowCount(), 0);
        QCOMPARE(text(*w, "TotalDr"), QStringLiteral("0.00"));
        QCOMPARE(text(*w, "TotalCr"), QStringLiteral("0.00"));
        const std::string before = from.isValid() ? platform::isoDate(from.addDays(-1)) : "";
        const auto closing = ledgers::balanceOf(f.book.difference(account, "", before));
        QCOMPARE(text(*w, "Balance"), amount(closing.amount));
        QCOMPARE(text(*w, "Status"), QString::fromLatin1(ledgers::statusText(closing.side)));
        if (from.isValid()) {
            QCOMPARE(text(*w, "OBLbl2"), platform::formatMoneyQ(closing.amount, "0.00"));
            QCOMPARE(text(*w, "OBLbl3"), text(*w, "Status"));
        } else {
            QCOMPARE(text(*w, "Balance"), QStringLiteral("0.00"));
            QCOMPARE(text(*w, "Status"), QStringLiteral("Debit"));
        }
        QVERIFY(text(*w, "LTranNo").isEmpty());
    }

    void theTrialBalanceHandsOverAWholeYearLedgerOnce()
    {
        Fixture f;
        f.main->AccCodeRef = QString::number(acc::Bank);
        f.main->BOpen = true;
        auto w = f.window();
        QVERIFY(!f.main->BOpen);
        QCOMPARE(text(*w, "ACodeTxt"), QString::number(acc::Bank));
        QCOMPARE(text(*w, "Acc"), QStringLiteral("Bank 50% Account"));
        QVERIFY(!child<QCheckBox>(*w, "DateOpt")->isChecked());
        QCOMPARE(w->ledgerModel()->rowCount(), int(f.book.listedLines(acc::Bank, "", "").size()));
        QCOMPARE(text(*w, "Balance"), amount(ledgers::balanceOf(f.book.difference(acc::Bank, "", "")).amount));

        auto again = f.window();   // no hand-over pending: an empty window
        QCOMPARE(again->ledgerModel()->rowCount(), 0);
        QVERIFY(text(*again, "ACodeTxt").isEmpty());
    }

    void aFailedQueryIsReportedAndTheWindowStaysUsable()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash);
        f.t.db().exec("ALTER TABLE TranType RENAME TO TranKinds");
        w->ViewBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QCOMPARE(w->ledgerModel()->rowCount(), 0);
        QVERIFY(text(*w, "Balance").isEmpty());
        QVERIFY(child<QPushButton>(*w, "ViewBttn")->isEnabled());
        f.t.db().exec("ALTER TABLE TranKinds RENAME TO TranType");
        w->ViewBttn_Click();
        QVERIFY(w->ledgerModel()->rowCount() > 0);
    }

    void doubleClickOpensTheCurrentLinesVoucher()
    {
        Fixture f;
        std::int32_t handedOver = 0;
        app::registerWindow(QStringLiteral("CashPaymentVoucher"), [&handedOver](app::Parent& m) {
            handedOver = m.LOpen ? m.LedgerRef : -1;
            m.LOpen = false;
            return new QWidget;
        });
        auto w = f.window();
        w->LedgerGrid_DblClick();   // nothing listed: nothing opens
        QCOMPARE(handedOver, 0);

        choose(*w, acc::Rent);
        w->ViewBttn_Click();
        auto* grid = child<QTableView>(*w, "LedgerGrid");
        int paymentRow = -1;
        for (int row = 0; row < w->ledgerModel()->rowCount() && paymentRow < 0; ++row)
            if (w->ledgerModel()->lines()[std::size_t(row)].tranType == 27)
                paymentRow = row;
        QVERIFY(paymentRow >= 0);
        grid->setCurrentIndex(w->ledgerModel()->index(paymentRow, 0));
        const std::int32_t tranNo = w->ledgerModel()->lines()[std::size_t(paymentRow)].tranNo;
        QCOMPARE(text(*w, "LTranNo"), QString::number(tranNo));
        w->LedgerGrid_DblClick();
        QCOMPARE(handedOver, tranNo);
        QVERIFY(f.main->host().find(QStringLiteral("CashPaymentVoucher")));
    }

    void printShowsTheLedgerAsItStandsWithoutDisplay()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash, QDate(2026, 9, 2), QDate(2026, 12, 31));   // Display is never pressed
        child<QPushButton>(*w, "PrintBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Accounts Ledgers"));

        // The print rebuilt the ledger on screen too, and printed what it shows.
        const auto want = f.book.listedLines(acc::Cash, "2026-09-02", "2026-12-31");
        QCOMPARE(w->ledgerModel()->rowCount(), int(want.size()));
        QCOMPARE(w->LedgerQry().recordCount(), want.size());
        const auto pages = shown->document().pages;
        QCOMPARE(pages.size(), std::size_t(1));
        const auto rows = testing_support::rowsOf(pages.front());
        QCOMPARE(rows[0], QStringList{"Tamsel Traders"});
        QCOMPARE(rows[1], (QStringList{QString::number(acc::Cash), "Cash in Hand"}));
        QCOMPARE(rows[2], QStringList{"Ledger For The Period From  September 02, 2026  To  December 31, 2026"});
        QCOMPARE(rows[3].mid(3), (QStringList{"Debit Rs", "Credit Rs", "Balance Rs"}));
        const auto bf = ledgers::balanceOf(f.book.difference(acc::Cash, "", "2026-09-01"));
        QCOMPARE(rows[4], (QStringList{"Balance Brought Forward  ", printed(bf.amount),
                                       QString::fromLatin1(ledgers::statusText(bf.side))}));
        for (int row = 0; row < int(want.size()); ++row) {
            const QStringList& line = rows[std::size_t(5 + row)];
            QCOMPARE(line.size(), 7);
            QCOMPARE(line[1], cell(*w, row, ledgers::LedgerModel::TranNo));
            QCOMPARE(line[5], printed(Money::parse(cell(*w, row, ledgers::LedgerModel::BalanceColumn).toStdString()).value()));
            QCOMPARE(line[6], cell(*w, row, ledgers::LedgerModel::Status));
        }
        const auto closing = ledgers::balanceOf(f.book.difference(acc::Cash, "", "2026-12-31"));
        QCOMPARE(rows[5 + want.size()],
                 (QStringList{"Totals  Rs", printed(f.book.debits(acc::Cash, "2026-09-02", "2026-12-31")),
                              printed(f.book.credits(acc::Cash, "2026-09-02", "2026-12-31")), printed(closing.amount),
                              QString::fromLatin1(ledgers::statusText(closing.side))}));
        QCOMPARE(rows.back(), (QStringList{"Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"}));
    }

    void printsTwiceInARow()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash);
        w->PrintBttn_Click();
        report::PreviewWindow* first = preview(*w);
        QVERIFY(first);
        first->close();
        // AccLedger has no end step: the rows stay open after the report ends.
        QVERIFY(w->LedgerQry().isOpen());
        QCOMPARE(w->LedgerQry().recordCount(), f.book.listedLines(acc::Cash, "", "").size());

        choose(*w, acc::Bank);
        w->PrintBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        report::PreviewWindow* second = preview(*w);
        QVERIFY(second);
        QCOMPARE(w->LedgerQry().recordCount(), f.book.listedLines(acc::Bank, "", "").size());
        const auto rows = testing_support::rowsOf(second->document().pages.front());
        QCOMPARE(rows[1], (QStringList{QString::number(acc::Bank), "Bank 50% Account"}));
        QCOMPARE(rows[2], QStringList{"Ledger For The Period Ended On  December 10, 2026"});
    }

    void aFailedPrintIsToldAndTheWindowStaysUsable()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash);
        w->PrintBttn_Click();
        preview(*w)->close();
        f.t.db().exec("ALTER TABLE TranType RENAME TO TranKinds");
        w->PrintBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(!preview(*w));
        QVERIFY(!w->LedgerQry().isOpen());   // the last print's rows are not shown as this one's
        QCOMPARE(w->ledgerModel()->rowCount(), 0);
        QVERIFY(child<QPushButton>(*w, "PrintBttn")->isEnabled());
        f.t.db().exec("ALTER TABLE TranKinds RENAME TO TranType");
        w->PrintBttn_Click();
        QVERIFY(preview(*w));
        QCOMPARE(w->LedgerQry().recordCount(), f.book.listedLines(acc::Cash, "", "").size());
    }

    void printsALedgerOfTwentyThousandLinesQuickly()
    {
        Fixture f;
        constexpr int kLines = 20000;
        {
            platform::Transaction tx(f.t.db());
            platform::Statement head(f.t.db(),
                "INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, FYID, Cancel, Posted)"
                " VALUES (?, ?, 'generated', 27, ?, 0, 1)");
            platform::Statement line(f.t.db(),
                "INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit) VALUES (?, ?, ?, ?, ?)");
            for (int i = 0; i < kLines; ++i) {
                head.reset();
                head.bindAll({1000 + i, platform::isoDate(QDate(2026, 7, 1).addDays(i % 365)), testing_support::kYear})
                    .run();
                const std::int64_t tranNo = f.t.db().lastInsertId();
                line.reset();
                line.bindAll({tranNo, acc::Idle, "Generated expense number " + std::to_string(i), 100 + i % 997,
                              platform::Value()})
                    .run();
            }
            tx.commit();
        }
        auto w = f.window();
        choose(*w, acc::Idle);
        const testing_support::CpuClock clock;
        w->PrintBttn_Click();
        const auto ms = clock.elapsedMs();
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        qInfo("A ledger of %d lines printed to its preview in %lld ms (%zu pages).", kLines, static_cast<long long>(ms),
              shown->document().pages.size());
        QCOMPARE(w->LedgerQry().recordCount(), std::size_t(kLines));
        const auto last = testing_support::rowsOf(shown->document().pages.back());
        QCOMPARE(last[last.size() - 2].last(), QStringLiteral("Debit"));
        QCOMPARE(last[last.size() - 2][3], printed(Money::parse(text(*w, "Balance").toStdString()).value()));
        QVERIFY2(ms < 3000, qPrintable(QString("printing took %1 ms").arg(ms)));
    }
};

WINDOW_TEST_MAIN(AccLedgersTest)
#include "acc_ledgers_test.moc"
