// The voucher line grid through its test host: typed codes and amounts, the
// column rules, Enter and Tab, the pick list and its type-ahead, deleting lines,
// the totals and the "Accounts" button.
#include "accounts/voucher_line_grid.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/data_list.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "tests/accounts/line_grid_host.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"

using accounts::SubTranRow;
using platform::Money;
using testing_support::LineGridHost;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;
namespace column = accounts::column;

namespace {

constexpr std::int64_t kCash = 20001001;
constexpr std::int64_t kBank100 = 20001002;
constexpr std::int64_t kPettyUnderscore = 20001003;
constexpr std::int64_t kPettyX = 20001006;

// A signed-in main window on a database with six accounts whose names hold the
// characters the type-ahead must take literally, and the host around the grid.
struct Fixture {
    TestDatabase t;
    std::unique_ptr<app::Parent> main;
    std::unique_ptr<LineGridHost> host;

    explicit Fixture(std::vector<SubTranRow> lines = {}, int user = 1,
                     accounts::LineGridParams params = accounts::openingBalanceGrid())
    {
        t.db().exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (200, 'Current Assets', 20)");
        t.db().exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (20001, 'Cash and Bank', 200)");
        const std::pair<std::int64_t, const char*> accounts[] = {
            {kCash, "Cash in Hand"},         {kBank100, "Bank 100% Account"},
            {kPettyUnderscore, "Petty_Cash"}, {20001004, "O'Brien Traders"},
            {20001005, "Bank 1000 Account"}, {kPettyX, "PettyXCash"},
        };
        for (const auto& [code, name] : accounts)
            t.db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, ?, 200, 20001)",
                        {code, name});
        if (user != 1)
            t.addUser(user, "clerk", "");
        main = std::make_unique<app::Parent>(t.path());
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->PelkUser = user;
        main->FYID = 1;
        main->MDIForm_Load();
        main->AccTimer_Timer();   // the account list now, not after the timer's second
        host = std::make_unique<LineGridHost>(*main, std::move(lines), std::move(params));
        host->show();
        QApplication::setActiveWindow(host.get());
        if (!QTest::qWaitForWindowActive(host.get()))
            qWarning("host window not active");
        grid()->setFocus();
    }

    accounts::VoucherLineGrid& lines() { return host->lines(); }
    forms::DataGrid* grid() { return host->findChild<forms::DataGrid*>(QStringLiteral("Grid")); }
    forms::DataList* list() { return host->findChild<forms::DataList*>(QStringLiteral("AccCodeList")); }
    QString text(const char* name) { return host->findChild<QLineEdit*>(QString::fromUtf8(name))->text(); }
    QString diff() { return host->findChild<QLabel*>(QStringLiteral("DiffLbl"))->text(); }
    // Why the grid refused the last edit, as shown beside it.
    QString refusal() { return host->findChild<QLabel*>(QStringLiteral("RefusalLbl"))->text(); }
    const SubTranRow& line(int row) { return lines().lines()[static_cast<std::size_t>(row)]; }

    // Types the keys into whatever holds the focus, one by one.
    // Each key goes down where the focus is and comes up where the focus went,
    // as from a keyboard.
    void type(const QString& keys)
    {
        for (const QChar c : keys) {
            QTest::keyPress(QApplication::focusWidget(), c.toLatin1());
            QTest::keyRelease(QApplication::focusWidget(), c.toLatin1());
        }
    }
    void press(Qt::Key key)
    {
        QTest::keyPress(QApplication::focusWidget(), key);
        QTest::keyRelease(QApplication::focusWidget(), key);
    }
    // Opens the cell with F2, replaces its text and presses Enter.
    void enter(int row, int col, const QString& text)
    {
        grid()->setCurrentCell(row, col);
        grid()->setFocus();
        press(Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY2(editor, "the cell did not open");
        editor->setText(text);
        press(Qt::Key_Return);
    }
    bool focusInGrid()
    {
        QWidget* f = QApplication::focusWidget();
        return f && (f == grid() || grid()->isAncestorOf(f));
    }
    QStringList listRows()
    {
        QStringList rows;
        for (int i = 0; i < list()->count(); ++i)
            rows << list()->itemText(i);
        return rows;
    }
};

SubTranRow account(std::int64_t code, const char* name, std::optional<std::int64_t> debitCents = {},
                   std::optional<std::int64_t> creditCents = {})
{
    SubTranRow r;
    r.serial = 1;
    r.accCode = code;
    r.accName = QString::fromUtf8(name);
    if (debitCents)
        r.debit = Money::fromCents(*debitCents);
    if (creditCents)
        r.credit = Money::fromCents(*creditCents);
    return r;
}

} // namespace

class VoucherLineGridTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        forms::WindowHost::setModalNonBlocking(true);
    }

    void holdsAccountsPlusFiveHundredRowsWithTheCaptions()
    {
        Fixture f({account(kCash, "Cash in Hand", 100)});
        QCOMPARE(f.lines().lines().size(), std::size_t{506});
        QCOMPARE(f.lines().linesToSave().size(), std::size_t{1});
        const QStringList captions = {QStringLiteral("       Account Code"), QStringLiteral(" Account Name"),
                                      QStringLiteral("Description"), QString(18, QLatin1Char(' ')) + "Debit",
                                      QString(18, QLatin1Char(' ')) + "Credit"};
        for (int c = 0; c < column::Count; ++c)
            QCOMPARE(f.grid()->model()->headerData(c, Qt::Horizontal).toString(), captions[c]);
        QCOMPARE(f.host->findChild<QPushButton*>(QStringLiteral("CA"))->text(), QStringLiteral("Accounts"));
        QVERIFY(!f.list()->isVisible());
        QVERIFY(!f.host->findChild<QLineEdit*>(QStringLiteral("AccCodeTxt"))->isVisible());
        QCOMPARE(f.host->findChild<QTimer*>(QStringLiteral("IListTimer"))->interval(), 500);
    }

    void takesTheAccountOfATypedCode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("code");   // the code the line ends with
        QTest::addColumn<QString>("name");
        QTest::addRow("an account") << "20001001" << qint64(kCash) << "Cash in Hand";
        QTest::addRow("leading zeros") << "0020001001" << qint64(kCash) << "Cash in Hand";
        QTest::addRow("no such account") << "20009999" << qint64(kBank100) << "Bank 100% Account";
        QTest::addRow("letters") << "abc" << qint64(kBank100) << "Bank 100% Account";
        QTest::addRow("emptied") << "" << qint64(kBank100) << "Bank 100% Account";
        QTest::addRow("sign") << "+20001001" << qint64(kBank100) << "Bank 100% Account";
        QTest::addRow("separators") << "20,001,001" << qint64(kBank100) << "Bank 100% Account";
    }
    void takesTheAccountOfATypedCode()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, code);
        QFETCH(QString, name);
        Fixture f({account(kBank100, "Bank 100% Account")});
        MessageRecorder boxes;
        f.enter(0, column::Code, typed);
        QCOMPARE(f.line(0).accCode, std::optional<std::int64_t>(code));
        QCOMPARE(f.line(0).accName, name);
        QCOMPARE(f.grid()->text(0, column::Name), name);
        QVERIFY(!f.grid()->isEditing());
        // A refused code keeps the current cell on it; a taken one lets Enter move on.
        QCOMPARE(f.grid()->currentColumn(), code == kBank100 ? column::Code : column::Name);
        QVERIFY(boxes.boxes().empty());
    }

    void refusesACodeOnABlankLineWithoutABox()
    {
        Fixture f;
        MessageRecorder boxes;
        f.enter(0, column::Code, QStringLiteral("12"));
        QVERIFY(!f.line(0).accCode);
        QCOMPARE(f.grid()->text(0, column::Code), QString());
        QCOMPARE(f.grid()->currentColumn(), column::Code);
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(f.refusal(), QStringLiteral("No account has the code 12."));
        f.enter(0, column::Code, QStringLiteral("12a"));
        QCOMPARE(f.refusal(), QStringLiteral("An account code is digits only."));
        f.enter(0, column::Code, QString::number(kCash));   // taken: the reason goes
        QVERIFY(f.refusal().isEmpty());

        f.enter(1, column::Code, QStringLiteral("12a"));
        QCOMPARE(f.refusal(), QStringLiteral("An account code is digits only."));
        f.grid()->setCurrentCell(1, column::Code);
        f.type(QStringLiteral("petty"));
        f.press(Qt::Key_Down);
        f.press(Qt::Key_Return);   // picked from the list: the reason goes too
        QCOMPARE(f.line(1).accCode, std::optional<std::int64_t>(kPettyUnderscore));
        QVERIFY(f.refusal().isEmpty());
        QVERIFY(boxes.boxes().empty());
    }

    void neverEditsTheNameCell()
    {
        Fixture f({account(kCash, "Cash in Hand")});
        MessageRecorder boxes;
        f.grid()->setCurrentCell(0, column::Name);
        f.press(Qt::Key_F2);
        QVERIFY(!f.grid()->isEditing());
        f.type(QStringLiteral("x"));
        QVERIFY(!f.grid()->isEditing());
        QTest::mouseDClick(f.grid()->viewport(), Qt::LeftButton, {},
                           f.grid()->visualRect(f.grid()->model()->index(0, column::Name)).center());
        QVERIFY(!f.grid()->isEditing());
        QCOMPARE(f.line(0).accName, QStringLiteral("Cash in Hand"));
        QVERIFY(boxes.boxes().empty());
    }

    void asksForAnAccountBeforeDescriptionOrAmount_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("message");
        QTest::addRow("description") << column::Desc << "Select account before entering description.";
        QTest::addRow("debit") << column::Debit << "Select account before entering amount.";
        QTest::addRow("credit") << column::Credit << "Select account before entering amount.";
    }
    void asksForAnAccountBeforeDescriptionOrAmount()
    {
        QFETCH(int, col);
        QFETCH(QString, message);
        Fixture f;
        MessageRecorder boxes;
        f.grid()->setCurrentCell(3, col);
        f.type(QStringLiteral("5"));
        QVERIFY(!f.grid()->isEditing());
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Select Account"));
        QCOMPARE(boxes.last().text, message);
        QVERIFY(boxes.last().informationIcon);
        QCOMPARE(f.grid()->currentRow(), 3);   // the refused key did not jump anywhere
        QVERIFY(!f.line(3).debit && !f.line(3).credit && f.line(3).desc.isEmpty());
    }

    void editsAnAmountOnlyWhileTheOtherIsEmpty()
    {
        Fixture f({account(kCash, "Cash in Hand", {}, 0)});
        MessageRecorder boxes;
        QCOMPARE(f.grid()->text(0, column::Credit), QStringLiteral("0.00"));
        f.grid()->setCurrentCell(0, column::Debit);
        f.type(QStringLiteral("5"));
        QVERIFY(!f.grid()->isEditing());   // a zero credit counts as filled

        f.enter(0, column::Credit, QString());
        QVERIFY(!f.line(0).credit);
        QCOMPARE(f.grid()->text(0, column::Credit), QString());
        f.enter(0, column::Debit, QStringLiteral("5"));
        QCOMPARE(f.line(0).debit, std::optional<Money>(Money::fromCents(500)));
        QCOMPARE(f.grid()->text(0, column::Debit), QStringLiteral("5.00"));
        // Now the credit is the one locked.
        f.grid()->setCurrentCell(0, column::Credit);
        f.type(QStringLiteral("1"));
        QVERIFY(!f.grid()->isEditing());
        QVERIFY(boxes.boxes().empty());
    }

    void refusesBadAmountsAndKeepsTheOldValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("why");
        const QString digits = QStringLiteral("An amount is digits with at most one point, as 1250.50.");
        const QString sign = QStringLiteral("An amount has no sign: a credit goes in the Credit column.");
        QTest::addRow("14 characters") << "12345678901.50" << "12345678901.50" << "12345678901.50" << "";
        QTest::addRow("15 characters") << "123456789012.50" << "7.00" << "7.00"
                                       << "An amount has at most 14 characters.";
        QTest::addRow("negative") << "-5" << "7.00" << "7.00" << sign;
        QTest::addRow("exponent") << "1e3" << "7.00" << "7.00" << digits;
        QTest::addRow("hexadecimal") << "&H10" << "7.00" << "7.00" << digits;
        QTest::addRow("brackets") << "(5)" << "7.00" << "7.00" << sign;
        QTest::addRow("separator") << "1,000" << "7.00" << "7.00"
                                   << "Type the amount without separators, as 1000.00.";
        QTest::addRow("three decimals") << "12.345" << "7.00" << "7.00" << "An amount has at most two decimals.";
        QTest::addRow("two points") << "1.2.3" << "7.00" << "7.00" << digits;
        QTest::addRow("emptied") << "" << "" << "0.00" << "";
    }
    void refusesBadAmountsAndKeepsTheOldValue()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, total);
        QFETCH(QString, why);
        Fixture f({account(kCash, "Cash in Hand", 700)});
        MessageRecorder boxes;
        f.enter(0, column::Debit, typed);
        QCOMPARE(f.grid()->text(0, column::Debit), shown);
        QCOMPARE(f.text("DTot"), total);
        QCOMPARE(f.grid()->currentColumn(), shown == QStringLiteral("7.00") ? column::Debit : column::Credit);
        QCOMPARE(f.refusal(), why);
        QVERIFY(boxes.boxes().empty());
    }

    void limitsTheDescriptionTo250Characters()
    {
        Fixture f({account(kCash, "Cash in Hand")});
        const QString fits(250, QLatin1Char('d'));
        f.enter(0, column::Desc, fits);
        QCOMPARE(f.line(0).desc, fits);
        f.enter(0, column::Desc, fits + QLatin1Char('e'));
        QCOMPARE(f.line(0).desc, fits);
        QCOMPARE(f.grid()->currentColumn(), column::Desc);
        QCOMPARE(f.refusal(), QStringLiteral("A description holds at most 250 characters."));
    }

    void enterMovesCellToCellAndOnToTheNextRow()
    {
        Fixture f({account(kCash, "Cash in Hand")});
        f.grid()->setCurrentCell(0, column::Code);
        for (int col = 1; col < column::Count; ++col) {
            f.press(Qt::Key_Return);
            QCOMPARE(f.grid()->currentColumn(), col);
            QCOMPARE(f.grid()->currentRow(), 0);
        }
        f.press(Qt::Key_Return);
        QCOMPARE(f.grid()->currentRow(), 1);
        QCOMPARE(f.grid()->currentColumn(), column::Code);
        QVERIFY(f.focusInGrid());
        // After Enter, Tab goes on from cell to cell too.
        f.press(Qt::Key_Tab);
        QCOMPARE(f.grid()->currentColumn(), column::Name);
        QVERIFY(f.focusInGrid());
        // An amount typed and Enter: committed, then on to the next cell.
        f.grid()->setCurrentCell(0, column::Debit);
        f.type(QStringLiteral("12"));
        QVERIFY(f.grid()->isEditing());
        f.press(Qt::Key_Return);
        QCOMPARE(f.line(0).debit, std::optional<Money>(Money::fromCents(1200)));
        QCOMPARE(f.grid()->currentColumn(), column::Credit);
    }

    void tabAfterAnyOtherKeyLeavesTheGrid()
    {
        Fixture f({account(kCash, "Cash in Hand")});
        f.grid()->setCurrentCell(0, column::Code);
        f.press(Qt::Key_Return);   // grid navigation
        f.grid()->setCurrentCell(0, column::Desc);
        f.type(QStringLiteral("r"));   // any other character: control navigation again
        QVERIFY(f.grid()->isEditing());
        f.press(Qt::Key_Tab);
        QVERIFY(!f.focusInGrid());
        QCOMPARE(f.line(0).desc, QStringLiteral("r"));
    }

    void opensTheListUnderTheCellOrAboveIt_data()
    {
        QTest::addColumn<bool>("voucherForm");
        QTest::addColumn<int>("firstShownRow");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("above");
        QTest::addRow("opening balances, visible row 0") << false << 0 << 0 << false;
        QTest::addRow("opening balances, visible row 9") << false << 0 << 9 << false;
        QTest::addRow("opening balances, visible row 10") << false << 0 << 10 << true;
        QTest::addRow("opening balances, scrolled, visible row 9") << false << 40 << 49 << false;
        QTest::addRow("opening balances, scrolled, visible row 10") << false << 40 << 50 << true;
        QTest::addRow("voucher form, visible row 6") << true << 0 << 6 << false;
        QTest::addRow("voucher form, visible row 7") << true << 0 << 7 << true;
    }
    void opensTheListUnderTheCellOrAboveIt()
    {
        QFETCH(bool, voucherForm);
        QFETCH(int, firstShownRow);
        QFETCH(int, row);
        QFETCH(bool, above);
        Fixture f({}, 1, voucherForm ? accounts::voucherFormGrid() : accounts::openingBalanceGrid());
        f.grid()->verticalScrollBar()->setValue(firstShownRow);
        f.grid()->setCurrentCell(row, column::Code);
        QCOMPARE(f.grid()->visibleRow(), row - firstShownRow);
        f.press(Qt::Key_F2);
        QVERIFY(f.grid()->isEditing());
        QVERIFY(f.list()->isVisible());

        const QRect cell = f.grid()->visualRect(f.grid()->model()->index(row, column::Code));
        const QPoint cellTopLeft = f.grid()->viewport()->mapTo(f.host.get(), cell.topLeft());
        const QRect shown = f.list()->geometry();
        QCOMPARE(f.list()->parentWidget(), static_cast<QWidget*>(f.host.get()));
        QCOMPARE(shown.left(), cellTopLeft.x());
        QCOMPARE(shown.size(), voucherForm ? QSize(512, 244) : QSize(533, 244));
        if (above) {
            // Ends 10 twips (a pixel) under the upper edge of the cell's row.
            QCOMPARE(shown.top() + shown.height(), cellTopLeft.y() + 1);
        } else {
            // 320 twips under the row's top, or under the cell where the face makes rows taller.
            QCOMPARE(shown.top(), cellTopLeft.y() + std::max(21, f.grid()->verticalHeader()->defaultSectionSize()));
            QVERIFY(shown.top() >= cellTopLeft.y() + cell.height());
        }
        // The list shows all accounts, AccCodeTxt the first.
        QCOMPARE(f.list()->count(), 6);
        QCOMPARE(f.text("AccCodeTxt"), QString::number(kCash));
    }

    void picksAnAccountFromTheList_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("taken");
        QTest::addRow("double-click") << "dblclick" << true;
        QTest::addRow("Enter") << "enter" << true;
        QTest::addRow("Tab") << "tab" << true;
        QTest::addRow("Esc") << "esc" << false;
    }
    void picksAnAccountFromTheList()
    {
        QFETCH(QString, how);
        QFETCH(bool, taken);
        Fixture f;
        MessageRecorder boxes;
        f.grid()->setCurrentCell(2, column::Code);
        f.type(QStringLiteral("petty"));
        QVERIFY(f.list()->isVisible());
        QCOMPARE(f.listRows(), (QStringList{"20001003  Petty_Cash", "20001006  PettyXCash"}));
        f.press(Qt::Key_Down);   // into the list, on the code AccCodeTxt shows
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.list()));
        QCOMPARE(f.list()->text(), QStringLiteral("20001003  Petty_Cash"));
        f.press(Qt::Key_Down);
        QCOMPARE(f.list()->text(), QStringLiteral("20001006  PettyXCash"));
        QCOMPARE(f.text("AccCodeTxt"), QString::number(kPettyX));
        // The name typed to find the account is no code to refuse: going into the list says nothing.
        QCOMPARE(f.refusal(), QString());

        if (how == QLatin1String("dblclick"))
            QTest::mouseDClick(f.list()->viewport(), Qt::LeftButton, {},
                               f.list()->visualRect(f.list()->model()->index(1, 0)).center());
        else if (how == QLatin1String("enter"))
            f.press(Qt::Key_Return);
        else if (how == QLatin1String("tab"))
            f.press(Qt::Key_Tab);
        else
            f.press(Qt::Key_Escape);

        QVERIFY(f.focusInGrid());
        QVERIFY(!f.list()->isVisible());
        QCOMPARE(f.grid()->currentRow(), 2);
        if (taken) {
            QCOMPARE(f.line(2).accCode, std::optional<std::int64_t>(kPettyX));
            QCOMPARE(f.grid()->text(2, column::Name), QStringLiteral("PettyXCash"));
        } else {
            QVERIFY(!f.line(2).accCode);
            QCOMPARE(f.grid()->text(2, column::Name), QString());
        }
        QCOMPARE(f.refusal(), QString());
        QVERIFY(boxes.boxes().empty());
    }

    void anEmptyListOnlyReturnsTheFocus()
    {
        Fixture f({account(kCash, "Cash in Hand")});
        MessageRecorder boxes;
        f.grid()->setCurrentCell(1, column::Code);
        f.type(QStringLiteral("zzz"));
        QCOMPARE(f.list()->count(), 0);
        QCOMPARE(f.text("AccCodeTxt"), QString());
        QTest::mouseDClick(f.list()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(f.focusInGrid());
        QVERIFY(!f.line(1).accCode);
        QCOMPARE(f.line(0).accCode, std::optional<std::int64_t>(kCash));
        QVERIFY(boxes.boxes().empty());
    }

    void filtersTheListOnTheTypedTextLiterally_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::addRow("percent") << "100%" << QStringList{"20001002  Bank 100% Account"};
        QTest::addRow("underscore") << "petty_" << QStringList{"20001003  Petty_Cash"};
        QTest::addRow("quote") << "o'b" << QStringList{"20001004  O'Brien Traders"};
        QTest::addRow("name, any case") << "CASH"
                                        << QStringList{"20001001  Cash in Hand", "20001003  Petty_Cash",
                                                       "20001006  PettyXCash"};
        QTest::addRow("code") << "1005" << QStringList{"20001005  Bank 1000 Account"};
        QTest::addRow("code and name") << "1  c" << QStringList{"20001001  Cash in Hand"};
    }
    void filtersTheListOnTheTypedTextLiterally()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        Fixture f;
        MessageRecorder boxes;
        f.grid()->setCurrentCell(0, column::Code);
        f.type(typed);
        QCOMPARE(f.listRows(), rows);
        // Emptied again, all accounts come back.
        for (int i = 0; i < typed.size(); ++i)
            f.press(Qt::Key_Backspace);
        QCOMPARE(f.grid()->currentText(), QString());
        QCOMPARE(f.list()->count(), 6);
        QVERIFY(boxes.boxes().empty());
    }

    void leavingTheCodeColumnHidesTheListAndDropsTheFilter()
    {
        Fixture f({account(kCash, "Cash in Hand")});
        f.grid()->setCurrentCell(0, column::Code);
        f.type(QStringLiteral("20001001"));
        QCOMPARE(f.listRows(), QStringList{"20001001  Cash in Hand"});
        f.press(Qt::Key_Return);
        QCOMPARE(f.grid()->currentColumn(), column::Name);
        QVERIFY(!f.list()->isVisible());
        QCOMPARE(f.list()->count(), 6);
        // Keys released in another column change nothing; nor do they on a blank code cell.
        f.type(QStringLiteral("x"));
        QCOMPARE(f.list()->count(), 6);
    }

    void hidesTheListOnceNeitherGridNorListHoldsTheFocus()
    {
        Fixture f;
        auto* timer = f.host->findChild<QTimer*>(QStringLiteral("IListTimer"));
        f.grid()->setCurrentCell(0, column::Code);
        f.press(Qt::Key_F2);
        QVERIFY(f.list()->isVisible());
        QVERIFY(f.lines().codeFocus());
        // Into the list: the timer runs but keeps the list.
        f.press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.list()));
        QVERIFY(f.lines().codeFocus());
        QVERIFY(timer->isActive());
        QTest::qWait(700);
        QVERIFY(f.list()->isVisible());
        // Back in the grid and out to the button: hidden at a tick, and the timer stops.
        f.press(Qt::Key_Escape);
        QVERIFY(f.focusInGrid());
        f.press(Qt::Key_F2);
        QVERIFY(f.list()->isVisible());
        f.host->findChild<QPushButton*>(QStringLiteral("CA"))->setFocus();
        QVERIFY(!f.lines().codeFocus());
        QVERIFY(f.list()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!f.list()->isVisible(), 2000);
        QVERIFY(!timer->isActive());
    }

    void deletingSelectedRowsUpdatesTheTotals()
    {
        Fixture f({account(kCash, "Cash in Hand", 15000), account(kBank100, "Bank 100% Account", {}, 10000),
                   account(kPettyX, "PettyXCash", {}, 5000)});
        QCOMPARE(f.diff(), QString());
        // Delete on a cell without a selected row deletes nothing.
        f.grid()->setCurrentCell(2, column::Name);
        f.press(Qt::Key_Delete);
        QCOMPARE(f.lines().lines().size(), std::size_t{506});

        f.grid()->selectRow(2);
        f.press(Qt::Key_Delete);
        QCOMPARE(f.lines().lines().size(), std::size_t{505});
        QCOMPARE(f.lines().linesToSave().size(), std::size_t{2});
        QCOMPARE(f.text("DTot"), QStringLiteral("150.00"));
        QCOMPARE(f.text("CTot"), QStringLiteral("100.00"));
        QCOMPARE(f.diff(), QStringLiteral("There is a difference of Rs. 50.00 in totals."));
    }

    void totalsFollowTheAmountsTyped()
    {
        Fixture f({account(kCash, "Cash in Hand"), account(kBank100, "Bank 100% Account")});
        QCOMPARE(f.text("DTot"), QStringLiteral("0.00"));
        f.enter(0, column::Debit, QStringLiteral("150"));
        f.enter(1, column::Credit, QStringLiteral("100"));
        QCOMPARE(f.text("DTot"), QStringLiteral("150.00"));
        QCOMPARE(f.text("CTot"), QStringLiteral("100.00"));
        QCOMPARE(f.diff(), QStringLiteral("There is a difference of Rs. 50.00 in totals."));
        f.enter(1, column::Credit, QStringLiteral("150.00"));
        QCOMPARE(f.diff(), QString());
    }

    void runsTheHostsTotalsRoutineAfterAmountsDeletesAndEsc()
    {
        int runs = 0;
        auto params = accounts::openingBalanceGrid();
        params.totals = [&runs] { ++runs; };
        Fixture f({account(kCash, "Cash in Hand", 100)}, 1, params);
        const QString before = f.text("DTot");
        f.enter(0, column::Desc, QStringLiteral("no totals for a description"));
        QCOMPARE(runs, 0);
        f.enter(0, column::Debit, QStringLiteral("150"));
        QCOMPARE(runs, 1);
        f.grid()->setCurrentCell(0, column::Code);
        f.press(Qt::Key_Escape);
        QCOMPARE(runs, 2);
        f.grid()->selectRow(0);
        f.press(Qt::Key_Delete);
        QCOMPARE(runs, 3);
        QCOMPARE(f.text("DTot"), before);   // TotalValue did not run instead
    }

    void accountsButtonChecksRightTwelveThenOpensTheChartEditor_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("refused");
        QTest::addRow("administrator") << 1 << false;
        QTest::addRow("operator allowed") << 3 << false;
        QTest::addRow("operator refused") << 3 << true;
    }
    void accountsButtonChecksRightTwelveThenOpensTheChartEditor()
    {
        QFETCH(int, user);
        QFETCH(bool, refused);
        app::clearWindows();
        int made = 0;
        app::registerWindow(QStringLiteral("ModifyAccounts"), [&made](app::Parent&) {
            ++made;
            return new QDialog;
        });
        Fixture f({}, user);
        if (refused)
            f.t.refuse(user, 12);
        MessageRecorder boxes;
        QTest::mouseClick(f.host->findChild<QPushButton*>(QStringLiteral("CA")), Qt::LeftButton);
        QCOMPARE(made, refused ? 0 : 1);
        auto* editor = f.main->findChild<QDialog*>(QStringLiteral("ModifyAccounts"));
        QCOMPARE(editor != nullptr, !refused);
        if (editor) {
            QVERIFY(editor->isModal());
            editor->close();
        }
        QCOMPARE(boxes.boxes().size(), std::size_t{refused ? 1u : 0u});
        if (refused)
            QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
        app::clearWindows();
    }
};

WINDOW_TEST_MAIN(VoucherLineGridTest)
#include "voucher_line_grid_test.moc"
