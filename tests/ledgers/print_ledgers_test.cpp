// The multi-ledger print window on the hand-made book: the refresh at load,
// the options, the checks, and the report over the selection.
#include "ledgers/print_ledgers.h"

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ledgers/acc_ledgers.h"
#include "ledgers/balance.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "tests/ledgers/signed_in_book.h"
#include "tests/support/page_rows.h"
#include "tests/support/window_test_main.h"

using platform::Money;
using testing_support::child;
using testing_support::text;
namespace acc = testing_support::acc;
namespace lookalike = testing_support::lookalike;

namespace {

struct Fixture : testing_support::SignedInBook {
    std::unique_ptr<ledgers::PrintLedgers> window(bool refreshed = true)
    {
        auto w = std::make_unique<ledgers::PrintLedgers>(*main);
        if (refreshed)
            w->Timer1_Timer();
        return w;
    }
};

void chooseMainType(QWidget& w, const char* type, const char* subType = nullptr)
{
    child<QRadioButton>(w, "LedgerOpt_1")->setChecked(true);
    child<QComboBox>(w, "MainList")->setCurrentText(QString::fromLatin1(type));
    if (subType) {
        child<QCheckBox>(w, "SubTypeOpt")->setChecked(true);
        child<QComboBox>(w, "SubList")->setCurrentText(QString::fromLatin1(subType));
    }
}

QString mainTypeText(platform::Database& db, std::int64_t typeId)
{
    return QString::fromStdString(db.scalar("SELECT l.Type || ' (' || n.AccNatureTop || ')' FROM AccLevel1 l"
                                            " JOIN FSNature n ON n.NatureID = l.NatureID WHERE l.TypeID = ?",
                                            {typeId}).toText());
}

// Every row of every page of the preview left open over `w`.
std::vector<QStringList> printedRows(QWidget& w, std::size_t* pages = nullptr)
{
    std::vector<QStringList> rows;
    auto* shown = testing_support::previewOver(w);
    if (!shown)
        return rows;
    const auto& doc = shown->document();
    if (pages)
        *pages = doc.pages.size();
    for (const auto& page : doc.pages)
        for (const auto& row : testing_support::rowsOf(page))
            rows.push_back(row);
    return rows;
}

// The index of the first printed row that starts with `first`, or -1.
int rowStarting(const std::vector<QStringList>& rows, const QString& first, int from = 0)
{
    for (int i = from; i < static_cast<int>(rows.size()); ++i)
        if (!rows[std::size_t(i)].isEmpty() && rows[std::size_t(i)].front() == first)
            return i;
    return -1;
}

QString amount(Money m, const char* pattern = "0.00;(0.00)")
{
    return platform::formatMoneyQ(m, pattern);
}

} // namespace

class PrintLedgersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }
    void init() { shell::setToday(QDate(2026, 12, 10)); }
    void cleanup() { app::clearWindows(); }

    void loadsBehindTheWaitLabelsAndOffersThePrintOnceTheRefreshHasEnded()
    {
        Fixture f;
        f.t.db().exec("UPDATE SubTransactions SET Balance = NULL, Status = NULL");
        auto w = f.window(false);
        QCOMPARE(w->windowTitle(), QStringLiteral("Print Accounts Ledgers"));
        QVERIFY(!child<QLabel>(*w, "WaitLbl")->isHidden());
        QVERIFY(!child<QLabel>(*w, "WaitLbl2")->isHidden());
        QVERIFY(child<QFrame>(*w, "LFrame")->isHidden());
        QVERIFY(!child<QPushButton>(*w, "PrintBttn")->isEnabled());
        QVERIFY(child<QRadioButton>(*w, "LedgerOpt_0")->isChecked());
        QCOMPARE(child<QDateEdit>(*w, "LedgerDt_0")->date(), QDate(2026, 12, 10));
        QVERIFY(!child<QDateEdit>(*w, "LedgerDt_0")->isEnabled());

        QTRY_VERIFY(child<QPushButton>(*w, "PrintBttn")->isEnabled());   // the first tick of Timer1
        QVERIFY(child<QLabel>(*w, "WaitLbl")->isHidden());
        QVERIFY(!child<QFrame>(*w, "LFrame")->isHidden());
        QVERIFY(f.t.db().scalar("SELECT COUNT(*) FROM SubTransactions WHERE Balance IS NOT NULL").toInt() > 0);
        QVERIFY(f.messages.boxes().empty());
    }

    void aFailedRefreshIsToldAndPrintingStillWorks()
    {
        Fixture f;
        f.t.db().exec("UPDATE SubTransactions SET Balance = NULL, Status = NULL");
        f.t.db().exec("CREATE TRIGGER RefuseAll BEFORE UPDATE OF Balance ON SubTransactions"
                      " BEGIN SELECT RAISE(ABORT, 'refused'); END");
        auto w = f.window();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(child<QPushButton>(*w, "PrintBttn")->isEnabled());
        w->PrintBttn_Click();
        const auto rows = printedRows(*w);
        const int cash = rowStarting(rows, QString::number(acc::Cash));
        QVERIFY(cash >= 0);
        const auto b = ledgers::balanceOf(f.book.difference(acc::Cash, "", ""));
        const int totals = rowStarting(rows, QStringLiteral("Totals  Rs"), cash);
        QVERIFY(totals > cash);
        QCOMPARE(rows[std::size_t(totals)].mid(3), (QStringList{amount(b.amount), ledgers::statusText(b.side)}));
    }

    void theOptionsEnableWhatTheyNeed()
    {
        Fixture f;
        auto w = f.window();
        chooseMainType(*w, mainTypeText(f.t.db(), testing_support::kAssets).toLatin1().constData());
        QVERIFY(child<QComboBox>(*w, "MainList")->isEnabled());
        QVERIFY(child<QCheckBox>(*w, "SubTypeOpt")->isEnabled());
        QVERIFY(!child<QComboBox>(*w, "SubList")->isEnabled());
        QCOMPARE(child<QComboBox>(*w, "SubList")->count(), 2);   // the sub types of the main type
        child<QCheckBox>(*w, "SubTypeOpt")->setChecked(true);
        QVERIFY(child<QComboBox>(*w, "SubList")->isEnabled());
        QVERIFY(!child<QLineEdit>(*w, "CodeFrom")->isEnabled());

        child<QRadioButton>(*w, "LedgerOpt_2")->setChecked(true);
        QVERIFY(child<QComboBox>(*w, "MainList")->currentText().isEmpty());
        QVERIFY(!child<QComboBox>(*w, "MainList")->isEnabled());
        QVERIFY(!child<QCheckBox>(*w, "SubTypeOpt")->isChecked());
        QVERIFY(!child<QComboBox>(*w, "SubList")->isEnabled());
        for (const char* box : {"CodeFrom", "AccFrom", "CodeTo", "AccTo"})
            QVERIFY2(child<QLineEdit>(*w, box)->isEnabled(), box);

        child<QCheckBox>(*w, "PeriodOpt")->setChecked(true);
        QVERIFY(child<QDateEdit>(*w, "LedgerDt_0")->isEnabled());
        QVERIFY(child<QDateEdit>(*w, "LedgerDt_1")->isEnabled());
    }

    void printRefusesASelectionItCannotPrint_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("subType");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("otherCase");   // an entry's text with its letters in upper case
        QTest::newRow("no main type") << 1 << false << "Select Account Type"
                                      << "Select correct main account type to print ledgers." << "" << false;
        QTest::newRow("main type in other letters") << 1 << false << "Select Account Type"
                                                    << "Select correct main account type to print ledgers." << ""
                                                    << true;
        QTest::newRow("no sub type") << 1 << true << "Select Account Type"
                                     << "Select correct sub account type to print ledgers." << "" << false;
        QTest::newRow("sub type in other letters") << 1 << true << "Select Account Type"
                                                   << "Select correct sub account type to print ledgers." << ""
                                                   << true;
        QTest::newRow("no range start") << 2 << false << "Select Account Code" << "Select account code to start from."
                                        << "CodeFrom" << false;
        QTest::newRow("no range end") << 3 << false << "Select Account Code" << "Select account code to end at."
                                      << "CodeTo" << false;
    }
    void printRefusesASelectionItCannotPrint()
    {
        QFETCH(int, option);
        QFETCH(bool, subType);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(bool, otherCase);
        Fixture f;
        auto w = f.window();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        child<QRadioButton>(*w, option == 1 ? "LedgerOpt_1" : "LedgerOpt_2")->setChecked(true);
        if (option == 3)   // the range with only its start chosen
            child<QLineEdit>(*w, "CodeFrom")->setText(QString::number(acc::Cash));
        const QString mainType = mainTypeText(f.t.db(), testing_support::kAssets);
        auto* subList = child<QComboBox>(*w, "SubList");
        if (subType) {
            // A main type that matches, but a sub type that does not.
            child<QComboBox>(*w, "MainList")->setCurrentText(mainType);
            child<QCheckBox>(*w, "SubTypeOpt")->setChecked(true);
            QVERIFY(subList->count() > 0);
            subList->setCurrentText(otherCase ? subList->itemText(0).toUpper() : QStringLiteral("Nothing Like It"));
            QVERIFY(subList->currentText() != subList->itemText(0));
        } else if (option == 1) {
            child<QComboBox>(*w, "MainList")->setCurrentText(otherCase ? mainType.toUpper() : QStringLiteral("Cash"));
            QVERIFY(child<QComboBox>(*w, "MainList")->currentText() != mainType);
            QCOMPARE(subList->count(), 0);   // no main type chosen: no sub types offered
        }
        child<QPushButton>(*w, "PrintBttn")->click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, title);
        QCOMPARE(f.messages.last().text, message);
        if (!focus.isEmpty())
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!testing_support::previewOver(*w));
    }

    void printsOneLedgerPerAccountOfAMainTypeWithTotalsAndClosing()
    {
        Fixture f;
        auto w = f.window();
        // A line written through another connection after the window opened.
        f.t.db().execScript(
            "INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted) VALUES (60, '2027-02-02', 41, 1, 0, 1);"
            "INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit)"
            " VALUES (last_insert_rowid(), 20101002, 'late line', 333, NULL);"
            "INSERT INTO SubTransactions (TranNo, AccCode, Debit, Credit) SELECT MAX(TranNo), 50101001, NULL, 333"
            " FROM Transactions;");
        chooseMainType(*w, mainTypeText(f.t.db(), testing_support::kAssets).toLatin1().constData());
        w->PrintBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        auto* shown = testing_support::previewOver(*w);
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Account Ledgers"));
        const auto rows = printedRows(*w);
        QCOMPARE(rows[0], QStringList{"Tamsel Traders"});

        int at = 0;
        for (const std::int64_t code : {acc::Cash, acc::Bank, acc::Customer}) {
            at = rowStarting(rows, QString::number(code), at);
            QVERIFY(at > 0);
            QCOMPARE(rows[std::size_t(at + 1)], QStringList{"Ledger For The Period Ended On  December 10, 2026"});
            QCOMPARE(rows[std::size_t(at + 2)],
                     (QStringList{"Date", "Tran. No.", "Description", "Debit Rs", "Credit Rs", "Balance Rs"}));
            // Without a period: no brought-forward line; the lines follow.
            const int totals = rowStarting(rows, QStringLiteral("Totals  Rs"), at);
            const Money dr = f.book.debits(code, "", "") + Money::fromCents(code == acc::Bank ? 333 : 0);
            const Money cr = f.book.credits(code, "", "");
            const auto cl = ledgers::balanceOf(dr - cr);
            QCOMPARE(rows[std::size_t(totals)],
                     (QStringList{"Totals  Rs", amount(dr), amount(cr), amount(cl.amount), ledgers::statusText(cl.side)}));
            const int lines = totals - at - 3;
            QCOMPARE(lines, int(f.book.listedLines(code, "", "").size()) + (code == acc::Bank ? 1 : 0));
            at = totals;
        }
        QCOMPARE(rowStarting(rows, QString::number(acc::Sales)), -1);
        QVERIFY(rowStarting(rows, QStringLiteral("02-02-27")) > 0);   // the late line
        // The report closes its rows when it ends.
        shown->close();
        QVERIFY(!w->MultiLedgersQry());
    }

    // Typed text is taken as typed when the focus leaves the list: an entry
    // whose text is exactly that (letter case included) is printed, anything
    // else is refused, and no entry that merely resembles it is put in its place.
    void aTypedTypeIsTheEntryOfExactlyThatTextOrRefused_data()
    {
        QTest::addColumn<bool>("subType");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("printed");   // the account printed; 0: refused
        QTest::newRow("sub type in its own letters") << true << "petty" << qint64(lookalike::kSmallPettyAccount);
        QTest::newRow("sub type's start") << true << "Pet" << qint64(0);
        QTest::newRow("sub type in capitals") << true << "PETTY" << qint64(0);
        QTest::newRow("main type in its own letters") << false << "cash and Receivables (Current Assets)"
                                                      << qint64(lookalike::kSmallMainTypeAccount);
        QTest::newRow("main type's start") << false << "Cash and" << qint64(0);
        QTest::newRow("main type in capitals") << false << "CASH AND RECEIVABLES (CURRENT ASSETS)" << qint64(0);
    }
    void aTypedTypeIsTheEntryOfExactlyThatTextOrRefused()
    {
        QFETCH(bool, subType);
        QFETCH(QString, typed);
        QFETCH(qint64, printed);
        Fixture f;
        testing_support::addLookAlikeTypes(f.t.db());
        auto w = f.window();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        child<QRadioButton>(*w, "LedgerOpt_1")->setChecked(true);
        auto* mainList = child<QComboBox>(*w, "MainList");
        if (subType) {
            mainList->setCurrentIndex(mainList->findText(mainTypeText(f.t.db(), testing_support::kAssets)));
            child<QCheckBox>(*w, "SubTypeOpt")->setChecked(true);
        }
        auto* list = subType ? child<QComboBox>(*w, "SubList") : mainList;
        QCOMPARE(testing_support::typeAndLeave(list, typed, child<QPushButton>(*w, "PrintBttn")), typed);
        w->PrintBttn_Click();
        if (!printed) {
            QCOMPARE(f.messages.boxes().size(), std::size_t(1));
            QCOMPARE(f.messages.last().title, QStringLiteral("Select Account Type"));
            QCOMPARE(f.messages.last().text, subType ? QStringLiteral("Select correct sub account type to print ledgers.")
                                                     : QStringLiteral("Select correct main account type to print ledgers."));
            QVERIFY(!testing_support::previewOver(*w));
            return;
        }
        QVERIFY(f.messages.boxes().empty());
        const auto rows = printedRows(*w);
        QVERIFY(rowStarting(rows, QString::number(printed)) >= 0);
        for (const std::int64_t other : acc::all)
            QCOMPARE(rowStarting(rows, QString::number(other)), -1);
    }

    void aSubTypePickedAmongTwoOfOneNamePrintsItsOwnAccounts()
    {
        Fixture f;
        const auto name = f.t.db().scalar("SELECT L2AccName FROM AccLevel2 WHERE Level2ID = ?",
                                          {testing_support::kCashAndBank});
        f.t.db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (20199, ?, ?)",
                      {name, testing_support::kAssets});
        f.t.db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (20199001, 'Twin Cash', ?, 20199)",
                      {testing_support::kAssets});
        auto w = f.window();
        chooseMainType(*w, mainTypeText(f.t.db(), testing_support::kAssets).toLatin1().constData());
        child<QCheckBox>(*w, "SubTypeOpt")->setChecked(true);
        auto* subList = child<QComboBox>(*w, "SubList");
        const int twin = subList->findData(QVariant::fromValue<qint64>(20199));
        QVERIFY(twin >= 0);
        QVERIFY(subList->findText(subList->itemText(twin)) != twin);   // the other one comes first by its name
        subList->setCurrentIndex(twin);
        w->PrintBttn_Click();
        QVERIFY(f.messages.boxes().empty());
        const auto rows = printedRows(*w);
        QVERIFY(rowStarting(rows, QStringLiteral("20199001")) > 0);
        QCOMPARE(rowStarting(rows, QString::number(acc::Cash)), -1);
    }

    void aPeriodPrintsTheBroughtForwardLineAndEveryLedgerCanStartANewPage()
    {
        Fixture f;
        auto w = f.window();
        chooseMainType(*w, mainTypeText(f.t.db(), testing_support::kExpenses).toLatin1().constData());
        child<QCheckBox>(*w, "PeriodOpt")->setChecked(true);
        child<QDateEdit>(*w, "LedgerDt_0")->setDate(QDate(2026, 9, 2));
        child<QDateEdit>(*w, "LedgerDt_1")->setDate(QDate(2027, 6, 30));
        w->PrintBttn_Click();
        std::size_t together = 0;
        auto rows = printedRows(*w, &together);
        const int rent = rowStarting(rows, QString::number(acc::Rent));
        QVERIFY(rent >= 0);
        QCOMPARE(rows[std::size_t(rent + 1)],
                 QStringList{"Ledger For The Period From  September 02, 2026  To  June 30, 2027"});
        const auto bf = ledgers::balanceOf(f.book.difference(acc::Rent, "", "2026-09-01"));
        QCOMPARE(rows[std::size_t(rent + 3)], (QStringList{"Balance Brought Forward ...",
                                                           amount(bf.amount, "#,##0.00;(#,##0.00)"),
                                                           ledgers::statusText(bf.side)}));
        // The account without lines: its brought-forward, no lines, and a closing of zero.
        const int idle = rowStarting(rows, QString::number(acc::Idle));
        QVERIFY(idle > rent);
        QCOMPARE(rows[std::size_t(idle + 4)], (QStringList{"Totals  Rs", "0.00", "0.00", "0.00", "Debit"}));
        QCOMPARE(together, std::size_t(1));
        testing_support::previewOver(*w)->close();

        child<QCheckBox>(*w, "NewPageOpt")->setChecked(true);
        w->PrintBttn_Click();
        std::size_t apart = 0;
        rows = printedRows(*w, &apart);
        QCOMPARE(apart, std::size_t(2));   // one page per account
        const auto& doc = testing_support::previewOver(*w)->document();
        QCOMPARE(testing_support::rowsOf(doc.pages[1])[1].front(), QString::number(acc::Idle));
    }

    void theLedgerWindowOpensItFromMultipleLedgers()
    {
        Fixture f;
        app::registerWindow(QStringLiteral("PrintLedgers"),
                            [](app::Parent& m) { return new ledgers::PrintLedgers(m); });
        ledgers::AccLedgers ledger(*f.main);
        child<QPushButton>(ledger, "MultiBttn")->click();
        QVERIFY(f.main->findChild<ledgers::PrintLedgers*>());
    }
};

WINDOW_TEST_MAIN(PrintLedgersTest)
#include "print_ledgers_test.moc"
