// Batch voucher printing: the default dates, the options, the selections with
// their refusals, one voucher a page in serial order, the kind's layout, and
// the menu entry with right 184.
#include "vouchers/print_vouchers.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "platform/shell/environment.h"
#include "tests/support/message_recorder.h"
#include "tests/support/test_database.h"
#include "tests/support/window_test_main.h"
#include "tests/vouchers/book.h"
#include "tests/vouchers/printed.h"

using testing_support::MessageRecorder;
using testing_support::TestDatabase;
using vouchers::PrintVouchers;

namespace {

constexpr int kSale = 31;
constexpr int kJournal = 41;

template <typename T>
T* child(const QWidget& w, const QString& name)
{
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}

// A signed-in main window with sale vouchers 1 to 6 (all 2026-12-0n; 2 posted,
// 3 cancelled; 6 in the next year), journal 1, each with a debit to rent
// described "rent n" and its credit to cash.
struct Fixture {
    MessageRecorder unexpected;
    TestDatabase t;
    platform::Database& db = t.db();
    std::unique_ptr<app::Parent> main;

    Fixture()
    {
        book::addChartAndYear(db);
        for (const int docNo : {4, 1, 3, 2, 5})
            voucher(kSale, docNo, 1);
        voucher(kSale, 6, 2);
        voucher(kJournal, 1, 1);
        db.exec("UPDATE Transactions SET Posted = 1 WHERE TranType = ? AND DocNo = 2", {kSale});
        db.exec("UPDATE Transactions SET Cancel = 1 WHERE TranType = ? AND DocNo = 3", {kSale});
        main = printed::signedIn(t);
    }

    void voucher(int tranType, int docNo, int fyId)
    {
        const auto tranNo = book::addVoucher(db, tranType, fyId, docNo);
        db.exec("UPDATE Transactions SET TranDate = ? WHERE TranNo = ?",
                {"2026-12-0" + std::to_string(docNo), tranNo});
        book::addLine(db, tranNo, book::kRent, 100 * docNo, -1, "rent " + std::to_string(docNo));
        book::addLine(db, tranNo, book::kCash, -1, 100 * docNo);
    }
};

// The description of each printed page's voucher ("voucher 3"), and whether
// it is the only voucher on its page.
QStringList printedVouchers()
{
    QStringList out;
    for (const QStringList& page : printed::pages()) {
        const QStringList heads = page.filter(QRegularExpression(QStringLiteral("^voucher \\d+$")));
        out << (heads.size() == 1 ? heads.front() : QStringLiteral("%1 vouchers").arg(heads.size()));
    }
    return out;
}

void select(PrintVouchers& w, int selection)
{
    child<QRadioButton>(w, QStringLiteral("Selection%1").arg(selection))->click();
}

void print(PrintVouchers& w)
{
    printed::closeAll();
    child<QPushButton>(w, QStringLiteral("PreviewBttn"))->click();
}

} // namespace

class PrintVouchersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { printed::setUpSeams(); }
    void cleanup() { printed::closeAll(); }

    void startsOnTheDefaultPeriod_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("inside the year") << QDate(2026, 12, 10) << QDate(2026, 12, 10) << QDate(2026, 12, 10);
        QTest::newRow("its first day") << QDate(2026, 7, 1) << QDate(2026, 7, 1) << QDate(2026, 7, 1);
        QTest::newRow("its last day") << QDate(2027, 6, 30) << QDate(2027, 6, 30) << QDate(2027, 6, 30);
        QTest::newRow("before it") << QDate(2026, 6, 30) << QDate(2026, 7, 1) << QDate(2027, 6, 30);
        QTest::newRow("after it") << QDate(2027, 7, 1) << QDate(2026, 7, 1) << QDate(2027, 6, 30);
    }
    void startsOnTheDefaultPeriod()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        shell::setToday(today);
        MessageRecorder boxes;
        TestDatabase t;
        auto main = printed::signedIn(t);
        PrintVouchers w(*main);
        QCOMPARE(child<QDateEdit>(w, "DateFrom")->date(), from);
        QCOMPARE(child<QDateEdit>(w, "DateTo")->date(), to);
        shell::setToday(QDate(2026, 12, 10));
    }

    void startsOnPurchasesAndAllRecordsWithTheRangesDisabled()
    {
        MessageRecorder boxes;
        TestDatabase t;
        auto main = printed::signedIn(t);
        PrintVouchers w(*main);
        QCOMPARE(w.windowTitle(), QStringLiteral("Print Vouchers"));
        QCOMPARE(w.tranType(), 21);
        QVERIFY(child<QRadioButton>(w, "TypeOpt21")->isChecked());
        QCOMPARE(child<QRadioButton>(w, "TypeOpt41")->text(), QStringLiteral("General Journal Vouchers"));
        QVERIFY(child<QRadioButton>(w, "Selection0")->isChecked());
        QCOMPARE(child<QPushButton>(w, "PreviewBttn")->text(), QStringLiteral("Print "));

        const auto enabled = [&w] {
            QString out;
            for (const char* name : {"DateFrom", "DateTo", "SerialFrom", "SerialTo"})
                out += w.findChild<QWidget*>(QLatin1String(name))->isEnabled() ? '1' : '0';
            return out;
        };
        QCOMPARE(enabled(), QStringLiteral("0000"));
        select(w, 1);
        QCOMPARE(enabled(), QStringLiteral("1100"));
        select(w, 2);
        QCOMPARE(enabled(), QStringLiteral("0011"));
        select(w, 0);
        QCOMPARE(enabled(), QStringLiteral("0000"));

        auto* serial = child<QLineEdit>(w, "SerialFrom");
        QCOMPARE(forms::lengthLimit(serial), 8);
        QCOMPARE(serial->alignment(), Qt::AlignCenter);
        QTest::keyClicks(serial, "1a2-3");
        QCOMPARE(serial->text(), QString());   // disabled: takes nothing
        select(w, 2);
        QTest::keyClicks(serial, "1a2-3.");
        QCOMPARE(serial->text(), QStringLiteral("123"));
        QCOMPARE(child<QDateEdit>(w, "DateFrom")->minimumDate(), QDate(1900, 1, 1));
        QCOMPARE(child<QDateEdit>(w, "DateTo")->maximumDate(), QDate(2099, 12, 31));
    }

    void printsTheKindsVouchersOfTheYearOneAPageInSerialOrder()
    {
        Fixture f;
        PrintVouchers w(*f.main);
        w.show();
        child<QRadioButton>(w, "TypeOpt31")->click();
        print(w);
        QCOMPARE(f.main->DocType, kSale);
        QCOMPARE(printedVouchers(),
                 (QStringList{"voucher 1", "voucher 2", "voucher 3", "voucher 4", "voucher 5"}));
        const auto pages = printed::pages();
        QVERIFY(pages[1].contains("POSTED"));
        QVERIFY(pages[2].contains("CANCELLED"));
        QVERIFY(!pages[0].contains("POSTED") && !pages[0].contains("CANCELLED"));
        QVERIFY(pages[0].contains("SALE VOUCHER"));
        QVERIFY(pages[0].contains("rent 1"));
        QVERIFY(w.isVisible());   // the window stays open

        // Another kind with the same criterion.
        child<QRadioButton>(w, "TypeOpt41")->click();
        print(w);
        QCOMPARE(f.main->DocType, kJournal);
        QCOMPARE(printedVouchers(), (QStringList{"voucher 1"}));
        QVERIFY(printed::texts().contains("GENERAL JOURNAL VOUCHER"));
    }

    void printsTheChosenRange_data()
    {
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("vouchers");
        QTest::newRow("dates") << 1 << "2026-12-02" << "2026-12-04"
                               << QStringList{"voucher 2", "voucher 3", "voucher 4"};
        QTest::newRow("dates without a voucher") << 1 << "2027-01-01" << "2027-06-30" << QStringList{};
        QTest::newRow("dates reversed") << 1 << "2026-12-04" << "2026-12-02" << QStringList{};
        QTest::newRow("numbers") << 2 << "2" << "4" << QStringList{"voucher 2", "voucher 3", "voucher 4"};
        QTest::newRow("equal numbers") << 2 << "5" << "5" << QStringList{"voucher 5"};
        QTest::newRow("beyond the highest") << 2 << "6" << "99" << QStringList{};
    }
    void printsTheChosenRange()
    {
        QFETCH(int, selection);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, vouchers);
        Fixture f;
        PrintVouchers w(*f.main);
        child<QRadioButton>(w, "TypeOpt31")->click();
        select(w, selection);
        if (selection == 1) {
            child<QDateEdit>(w, "DateFrom")->setDate(QDate::fromString(from, Qt::ISODate));
            child<QDateEdit>(w, "DateTo")->setDate(QDate::fromString(to, Qt::ISODate));
        } else {
            child<QLineEdit>(w, "SerialFrom")->setText(from);
            child<QLineEdit>(w, "SerialTo")->setText(to);
        }
        f.unexpected.clear();
        print(w);
        const QStringList printed = printedVouchers().filter(QStringLiteral("voucher "));
        QCOMPARE(printed, vouchers);
        if (vouchers.isEmpty()) {
            // No blank page: the user is told why nothing opens.
            QVERIFY(!printed::openPreview());
            QCOMPARE(f.unexpected.last().title, QStringLiteral("Nothing to Print"));
            QVERIFY(!f.main->VoucherRst.isOpen());
        } else {
            QVERIFY(f.unexpected.boxes().empty());
        }
    }

    void refusesANumberRangeThatIsNoRange_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");
        const QString notNumeric = QStringLiteral("The document no. must be a numeric.");
        QTest::newRow("ends below its start") << "5" << "4"
            << "The ending document no. cannot be less than the starting document no.";
        QTest::newRow("start empty") << "" << "4" << notNumeric;
        QTest::newRow("end empty") << "5" << "" << notNumeric;
    }
    void refusesANumberRangeThatIsNoRange()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        Fixture f;
        PrintVouchers w(*f.main);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        select(w, 2);
        child<QLineEdit>(w, "SerialFrom")->setText(from);
        child<QLineEdit>(w, "SerialTo")->setText(to);
        child<QPushButton>(w, "PreviewBttn")->setFocus();
        MessageRecorder boxes;
        print(w);
        QCOMPARE(boxes.boxes().size(), std::size_t{1});
        QCOMPARE(boxes.last().title, QStringLiteral("Invalid Document No."));
        QCOMPARE(boxes.last().text, message);
        QVERIFY(boxes.last().informationIcon);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(w, "SerialFrom"));
        QVERIFY(!printed::openPreview());
    }

    void printsWithoutDescriptionsWhenTheKindsFlagIsOff()
    {
        Fixture f;
        f.main->SVType = false;
        PrintVouchers w(*f.main);
        child<QRadioButton>(w, "TypeOpt31")->click();
        print(w);
        QCOMPARE(printedVouchers().size(), 5);
        QVERIFY(printed::texts().filter(QStringLiteral("rent ")).isEmpty());
        // Other kinds keep their own layout.
        child<QRadioButton>(w, "TypeOpt41")->click();
        print(w);
        QVERIFY(printed::texts().contains("rent 1"));
    }

    void printsTwiceInARow()
    {
        Fixture f;
        PrintVouchers w(*f.main);
        child<QRadioButton>(w, "TypeOpt31")->click();
        for (int i = 0; i < 2; ++i) {
            print(w);
            QCOMPARE(printedVouchers().size(), 5);
            printed::closeAll();
            QVERIFY(!f.main->VoucherRst.isOpen());
        }
    }

    void opensFromTheReportsMenuWithRight184() { printed::checkMenuEntry(app::Menu::Reports, 20, 184, "PrintVouchers"); }
};

WINDOW_TEST_MAIN(PrintVouchersTest)
#include "print_vouchers_test.moc"
