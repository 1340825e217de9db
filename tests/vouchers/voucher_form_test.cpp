// The voucher form on a delivered database: the nine kinds, numbering, the
// save with its checks and its one transaction, posting, cancelling, deleting,
// browsing, the hand-over and Ctrl+S.
#include "vouchers/voucher_form.h"

#include <map>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/voucher_line_grid.h"
#include "ledgers/open_voucher.h"
#include "main/parent.h"
#include "main/window_catalog.h"
#include "platform/data/database.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"
#include "tests/vouchers/book.h"
#include "tests/vouchers/printed.h"

using accounts::SubTranRow;
using platform::Money;
using testing_support::child;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;
using vouchers::VoucherForm;

namespace {

constexpr int kJournal = 41;
constexpr int kClerk = 3;
const QDate kToday{2026, 12, 10};
const QDateTime kNow{kToday, QTime{14, 30, 5}};

// A signed-in main window on a delivered database with a small chart.
struct Fixture {
    MessageRecorder unexpected;   // no box may ever wait for a person
    TestDatabase t;
    platform::Database& db = t.db();
    std::unique_ptr<app::Parent> main;

    explicit Fixture(int user = 1, bool autoPost = false)
    {
        book::addChartAndYear(db);
        if (user != 1)
            t.addUser(user, "clerk", "");
        main = testing_support::signedInWindow(
            t.path(), {.user = user, .fyId = 1, .fyStart = QDate{2026, 7, 1}, .fyEnd = QDate{2027, 6, 30}});
        main->CurrencyName = QStringLiteral("Rupees");
        main->AutoPost = autoPost;
        main->AccTimer_Timer();
    }

    std::unique_ptr<VoucherForm> form(int tranType = kJournal)
    {
        auto f = std::make_unique<VoucherForm>(*main, *app::kindOfType(tranType));
        f->setAttribute(Qt::WA_DeleteOnClose, false);
        return f;
    }

    std::int64_t vouchers(int tranType = kJournal)
    {
        return book::count(db, "Transactions", "TranType = " + std::to_string(tranType));
    }
    std::string column(std::int64_t tranNo, const char* name)
    {
        return db.scalar(std::string("SELECT ") + name + " FROM Transactions WHERE TranNo = ?", {tranNo}).toText();
    }
};

void click(const QWidget& form, const char* name)
{
    child<QPushButton>(form, name)->click();
}

QString text(const QWidget& form, const char* name)
{
    if (auto* box = form.findChild<QLineEdit*>(QLatin1String(name)))
        return box->text();
    return child<QLabel>(form, name)->text();
}

SubTranRow row(std::int64_t code, std::optional<std::int64_t> debit, std::optional<std::int64_t> credit,
               const char* desc = "")
{
    SubTranRow r;
    r.accCode = code;
    r.accName = QStringLiteral("name");
    r.desc = QString::fromUtf8(desc);
    if (debit)
        r.debit = Money::fromCents(*debit);
    if (credit)
        r.credit = Money::fromCents(*credit);
    return r;
}

// Puts `rows` into the grid as if typed (followed by the blank rows) and runs the totals.
void enter(VoucherForm& form, std::vector<SubTranRow> rows)
{
    rows.resize(std::max(rows.size(), vouchers::kVoucherRows));
    form.lines()->setLines(std::move(rows));
    form.ShowTotals();
}

// A balanced voucher of two lines of `cents`.
void enterBalanced(VoucherForm& form, std::int64_t cents = 2500)
{
    enter(form, {row(book::kRent, cents, std::nullopt, "rent"), row(book::kCash, std::nullopt, cents)});
}

std::int64_t lastTranNo(Fixture& f)
{
    return f.db.scalar("SELECT MAX(TranNo) FROM Transactions").toInt();
}

// Runs the print that "Print" started, as its timer would, and gives what was printed.
QStringList runPrintTimer(VoucherForm& form)
{
    auto* timer = child<QTimer>(form, "PrintTimer");
    if (!timer->isActive())
        return {};
    form.PrintTimer_Timer();
    return printed::texts();
}

} // namespace

class VoucherFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        shell::setToday(kToday);
        shell::setNow(kNow);
        forms::WindowHost::setModalNonBlocking(true);
    }

    void cleanup() { printed::closeAll(); }

    void opensEachKindWithItsNamesAndANewVoucher_data()
    {
        QTest::addColumn<int>("tranType");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("chartButton");
        const struct { int type; const char* title; const char* ca; } kinds[] = {
            {21, "Purchase Voucher", "Accounts"},      {25, "Purchase Return Voucher", "Accounts"},
            {31, "Sale Voucher", "Accounts"},          {35, "Sale Return Voucher", "Accounts"},
            {27, "Cash Payment Voucher", "Accounts"},  {37, "Cash Receipt Voucher", "Account"},
            {28, "Bank Payment Voucher", "Accounts"},  {38, "Bank Receipt Voucher", "Accounts"},
            {41, "General Journal Voucher", "Accounts"},
        };
        for (const auto& k : kinds)
            QTest::newRow(k.title) << k.type << QString::fromUtf8(k.title) << QString::fromUtf8(k.ca);
    }
    void opensEachKindWithItsNamesAndANewVoucher()
    {
        QFETCH(int, tranType);
        QFETCH(QString, title);
        QFETCH(QString, chartButton);
        Fixture f(1, true);
        book::addVoucher(f.db, tranType, 1, 5);
        book::addVoucher(f.db, tranType, 2, 40);                         // another year
        book::addVoucher(f.db, tranType == 21 ? 25 : 21, 1, 70);         // another kind
        auto form = f.form(tranType);
        QCOMPARE(form->objectName(), QString::fromUtf8(app::kindOfType(tranType)->form));
        QCOMPARE(form->windowTitle(), title);
        QCOMPARE(text(*form, "Label2"), title.toUpper());
        QCOMPARE(child<QPushButton>(*form, "CA")->text(), chartButton);
        QVERIFY(form->adding());
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("6"));
        QCOMPARE(child<QDateEdit>(*form, "TrDate")->date(), kToday);
        QCOMPARE(form->lines()->lines().size(), vouchers::kVoucherRows);
        QCOMPARE(text(*form, "DTot"), QStringLiteral("0.00"));
        QCOMPARE(text(*form, "CTot"), QStringLiteral("0.00"));
        QCOMPARE(text(*form, "DiffLbl"), QString());
        QCOMPARE(text(*form, "AmtWords"), QStringLiteral("Rupees zero and 00/100 only."));
        // AutoPost: a new voucher starts posted.
        QVERIFY(child<QCheckBox>(*form, "PostOpt")->isChecked());
        QCOMPARE(child<QPushButton>(*form, "PostBttn")->text(), QStringLiteral("Un-Post Voucher"));
        QVERIFY(child<QPushButton>(*form, "PrintBill")->isEnabled());
        QVERIFY(child<QPushButton>(*form, "SaveBttn")->isEnabled());
    }

    void opensFromTheVouchersMenuInTheMdiArea()
    {
        app::clearWindows();
        app::registerWindows();
        Fixture f;
        f.main->VouchMod_Click(130);
        auto* form = qobject_cast<VoucherForm*>(f.main->host().find(QStringLiteral("GeneralJournal")));
        QVERIFY(form);
        QVERIFY(form->adding());
        QCOMPARE(form->windowTitle(), QStringLiteral("General Journal Voucher"));
        f.main->host().closeAll();
        app::clearWindows();
    }

    void proposesTheHighestNumberPlusOne_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QList<int>>("deleted");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("first") << QList<int>{} << QList<int>{} << QStringLiteral("1");
        QTest::newRow("next") << QList<int>{1, 2, 3, 4, 5} << QList<int>{} << QStringLiteral("6");
        QTest::newRow("a gap is not reused") << QList<int>{1, 2, 3, 4, 5} << QList<int>{3} << QStringLiteral("6");
        QTest::newRow("the top freed") << QList<int>{1, 2, 3, 4, 5} << QList<int>{5} << QStringLiteral("5");
        QTest::newRow("all freed") << QList<int>{1, 2} << QList<int>{1, 2} << QStringLiteral("1");
    }
    void proposesTheHighestNumberPlusOne()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QList<int>, deleted);
        QFETCH(QString, proposed);
        Fixture f;
        for (int n : stored)
            book::addVoucher(f.db, kJournal, 1, n);
        auto form = f.form();
        for (int n : deleted)
            f.db.exec("DELETE FROM Transactions WHERE TranType = 41 AND DocNo = ?", {n});
        click(*form, "CancelBttn");   // a fresh new voucher computes its number again
        QCOMPARE(text(*form, "DocNo"), proposed);
    }

    void saysWhyNoNumberIsProposedOnceTheBoxIsFull()
    {
        Fixture f;
        book::addVoucher(f.db, kJournal, 1, 9999999999);
        auto form = f.form();
        auto* docNo = child<QLineEdit>(*form, "DocNo");
        QVERIFY(docNo->text().isEmpty());
        QCOMPARE(docNo->placeholderText(), QStringLiteral("type a free number"));
        QVERIFY(docNo->toolTip().contains(QStringLiteral("9999999999")));
        // A number the user types is saved as usual.
        docNo->setText(QStringLiteral("17"));
        enterBalanced(*form);
        click(*form, "SaveBttn");
        QCOMPARE(f.vouchers(), std::int64_t{2});
        QVERIFY(text(*form, "DocNo").isEmpty());
        QCOMPARE(docNo->placeholderText(), QStringLiteral("type a free number"));
        // Once numbers fit again, the hint goes.
        f.db.exec("DELETE FROM Transactions WHERE DocNo = 9999999999");
        click(*form, "CancelBttn");
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("18"));
        QVERIFY(docNo->placeholderText().isEmpty());
        QVERIFY(docNo->toolTip().isEmpty());
    }

    void savesANewVoucherWithItsLinesAndStamps()
    {
        Fixture f;
        const auto job = book::addJob(f.db, 12, "Fit-out");
        auto form = f.form();
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("March rent"));
        child<QComboBox>(*form, "JobList")->setCurrentIndex(0);
        enter(*form, {row(book::kRent, 123450, std::nullopt), row(book::kCash, std::nullopt, 123450, "cash")});
        QCOMPARE(text(*form, "AmtWords"),
                 QStringLiteral("Rupees one thousand, two hundred thirty-four and 50/100 only."));
        MessageRecorder boxes;
        click(*form, "SaveBttn");
        QVERIFY(boxes.boxes().empty());

        const auto tranNo = lastTranNo(f);
        QCOMPARE(f.column(tranNo, "DocNo"), std::string("1"));
        QCOMPARE(f.column(tranNo, "TranDate"), std::string("2026-12-10"));
        QCOMPARE(f.column(tranNo, "TrAmount"), std::string("123450"));
        QCOMPARE(f.column(tranNo, "WordsAmt"), std::string("one thousand, two hundred thirty-four and 50/100 only."));
        QCOMPARE(f.column(tranNo, "JobID"), std::to_string(job));
        QCOMPARE(f.column(tranNo, "UserAdded"), std::string("1"));
        QCOMPARE(f.column(tranNo, "UserEdited"), std::string("1"));
        QCOMPARE(f.column(tranNo, "TimeAdded"), std::string("2026-12-10 14:30:05"));
        QCOMPARE(f.column(tranNo, "Posted"), std::string("0"));
        QCOMPARE(f.column(tranNo, "Cancel"), std::string("0"));
        // The line without a description takes the voucher's; the other keeps its own.
        QCOMPARE(f.db.scalar("SELECT group_concat(\"Desc\", '|') FROM (SELECT \"Desc\" FROM SubTransactions"
                             " WHERE TranNo = ? ORDER BY Serial)", {tranNo}).toText(),
                 std::string("March rent|cash"));

        // Back to a new voucher with the next number; "Last" reopens the saved one.
        QVERIFY(form->adding());
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("2"));
        QCOMPARE(text(*form, "DTot"), QStringLiteral("0.00"));
        click(*form, "RetBttn");
        QVERIFY(!form->adding());
        QCOMPARE(form->shownTranNo(), tranNo);
        QCOMPARE(text(*form, "Desc"), QStringLiteral("March rent"));
        QCOMPARE(child<QComboBox>(*form, "JobList")->currentText(), QStringLiteral("12 (Fit-out)"));
        QCOMPARE(form->lines()->lines()[1].desc, QStringLiteral("cash"));
        QCOMPARE(form->lines()->lines().size(), vouchers::kVoucherRows);
    }

    void savesAVoucherWithoutLines()
    {
        Fixture f;
        auto form = f.form();
        click(*form, "SaveBttn");
        QCOMPARE(f.vouchers(), std::int64_t{1});
        QCOMPARE(f.column(lastTranNo(f), "TrAmount"), std::string("0"));
        QCOMPARE(book::count(f.db, "SubTransactions"), std::int64_t{0});
    }

    void refusesEachSaveCheckWithItsMessageAndFocus_data()
    {
        QTest::addColumn<QString>("docNo");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("job");
        QTest::addColumn<qlonglong>("debit");
        QTest::addColumn<qlonglong>("credit");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QDate d = kToday;
        // Rows carry several faults where the order matters: the first check wins.
        QTest::newRow("number taken, date also wrong")
            << "4" << QDate(2026, 6, 30) << "" << 100LL << 100LL
            << "This Vocuher No. already exists. Saving this would create duplicate values." << "DocNo";
        QTest::newRow("taken with leading zeros") << "0004" << d << "" << 100LL << 100LL
            << "This Vocuher No. already exists. Saving this would create duplicate values." << "DocNo";
        QTest::newRow("before the year, number empty") << "" << QDate(2026, 6, 30) << "" << 100LL << 100LL
            << "Transaction date cannot be before starting date of financial year." << "Desc";
        QTest::newRow("after the year, totals differ") << "9" << QDate(2027, 7, 1) << "" << 100LL << 99LL
            << "Transaction date cannot be after ending date of financial year." << "Desc";
        QTest::newRow("number empty, job wrong") << "" << d << "nobody" << 100LL << 100LL
            << "Serial number must be a numeric figure." << "Desc";
        QTest::newRow("pasted 5.0") << "5.0" << d << "" << 100LL << 100LL
            << "Serial number must be a numeric figure." << "Desc";
        QTest::newRow("pasted 1e1") << "1e1" << d << "" << 100LL << 100LL
            << "Serial number must be a numeric figure." << "Desc";
        QTest::newRow("job wrong, totals differ") << "9" << d << "12" << 100LL << 99LL
            << "Select a correct job or leave it blank if you do not want to save a job reference." << "Desc";
        QTest::newRow("totals differ by a cent") << "9" << d << "" << 10001LL << 10000LL
            << "Totals of debits and credits must be equal." << "Desc";
        QTest::newRow("too large for words") << "9" << d << "" << 100'000'000'000'000'000LL
                                             << 100'000'000'000'000'000LL
            << "The total is too large to be written in words: a voucher's total must be less than "
               "1,000,000,000,000,000.00." << "Desc";
    }
    void refusesEachSaveCheckWithItsMessageAndFocus()
    {
        QFETCH(QString, docNo);
        QFETCH(QDate, date);
        QFETCH(QString, job);
        QFETCH(qlonglong, debit);
        QFETCH(qlonglong, credit);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f;
        book::addJob(f.db, 12, "Fit-out");
        book::addVoucher(f.db, kJournal, 1, 4);
        auto form = f.form();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        child<QLineEdit>(*form, "DocNo")->setText(docNo);   // as a paste that bypassed the key filter would leave it
        child<QDateEdit>(*form, "TrDate")->setDate(date);
        child<QComboBox>(*form, "JobList")->setEditText(job);
        enter(*form, {row(book::kRent, debit, std::nullopt), row(book::kCash, std::nullopt, credit)});
        child<QLineEdit>(*form, "Desc")->setFocus();

        MessageRecorder boxes;
        click(*form, "SaveBttn");
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Save"));
        QCOMPARE(boxes.last().text, message);
        QVERIFY(boxes.last().informationIcon);
        QCOMPARE(QApplication::focusWidget(), child(*form, focus.toUtf8().constData()));
        // Nothing written; the screen keeps what was typed, and the form stays usable.
        QCOMPARE(f.vouchers(), std::int64_t{1});
        QCOMPARE(text(*form, "DocNo"), docNo);
        QCOMPARE(form->lines()->lines()[0].debit, Money::fromCents(debit));
        QVERIFY(child<QPushButton>(*form, "SaveBttn")->isEnabled());
    }

    void refusesADuplicateOnlyWithinTheKindAndYear_data()
    {
        QTest::addColumn<QString>("docNo");
        QTest::addColumn<bool>("saved");
        QTest::newRow("own number") << "7" << true;
        QTest::newRow("own number with leading zeros") << "007" << true;
        QTest::newRow("another voucher's number") << "8" << false;
        QTest::newRow("a number of another kind") << "30" << true;
        QTest::newRow("a number of another year") << "40" << true;
    }
    void refusesADuplicateOnlyWithinTheKindAndYear()
    {
        QFETCH(QString, docNo);
        QFETCH(bool, saved);
        Fixture f;
        const auto seven = book::addVoucher(f.db, kJournal, 1, 7);
        book::addVoucher(f.db, kJournal, 1, 8);
        book::addVoucher(f.db, 21, 1, 30);
        book::addVoucher(f.db, kJournal, 2, 40);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(seven));
        child<QLineEdit>(*form, "DocNo")->setText(docNo);
        MessageRecorder boxes;
        click(*form, "SaveBttn");
        QCOMPARE(boxes.boxes().empty(), saved);
        QCOMPARE(f.column(seven, "DocNo"), saved ? std::to_string(docNo.toInt()) : std::string("7"));
    }

    void asksBeforeSavingAPostedVoucherOnlyWhereThePostingTableSays_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("postRefused");
        QTest::addColumn<bool>("autoPost");
        QTest::addColumn<bool>("posted");
        QTest::addColumn<int>("answer");   // forms::Answer given to a question
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("stored");   // Posted after the save, -1: not saved
        const int yes = int(forms::Answer::Yes), no = int(forms::Answer::No);
        QTest::newRow("not posted") << kClerk << true << false << false << yes << false << 0;
        QTest::newRow("posted, administrator") << 1 << false << false << true << yes << false << 1;
        QTest::newRow("posted, may post") << kClerk << false << false << true << yes << false << 1;
        QTest::newRow("posted, may not post, auto-post") << kClerk << true << true << true << yes << false << 1;
        QTest::newRow("posted, may not post, Yes un-posts") << kClerk << true << false << true << yes << true << 0;
        QTest::newRow("posted, may not post, No keeps all") << kClerk << true << false << true << no << true << -1;
    }
    void asksBeforeSavingAPostedVoucherOnlyWhereThePostingTableSays()
    {
        QFETCH(int, user);
        QFETCH(bool, postRefused);
        QFETCH(bool, autoPost);
        QFETCH(bool, posted);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(int, stored);
        Fixture f(user, autoPost);
        if (user != 1)
            f.t.refuse(user, app::kindOfType(kJournal)->postRight(), postRefused);
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3, posted ? 1 : 0);
        auto form = f.form();
        QCOMPARE(child<QPushButton>(*form, "PostBttn")->isEnabled(), user == 1 || !postRefused);
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("changed"));

        MessageRecorder boxes;
        boxes.answer(forms::Answer(answer));
        click(*form, "SaveBttn");
        QCOMPARE(boxes.boxes().size(), std::size_t{asked ? 1u : 0u});
        if (asked) {
            QCOMPARE(boxes.last().title, QStringLiteral("Save Confirmation"));
            QCOMPARE(boxes.last().text, QStringLiteral("Editing this voucher would require this voucher to be "
                                                       "posted again. Do you want to continue?"));
            QCOMPARE(boxes.last().buttons, forms::Buttons::YesNo);
            QVERIFY(!boxes.last().informationIcon);
        }
        if (stored < 0) {
            QCOMPARE(f.column(tranNo, "Desc"), std::string("voucher 3"));
            QVERIFY(!form->adding());
            QCOMPARE(text(*form, "Desc"), QStringLiteral("changed"));
            QVERIFY(child<QCheckBox>(*form, "PostOpt")->isChecked());
        } else {
            QCOMPARE(f.column(tranNo, "Desc"), std::string("changed"));
            QCOMPARE(f.column(tranNo, "Posted"), std::to_string(stored));
            QCOMPARE(f.column(tranNo, "UserEdited"), std::to_string(user));
            QCOMPARE(f.column(tranNo, "UserAdded"), std::string("1"));
        }
    }

    void postsAndCancelsOnlyWhenSaved()
    {
        Fixture f;
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3, 0);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        auto* post = child<QPushButton>(*form, "PostBttn");
        QCOMPARE(post->text(), QStringLiteral("Post Voucher"));
        QVERIFY(!child<QLabel>(*form, "PostPic")->isVisibleTo(form.get()));
        post->click();
        child<QCheckBox>(*form, "CancelOption")->setChecked(true);
        QCOMPARE(post->text(), QStringLiteral("Un-Post Voucher"));
        QVERIFY(child<QLabel>(*form, "PostPic")->isVisibleTo(form.get()));
        QVERIFY(child<QCheckBox>(*form, "CancelOption")->font().bold());
        QCOMPARE(f.column(tranNo, "Posted"), std::string("0"));   // nothing stored before the save

        click(*form, "SaveBttn");
        QCOMPARE(f.column(tranNo, "Posted"), std::string("1"));
        QCOMPARE(f.column(tranNo, "Cancel"), std::string("1"));

        // Un-post and un-cancel, then drop it with "Cancel": still posted and cancelled.
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        QVERIFY(child<QCheckBox>(*form, "PostOpt")->isChecked());
        QVERIFY(child<QCheckBox>(*form, "CancelOption")->isChecked());
        post->click();
        child<QCheckBox>(*form, "CancelOption")->setChecked(false);
        QVERIFY(!child<QCheckBox>(*form, "CancelOption")->font().bold());
        click(*form, "CancelBttn");
        QVERIFY(child<QCheckBox>(*form, "PostOpt")->isChecked());
        QCOMPARE(f.column(tranNo, "Posted"), std::string("1"));
        post->click();
        click(*form, "SaveBttn");
        QCOMPARE(f.column(tranNo, "Posted"), std::string("0"));
    }

    void rollsBackASaveThatFailsHalfWayAndStaysUsable()
    {
        Fixture f;
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3, 0);
        book::addLine(f.db, tranNo, book::kRent, 700, -1);
        // A line on the bank breaks as it is written, after the header went in.
        f.db.execScript("CREATE TRIGGER BrokenLine BEFORE INSERT ON SubTransactions WHEN NEW.AccCode = "
                        + std::to_string(book::kBank) + " BEGIN SELECT RAISE(ABORT, 'the line breaks'); END;");
        auto form = f.form();
        // A new voucher whose second line breaks: the header goes in first, then the line fails.
        enter(*form, {row(book::kRent, 100, std::nullopt), row(book::kBank, std::nullopt, 100)});
        MessageRecorder boxes;
        click(*form, "SaveBttn");
        QCOMPARE(boxes.last().title, QStringLiteral("Database Error"));
        QCOMPARE(f.vouchers(), std::int64_t{1});
        QCOMPARE(book::count(f.db, "SubTransactions"), std::int64_t{1});
        QVERIFY(form->adding());
        QCOMPARE(form->lines()->lines()[1].accCode, std::optional<std::int64_t>{book::kBank});
        for (const char* name : {"SaveBttn", "AddBttn", "CancelBttn", "DelBttn", "RetBttn", "PostBttn", "CA"})
            QVERIFY2(child<QPushButton>(*form, name)->isEnabled(), name);
        QVERIFY(form->lines()->isEnabled());

        // The same while editing: the header keeps its old values, the lines their old rows.
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("changed"));
        enter(*form, {row(book::kRent, 100, std::nullopt), row(book::kBank, std::nullopt, 100)});
        boxes.clear();
        click(*form, "SaveBttn");
        QCOMPARE(boxes.last().title, QStringLiteral("Database Error"));
        QCOMPARE(f.column(tranNo, "Desc"), std::string("voucher 3"));
        QCOMPARE(f.db.scalar("SELECT Debit FROM SubTransactions WHERE TranNo = ?", {tranNo}).toInt(), 700);
        QVERIFY(!form->adding());

        // Mended, the same screen saves.
        enterBalanced(*form, 100);
        boxes.clear();
        click(*form, "SaveBttn");
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(f.column(tranNo, "Desc"), std::string("changed"));
    }

    // A line's account deleted in the chart while the voucher is typed: the
    // save (or the save before a print) names the line and the account, as
    // the grid shows them, and writes nothing, new voucher or stored one.
    void aLineWhoseAccountWasDeletedIsNamedAndNothingIsWritten_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("stored");
        QTest::newRow("Save, new") << "SaveBttn" << false;
        QTest::newRow("Print, new") << "PrintBill" << false;
        QTest::newRow("Save, stored") << "SaveBttn" << true;
        QTest::newRow("Print, stored") << "PrintBill" << true;
    }
    void aLineWhoseAccountWasDeletedIsNamedAndNothingIsWritten()
    {
        QFETCH(QString, button);
        QFETCH(bool, stored);
        Fixture f;
        if (stored) {
            const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3);
            book::addLine(f.db, tranNo, book::kRent, 2500, -1);
            book::addLine(f.db, tranNo, book::kCash, -1, 2500);
        }
        auto form = f.form();
        if (stored)
            form->EditingRecord(static_cast<std::int32_t>(lastTranNo(f)));
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("changed"));
        enter(*form, {row(book::kRent, 2500, std::nullopt), row(book::kBank, std::nullopt, 2500, "to the bank")});
        f.db.exec("DELETE FROM AccLevel3 WHERE AccCode = ?", {book::kBank});   // gone behind the form
        const auto headers = book::count(f.db, "Transactions");
        const auto lines = book::count(f.db, "SubTransactions");
        MessageRecorder boxes;
        click(*form, button.toLatin1().constData());

        QCOMPARE(boxes.boxes().size(), std::size_t(1));
        QCOMPARE(boxes.last().title, QStringLiteral("Select Account"));
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Line 2 has the account %1 name, which is no longer in the chart.").arg(book::kBank));
        QCOMPARE(book::count(f.db, "Transactions"), headers);
        QCOMPARE(book::count(f.db, "SubTransactions"), lines);
        QCOMPARE(book::count(f.db, "Transactions", "\"Desc\" = 'changed'"), std::int64_t{0});
        QCOMPARE(form->lines()->grid()->currentRow(), 1);
        QCOMPARE(form->adding(), !stored);
        QVERIFY(!child<QTimer>(*form, "PrintTimer")->isActive());
        for (const char* name : {"SaveBttn", "PrintBill", "CancelBttn", "CA"})
            QVERIFY2(child<QPushButton>(*form, name)->isEnabled(), name);
        QCOMPARE(form->lines()->lines()[1].accCode, std::optional<std::int64_t>{book::kBank});
    }

    void refusesToSaveAVoucherDeletedInAnotherWindow()
    {
        Fixture f;
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        f.db.exec("DELETE FROM Transactions WHERE TranNo = ?", {tranNo});
        enterBalanced(*form);
        MessageRecorder boxes;
        click(*form, "SaveBttn");
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Save"));
        QCOMPARE(f.vouchers(), std::int64_t{0});
        QCOMPARE(book::count(f.db, "SubTransactions"), std::int64_t{0});
        boxes.clear();
        click(*form, "DelBttn");
        QCOMPARE(boxes.last().text, QStringLiteral("There is no record to be deleted."));
    }

    void keepsTheJobOfAVoucherWhoseJobWasCompleted()
    {
        Fixture f;
        const auto done = book::addJob(f.db, 12, "Fit-out");
        const auto open = book::addJob(f.db, 15, "Roof");
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3, 0, done);
        f.db.exec("UPDATE Jobs SET Status = 1 WHERE JobID = ?", {done});
        auto form = f.form();
        auto* jobs = child<QComboBox>(*form, "JobList");
        QCOMPARE(jobs->count(), 1);
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        QCOMPARE(jobs->currentText(), QString());   // only open jobs are listed
        click(*form, "SaveBttn");
        QCOMPARE(f.column(tranNo, "JobID"), std::to_string(done));

        // Choosing an open job replaces it; clearing a typed job stores none.
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        jobs->setCurrentIndex(0);
        click(*form, "SaveBttn");
        QCOMPARE(f.column(tranNo, "JobID"), std::to_string(open));
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        QCOMPARE(jobs->currentText(), QStringLiteral("15 (Roof)"));
        jobs->setEditText(QString());
        click(*form, "SaveBttn");
        QCOMPARE(f.column(tranNo, "JobID"), std::string("0"));
    }

    void aReSavedVoucherKeepsItsJobAmongJobsOfOneText()
    {
        Fixture f;
        book::addJob(f.db, 15, "Roof");
        const auto second = book::addJob(f.db, 15, "Roof");
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3, 0, second);
        auto form = f.form();
        auto* jobs = child<QComboBox>(*form, "JobList");
        QCOMPARE(jobs->count(), 2);
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        QCOMPARE(jobs->currentIndex(), 1);
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("edited"));
        click(*form, "SaveBttn");
        QCOMPARE(f.column(tranNo, "JobID"), std::to_string(second));
        // Choosing the other job of that text moves it there, and counts as a change.
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        jobs->setCurrentIndex(0);
        click(*form, "SaveBttn");
        QCOMPARE(f.column(tranNo, "JobID"), std::to_string(jobs->itemData(0).toLongLong()));
    }

    void completedJobsLeaveTheJobListAndComeBackWhenReopened()
    {
        Fixture f;
        const auto job = book::addJob(f.db, 12, "Fit-out");
        book::addJob(f.db, 15, "Roof");
        const auto listed = [&] {
            auto form = f.form();
            auto* jobs = child<QComboBox>(*form, "JobList");
            QStringList texts;
            for (int i = 0; i < jobs->count(); ++i)
                texts << jobs->itemText(i);
            return texts;
        };
        QCOMPARE(listed(), (QStringList{"12 (Fit-out)", "15 (Roof)"}));
        f.db.exec("UPDATE Jobs SET Status = 1 WHERE JobID = ?", {job});
        QCOMPARE(listed(), QStringList{"15 (Roof)"});
        f.db.exec("UPDATE Jobs SET Status = 0 WHERE JobID = ?", {job});
        QCOMPARE(listed(), (QStringList{"12 (Fit-out)", "15 (Roof)"}));
    }

    void deleteRefusals_data()
    {
        QTest::addColumn<bool>("rightRefused");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("without the delete right") << true << false << "Not Allowed"
                                                  << "You do not have access to delete general journal vouchers.";
        QTest::newRow("while adding") << false << true << "No Record Found" << "Select a record to be deleted.";
    }
    void deleteRefusals()
    {
        QFETCH(bool, rightRefused);
        QFETCH(bool, adding);
        QFETCH(QString, title);
        QFETCH(QString, message);
        Fixture f(kClerk);
        f.t.refuse(kClerk, app::kindOfType(kJournal)->deleteRight(), rightRefused);
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3);
        auto form = f.form();
        if (!adding)
            form->EditingRecord(static_cast<std::int32_t>(tranNo));
        MessageRecorder boxes;
        click(*form, "DelBttn");
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, title);
        QCOMPARE(boxes.last().text, message);
        QCOMPARE(f.vouchers(), std::int64_t{1});
    }

    void deletesTheVoucherWithItsLinesAfterAsking()
    {
        Fixture f(kClerk);
        const auto low = book::addVoucher(f.db, kJournal, 1, 2);
        const auto top = book::addVoucher(f.db, kJournal, 1, 7);
        book::addLine(f.db, top, book::kRent, 100, -1);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(top));
        child<QLineEdit>(*form, "DocNo")->setText(QStringLiteral("9"));   // the question names the stored number

        MessageRecorder boxes;
        boxes.answer(forms::Answer::No);
        click(*form, "DelBttn");
        QCOMPARE(boxes.last().title, QStringLiteral("Delete Confirmation"));
        QCOMPARE(boxes.last().text, QStringLiteral("Are you sure, you want to delete this Voucher No. 7? Deleting "
                                                   "this voucher will remove all the ledger entries in accounts "
                                                   "relating to this transaction."));
        QVERIFY(!boxes.last().informationIcon);
        QCOMPARE(f.vouchers(), std::int64_t{2});
        QVERIFY(!form->adding());

        boxes.answer(forms::Answer::Yes);
        click(*form, "DelBttn");
        QCOMPARE(f.vouchers(), std::int64_t{1});
        QCOMPARE(book::count(f.db, "SubTransactions"), std::int64_t{0});
        QVERIFY(f.db.scalar("SELECT 1 FROM Transactions WHERE TranNo = ?", {low}).toInt() == 1);
        QVERIFY(form->adding());
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("3"));
    }

    void browsesByNumberAndStopsAtBothEnds()
    {
        Fixture f;
        book::addVoucher(f.db, kJournal, 1, 9);
        book::addVoucher(f.db, kJournal, 1, 2);
        book::addVoucher(f.db, kJournal, 1, 5);
        book::addVoucher(f.db, kJournal, 2, 4);   // another year
        book::addVoucher(f.db, 21, 1, 6);         // another kind
        auto form = f.form();
        struct Step { const char* button; const char* docNo; const char* message; };
        const Step steps[] = {
            {"NextBttn", "10", "You have aleady been on the last record."},   // adding: stays on the new voucher
            {"PrevBttn", "9", nullptr},   // from a new voucher: the highest
            {"NextBttn", "9", nullptr},   // the last stays on the last
            {"PrevBttn", "5", nullptr},
            {"PrevBttn", "2", nullptr},
            {"PrevBttn", "2", nullptr},   // the first stays on the first
            {"NextBttn", "5", nullptr},
        };
        for (const auto& s : steps) {
            MessageRecorder boxes;
            click(*form, s.button);
            QCOMPARE(text(*form, "DocNo"), QString::fromUtf8(s.docNo));
            if (s.message) {
                QCOMPARE(boxes.last().title, QStringLiteral("Last Record"));
                QCOMPARE(boxes.last().text, QString::fromUtf8(s.message));
                QVERIFY(form->adding());
            } else {
                QVERIFY2(boxes.boxes().empty(), s.button);
                QVERIFY(!form->adding());
            }
        }
    }

    void browsingNeedsVouchersAndTheBrowseRight()
    {
        Fixture f(kClerk);
        f.t.refuse(kClerk, app::kindOfType(kJournal)->browseRight());
        auto empty = f.form(37);
        MessageRecorder boxes;
        for (const char* b : {"PrevBttn", "NextBttn", "RetBttn"})
            click(*empty, b);
        QVERIFY(boxes.boxes().empty());
        QVERIFY(empty->adding());

        auto form = f.form();
        enterBalanced(*form);
        click(*form, "SaveBttn");
        click(*form, "PrevBttn");
        QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
        QVERIFY(form->adding());
        boxes.clear();
        click(*form, "RetBttn");   // "Last" needs no right
        QVERIFY(boxes.boxes().empty());
        QCOMPARE(form->shownTranNo(), lastTranNo(f));
    }

    void lastWithNothingSavedSaysRecordNotFound()
    {
        Fixture f;
        book::addVoucher(f.db, kJournal, 1, 1);
        auto form = f.form();
        MessageRecorder boxes;
        click(*form, "RetBttn");
        QCOMPARE(boxes.last().title, QStringLiteral("Record Not Found"));
        QCOMPARE(boxes.last().text, QStringLiteral("Last saved record not found. You may have deleted it or you may "
                                                   "not have saved any record yet."));
        QVERIFY(form->adding());
    }

    void honoursTheHandOverAtLoad_data()
    {
        QTest::addColumn<QString>("handed");   // which voucher LedgerRef names
        QTest::addColumn<bool>("lOpen");
        QTest::addColumn<bool>("opens");
        QTest::newRow("a voucher of the kind") << "mine" << true << true;
        QTest::newRow("LOpen not set") << "mine" << false << false;
        QTest::newRow("another kind's voucher") << "other kind" << true << false;
        QTest::newRow("another year's voucher") << "other year" << true << false;
        QTest::newRow("nothing") << "none" << true << false;
    }
    void honoursTheHandOverAtLoad()
    {
        QFETCH(QString, handed);
        QFETCH(bool, lOpen);
        QFETCH(bool, opens);
        Fixture f;
        const std::map<QString, std::int64_t> tranNos = {{"mine", book::addVoucher(f.db, kJournal, 1, 3)},
                                                         {"other kind", book::addVoucher(f.db, 21, 1, 3)},
                                                         {"other year", book::addVoucher(f.db, kJournal, 2, 3)},
                                                         {"none", 0}};
        f.main->LedgerRef = static_cast<std::int32_t>(tranNos.at(handed));
        f.main->LOpen = lOpen;
        MessageRecorder boxes;
        auto form = f.form();
        QVERIFY(!f.main->LOpen);   // read once, found or not
        QCOMPARE(form->adding(), !opens);
        QCOMPARE(boxes.boxes().size(), std::size_t{lOpen && !opens ? 1u : 0u});
        if (opens) {
            QCOMPARE(form->shownTranNo(), tranNos.at("mine"));
            click(*form, "AddBttn");
            click(*form, "RetBttn");   // "Last" returns to the voucher handed over
            QCOMPARE(form->shownTranNo(), tranNos.at("mine"));
        } else {
            QCOMPARE(text(*form, "DocNo"), QStringLiteral("4"));
        }
    }

    void anOpenFormKeepsWhatTheUserTypesWhenALedgerLineIsOpened()
    {
        app::clearWindows();
        app::registerWindows();
        Fixture f;
        const auto saved = book::addVoucher(f.db, kJournal, 1, 3);
        f.main->openWindow(QStringLiteral("GeneralJournal"), false);
        auto* form = qobject_cast<VoucherForm*>(f.main->host().find(QStringLiteral("GeneralJournal")));
        QVERIFY(form);
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("being typed"));
        enterBalanced(*form, 900);

        ledgers::OpenVoucherFromLine(*f.main, kJournal, static_cast<std::int32_t>(saved));
        QCOMPARE(f.main->host().find(QStringLiteral("GeneralJournal")), static_cast<QWidget*>(form));
        QVERIFY(form->adding());
        QCOMPARE(text(*form, "Desc"), QStringLiteral("being typed"));
        QCOMPARE(text(*form, "DTot"), QStringLiteral("9.00"));

        // No hand-over is left for another voucher form, neither while that
        // form stays open nor once it is closed: each opens on a new voucher
        // without a word.
        MessageRecorder boxes;
        const auto opensNew = [&](const char* name) {
            f.main->openWindow(QString::fromLatin1(name), false);
            auto* next = qobject_cast<VoucherForm*>(f.main->host().find(QString::fromLatin1(name)));
            return next && next->adding() && boxes.boxes().empty() && !f.main->LOpen;
        };
        QVERIFY(opensNew("PurchaseVoucher"));
        ledgers::OpenVoucherFromLine(*f.main, kJournal, static_cast<std::int32_t>(saved));
        QPointer<VoucherForm> closing{form};
        form->parentWidget()->close();   // its frame, as the user closes it
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!closing);
        QVERIFY(opensNew("SaleVoucher"));

        f.main->host().closeAll();
        app::clearWindows();
    }

    void opensAVoucherAllOrNothing()
    {
        Fixture f;
        const auto mine = book::addVoucher(f.db, kJournal, 1, 3);
        const auto other = book::addVoucher(f.db, 21, 1, 8);
        auto form = f.form();
        f.main->LedgerRef = static_cast<std::int32_t>(mine);
        f.main->LOpen = true;
        form->EditingRecord(static_cast<std::int32_t>(mine));   // as a search window calls it
        QVERIFY(!f.main->LOpen);
        QCOMPARE(form->shownTranNo(), mine);
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("typed"));

        MessageRecorder boxes;
        form->EditingRecord(static_cast<std::int32_t>(other));
        QCOMPARE(boxes.last().title, QStringLiteral("Record Not Found"));
        QCOMPARE(form->shownTranNo(), mine);
        QCOMPARE(text(*form, "Desc"), QStringLiteral("typed"));
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("3"));
    }

    void cancelReloadsTheFormsOwnVoucher()
    {
        Fixture f;
        const auto mine = book::addVoucher(f.db, kJournal, 1, 3);
        book::addLine(f.db, mine, book::kRent, 500, -1);
        const auto other = book::addVoucher(f.db, kJournal, 1, 4);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(mine));
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("typed"));
        enterBalanced(*form);
        // Another window hands a different voucher over, or unloads and clears LedgerRef.
        for (const std::int32_t ref : {static_cast<std::int32_t>(other), 0}) {
            f.main->LedgerRef = ref;
            click(*form, "CancelBttn");
            QCOMPARE(form->shownTranNo(), mine);
            QCOMPARE(text(*form, "Desc"), QStringLiteral("voucher 3"));
            QCOMPARE(text(*form, "DTot"), QStringLiteral("5.00"));
            QCOMPARE(form->lines()->lines()[1].accCode, std::nullopt);
        }
    }

    void newWhileAddingIsRefusedAndWhileEditingDropsTheChanges()
    {
        Fixture f;
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3);
        auto form = f.form();
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("typed"));
        MessageRecorder boxes;
        click(*form, "AddBttn");
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Add"));
        QCOMPARE(boxes.last().text, QStringLiteral("You have already been adding a new record. To clear the "
                                                   "changes, click on CANCEL button."));
        QCOMPARE(text(*form, "Desc"), QStringLiteral("typed"));
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("typed"));
        click(*form, "AddBttn");
        QVERIFY(form->adding());
        QCOMPARE(text(*form, "Desc"), QString());
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("4"));
    }

    void showsTheDifferenceAndTheWordsOfTheDebits()
    {
        Fixture f;
        auto form = f.form();
        enter(*form, {row(book::kRent, 15000, std::nullopt), row(book::kCash, std::nullopt, 10000)});
        QCOMPARE(text(*form, "DTot"), QStringLiteral("150.00"));
        QCOMPARE(text(*form, "CTot"), QStringLiteral("100.00"));
        QCOMPARE(text(*form, "DiffLbl"), QStringLiteral("There is a difference of Rs. 50.00 in totals."));
        QCOMPARE(text(*form, "AmtWords"), QStringLiteral("Rupees one hundred fifty and 00/100 only."));
        // Deleting a grid row keeps the full set of rows and recomputes the totals.
        auto* grid = form->lines()->grid();
        grid->setCurrentCell(0, 0);
        grid->selectRow(0);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(form->lines()->lines().size(), vouchers::kVoucherRows);
        QCOMPARE(text(*form, "DTot"), QStringLiteral("0.00"));
        QCOMPARE(text(*form, "AmtWords"), QStringLiteral("Rupees zero and 00/100 only."));
    }

    void ctrlSSavesOnceFromAnyControlButNotWhileDisabled()
    {
        Fixture f;
        auto form = f.form();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));

        auto* desc = child<QLineEdit>(*form, "Desc");
        desc->setFocus();
        QTest::keyClick(desc, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.vouchers(), std::int64_t{1});

        // From a grid cell being typed into: the typed amount counts, and one voucher is saved.
        enter(*form, {row(book::kRent, std::nullopt, std::nullopt), row(book::kCash, std::nullopt, 700)});
        auto* grid = form->lines()->grid();
        grid->setFocus();
        grid->setCurrentCell(0, 3);
        QVERIFY(grid->editCurrentCell());
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid);
        QTest::keyClicks(editor, QStringLiteral("7"));
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.vouchers(), std::int64_t{2});
        QCOMPARE(f.column(lastTranNo(f), "TrAmount"), std::string("700"));

        // While the buttons are disabled (as during a write) Ctrl+S does nothing.
        child<QPushButton>(*form, "SaveBttn")->setEnabled(false);
        desc->setFocus();
        QTest::keyClick(desc, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.vouchers(), std::int64_t{2});
    }

    void serialNumberBoxTakesTenDigitsOnly()
    {
        Fixture f;
        auto form = f.form();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* docNo = child<QLineEdit>(*form, "DocNo");
        docNo->setFocus();
        docNo->selectAll();
        QTest::keyClicks(docNo, QStringLiteral("12a-3.4 e56789012"));
        QCOMPARE(docNo->text(), QStringLiteral("1234567890"));
    }

    void printsANewVoucherAfterItsSaveWithTheKindsLayout_data()
    {
        QTest::addColumn<bool>("descriptions");
        QTest::newRow("Voucher1") << true;
        QTest::newRow("Voucher2") << false;
    }
    void printsANewVoucherAfterItsSaveWithTheKindsLayout()
    {
        QFETCH(bool, descriptions);
        Fixture f;
        f.main->GJVType = descriptions;
        f.main->UName = QStringLiteral("Ali");
        auto form = f.form();
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("March rent"));
        enter(*form, {row(book::kCash, std::nullopt, 2500, "paid"), row(book::kRent, 2500, std::nullopt, "rent")});
        click(*form, "PrintBill");
        QCOMPARE(f.vouchers(), std::int64_t{1});
        // Saved; the form waits for the timer with its buttons disabled.
        QVERIFY(child<QTimer>(*form, "PrintTimer")->isActive());
        QCOMPARE(child<QTimer>(*form, "PrintTimer")->interval(), 1000);
        QVERIFY(!child<QPushButton>(*form, "PrintBill")->isEnabled());
        QVERIFY(!child<QPushButton>(*form, "SaveBttn")->isEnabled());

        const QStringList printed = runPrintTimer(*form);
        QCOMPARE(f.main->DocType, kJournal);
        QVERIFY(printed.contains("GENERAL JOURNAL VOUCHER"));
        QVERIFY(printed.contains("March rent"));
        QVERIFY(printed.contains("Rupees twenty-five and 00/100 only."));
        QVERIFY(printed.contains("Ali"));
        QCOMPARE(printed.contains("rent"), descriptions);
        QCOMPARE(printed.contains("paid"), descriptions);
        QVERIFY(printed.indexOf("60101001") < printed.indexOf("10101001"));   // the debit first

        // A new voucher with the next number, ready once the report is shown.
        QVERIFY(!child<QTimer>(*form, "PrintTimer")->isActive());
        QVERIFY(form->adding());
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("2"));
        QVERIFY(child<QPushButton>(*form, "PrintBill")->isEnabled());
        printed::closeAll();
        QVERIFY(!f.main->VoucherRst.isOpen());
    }

    void aVoucherHandedOverDuringThePrintWaitStaysAfterThePrint()
    {
        Fixture f;
        const auto handed = book::addVoucher(f.db, kJournal, 1, 7);
        auto form = f.form();
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("the saved one"));
        enterBalanced(*form);
        click(*form, "PrintBill");
        QVERIFY(child<QTimer>(*form, "PrintTimer")->isActive());
        form->EditingRecord(static_cast<std::int32_t>(handed));   // as a search window hands it over

        const QStringList printed = runPrintTimer(*form);
        QVERIFY(printed.contains("the saved one"));   // the timer prints the voucher it was started for
        QVERIFY(!printed.contains("voucher 7"));
        QVERIFY(!form->adding());
        QCOMPARE(form->shownTranNo(), handed);
        QCOMPARE(text(*form, "DocNo"), QStringLiteral("7"));
        QVERIFY(child<QPushButton>(*form, "SaveBttn")->isEnabled());
        QVERIFY(form->lines()->isEnabled());

        // The next print goes back to preparing a new voucher.
        printed::closeAll();
        click(*form, "PrintBill");
        runPrintTimer(*form);
        QVERIFY(form->adding());
    }

    void printsNothingWhenTheSaveIsRefused()
    {
        Fixture f;
        auto form = f.form();
        enter(*form, {row(book::kRent, 2500, std::nullopt), row(book::kCash, std::nullopt, 2400)});
        MessageRecorder boxes;
        click(*form, "PrintBill");
        QCOMPARE(boxes.last().text, QStringLiteral("Totals of debits and credits must be equal."));
        QCOMPARE(f.vouchers(), std::int64_t{0});
        QVERIFY(!child<QTimer>(*form, "PrintTimer")->isActive());
        QVERIFY(child<QPushButton>(*form, "PrintBill")->isEnabled());
        QCOMPARE(text(*form, "DTot"), QStringLiteral("25.00"));
    }

    void printsAnUntouchedSavedVoucherAsStored()
    {
        Fixture f(kClerk, false);
        f.t.refuse(kClerk, app::kindOfType(kJournal)->postRight());
        const auto done = book::addJob(f.db, 12, "Fit-out");
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3, 1, done);
        book::addLine(f.db, tranNo, book::kRent, 700, -1);
        book::addLine(f.db, tranNo, book::kCash, -1, 700);
        f.db.exec("UPDATE Jobs SET Status = 1 WHERE JobID = ?", {done});
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        QVERIFY(!child<QPushButton>(*form, "PostBttn")->isEnabled());

        MessageRecorder boxes;
        click(*form, "PrintBill");
        QVERIFY(boxes.boxes().empty());   // no question about posting again
        const QStringList printed = runPrintTimer(*form);
        QVERIFY(printed.contains("POSTED"));
        QVERIFY(printed.contains("voucher 3"));
        QCOMPARE(f.column(tranNo, "Posted"), std::string("1"));
        QCOMPARE(f.column(tranNo, "JobID"), std::to_string(done));
        QCOMPARE(f.column(tranNo, "UserEdited"), std::string("1"));
        QCOMPARE(f.column(tranNo, "TimeEdited"), std::string("2026-12-01 10:00:00"));
        QVERIFY(form->adding());
    }

    void asksBeforePrintingAnEditedPostedVoucher_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes saves un-posted and prints") << int(forms::Answer::Yes);
        QTest::newRow("No reloads and prints nothing") << int(forms::Answer::No);
    }
    void asksBeforePrintingAnEditedPostedVoucher()
    {
        QFETCH(int, answer);
        const bool yes = answer == int(forms::Answer::Yes);
        Fixture f(kClerk, false);
        f.t.refuse(kClerk, app::kindOfType(kJournal)->postRight());
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3, 1);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        child<QLineEdit>(*form, "Desc")->setText(QStringLiteral("changed"));

        MessageRecorder boxes;
        boxes.answer(forms::Answer(answer));
        click(*form, "PrintBill");
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Save Confirmation"));
        const QStringList printed = runPrintTimer(*form);
        if (yes) {
            QCOMPARE(f.column(tranNo, "Desc"), std::string("changed"));
            QCOMPARE(f.column(tranNo, "Posted"), std::string("0"));
            QVERIFY(printed.contains("changed"));
            QVERIFY(!printed.contains("POSTED"));
            QVERIFY(form->adding());
        } else {
            QVERIFY(printed.isEmpty());
            QCOMPARE(f.column(tranNo, "Desc"), std::string("voucher 3"));
            QVERIFY(!form->adding());
            QCOMPARE(text(*form, "Desc"), QStringLiteral("voucher 3"));
            QVERIFY(child<QCheckBox>(*form, "PostOpt")->isChecked());
            QVERIFY(child<QPushButton>(*form, "PrintBill")->isEnabled());
        }
    }

    void printsTwiceInARowWithEitherLayout()
    {
        Fixture f;
        const auto first = book::addVoucher(f.db, kJournal, 1, 3);
        const auto second = book::addVoucher(f.db, kJournal, 1, 4);
        auto form = f.form();
        for (const bool descriptions : {true, false, true}) {
            f.main->GJVType = descriptions;
            for (const auto tranNo : {first, second}) {
                form->EditingRecord(static_cast<std::int32_t>(tranNo));
                click(*form, "PrintBill");
                const QStringList printed = runPrintTimer(*form);
                QVERIFY(printed.contains(QStringLiteral("voucher %1").arg(tranNo == first ? 3 : 4)));
                printed::closeAll();
                QVERIFY(!f.main->VoucherRst.isOpen());
            }
        }
    }

    void tellsWhenThePrintDataCannotBeOpenedAndStaysUsable()
    {
        Fixture f;
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        f.db.execScript("ALTER TABLE SubTransactions RENAME TO SubTransactionsGone;");
        MessageRecorder boxes;
        click(*form, "PrintBill");
        QVERIFY(runPrintTimer(*form).isEmpty());
        QCOMPARE(boxes.last().title, QStringLiteral("Database Error"));
        QVERIFY(!child<QTimer>(*form, "PrintTimer")->isActive());
        QVERIFY(!f.main->VoucherRst.isOpen());
        QVERIFY(form->adding());
        QVERIFY(child<QPushButton>(*form, "PrintBill")->isEnabled());
        QVERIFY(child<QPushButton>(*form, "SaveBttn")->isEnabled());
    }

    void printingAVoucherDeletedMeanwhileSaysSo()
    {
        Fixture f;
        const auto tranNo = book::addVoucher(f.db, kJournal, 1, 3);
        auto form = f.form();
        form->EditingRecord(static_cast<std::int32_t>(tranNo));
        f.db.exec("DELETE FROM Transactions WHERE TranNo = ?", {tranNo});   // by another user
        MessageRecorder boxes;
        click(*form, "PrintBill");
        QVERIFY(runPrintTimer(*form).isEmpty());
        QVERIFY(!printed::openPreview());
        QCOMPARE(boxes.last().title, QStringLiteral("Nothing to Print"));
        QVERIFY(!f.main->VoucherRst.isOpen());
        QVERIFY(form->adding());
        QVERIFY(child<QPushButton>(*form, "PrintBill")->isEnabled());
    }

    void unloadingClearsLedgerRef()
    {
        Fixture f;
        auto form = f.form();
        f.main->LedgerRef = 12;
        form->close();
        QCOMPARE(f.main->LedgerRef, 0);
    }
};

WINDOW_TEST_MAIN(VoucherFormTest)
#include "voucher_form_test.moc"
