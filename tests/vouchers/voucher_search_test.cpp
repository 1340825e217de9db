// The voucher search windows on a delivered database: opening from the voucher
// form's "Find" with the kind's year listed, the criteria and their checks,
// sorting from the headers, and opening the chosen voucher in the form.
#include "vouchers/voucher_search.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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
#include "vouchers/voucher_form.h"

using testing_support::child;
using testing_support::MessageRecorder;
using testing_support::TestDatabase;
using vouchers::VoucherForm;
using vouchers::VoucherSearch;

namespace {

constexpr int kJournal = 41;
constexpr int kClerk = 3;
const QDate kToday{2026, 12, 10};

using Numbers = QList<qlonglong>;

// A signed-in main window with the journal vouchers 1 to 6 of year 1 (TranNo
// in the order added, so not in number order) and vouchers of another kind
// and year that must never be listed.
struct Fixture {
    MessageRecorder unexpected;
    TestDatabase t;
    platform::Database& db = t.db();
    std::unique_ptr<app::Parent> main;

    explicit Fixture(int user = 1)
    {
        book::addChartAndYear(db);
        if (user != 1)
            t.addUser(user, "clerk", "");
        const book::VoucherRow rows[] = {
            {3, "2026-12-10", "Office rent 50% advance", 15000, 1, 0},
            {1, "2026-12-10", "Office rent December", 15000, 0, 1},
            {2, "2026-07-01", "it's the bill_no 7", 9950, 0, 0},
            {5, "2026-12-09", "Paid 50 in advance", 15000, 1, 1},
            {4, "2026-12-11", "Billxno 7", 100, 0, 0},
            {6, "2027-06-30", nullptr, 0, 0, 0, kJournal, 1, 0, 0},
            {7, "2026-12-10", "Office rent December", 15000, 0, 0, 21},
            {8, "2027-07-10", "Office rent December", 15000, 0, 0, kJournal, 2},
        };
        for (const auto& v : rows)
            book::addVoucherRow(db, v);
        main = testing_support::signedInWindow(
            t.path(), {.user = user, .fyId = 1, .fyStart = QDate{2026, 7, 1}, .fyEnd = QDate{2027, 6, 30}});
        main->AccTimer_Timer();
    }
    ~Fixture() { main->host().closeAll(); }

    std::int64_t tranNoOf(std::int64_t docNo, int tranType = kJournal)
    {
        return db.scalar("SELECT TranNo FROM Transactions WHERE TranType = ? AND FYID = 1 AND DocNo = ?",
                         {tranType, docNo})
            .toInt();
    }

    // The kind's voucher form, opened from the menu's way, and its search window from "Find".
    VoucherForm* form(int tranType = kJournal)
    {
        auto* w = main->openWindow(QString::fromLatin1(app::kindOfType(tranType)->form), false);
        return qobject_cast<VoucherForm*>(w);
    }
    VoucherSearch* search(VoucherForm* form)
    {
        QPushButton* find = form->findChild<QPushButton*>(QStringLiteral("EditBttn"));
        if (!find || !find->isEnabled())
            return nullptr;
        find->click();
        return main->findChild<VoucherSearch*>();
    }

    Numbers listed(const VoucherSearch& s)
    {
        Numbers n;
        platform::Statement docNo(db, "SELECT DocNo FROM Transactions WHERE TranNo = ?");
        for (const std::int64_t tranNo : s.listedTranNos()) {
            docNo.reset();
            docNo.bind(1, tranNo);
            n << (docNo.step() ? docNo.columnInt64(0) : -1);
        }
        return n;
    }
};

QString text(const QWidget& w, const char* name)
{
    return child<QLineEdit>(w, name)->text();
}

void tick(VoucherSearch& s, int index, bool on = true)
{
    child<QCheckBox>(s, ("SelectOpt" + std::to_string(index)).c_str())->setChecked(on);
}

forms::DataGrid* grid(VoucherSearch& s)
{
    return child<forms::DataGrid>(s, "TranGrid");
}

} // namespace

class VoucherSearchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        shell::setScreenWidthTwips(20000);
        shell::setToday(kToday);
        forms::WindowHost::setModalNonBlocking(true);
        app::clearWindows();
        app::registerWindows();
    }

    void opensFromFindWithTheKindsVouchersOfTheYear_data()
    {
        QTest::addColumn<int>("tranType");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("window");
        const struct { int type; const char* caption; const char* heading; const char* window; } kinds[] = {
            {41, "Find Genral Journal", "General Journal Vouchers", "FindGJV"},
            {21, "Find Purchase Voucher", "Purchase Vouchers", "FindPV"},
            {25, "Find Purchase Return Voucher", "Purchase Return Vouchers", "FindPRV"},
            {31, "Find Sale Voucher", "Sale Vouchers", "FindSV"},
            {35, "Find Sale Return Voucher", "Sale Return Vouchers", "FindSRV"},
            {28, "Find Bank Payment Voucher", "Bank Payment Vouchers", "FindBPV"},
            {38, "Find Bank Receipt Voucher", "Bank Receipt Vouchers", "FindBRV"},
            {27, "Find Cash Payment Voucher", "Cash Payment Vouchers", "FindCPV"},
            {37, "Find Cash Receipt Voucher", "Cash Receipt Vouchers", "FindCRV"},
        };
        for (const auto& k : kinds)
            QTest::newRow(k.window) << k.type << QString::fromUtf8(k.caption) << QString::fromUtf8(k.heading)
                                    << QString::fromUtf8(k.window);
    }
    void opensFromFindWithTheKindsVouchersOfTheYear()
    {
        QFETCH(int, tranType);
        QFETCH(QString, caption);
        QFETCH(QString, heading);
        QFETCH(QString, window);
        Fixture f;
        // Two of this kind in year 1, whatever their flags; one in year 2; one of another kind.
        const int other = tranType == 21 ? 25 : 21;
        for (const book::VoucherRow& v : std::initializer_list<book::VoucherRow>{
                 {12, "2026-08-01", "late", 0, 1, 1, tranType}, {11, "2026-08-02", "early", 0, 0, 0, tranType},
                 {13, "2027-08-01", "next year", 0, 0, 0, tranType, 2}, {14, "2026-08-01", "other", 0, 0, 0, other}})
            book::addVoucherRow(f.db, v);
        VoucherSearch* s = f.search(f.form(tranType));
        QVERIFY(s);
        QCOMPARE(s->objectName(), window);
        QCOMPARE(s->windowTitle(), caption);
        QCOMPARE(child<QLabel>(*s, "Label2")->text(), heading);
        QVERIFY(s->isModal());
        const Numbers expected = tranType == kJournal ? Numbers{1, 2, 3, 4, 5, 6, 11, 12}
                                 : tranType == 21     ? Numbers{7, 11, 12}   // the fixture's purchase
                                                      : Numbers{11, 12};
        QCOMPARE(f.listed(*s), expected);
        s->close();
    }

    void startsWithNoCriterionAndTheDefaultsEveryTime()
    {
        Fixture f;
        VoucherForm* form = f.form();
        for (int opening = 0; opening < 2; ++opening) {
            VoucherSearch* s = f.search(form);
            QVERIFY(s);
            QCOMPARE(f.listed(*s), (Numbers{1, 2, 3, 4, 5, 6}));
            for (int i = 0; i < 6; ++i)
                QVERIFY(!child<QCheckBox>(*s, ("SelectOpt" + std::to_string(i)).c_str())->isChecked());
            for (const char* input : {"VoucherNo", "Dt0", "Dt1", "Desc", "PostList", "CancelList", "AmtBox"})
                QVERIFY2(!child(*s, input)->isEnabled(), input);
            QCOMPARE(child<QDateEdit>(*s, "Dt0")->date(), kToday);
            QCOMPARE(child<QDateEdit>(*s, "Dt1")->date(), kToday);
            QCOMPARE(child<QComboBox>(*s, "PostList")->currentText(), QStringLiteral("Un-Posted"));
            QCOMPARE(child<QComboBox>(*s, "CancelList")->currentText(), QStringLiteral("Cancelled"));
            QCOMPARE(child<QPushButton>(*s, "FindBttn")->text(), QStringLiteral("FInd"));
            // The first row is current: its users and times are shown.
            QCOMPARE(text(*s, "TranNo"), QString::number(f.tranNoOf(1)));
            QCOMPARE(text(*s, "ChqBank"), QStringLiteral("Administrator"));
            QCOMPARE(text(*s, "Text2"), QStringLiteral("01-12-2026 10:00:00"));
            QCOMPARE(text(*s, "Text1"), QStringLiteral("Administrator"));
            QCOMPARE(text(*s, "Text3"), QStringLiteral("02-12-2026 11:30:00"));

            // Narrow the list for the next opening to forget.
            tick(*s, 0);
            QVERIFY(child(*s, "VoucherNo")->isEnabled());
            child<QLineEdit>(*s, "VoucherNo")->setText(QStringLiteral("2"));
            tick(*s, 1);
            QVERIFY(child(*s, "Dt0")->isEnabled() && child(*s, "Dt1")->isEnabled());
            child<QComboBox>(*s, "PostList")->setCurrentIndex(0);
            s->FindBttn_Click();
            QCOMPARE(f.listed(*s), Numbers{});   // 2 is not dated today
            tick(*s, 0, false);
            QVERIFY(!child(*s, "VoucherNo")->isEnabled());
            QCOMPARE(f.listed(*s), Numbers{});   // not requeried until "FInd"
            s->close();
            QTest::qWait(0);
        }
    }

    void showsTheGridColumnsAsFormatted()
    {
        Fixture f;
        VoucherSearch* s = f.search(f.form());
        QVERIFY(s);
        const QStringList captions{"   Voucher No.", "      Date", "Description", "        Amount",
                                   "         Posted", "         Status"};
        auto* model = grid(*s)->model();
        QCOMPARE(model->columnCount(), 6);
        for (int c = 0; c < 6; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), captions[c]);
        QCOMPARE(grid(*s)->text(0, 0), QStringLiteral("1"));
        QCOMPARE(grid(*s)->text(0, 1), QStringLiteral("10-12-2026"));
        QCOMPARE(grid(*s)->text(0, 2), QStringLiteral("Office rent December"));
        QCOMPARE(grid(*s)->text(0, 3), QStringLiteral("150.00"));
        QCOMPARE(grid(*s)->text(0, 4), QString());
        QCOMPARE(grid(*s)->text(0, 5), QStringLiteral("Cancelled"));
        QCOMPARE(grid(*s)->text(2, 4), QStringLiteral("Posted"));
        QCOMPARE(grid(*s)->text(2, 5), QString());
        QCOMPARE(grid(*s)->text(1, 3), QStringLiteral("99.50"));
        // A voucher without users or description is listed with empty boxes.
        grid(*s)->setCurrentCell(5, 0);
        QCOMPARE(grid(*s)->text(5, 2), QString());
        QCOMPARE(text(*s, "ChqBank"), QString());
        QCOMPARE(text(*s, "Text1"), QString());
        QCOMPARE(text(*s, "TranNo"), QString::number(f.tranNoOf(6)));
    }

    void findsByTheTickedCriteriaTogether_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QString>("docNo");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("desc");
        QTest::addColumn<int>("postIndex");
        QTest::addColumn<int>("cancelIndex");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<Numbers>("expected");
        const QDate t = kToday;
        // Indexes: PostList 0 "Posted", 1 "Un-Posted" (default); CancelList 0 "Valid", 1 "Cancelled" (default).
        QTest::newRow("none ticked") << QList<int>{} << "" << t << t << "" << 1 << 1 << "" << Numbers{1, 2, 3, 4, 5, 6};
        QTest::newRow("number") << QList<int>{0} << "4" << t << t << "" << 1 << 1 << "" << Numbers{4};
        QTest::newRow("number 007") << QList<int>{0} << "005" << t << t << "" << 1 << 1 << "" << Numbers{5};
        QTest::newRow("one day, today") << QList<int>{1} << "" << t << t << "" << 1 << 1 << "" << Numbers{1, 3};
        QTest::newRow("both days included") << QList<int>{1} << "" << t.addDays(-1) << t.addDays(1) << "" << 1 << 1
                                            << "" << Numbers{1, 3, 4, 5};
        QTest::newRow("description") << QList<int>{2} << "" << t << t << "RENT" << 1 << 1 << "" << Numbers{1, 3};
        QTest::newRow("literal percent") << QList<int>{2} << "" << t << t << "50%" << 1 << 1 << "" << Numbers{3};
        QTest::newRow("literal underscore") << QList<int>{2} << "" << t << t << "_no" << 1 << 1 << "" << Numbers{2};
        QTest::newRow("a quote") << QList<int>{2} << "" << t << t << "it's" << 1 << 1 << "" << Numbers{2};
        QTest::newRow("posted status as it opens: un-posted") << QList<int>{3} << "" << t << t << "" << 1 << 1 << ""
                                                              << Numbers{1, 2, 4, 6};
        QTest::newRow("posted") << QList<int>{3} << "" << t << t << "" << 0 << 1 << "" << Numbers{3, 5};
        QTest::newRow("cancel status as it opens: cancelled") << QList<int>{4} << "" << t << t << "" << 1 << 1 << ""
                                                              << Numbers{1, 5};
        QTest::newRow("valid") << QList<int>{4} << "" << t << t << "" << 1 << 0 << "" << Numbers{2, 3, 4, 6};
        QTest::newRow("amount 150") << QList<int>{5} << "" << t << t << "" << 1 << 1 << "150" << Numbers{1, 3, 5};
        QTest::newRow("amount 99.5") << QList<int>{5} << "" << t << t << "" << 1 << 1 << "99.5" << Numbers{2};
        QTest::newRow("all six") << QList<int>{0, 1, 2, 3, 4, 5} << "3" << t << t << "rent" << 0 << 0 << "150.00"
                                 << Numbers{3};
        QTest::newRow("period, posted and valid") << QList<int>{1, 3, 4} << "" << t.addDays(-1) << t << "" << 0 << 0
                                                  << "" << Numbers{3};
        QTest::newRow("matching nothing") << QList<int>{2, 5} << "" << t << t << "rent" << 1 << 1 << "1"
                                          << Numbers{};
    }
    void findsByTheTickedCriteriaTogether()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QString, docNo);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, desc);
        QFETCH(int, postIndex);
        QFETCH(int, cancelIndex);
        QFETCH(QString, amount);
        QFETCH(Numbers, expected);
        Fixture f;
        MessageRecorder boxes;
        VoucherSearch s(*f.main, *app::kindOfType(kJournal));
        for (int i : ticked)
            tick(s, i);
        child<QLineEdit>(s, "VoucherNo")->setText(docNo);
        child<QDateEdit>(s, "Dt0")->setDate(from);
        child<QDateEdit>(s, "Dt1")->setDate(to);
        child<QLineEdit>(s, "Desc")->setText(desc);
        child<QComboBox>(s, "PostList")->setCurrentIndex(postIndex);
        child<QComboBox>(s, "CancelList")->setCurrentIndex(cancelIndex);
        child<QLineEdit>(s, "AmtBox")->setText(amount);
        child<QPushButton>(s, "FindBttn")->click();
        QCOMPARE(boxes.boxes().size(), std::size_t{0});   // an empty result is told by the empty list only
        QCOMPARE(f.listed(s), expected);
        QCOMPARE(text(s, "TranNo"), expected.isEmpty() ? QString() : QString::number(f.tranNoOf(expected.front())));
    }

    void refusesInTheOrderOfTheChecksAndFocusesTheBox_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QString>("docNo");
        QTest::addColumn<QString>("desc");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString number = QStringLiteral("Give correct voucher no. to find.");
        const QString part = QStringLiteral("Give a part of description to find.");
        const QString numeric = QStringLiteral("Give amount in numeric to find.");
        QTest::newRow("empty number") << QList<int>{0} << "" << "" << "" << number << "VoucherNo";
        QTest::newRow("number 1e3, with every other check failing too")
            << QList<int>{0, 2, 5} << "1e3" << "" << "x" << number << "VoucherNo";
        QTest::newRow("empty description before a bad amount") << QList<int>{2, 5} << "" << "" << "x" << part << "Desc";
        QTest::newRow("amount 1,000") << QList<int>{5} << "" << "" << "1,000" << numeric << "AmtBox";
        QTest::newRow("amount 150.005") << QList<int>{5} << "" << "" << "150.005" << numeric << "AmtBox";
        QTest::newRow("empty amount") << QList<int>{0, 5} << "2" << "" << "" << numeric << "AmtBox";
    }
    void refusesInTheOrderOfTheChecksAndFocusesTheBox()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QString, docNo);
        QFETCH(QString, desc);
        QFETCH(QString, amount);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f;
        VoucherSearch s(*f.main, *app::kindOfType(kJournal));
        s.show();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        tick(s, 1);   // narrows to today's vouchers, if it were applied
        s.FindBttn_Click();
        QCOMPARE(f.listed(s), (Numbers{1, 3}));
        for (int i : ticked)
            tick(s, i);
        child<QLineEdit>(s, "VoucherNo")->setText(docNo);
        child<QLineEdit>(s, "Desc")->setText(desc);
        child<QLineEdit>(s, "AmtBox")->setText(amount);
        child<QPushButton>(s, "FindBttn")->setFocus();

        MessageRecorder boxes;
        s.FindBttn_Click();
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Cannot Find"));
        QCOMPARE(boxes.last().text, message);
        QVERIFY(boxes.last().informationIcon);
        QCOMPARE(QApplication::focusWidget(), child(s, focus.toUtf8().constData()));
        QCOMPARE(f.listed(s), (Numbers{1, 3}));   // the list stays as it was
    }

    void sortsByNumberOrDateFromTheHeadersOnly()
    {
        Fixture f;
        VoucherSearch s(*f.main, *app::kindOfType(kJournal));
        QHeaderView* header = grid(s)->horizontalHeader();
        const Numbers byNumber{1, 2, 3, 4, 5, 6};
        const Numbers byDate{2, 5, 1, 3, 4, 6};   // 1 and 3 share a day: by number
        emit header->sectionClicked(1);
        QCOMPARE(f.listed(s), byDate);
        QCOMPARE(text(s, "TranNo"), QString::number(f.tranNoOf(2)));   // the first row is current
        QCOMPARE(grid(s)->text(0, 1), QStringLiteral("01-07-2026"));
        for (int column : {2, 3, 4, 5}) {
            s.TranGrid_HeadClick(column);
            QCOMPARE(f.listed(s), byDate);
        }
        s.TranGrid_HeadClick(0);
        QCOMPARE(f.listed(s), byNumber);
        s.TranGrid_HeadClick(1);
        s.FindBttn_Click();   // "FInd" lists by number again
        QCOMPARE(f.listed(s), byNumber);
    }

    void opensTheChosenVoucherInTheFormAndCloses_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("double-click") << false;
        QTest::newRow("Enter") << true;
    }
    void opensTheChosenVoucherInTheFormAndCloses()
    {
        QFETCH(bool, byEnter);
        Fixture f;
        VoucherForm* form = f.form();
        QVERIFY(form->adding());
        VoucherSearch* s = f.search(form);
        QVERIFY(s);
        QVERIFY(QTest::qWaitForWindowExposed(s));
        QPointer<VoucherSearch> alive(s);
        auto* g = grid(*s);
        if (byEnter) {
            g->setCurrentCell(2, 0);
            g->setFocus();
            QTest::keyClick(g, Qt::Key_Return);
        } else {
            const QRect cell = g->visualRect(g->model()->index(2, 2));
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        }
        QVERIFY(!form->adding());
        QCOMPARE(form->shownTranNo(), f.tranNoOf(3));
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("DocNo"))->text(), QStringLiteral("3"));
        QCOMPARE(f.main->LedgerRef, static_cast<std::int32_t>(f.tranNoOf(3)));
        QVERIFY(!f.main->LOpen);
        QVERIFY(!alive || !alive->isVisible());
        QTRY_VERIFY(!alive);   // closed and released
    }

    void anEmptyListOpensNothing()
    {
        Fixture f;
        VoucherForm* form = f.form();
        VoucherSearch* s = f.search(form);
        QVERIFY(s);
        tick(*s, 0);
        child<QLineEdit>(*s, "VoucherNo")->setText(QStringLiteral("99"));
        s->FindBttn_Click();
        QCOMPARE(f.listed(*s), Numbers{});
        MessageRecorder boxes;
        s->TranGrid_DblClick();
        QChar enter(13);
        s->TranGrid_KeyPress(enter);
        QVERIFY(s->isVisible());
        QVERIFY(form->adding());
        QCOMPARE(boxes.boxes().size(), std::size_t{0});
        QVERIFY(!f.main->LOpen);
    }

    void anOperatorWithoutTheBrowseRightSeesTheListButOpensNothing()
    {
        Fixture f(kClerk);
        f.t.refuse(kClerk, app::kindOfType(kJournal)->browseRight());
        VoucherForm* form = f.form();
        VoucherSearch* s = f.search(form);
        QVERIFY(s);
        QCOMPARE(f.listed(*s), (Numbers{1, 2, 3, 4, 5, 6}));
        MessageRecorder boxes;
        s->TranGrid_DblClick();
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Not Allowed"));
        QVERIFY(boxes.last().text.startsWith(QStringLiteral("You do not have access to ")));
        QVERIFY(s->isVisible());
        QVERIFY(form->adding());
        QVERIFY(!f.main->LOpen);

        f.t.refuse(kClerk, app::kindOfType(kJournal)->browseRight(), false);   // read afresh at every check
        s->TranGrid_DblClick();
        QCOMPARE(form->shownTranNo(), f.tranNoOf(1));
    }
};

WINDOW_TEST_MAIN(VoucherSearchTest)
#include "voucher_search_test.moc"
