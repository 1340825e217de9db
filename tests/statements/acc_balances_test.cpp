// The trial balance window on the hand-made book: load, the selection
// controls and their checks, both layouts with their totals, failures and the
// way to a row's ledger.
#include "statements/acc_balances.h"

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "ledgers/acc_ledgers.h"
#include "ledgers/balance.h"
#include "ledgers/ledger_model.h"
#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "statements/trial_balance_rules.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/message_recorder.h"
#include "tests/support/page_rows.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using platform::Money;
using testing_support::child;
using testing_support::HandBook;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;
namespace acc = testing_support::acc;
namespace lookalike = testing_support::lookalike;

namespace {

struct Fixture {
    TestDatabase t;
    std::unique_ptr<HandBook> book;
    MessageRecorder messages;
    std::unique_ptr<app::Parent> main;

    explicit Fixture(bool withBook = true, int user = 1)
    {
        if (withBook)
            book = std::make_unique<HandBook>(t.db());
        if (user != 1)
            t.addUser(user, "op", "pw");
        main = testing_support::signedInWindow(
            t.path(), {.user = user, .fyId = testing_support::kYear, .fyStart = QDate(2026, 7, 1),
                       .fyEnd = QDate(2027, 6, 30), .business = QStringLiteral("Tamsel Traders"),
                       .userName = QStringLiteral("Ali"), .currency = QStringLiteral("Rs")});
        main->AccTimer_Timer();
        messages.clear();
    }
    std::unique_ptr<statements::AccBalances> window()
    {
        auto w = std::make_unique<statements::AccBalances>(*main);
        w->show();
        return w;
    }
};

QString text(QWidget& w, const char* name)
{
    return child<QLineEdit>(w, name)->text();
}

QTableView* grid(QWidget& w, const char* name)
{
    return child<QTableView>(w, name);
}

QString cell(QTableView* g, int row, int column)
{
    return g->model()->data(g->model()->index(row, column)).toString();
}

QString total(Money m)
{
    return QString::fromStdString(statements::balanceTotalText(m));
}

QString sum(Money m)
{
    return QString::fromStdString(statements::amountTotalText(m));
}

void chooseSubType(statements::AccBalances& w, const char* mainType, const char* subType)
{
    child<QRadioButton>(w, "SelectOpt")->setChecked(true);
    child<QComboBox>(w, "Acc")->setCurrentText(QString::fromLatin1(mainType));
    if (subType) {
        child<QCheckBox>(w, "SubTypeOpt")->setChecked(true);
        child<QComboBox>(w, "SubList")->setCurrentText(QString::fromLatin1(subType));
    }
}

report::PreviewWindow* preview(QWidget& w)
{
    for (auto* p : w.findChildren<report::PreviewWindow*>())
        if (p->isVisible())
            return p;
    return nullptr;
}

QString printed(Money m)
{
    return platform::formatMoneyQ(m, "#,##0.00;(#,##0.00)");
}

// Which accounts of the book a selection takes: "all", a main type, a sub
// type or a code range.
struct Choice {
    enum Kind { All, MainType, SubType, Range } kind = All;
    std::int64_t id = 0, from = 0, to = 0;
    bool takes(const testing_support::ChartPlace& a) const
    {
        switch (kind) {
        case All: return true;
        case MainType: return a.level1 == id;
        case SubType: return a.level2 == id;
        case Range: return a.code >= from && a.code <= to;
        }
        return false;
    }
};

void choose(statements::AccBalances& w, const Choice& c)
{
    switch (c.kind) {
    case Choice::All:
        child<QRadioButton>(w, "AllOpt")->setChecked(true);
        break;
    case Choice::MainType:
        chooseSubType(w, c.id == testing_support::kAssets ? "Cash and Receivables (Current Assets)"
                                                           : "Expenses (Operating Expenses)", nullptr);
        break;
    case Choice::SubType:
        chooseSubType(w, "Cash and Receivables (Current Assets)",
                      c.id == testing_support::kCashAndBank ? "Cash and Bank" : "Receivables");
        break;
    case Choice::Range:
        child<QRadioButton>(w, "RangeOpt")->setChecked(true);
        child<QLineEdit>(w, "CodeFrom")->setText(QString::number(c.from));
        child<QLineEdit>(w, "CodeTo")->setText(QString::number(c.to));
        break;
    }
}

// The report footer a print of the book should end with: six columns the
// accounts with any figure in the period, two columns those closing other than
// zero, summed from the vouchers as written.
QStringList expectedFooter(const HandBook& book, const Choice& c, bool six, const char* from, const char* to)
{
    const std::string before = testing_support::dayBefore(from);
    Money opening, debits, credits, closing, twoDr, twoCr;
    for (const auto& a : testing_support::kChart) {
        if (!c.takes(a))
            continue;
        const Money o = book.difference(a.code, "", before), d = book.periodDebits(a.code, from, to),
                    cr = book.periodCredits(a.code, from, to), cl = book.difference(a.code, "", to);
        opening += o;
        debits += d;
        credits += cr;
        closing += cl;
        (cl > Money{} ? twoDr : twoCr) += cl.abs();
    }
    if (six)
        return {"Totals  Rs", total(opening), platform::formatMoneyQ(debits, "0.00;(0.00)"),
                platform::formatMoneyQ(credits, "0.00;(0.00)"), total(closing)};
    return {"Totals  Rs", printed(twoDr), printed(twoCr)};
}

// Every text row of every page of `doc`.
std::vector<QStringList> allRows(const report::Document& doc)
{
    std::vector<QStringList> rows;
    for (const auto& page : doc.pages)
        for (auto& r : testing_support::rowsOf(page))
            rows.push_back(std::move(r));
    return rows;
}

} // namespace

class AccBalancesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }
    void init() { shell::setToday(QDate(2026, 12, 10)); }
    void cleanup() { app::clearWindows(); }

    void opensShowingAllAccountsInTwoColumns_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("to");
        QTest::newRow("inside the year") << QDate(2026, 12, 10) << QDate(2026, 12, 10);
        QTest::newRow("before the year") << QDate(2026, 1, 5) << QDate(2027, 6, 30);
    }
    void opensShowingAllAccountsInTwoColumns()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, to);
        shell::setToday(today);
        Fixture f;
        auto w = f.window();
        QCOMPARE(w->windowTitle(), QStringLiteral("Trial Balance"));
        QVERIFY(child<QRadioButton>(*w, "AllOpt")->isChecked());
        QVERIFY(child<QRadioButton>(*w, "TrialOpt_1")->isChecked());
        QCOMPARE(child<QDateEdit>(*w, "BalDt_0")->date(), QDate(2026, 7, 1));
        QCOMPARE(child<QDateEdit>(*w, "BalDt_1")->date(), to);
        QVERIFY(grid(*w, "DetailGrid2")->isVisible());
        QVERIFY(!grid(*w, "DetailGrid")->isVisible());
        QVERIFY(child<QWidget>(*w, "LedgerTotals2")->isVisible());
        QVERIFY(!child<QWidget>(*w, "LedgerTotals")->isVisible());
        QCOMPARE(child<QLabel>(*w, "TtlLbl")->text(), QStringLiteral("Totals Rs"));
        QVERIFY(child<QPushButton>(*w, "ViewBttn")->isEnabled());
        QVERIFY(child<QPushButton>(*w, "PrintBttn")->isEnabled());
        QVERIFY(child<QPushButton>(*w, "ExcelBttn")->isEnabled());

        const std::string upTo = platform::isoDate(to);
        QStringList codes;
        Money debit, credit;
        for (const auto& a : testing_support::kChart) {
            const Money closing = f.book->difference(a.code, "", upTo);
            if (closing.isZero())
                continue;
            codes << QString::number(a.code);
            (closing > Money{} ? debit : credit) += closing.abs();
        }
        auto* two = grid(*w, "DetailGrid2");
        QCOMPARE(two->model()->rowCount(), codes.size());
        for (int row = 0; row < codes.size(); ++row) {
            QCOMPARE(cell(two, row, 0), codes[row]);   // ordered by code
            const Money closing = f.book->difference(codes[row].toLongLong(), "", upTo);
            QCOMPARE(cell(two, row, closing > Money{} ? 2 : 3), platform::formatMoneyQ(closing.abs(), "0.00;(0.00)"));
            QCOMPARE(cell(two, row, closing > Money{} ? 3 : 2), QString());
        }
        QCOMPARE(text(*w, "TDr"), sum(debit));
        QCOMPARE(text(*w, "TCr"), sum(credit));
        QCOMPARE(text(*w, "BalCode2"), codes.front());
    }

    void eachOptionEnablesItsOwnControls()
    {
        Fixture f;
        auto w = f.window();
        auto enabled = [&](const char* name) { return child<QWidget>(*w, name)->isEnabled(); };
        QVERIFY(!enabled("Acc") && !enabled("SubTypeOpt") && !enabled("SubList") && !enabled("CodeFrom"));

        child<QRadioButton>(*w, "SelectOpt")->setChecked(true);
        QVERIFY(enabled("Acc") && enabled("SubTypeOpt") && !enabled("SubList") && !enabled("CodeTo"));
        child<QCheckBox>(*w, "SubTypeOpt")->setChecked(true);
        QVERIFY(enabled("SubList"));
        child<QComboBox>(*w, "Acc")->setCurrentText(QStringLiteral("Cash and Receivables (Current Assets)"));
        QCOMPARE(child<QComboBox>(*w, "SubList")->count(), 2);   // the main type's sub types, by name
        QCOMPARE(child<QComboBox>(*w, "SubList")->itemText(0), QStringLiteral("Cash and Bank"));

        child<QRadioButton>(*w, "RangeOpt")->setChecked(true);
        QVERIFY(!enabled("Acc") && !enabled("SubTypeOpt") && !enabled("SubList"));
        QVERIFY(!child<QCheckBox>(*w, "SubTypeOpt")->isChecked());
        QVERIFY(child<QComboBox>(*w, "Acc")->currentText().isEmpty());
        for (const char* box : {"CodeFrom", "CodeTo", "AccFrom", "AccTo"})
            QVERIFY2(enabled(box), box);

        child<QRadioButton>(*w, "AllOpt")->setChecked(true);
        for (const char* box : {"CodeFrom", "CodeTo", "AccFrom", "AccTo", "Acc", "SubList"})
            QVERIFY2(!enabled(box), box);
    }

    // A typed main or sub type is the entry of exactly that text, letter case
    // included, when the focus leaves its list; any other text is refused.
    void aTypedTypeIsTheEntryOfExactlyThatTextOrRefused_data()
    {
        QTest::addColumn<bool>("subType");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("shown");   // the one account shown; 0: refused
        QTest::newRow("sub type in its own letters") << true << "petty" << qint64(lookalike::kSmallPettyAccount);
        QTest::newRow("sub type's start") << true << "Pet" << qint64(0);
        QTest::newRow("sub type in capitals") << true << "PETTY" << qint64(0);
        QTest::newRow("main type in its own letters") << false << "cash and Receivables (Current Assets)"
                                                      << qint64(lookalike::kSmallMainTypeAccount);
        QTest::newRow("main type in capitals") << false << "CASH AND RECEIVABLES (CURRENT ASSETS)" << qint64(0);
    }
    void aTypedTypeIsTheEntryOfExactlyThatTextOrRefused()
    {
        QFETCH(bool, subType);
        QFETCH(QString, typed);
        QFETCH(qint64, shown);
        Fixture f;
        testing_support::addLookAlikeTypes(f.t.db());
        auto w = f.window();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        child<QRadioButton>(*w, "SelectOpt")->setChecked(true);
        auto* acc = child<QComboBox>(*w, "Acc");
        if (subType) {
            acc->setCurrentText(QStringLiteral("Cash and Receivables (Current Assets)"));
            child<QCheckBox>(*w, "SubTypeOpt")->setChecked(true);
        }
        auto* list = subType ? child<QComboBox>(*w, "SubList") : acc;
        QCOMPARE(testing_support::typeAndLeave(list, typed, child<QPushButton>(*w, "ViewBttn")), typed);
        child<QPushButton>(*w, "ViewBttn")->click();
        if (!shown) {
            QCOMPARE(f.messages.boxes().size(), std::size_t(1));
            QCOMPARE(f.messages.last().text, subType ? QStringLiteral("Select sub account type to view balances.")
                                                     : QStringLiteral("Select main account type to view balances."));
            QCOMPARE(QApplication::focusWidget()->objectName(), list->objectName());
            return;
        }
        QVERIFY(f.messages.boxes().empty());
        QTableView* g = grid(*w, "DetailGrid2");
        QCOMPARE(g->model()->rowCount(), 1);
        QCOMPARE(cell(g, 0, 0), QString::number(shown));
    }

    void displayAndPrintRefuseAnIncompleteChoice_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        for (const char* button : {"ViewBttn", "PrintBttn"}) {
            const QString b = QString::fromLatin1(button);
            const QString verb = b == "ViewBttn" ? "view" : "print";
            const auto row = [&](const char* name) -> QTestData& { return QTest::newRow(qPrintable(b + ": " + name)) << b; };
            row("no main type") << 0 << "Select Main Account Type"
                                << "Select main account type to " + verb + " balances." << "Acc";
            row("no sub type, though a main type") << 1 << "Select Sub Account Type"
                                                   << "Select sub account type to " + verb + " balances." << "SubList";
            row("no from code") << 2 << "Select Account Code" << "Select account code to start from." << "CodeFrom";
            row("no to code") << 3 << "Select Account Code" << "Select account code to end at." << "CodeTo";
        }
    }
    void displayAndPrintRefuseAnIncompleteChoice()
    {
        QFETCH(QString, button);
        QFETCH(int, choice);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f;
        auto w = f.window();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const int rowsBefore = grid(*w, "DetailGrid2")->model()->rowCount();
        switch (choice) {
        case 0:
            chooseSubType(*w, "no such type", nullptr);
            break;
        case 1:
            chooseSubType(*w, "Sales (Sales)", "no such sub type");
            break;
        case 2:
        case 3:
            child<QRadioButton>(*w, "RangeOpt")->setChecked(true);
            child<QLineEdit>(*w, "CodeFrom")->setText(choice == 3 ? QString::number(acc::Cash) : QString());
            child<QLineEdit>(*w, "CodeTo")->setText(QStringLiteral("99999999"));
            break;
        }
        child<QPushButton>(*w, qPrintable(button))->click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, title);
        QCOMPARE(f.messages.last().text, message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(grid(*w, "DetailGrid2")->model()->rowCount(), rowsBefore);   // nothing queried
        QVERIFY(!preview(*w));
        QVERIFY(child<QPushButton>(*w, "PrintBttn")->isEnabled());
    }

    void sixColumnsShowTheChosenAccountsWithTheirTotals_data()
    {
        QTest::addColumn<QString>("mainType");
        QTest::addColumn<QString>("subType");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QList<qint64>>("accounts");
        QTest::newRow("sub type") << "Cash and Receivables (Current Assets)" << "Cash and Bank" << "" << ""
                                  << QList<qint64>{acc::Cash, acc::Bank};
        QTest::newRow("main type") << "Expenses (Operating Expenses)" << "" << "" << ""
                                   << QList<qint64>{acc::Rent};
        QTest::newRow("range") << "" << "" << "20101002" << "50101001"
                               << QList<qint64>{acc::Bank, acc::Customer, acc::Sales};
    }
    void sixColumnsShowTheChosenAccountsWithTheirTotals()
    {
        QFETCH(QString, mainType);
        QFETCH(QString, subType);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QList<qint64>, accounts);
        Fixture f;
        auto w = f.window();
        if (!mainType.isEmpty()) {
            const QByteArray m = mainType.toLatin1(), s = subType.toLatin1();
            chooseSubType(*w, m.constData(), subType.isEmpty() ? nullptr : s.constData());
        } else {
            child<QRadioButton>(*w, "RangeOpt")->setChecked(true);
            child<QLineEdit>(*w, "CodeFrom")->setText(from);
            child<QLineEdit>(*w, "CodeTo")->setText(to);
        }
        child<QDateEdit>(*w, "BalDt_0")->setDate(QDate(2026, 9, 2));
        child<QDateEdit>(*w, "BalDt_1")->setDate(QDate(2027, 6, 30));
        child<QRadioButton>(*w, "TrialOpt_0")->setChecked(true);
        QVERIFY(grid(*w, "DetailGrid")->isVisible());
        QVERIFY(!grid(*w, "DetailGrid2")->isVisible());
        w->ViewBttn_Click();
        QVERIFY(f.messages.boxes().empty());

        auto* six = grid(*w, "DetailGrid");
        QCOMPARE(six->model()->rowCount(), accounts.size());
        Money opening, debits, credits, closing;
        for (int row = 0; row < accounts.size(); ++row) {
            const qint64 a = accounts[row];
            const Money o = f.book->difference(a, "", "2026-09-01");
            const Money d = f.book->debits(a, "2026-09-02", "2027-06-30");
            const Money c = f.book->credits(a, "2026-09-02", "2027-06-30");
            const Money cl = f.book->difference(a, "", "2027-06-30");
            QCOMPARE(cell(six, row, 0), QString::number(a));
            QCOMPARE(cell(six, row, 2), platform::formatMoneyQ(o.abs(), "0.00;(0.00)"));
            QCOMPARE(cell(six, row, 3), QString::fromLatin1(ledgers::statusText(ledgers::balanceOf(o).side)));
            QCOMPARE(cell(six, row, 4), platform::formatMoneyQ(d, "0.00;(0.00)"));
            QCOMPARE(cell(six, row, 5), platform::formatMoneyQ(c, "0.00;(0.00)"));
            QCOMPARE(cell(six, row, 6), platform::formatMoneyQ(cl.abs(), "0.00;(0.00)"));
            QCOMPARE(cell(six, row, 7), QString::fromLatin1(ledgers::statusText(ledgers::balanceOf(cl).side)));
            opening += o;
            debits += d;
            credits += c;
            closing += cl;
        }
        QCOMPARE(text(*w, "OpenBalance"), total(opening));
        QCOMPARE(text(*w, "TotalDr"), sum(debits));
        QCOMPARE(text(*w, "TotalCr"), sum(credits));
        QCOMPARE(text(*w, "CloseBalance"), total(closing));
    }

    // Nothing checks the dates: with the from date after the to date the
    // period's figures are the closing sums less the larger opening sums,
    // negative and in brackets, in the grid, its totals and the prints.
    void aFromDateAfterTheToDateIsShownAndPrinted_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("grouped") << int(Choice::All);
        QTest::newRow("range") << int(Choice::Range);
    }
    void aFromDateAfterTheToDateIsShownAndPrinted()
    {
        QFETCH(int, kind);
        Fixture f;
        auto w = f.window();
        const Choice c{Choice::Kind(kind), 0, acc::Cash, acc::Idle};
        choose(*w, c);
        const char* from = "2026-12-10";
        const char* to = "2026-09-01";
        child<QDateEdit>(*w, "BalDt_0")->setDate(QDate(2026, 12, 10));
        child<QDateEdit>(*w, "BalDt_1")->setDate(QDate(2026, 9, 1));
        child<QRadioButton>(*w, "TrialOpt_0")->setChecked(true);
        child<QPushButton>(*w, "ViewBttn")->click();
        QVERIFY(f.messages.boxes().empty());

        auto* six = grid(*w, "DetailGrid");
        int row = 0;
        Money debits, credits;
        for (const auto& a : testing_support::kChart) {
            const Money o = f.book->difference(a.code, "", testing_support::dayBefore(from));
            const Money d = f.book->periodDebits(a.code, from, to), cr = f.book->periodCredits(a.code, from, to);
            if (o.isZero() && d.isZero() && cr.isZero())
                continue;
            QCOMPARE(cell(six, row, 0), QString::number(a.code));
            QCOMPARE(cell(six, row, 4), platform::formatMoneyQ(d, "0.00;(0.00)"));
            QCOMPARE(cell(six, row, 5), platform::formatMoneyQ(cr, "0.00;(0.00)"));
            QCOMPARE(cell(six, row, 6), platform::formatMoneyQ(f.book->difference(a.code, "", to).abs(), "0.00;(0.00)"));
            debits += d;
            credits += cr;
            ++row;
        }
        QCOMPARE(six->model()->rowCount(), row);
        QVERIFY(debits < Money{} && credits < Money{});
        QVERIFY(text(*w, "TotalDr").contains(QLatin1Char('(')));
        QCOMPARE(text(*w, "TotalDr"), sum(debits));
        QCOMPARE(text(*w, "TotalCr"), sum(credits));

        child<QPushButton>(*w, "PrintBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        const auto rows = allRows(shown->document());
        QCOMPARE(rows[rows.size() - 2], expectedFooter(*f.book, c, true, from, to));
        shown->close();
    }

    void aYearWithoutVouchersShowsZeroTotals()
    {
        Fixture f(false);
        auto w = f.window();
        QCOMPARE(grid(*w, "DetailGrid")->model()->rowCount(), 0);
        QCOMPARE(grid(*w, "DetailGrid2")->model()->rowCount(), 0);
        QCOMPARE(text(*w, "OpenBalance"), QStringLiteral("0.00  Debit "));
        QCOMPARE(text(*w, "CloseBalance"), QStringLiteral("0.00  Debit "));
        for (const char* box : {"TotalDr", "TotalCr", "TDr", "TCr"})
            QCOMPARE(text(*w, box), QStringLiteral("0.00"));
        w->DetailGrid2_DblClick();   // no row: nothing happens
        QVERIFY(f.messages.boxes().empty());
    }

    void aFailedQueryIsReportedAndTheButtonStaysUsable()
    {
        Fixture f;
        auto w = f.window();
        f.t.db().exec("ALTER TABLE AccLevel3 RENAME TO Accounts");
        w->ViewBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(child<QPushButton>(*w, "ViewBttn")->isEnabled());
        QCOMPARE(grid(*w, "DetailGrid2")->model()->rowCount(), 0);
        QVERIFY(text(*w, "TDr").isEmpty());
    }

    void sumsTooLargeToShowAreToldAndTheWindowStaysUsable()
    {
        Fixture f;
        // Two accounts whose debits each fit but whose total does not.
        f.t.db().exec("INSERT INTO Transactions (DocNo, TranDate, \"Desc\", TranType, FYID, Cancel, Posted)"
                      " VALUES (90, '2026-08-01', 'huge', 41, 1, 0, 1)");
        const auto tranNo = f.t.db().lastInsertId();
        for (const std::int64_t code : {acc::Rent, acc::Idle})
            f.t.db().exec("INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit)"
                          " VALUES (?, ?, '', 5000000000000000000, NULL)",
                          {tranNo, code});
        auto w = f.window();
        f.messages.clear();
        child<QPushButton>(*w, "ViewBttn")->click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Amount Too Large"));
        QVERIFY(child<QPushButton>(*w, "ViewBttn")->isEnabled());
    }

    void doubleClickOpensTheRowsLedgerAfresh()
    {
        Fixture f;
        app::registerWindow(QStringLiteral("AccLedgers"), [](app::Parent& m) { return new ledgers::AccLedgers(m); });
        auto w = f.window();
        auto* two = grid(*w, "DetailGrid2");
        two->setCurrentIndex(two->model()->index(0, 0));
        w->DetailGrid2_DblClick();
        QPointer<ledgers::AccLedgers> first =
            qobject_cast<ledgers::AccLedgers*>(f.main->host().find(QStringLiteral("AccLedgers")));
        QVERIFY(first);
        QCOMPARE(first->findChild<QLineEdit*>("ACodeTxt")->text(), cell(two, 0, 0));
        QVERIFY(!f.main->BOpen);

        child<QRadioButton>(*w, "TrialOpt_0")->setChecked(true);
        auto* six = grid(*w, "DetailGrid");
        six->setCurrentIndex(six->model()->index(1, 0));
        w->DetailGrid_DblClick();
        QVERIFY(!first);   // the open ledger was unloaded, not reused
        auto* ledger = qobject_cast<ledgers::AccLedgers*>(f.main->host().find(QStringLiteral("AccLedgers")));
        QVERIFY(ledger);
        QCOMPARE(ledger->findChild<QLineEdit*>("ACodeTxt")->text(), cell(six, 1, 0));
        const qint64 code = cell(six, 1, 0).toLongLong();
        QCOMPARE(ledger->ledgerModel()->rowCount(), int(f.book->listedLines(code, "", "").size()));
        QVERIFY(f.messages.boxes().empty());
    }

    void anOperatorWithoutTheLedgerRightIsRefused()
    {
        Fixture f(true, 2);
        f.t.refuse(2, 240);
        app::registerWindow(QStringLiteral("AccLedgers"), [](app::Parent& m) { return new ledgers::AccLedgers(m); });
        auto w = f.window();
        w->DetailGrid2_DblClick();
        QCOMPARE(f.messages.last().title, QStringLiteral("Not Allowed"));
        QVERIFY(!f.main->host().find(QStringLiteral("AccLedgers")));
        QVERIFY(!f.main->BOpen);
    }

    void printShowsTheReportOfTheChoiceWithoutDisplay_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("id");
        QTest::addColumn<bool>("six");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("dateLine");
        const QString period = "From  September 02, 2026  To  December 31, 2026";
        const QString asOn = "As On  December 31, 2026";
        QTest::newRow("all, six columns") << int(Choice::All) << qint64(0) << true << "Trial Balance"
                                          << "Trial Balance" << period;
        QTest::newRow("all, two columns") << int(Choice::All) << qint64(0) << false << "Trial Balance"
                                          << "Trial Balance" << asOn;
        QTest::newRow("main type, six columns") << int(Choice::MainType) << qint64(testing_support::kAssets) << true
                                                << "Trial Balance" << "Accounts Balances" << period;
        QTest::newRow("sub type, two columns") << int(Choice::SubType) << qint64(testing_support::kCashAndBank)
                                               << false << "Trial Balance" << "Accounts Balances" << asOn;
        QTest::newRow("range, six columns") << int(Choice::Range) << qint64(0) << true << "Account Balances"
                                            << "Accounts Balances" << period;
        QTest::newRow("range, two columns") << int(Choice::Range) << qint64(0) << false << "Account Balances"
                                            << "Accounts Balances" << asOn;
    }
    void printShowsTheReportOfTheChoiceWithoutDisplay()
    {
        QFETCH(int, kind);
        QFETCH(qint64, id);
        QFETCH(bool, six);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, dateLine);
        Fixture f;
        auto w = f.window();   // showing all accounts in two columns for the year so far
        const QString shownOpening = text(*w, "OpenBalance");
        const Choice c{Choice::Kind(kind), id, acc::Bank, acc::Sales};
        choose(*w, c);
        child<QRadioButton>(*w, six ? "TrialOpt_0" : "TrialOpt_1")->setChecked(true);
        child<QDateEdit>(*w, "BalDt_0")->setDate(QDate(2026, 9, 2));
        child<QDateEdit>(*w, "BalDt_1")->setDate(QDate(2026, 12, 31));
        child<QPushButton>(*w, "PrintBttn")->click();
        QVERIFY(f.messages.boxes().empty());
        report::PreviewWindow* shown = preview(*w);
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), caption);
        for (const char* b : {"ViewBttn", "PrintBttn"})
            QVERIFY2(!child<QPushButton>(*w, b)->isEnabled(), b);   // off while the preview is open

        const auto rows = allRows(shown->document());
        QCOMPARE(rows[0], QStringList{"Tamsel Traders"});
        QCOMPARE(rows[1], QStringList{title});
        QCOMPARE(rows[2], QStringList{dateLine});
        const QStringList footer = expectedFooter(*f.book, c, six, "2026-09-02", "2026-12-31");
        QCOMPARE(rows[rows.size() - 2], footer);   // the footer's sums agree with its opening and closing texts
        QCOMPARE(rows.back(), (QStringList{"Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"}));
        if (six && kind != int(Choice::All))
            QVERIFY(footer[1] != shownOpening);   // not the figures of the last Display

        shown->close();
        QVERIFY(child<QPushButton>(*w, "PrintBttn")->isEnabled());
        QVERIFY(!w->PrintBalances.isOpen());   // the report closed its rows
        if (six) {   // the balances are shown again, for the printed choice
            QCOMPARE(text(*w, "OpenBalance"), footer[1]);
            QCOMPARE(text(*w, "TotalDr"), footer[2]);
        } else {
            QCOMPARE(platform::formatMoneyQ(Money::parse(text(*w, "TDr").toStdString()).value(),
                                            "#,##0.00;(#,##0.00)"), footer[1]);
        }
    }

    void groupedPrintShowsEveryGroupAndOnlyTheChosenSubType()
    {
        Fixture f;
        auto w = f.window();
        child<QRadioButton>(*w, "TrialOpt_0")->setChecked(true);
        // On the year's first day only the opening voucher counts: Sales and
        // Expenses have accounts, all of them at zero.
        child<QDateEdit>(*w, "BalDt_1")->setDate(QDate(2026, 7, 1));
        w->PrintBttn_Click();
        auto rows = allRows(preview(*w)->document());
        const QStringList captions{"Acc Code", "Account Name", "Opening Balance", "Debit", "Credit", "Closing Balance"};
        const auto at = [&](const QStringList& r) { return std::find(rows.begin(), rows.end(), r) - rows.begin(); };
        const auto sales = at({"501", "Sales", "0.00", "Debit"});
        QVERIFY(sales < std::ptrdiff_t(rows.size()));
        QCOMPARE(rows[std::size_t(sales + 1)], (QStringList{"50101", "Local Sales", "0.00", "Debit"}));
        QCOMPARE(rows[std::size_t(sales + 2)], captions);
        QCOMPARE(rows[std::size_t(sales + 3)], (QStringList{"751", "Expenses", "0.00", "Debit"}));   // no account lines
        preview(*w)->close();

        // One sub type: its main type's line carries that sub type's balance only.
        choose(*w, {Choice::SubType, testing_support::kReceivables});
        child<QDateEdit>(*w, "BalDt_1")->setDate(QDate(2027, 6, 30));
        w->PrintBttn_Click();
        rows = allRows(preview(*w)->document());
        const auto customer = ledgers::balanceOf(f.book->difference(acc::Customer, "", "2027-06-30"));
        const QString amount = printed(customer.amount), status = ledgers::statusText(customer.side);
        QCOMPARE(rows[3], (QStringList{"201", "Cash and Receivables", amount, status}));
        QCOMPARE(rows[4], (QStringList{"20102", "Receivables", amount, status}));
        QCOMPARE(rows[5], captions);
        QCOMPARE(rows[6].first(), QString::number(acc::Customer));
        QCOMPARE(rows.size(), std::size_t(9));   // then the footer and the page footer only
        preview(*w)->close();

        // Two columns: each sub type ends with the sums of its debit and credit cells.
        child<QRadioButton>(*w, "TrialOpt_1")->setChecked(true);
        choose(*w, {Choice::SubType, testing_support::kCashAndBank});
        w->PrintBttn_Click();
        rows = allRows(preview(*w)->document());
        Money dr, cr;
        for (const std::int64_t a : {acc::Cash, acc::Bank}) {
            const Money closing = f.book->difference(a, "", "2027-06-30");
            (closing > Money{} ? dr : cr) += closing.abs();
        }
        QCOMPARE(rows[5], (QStringList{"Acc Code", "Account Name", "Debit", "Credit"}));
        QCOMPARE(rows[8], (QStringList{printed(dr), printed(cr)}));
        QCOMPARE(rows[9], (QStringList{"Totals  Rs", printed(dr), printed(cr)}));
    }

    void anAccountClosingAtZeroIsPrintedWithItsMovement()
    {
        Fixture f;
        auto w = f.window();
        child<QRadioButton>(*w, "TrialOpt_0")->setChecked(true);
        child<QDateEdit>(*w, "BalDt_0")->setDate(QDate(2026, 8, 1));
        child<QDateEdit>(*w, "BalDt_1")->setDate(QDate(2026, 8, 10));
        w->PrintBttn_Click();
        const auto rows = allRows(preview(*w)->document());
        const auto cash = std::find_if(rows.begin(), rows.end(),
                                       [](const QStringList& r) { return r.first() == QString::number(acc::Cash); });
        QVERIFY(cash != rows.end());
        QCOMPARE(cash->mid(4), (QStringList{printed(f.book->debits(acc::Cash, "2026-08-01", "2026-08-10")),
                                            printed(f.book->credits(acc::Cash, "2026-08-01", "2026-08-10")), "0.00",
                                            "Debit"}));
        // The footer's sums run over the printed lines, Cash among them.
        QCOMPARE(rows[rows.size() - 2], expectedFooter(*f.book, {}, true, "2026-08-01", "2026-08-10"));
    }

    void aFailedPrintIsToldAndGivesTheButtonsBack()
    {
        Fixture f;
        auto w = f.window();
        f.t.db().exec("ALTER TABLE AccLevel2 RENAME TO SubTypes");
        w->PrintBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(!preview(*w));
        QVERIFY(!w->PrintBalances.isOpen());
        for (const char* b : {"ViewBttn", "PrintBttn"})
            QVERIFY2(child<QPushButton>(*w, b)->isEnabled(), b);
    }
};

WINDOW_TEST_MAIN(AccBalancesTest)
#include "acc_balances_test.moc"
