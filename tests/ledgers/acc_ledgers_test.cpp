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
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"

using platform::Money;
using testing_support::HandBook;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;
namespace acc = testing_support::acc;

namespace {

struct Fixture {
    TestDatabase t;
    HandBook book{t.db()};
    MessageRecorder messages;
    std::unique_ptr<app::Parent> main;

    Fixture()
    {
        main = std::make_unique<app::Parent>(t.path());
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->PelkUser = 1;
        main->FYID = testing_support::kYear;
        main->FYStart = QDate(2026, 7, 1);
        main->FYEnd = QDate(2027, 6, 30);
        main->CurrencySymbol = QStringLiteral("Rs");
        main->MDIForm_Load();
        main->AccTimer_Timer();
        messages.clear();
    }
    std::unique_ptr<ledgers::AccLedgers> window()
    {
        return std::make_unique<ledgers::AccLedgers>(*main);
    }
};

template <typename T>
T* child(QWidget& w, const char* name)
{
    auto* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

QString text(QWidget& w, const char* name)
{
    if (auto* box = w.findChild<QLineEdit*>(QLatin1String(name)))
        return box->text();
    return child<QLabel>(w, name)->text();
}

QString amount(Money m)
{
    return platform::formatMoneyQ(m, "0.00;(0.00)");
}

QString cell(ledgers::AccLedgers& w, int row, int column)
{
    const auto* model = w.LedgerQry();
    return model->data(model->index(row, column), Qt::DisplayRole).toString();
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
        for (const char* later : {"PrintBttn", "ExcelBttn", "MultiBttn"})
            QVERIFY2(!child<QPushButton>(*w, later)->isEnabled(), later);
        QCOMPARE(w->LedgerQry()->rowCount(), 0);
    }

    void displayRefusesWhatItCannotShow_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("period");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no account") << "" << false << "Select Account" << "Select a valid account to view ledger."
                                    << "ACodeTxt";
        QTest::newRow("no such account") << "20101009" << false << "Select Account"
                                         << "Select a valid account to view ledger." << "ACodeTxt";
        QTest::newRow("period ends before it starts")
            << "20101001" << true << "Invalid Date" << "The ending date should be greater than the beginning date."
            << "LedgerDt_1";
    }
    void displayRefusesWhatItCannotShow()
    {
        QFETCH(QString, code);
        QFETCH(bool, period);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f;
        auto w = f.window();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        child<QLineEdit>(*w, "ACodeTxt")->setText(code);
        child<QCheckBox>(*w, "DateOpt")->setChecked(period);
        child<QDateEdit>(*w, "LedgerDt_0")->setDate(QDate(2026, 9, 2));
        child<QDateEdit>(*w, "LedgerDt_1")->setDate(QDate(2026, 9, 1));
        w->ViewBttn_Click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, title);
        QCOMPARE(f.messages.last().text, message);
        QVERIFY(f.messages.last().informationIcon);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(w->LedgerQry()->rowCount(), 0);
    }

    void wholeYearShowsEachLinesRunningBalanceAndTheTotals()
    {
        Fixture f;
        auto w = f.window();
        choose(*w, acc::Cash);
        w->ViewBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        const auto want = f.book.listedLines(acc::Cash, "", "");
        QCOMPARE(w->LedgerQry()->rowCount(), int(want.size()));
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
        QCOMPARE(w->LedgerQry()->rowCount(), int(f.book.listedLines(acc::Cash, "2026-09-02", "2026-12-31").size()));
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
        QCOMPARE(w->LedgerQry()->rowCount(), 0);
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
        QCOMPARE(w->LedgerQry()->rowCount(), int(f.book.listedLines(acc::Bank, "", "").size()));
        QCOMPARE(text(*w, "Balance"), amount(ledgers::balanceOf(f.book.difference(acc::Bank, "", "")).amount));

        auto again = f.window();   // no hand-over pending: an empty window
        QCOMPARE(again->LedgerQry()->rowCount(), 0);
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
        QCOMPARE(w->LedgerQry()->rowCount(), 0);
        QVERIFY(text(*w, "Balance").isEmpty());
        QVERIFY(child<QPushButton>(*w, "ViewBttn")->isEnabled());
        f.t.db().exec("ALTER TABLE TranKinds RENAME TO TranType");
        w->ViewBttn_Click();
        QVERIFY(w->LedgerQry()->rowCount() > 0);
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
        for (int row = 0; row < w->LedgerQry()->rowCount() && paymentRow < 0; ++row)
            if (w->LedgerQry()->lines()[std::size_t(row)].tranType == 27)
                paymentRow = row;
        QVERIFY(paymentRow >= 0);
        grid->setCurrentIndex(w->LedgerQry()->index(paymentRow, 0));
        const std::int32_t tranNo = w->LedgerQry()->lines()[std::size_t(paymentRow)].tranNo;
        QCOMPARE(text(*w, "LTranNo"), QString::number(tranNo));
        w->LedgerGrid_DblClick();
        QCOMPARE(handedOver, tranNo);
        QVERIFY(f.main->host().find(QStringLiteral("CashPaymentVoucher")));
    }
};

QTEST_MAIN(AccLedgersTest)
#include "acc_ledgers_test.moc"
