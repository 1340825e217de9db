// "Accounts Opening Balances": the lines and blank lines it opens with, the
// save (one voucher, descriptions, lines without a code dropped), Ctrl+S,
// cancel, the search with "Find Next", a year cleared behind its back, a
// failed save, and the print.
#include "accounts/opening_balances.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/voucher_line_grid.h"
#include "ledgers/open_voucher.h"
#include "main/parent.h"
#include "main/window_catalog.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/window_host.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using accounts::OpeningBalancesAcc;
using testing_support::MessageRecorder;
using testing_support::openPreview;
using testing_support::TestDatabase;
namespace column = accounts::column;

namespace {

constexpr std::int64_t kCash = 20001001;
constexpr std::int64_t kBank = 20001002;
constexpr std::int64_t kPetty = 20001003;

// Three accounts, the signed-in main window with its account list, stored
// opening lines as given by `debitCredit` ("code:debit:credit" in cents, empty
// for null), and the window, shown and active.
struct Fixture {
    TestDatabase t;
    std::unique_ptr<app::Parent> main;
    std::unique_ptr<OpeningBalancesAcc> w;
    MessageRecorder messages;

    explicit Fixture(const QStringList& stored = {})
    {
        auto& db = t.db();
        db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (200, 'Current Assets', 20)");
        db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID) VALUES (?, 'Cash in Hand', 200),"
                " (?, 'Bank Account', 200), (?, 'Petty Cash', 200)",
                {kCash, kBank, kPetty});
        const auto tranNo = *app::openingVoucherOf(db, 1);
        for (const QString& s : stored) {
            const QStringList f = s.split(':');
            const auto amount = [](const QString& x) { return x.isEmpty() ? platform::Value() : platform::Value(std::int64_t{x.toLongLong()}); };
            db.exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit)"
                    " SELECT ?, AccCode, AccName, 'Balance Brought Forward', ?, ? FROM AccLevel3 WHERE AccCode = ?",
                    {tranNo, amount(f[1]), amount(f[2]), std::int64_t{f[0].toLongLong()}});
        }
        main = std::make_unique<app::Parent>(t.path());
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->PelkUser = 1;
        main->FYID = 1;
        main->MDIForm_Load();
        main->AccTimer_Timer();   // the account list now, not after the timer's second
        w = std::make_unique<OpeningBalancesAcc>(*main);
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
    }

    forms::DataGrid* grid() { return w->findChild<forms::DataGrid*>(QStringLiteral("Grid")); }
    const std::vector<accounts::SubTranRow>& lines() { return w->lineGrid()->lines(); }
    QString text(const char* name) { return w->findChild<QLineEdit*>(QString::fromLatin1(name))->text(); }
    QPushButton* button(const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QTimer* printTimer() { return w->findChild<QTimer*>(QStringLiteral("PrintTimer")); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Opens the cell with F2, replaces its text and presses Enter.
    void enter(int row, int col, const QString& value)
    {
        grid()->setCurrentCell(row, col);
        grid()->setFocus();
        press(Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY2(editor, "the cell did not open");
        editor->setText(value);
        press(Qt::Key_Return);
    }
    std::int64_t accounts() { return t.db().scalar("SELECT COUNT(*) FROM AccLevel3").toInt(); }
    // The stored lines of the year's voucher, "code:debit:credit:desc" by serial.
    QStringList storedLines()
    {
        QStringList out;
        platform::Statement st(t.db(), "SELECT s.AccCode, s.Debit, s.Credit, s.\"Desc\" FROM SubTransactions s"
                                       " JOIN Transactions t ON t.TranNo = s.TranNo"
                                       " WHERE t.FYID = 1 AND t.TranType = 11 ORDER BY Serial");
        while (st.step())
            out << QStringLiteral("%1:%2:%3:%4")
                       .arg(QString::fromStdString(st.column(0).toText()), QString::fromStdString(st.column(1).toText()),
                            QString::fromStdString(st.column(2).toText()), QString::fromStdString(st.column(3).toText()));
        return out;
    }
};

} // namespace

class OpeningBalancesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        shell::setNow(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0)));
        shell::setToday(QDate(2026, 12, 10));
        forms::WindowHost::setModalNonBlocking(true);
    }

    void cleanup() { testing_support::closePreviews(); }

    void opensAnEmptyYearWithAccountsPlus500BlankLines()
    {
        Fixture f;
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Accounts Opening Balances"));
        QCOMPARE(f.text("TranNo"), QString::number(*app::openingVoucherOf(f.t.db(), 1)));
        QCOMPARE(f.lines().size(), std::size_t(3 + 500));
        QVERIFY(std::none_of(f.lines().begin(), f.lines().end(), [](const auto& l) { return l.accCode.has_value(); }));
        QCOMPARE(f.text("DTot"), QStringLiteral("0.00"));
        QCOMPARE(f.text("CTot"), QStringLiteral("0.00"));
        for (const char* name : {"ExcelBttn", "ImportBal"})
            QVERIFY2(f.button(name)->isEnabled(), name);
        QVERIFY(f.button("SaveBttn")->isEnabled());
        QVERIFY(f.button("PrintBill")->isEnabled());
        // Saving blank lines writes nothing.
        f.button("SaveBttn")->click();
        QVERIFY(f.storedLines().isEmpty());
        QVERIFY(f.messages.boxes().empty());
    }

    void opensStoredLinesFirstWithTheirTotals()
    {
        Fixture f({QStringLiteral("%1:15000:").arg(kCash), QStringLiteral("%1::10000").arg(kBank)});
        QCOMPARE(f.lines().size(), std::size_t(3 + 500));
        QCOMPARE(f.lines()[0].accCode, kCash);
        QCOMPARE(f.lines()[1].accCode, kBank);
        QVERIFY(!f.lines()[2].accCode);
        QCOMPARE(f.text("DTot"), QStringLiteral("150.00"));
        QCOMPARE(f.text("CTot"), QStringLiteral("100.00"));
        QCOMPARE(f.w->findChild<QLabel*>("DiffLbl")->text(),
                 QStringLiteral("There is a difference of Rs. 50.00 in totals."));
    }

    void savesTypedLinesUnderTheYearsOneVoucher()
    {
        Fixture f({QStringLiteral("%1:500:").arg(kPetty)});
        const auto tranNo = f.w->tranNo();
        f.enter(0, column::Debit, QStringLiteral("7.25"));         // a stored line changed
        f.enter(1, column::Code, QString::number(kCash));
        f.enter(1, column::Desc, QStringLiteral("typed note"));
        f.enter(1, column::Debit, QStringLiteral("1200.50"));
        f.enter(3, column::Code, QString::number(kBank));          // a blank line between stays out
        f.enter(3, column::Credit, QStringLiteral("0"));
        f.enter(4, column::Code, QString::number(kPetty));         // an account without amounts is kept
        QCOMPARE(f.lines()[1].accName, QStringLiteral("Cash in Hand"));

        f.button("SaveBttn")->click();

        QVERIFY(f.messages.boxes().empty());
        const QString bf = QStringLiteral("Balance Brought Forward");
        QCOMPARE(f.storedLines(), (QStringList{QStringLiteral("%1:725::%2").arg(kPetty).arg(bf),
                                               QStringLiteral("%1:120050::%2").arg(kCash).arg(bf),
                                               QStringLiteral("%1::0:%2").arg(kBank).arg(bf),
                                               QStringLiteral("%1:::%2").arg(kPetty).arg(bf)}));
        QCOMPARE(f.t.db().scalar("SELECT COUNT(*) FROM Transactions WHERE FYID = 1").toInt(), 1);
        QCOMPARE(f.w->tranNo(), tranNo);
        // The grid now shows the lines as stored, the typed description replaced, with fresh blank lines.
        QCOMPARE(f.lines().size(), std::size_t(3 + 500));
        QCOMPARE(f.lines()[1].desc, bf);
        QVERIFY(f.lines()[3].serial > 0);
        QCOMPARE(f.text("DTot"), QStringLiteral("1207.75"));
        QCOMPARE(f.text("CTot"), QStringLiteral("0.00"));
        QVERIFY(f.button("SaveBttn")->isEnabled());

        // A second save of the same lines changes nothing.
        const auto serials = f.t.db().scalar("SELECT group_concat(Serial) FROM SubTransactions").toText();
        f.button("SaveBttn")->click();
        QCOMPARE(f.t.db().scalar("SELECT group_concat(Serial) FROM SubTransactions").toText(), serials);
    }

    void deletedLinesAreDeletedAtTheSave()
    {
        Fixture f({QStringLiteral("%1:100:").arg(kCash), QStringLiteral("%1:200:").arg(kBank)});
        f.grid()->setFocus();
        f.grid()->setCurrentCell(0, column::Code);
        f.grid()->selectRow(0);
        f.press(Qt::Key_Delete);
        QCOMPARE(f.text("DTot"), QStringLiteral("2.00"));
        f.button("SaveBttn")->click();
        QCOMPARE(f.storedLines(), QStringList{QStringLiteral("%1:200::Balance Brought Forward").arg(kBank)});
    }

    void ctrlSSavesWhereverTheFocusIs_data()
    {
        QTest::addColumn<bool>("inGrid");
        QTest::newRow("grid") << true;
        QTest::newRow("search box") << false;
    }
    void ctrlSSavesWhereverTheFocusIs()
    {
        QFETCH(bool, inGrid);
        Fixture f;
        f.enter(0, column::Code, QString::number(kCash));
        f.enter(0, column::Debit, QStringLiteral("3"));
        if (inGrid)
            f.grid()->setFocus();
        else
            f.w->findChild<QLineEdit*>("SearchBox")->setFocus();
        f.press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.storedLines(), QStringList{QStringLiteral("%1:300::Balance Brought Forward").arg(kCash)});
    }

    void cancelDropsUnsavedEdits()
    {
        Fixture f({QStringLiteral("%1:100:").arg(kCash)});
        f.enter(0, column::Debit, QStringLiteral("9"));
        f.enter(1, column::Code, QString::number(kBank));
        f.button("CancelBttn")->click();
        QCOMPARE(f.lines()[0].debit, platform::Money::fromCents(100));
        QVERIFY(!f.lines()[1].accCode);
        QCOMPARE(f.lines().size(), std::size_t(3 + 500));
        QCOMPARE(f.text("DTot"), QStringLiteral("1.00"));
        QCOMPARE(f.storedLines(), QStringList{QStringLiteral("%1:100::Balance Brought Forward").arg(kCash)});
    }

    void searchFindsNamesAndFindNextWraps()
    {
        Fixture f({QStringLiteral("%1:100:").arg(kCash), QStringLiteral("%1:200:").arg(kBank),
                   QStringLiteral("%1:300:").arg(kPetty)});
        auto* search = f.w->findChild<QLineEdit*>("SearchBox");
        search->setFocus();
        QTest::keyClicks(search, QStringLiteral("CASH"));
        QCOMPARE(f.grid()->currentRow(), 0);
        const int afterEach[] = {2, -1, 0, 2, -1};   // past the last, then again from the top
        for (const int expected : afterEach) {
            f.button("FindBttn")->click();
            QCOMPARE(f.grid()->currentRow(), expected);
        }
        QVERIFY(f.grid()->hasFocus());

        search->clear();
        QTest::keyClicks(search, QStringLiteral("ban"));
        QCOMPARE(f.grid()->currentRow(), 1);
        QTest::keyClicks(search, QStringLiteral("zz"));
        QCOMPARE(f.grid()->currentRow(), -1);
    }

    void emptyingTheSearchBoxKeepsUnsavedEdits()
    {
        Fixture f({QStringLiteral("%1:100:").arg(kCash)});
        f.enter(0, column::Debit, QStringLiteral("4"));
        f.enter(1, column::Code, QString::number(kBank));
        auto* search = f.w->findChild<QLineEdit*>("SearchBox");
        search->setFocus();
        QTest::keyClicks(search, QStringLiteral("b"));
        QTest::keyClick(search, Qt::Key_Backspace);
        QVERIFY(search->text().isEmpty());
        QCOMPARE(f.lines()[0].debit, platform::Money::fromCents(400));
        QCOMPARE(f.lines()[1].accCode, kBank);
        QCOMPARE(f.lines().size(), std::size_t(3 + 500));
        QCOMPARE(f.text("DTot"), QStringLiteral("4.00"));
        QVERIFY(f.messages.boxes().empty());
    }

    void aYearClearedBehindTheWindowIsReadAgainNotWrittenTo()
    {
        Fixture f({QStringLiteral("%1:100:").arg(kCash)});
        const auto old = f.w->tranNo();
        f.enter(1, column::Code, QString::number(kBank));
        {
            platform::Transaction tx(f.t.db());
            app::clearYear(tx, 1, {1, shell::now()});
            tx.commit();
        }
        f.button("SaveBttn")->click();

        QCOMPARE(f.messages.last().title, QStringLiteral("Cannot Save"));
        QVERIFY(f.storedLines().isEmpty());
        QCOMPARE(f.t.db().scalar("SELECT COUNT(*) FROM SubTransactions").toInt(), 0);
        QVERIFY(f.w->tranNo() != old);
        QCOMPARE(f.w->tranNo(), *app::openingVoucherOf(f.t.db(), 1));
        QVERIFY(!f.lines()[0].accCode);
        QCOMPARE(f.text("DTot"), QStringLiteral("0.00"));

        // From now on the window saves under the new voucher.
        f.enter(0, column::Code, QString::number(kPetty));
        f.button("SaveBttn")->click();
        QCOMPARE(f.t.db().scalar("SELECT TranNo FROM SubTransactions").toInt(), f.w->tranNo());
    }

    void aFailedSaveIsReportedAndKeepsTheEdits()
    {
        Fixture f({QStringLiteral("%1:100:").arg(kCash)});
        f.enter(1, column::Code, QString::number(kBank));
        f.enter(2, column::Code, QString::number(kPetty));
        f.t.db().execScript("CREATE TRIGGER NoPetty BEFORE INSERT ON SubTransactions WHEN NEW.AccCode = 20001003"
                            " BEGIN SELECT RAISE(ABORT, 'no petty cash'); END;");
        f.button("SaveBttn")->click();

        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QCOMPARE(f.storedLines(), QStringList{QStringLiteral("%1:100::Balance Brought Forward").arg(kCash)});
        QCOMPARE(f.lines()[1].accCode, kBank);
        QCOMPARE(f.lines()[2].accCode, kPetty);
        QVERIFY(f.button("SaveBttn")->isEnabled());
        QVERIFY(f.button("CancelBttn")->isEnabled());
    }

    void printSavesFirstThenPrintsASecondLater()
    {
        Fixture f({QStringLiteral("%1:25000:").arg(kCash)});
        f.t.db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (20001, 'Cash and Bank', 200)");
        f.t.db().exec("UPDATE AccLevel3 SET Level2ID = 20001");
        f.main->BizName = QStringLiteral("Tamsel Traders");
        f.main->UName = QStringLiteral("Ali");
        f.main->CurrencySymbol = QStringLiteral("$");
        f.main->FYStart = QDate(2026, 7, 1);
        f.enter(1, column::Code, QString::number(kBank));
        f.enter(1, column::Credit, QStringLiteral("100"));

        f.button("PrintBill")->click();
        QCOMPARE(f.storedLines(), (QStringList{QStringLiteral("%1:25000::Balance Brought Forward").arg(kCash),
                                               QStringLiteral("%1::10000:Balance Brought Forward").arg(kBank)}));
        QVERIFY(f.printTimer()->isActive());
        QCOMPARE(f.printTimer()->interval(), 1000);
        QVERIFY(!openPreview());

        QTRY_VERIFY(openPreview());
        QVERIFY(!f.printTimer()->isActive());   // one shot
        report::PreviewWindow* preview = openPreview();
        QCOMPARE(preview->windowTitle(), QStringLiteral("Accounts Opening Balances"));
        const QStringList texts = testing_support::pageTexts(preview->document(), 0);
        const QStringList heads{"Acc Code", "Account Name", "Debit $", "Credit $"};
        const QStringList expected =
            QStringList{"Tamsel Traders", "Accounts Opening Balances", "As On Jul 01, 2026"}
            + QStringList{"200", "Current Assets", "150.00", "Debit", "20001", "Cash and Bank", "150.00", "Debit"}
            + heads + QStringList{"20001001", "Cash in Hand", "250.00", "20001002", "Bank Account", "100.00"};
        QCOMPARE(texts.mid(0, expected.size()), expected);
        QVERIFY(texts.contains(QStringLiteral("Printed By: Ali")));
        QVERIFY(f.w->AOB.isOpen());
        preview->close();
        QVERIFY(!f.w->AOB.isOpen());
        QVERIFY(f.messages.boxes().empty());
    }

    void aPrintWhoseDataCannotBeReadIsToldAndTheWindowStaysUsable()
    {
        Fixture f({QStringLiteral("%1:25000:").arg(kCash)});
        f.w->PrintTimer_Timer();   // a tick while the timer is stopped does nothing
        QVERIFY(!openPreview());

        f.t.db().execScript("ALTER TABLE AccLevel1 RENAME TO Gone;");
        f.button("PrintBill")->click();
        QVERIFY(f.printTimer()->isActive());
        f.w->PrintTimer_Timer();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(!f.printTimer()->isActive());
        QVERIFY(!openPreview());
        QVERIFY(!f.w->AOB.isOpen());
        for (const char* name : {"SaveBttn", "CancelBttn", "PrintBill", "CA"})
            QVERIFY2(f.w->findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled(), name);

        f.t.db().execScript("ALTER TABLE Gone RENAME TO AccLevel1;");
        f.button("PrintBill")->click();
        f.w->PrintTimer_Timer();
        QVERIFY(openPreview());
    }

    void aLineWhoseAccountWasDeletedIsNamedAndNothingIsWritten_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Save") << "SaveBttn";
        QTest::newRow("Print") << "PrintBill";
        QTest::newRow("Excel") << "ExcelBttn";
        QTest::newRow("Ctrl+S") << "";
    }
    void aLineWhoseAccountWasDeletedIsNamedAndNothingIsWritten()
    {
        QFETCH(QString, action);
        Fixture f({QStringLiteral("%1:100:").arg(kCash)});
        f.enter(1, column::Code, QString::number(kBank));
        f.enter(2, column::Code, QString::number(kPetty));
        f.enter(2, column::Debit, QStringLiteral("5"));
        f.t.db().exec("DELETE FROM AccLevel3 WHERE AccCode = ?", {kPetty});   // gone behind the window
        f.grid()->setCurrentCell(0, column::Code);
        if (action.isEmpty())
            f.press(Qt::Key_S, Qt::ControlModifier);
        else
            f.button(action.toLatin1().constData())->click();

        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Select Account"));
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Line 3 has the account %1 Petty Cash, which is no longer in the chart.").arg(kPetty));
        QVERIFY(f.messages.last().informationIcon);
        QCOMPARE(f.storedLines(), QStringList{QStringLiteral("%1:100::Balance Brought Forward").arg(kCash)});
        QCOMPARE(f.grid()->currentRow(), 2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.grid()));
        QCOMPARE(f.lines()[1].accCode, kBank);
        QCOMPARE(f.lines()[2].accCode, kPetty);
        QVERIFY(!f.printTimer()->isActive());
        QVERIFY(!f.w->findChild<QTimer*>(QStringLiteral("ExportTimer"))->isActive());
        for (const char* name : {"SaveBttn", "CancelBttn", "PrintBill", "ExcelBttn", "CA"})
            QVERIFY2(f.button(name)->isEnabled(), name);

        // Another account on the line, and the save goes through.
        f.enter(2, column::Code, QString::number(kBank));
        f.button("SaveBttn")->click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.storedLines().size(), 3);
    }

    void aYearWithoutVoucherGetsOne()
    {
        Fixture f;
        f.w.reset();
        f.t.db().exec("DELETE FROM Transactions");
        f.w = std::make_unique<OpeningBalancesAcc>(*f.main);
        QVERIFY(f.w->tranNo() > 0);
        QCOMPARE(f.w->tranNo(), *app::openingVoucherOf(f.t.db(), 1));
        QCOMPARE(f.lines().size(), std::size_t(3 + 500));
    }

    void aLedgerLineOfTheOpeningVoucherOpensTheWindow_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("refused");
        QTest::newRow("administrator") << 1 << false;
        QTest::newRow("operator allowed") << 2 << false;
        QTest::newRow("operator refused") << 2 << true;
    }
    void aLedgerLineOfTheOpeningVoucherOpensTheWindow()
    {
        QFETCH(int, user);
        QFETCH(bool, refused);
        TestDatabase t;
        if (user != 1)
            t.addUser(user, "clerk", "pw");
        if (refused)
            t.refuse(user, 14);
        app::clearWindows();
        app::registerWindows();
        auto main = std::make_unique<app::Parent>(t.path());
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->PelkUser = user;
        main->FYID = 1;
        main->MDIForm_Load();
        MessageRecorder messages;

        ledgers::OpenVoucherFromLine(*main, 11, static_cast<std::int32_t>(*app::openingVoucherOf(t.db(), 1)));

        auto* w = qobject_cast<OpeningBalancesAcc*>(main->host().find(QStringLiteral("OpeningBalancesAcc")));
        QCOMPARE(w == nullptr, refused);
        if (refused)
            QCOMPARE(messages.last().title, QStringLiteral("Not Allowed"));
        else
            QCOMPARE(w->tranNo(), *app::openingVoucherOf(t.db(), 1));
        main->host().closeAll();
        app::clearWindows();
    }
};

WINDOW_TEST_MAIN(OpeningBalancesTest)
#include "opening_balances_test.moc"
