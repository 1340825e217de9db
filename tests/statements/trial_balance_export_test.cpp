// The trial balance's "Excel" on the hand-made book: both layouts read back
// with their rows and text totals, a rebuild for dates changed without
// Display, a from date after the to date, a selection without accounts, the
// refusals and a failed rebuild.
#include "statements/trial_balance_export.h"

#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ledgers/balance.h"
#include "platform/data/database.h"
#include "platform/text/formats.h"
#include "statements/acc_balances.h"
#include "tests/ledgers/hand_book_window.h"
#include "tests/support/window_test_main.h"

using platform::Money;
using sheet::Cell;
namespace acc = testing_support::acc;

namespace {

struct Fixture : testing_support::HandBookWindow {
    std::unique_ptr<statements::AccBalances> w = std::make_unique<statements::AccBalances>(*main);

    Fixture() { w->show(); }

    template <typename T>
    T* child(const char* name) { return w->findChild<T*>(QLatin1String(name)); }
    void dates(const QDate& from, const QDate& to)
    {
        child<QDateEdit>("BalDt_0")->setDate(from);
        child<QDateEdit>("BalDt_1")->setDate(to);
    }
    sheet::Sheet exported()
    {
        exports.clear();
        child<QPushButton>("ExcelBttn")->click();
        return exports.onlyExport();
    }
    // The accounts of the book whose figures from `from` to `to` a layout
    // lists: any figure not zero (six columns), or the closing (two columns).
    std::vector<std::int64_t> listed(const std::string& from, const std::string& to, bool six)
    {
        std::vector<std::int64_t> codes;
        for (const auto& a : testing_support::kChart) {
            const Money opening = book.difference(a.code, "", testing_support::dayBefore(from));
            const bool any = !opening.isZero() || !book.periodDebits(a.code, from, to).isZero()
                             || !book.periodCredits(a.code, from, to).isZero();
            if (six ? any : !book.difference(a.code, "", to).isZero())
                codes.push_back(a.code);
        }
        return codes;
    }
};

Cell text(const char* t)
{
    return Cell::textCell(QString::fromUtf8(t));
}

Cell bold(Cell c)
{
    return c.makeBold();
}

Cell shown(Money difference)
{
    return Cell::amount(difference.abs());
}

Cell status(Money difference)
{
    return text(difference < Money{} ? "Credit" : "Debit");
}

Cell balanceTotal(Money total)
{
    return bold(Cell::textCell(QString::fromStdString(statements::balanceTotalText(total))));
}

void checkTop(const sheet::Sheet& s, const char* dateLine, const std::vector<QString>& headings,
              const std::vector<double>& widths)
{
    QCOMPARE(s.at("A1"), text("Trial Balance").makeBold().makeBlue());
    QCOMPARE(s.at("A2"), text(dateLine).makeBold().makeBlue());
    QCOMPARE(s.rowTexts(4), headings);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        QCOMPARE(s.columnWidth(static_cast<int>(c)), widths[c]);
        QVERIFY(s.at(4, static_cast<int>(c)).bold);
    }
    QCOMPARE(s.columnWidth(static_cast<int>(widths.size())), 0.0);
}

} // namespace

class TrialBalanceExportTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing checks the dates: with the from date after the to date the
    // period's figures are the closing sums less the larger opening sums.
    void sixColumnsAsTheyStandForThePeriod_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("dateLine");
        QTest::addColumn<int>("accounts");
        QTest::newRow("a period") << QDate(2026, 8, 10) << QDate(2026, 12, 31)
                                  << "From August 10, 2026 To December 31, 2026" << 5;   // all but the idle account
        QTest::newRow("from after to") << QDate(2026, 12, 31) << QDate(2026, 8, 10)
                                       << "From December 31, 2026 To August 10, 2026" << 5;
    }
    void sixColumnsAsTheyStandForThePeriod()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, dateLine);
        QFETCH(int, accounts);
        Fixture f;
        f.child<QRadioButton>("TrialOpt_0")->setChecked(true);
        f.dates(from, to);   // not displayed: Excel rebuilds for these dates
        const sheet::Sheet s = f.exported();
        QVERIFY(f.messages.boxes().empty());
        checkTop(s, qPrintable(dateLine),
                 {"Acc Code", "Account Name", "Opening Balance", "Status", "Debit", "Credit", "Closing Balance",
                  "Status"},
                 {10, 40, 12, 8, 12, 12, 12, 8});
        const std::string first = platform::isoDate(from), last = platform::isoDate(to);
        const auto codes = f.listed(first, last, true);
        QCOMPARE(codes.size(), std::size_t(accounts));
        Money opening, debits, credits, closing;
        for (std::size_t i = 0; i < codes.size(); ++i) {
            const int row = 5 + static_cast<int>(i);
            const std::int64_t code = codes[i];
            const Money o = f.book.difference(code, "", testing_support::dayBefore(first));
            const Money d = f.book.periodDebits(code, first, last), c = f.book.periodCredits(code, first, last);
            const Money cl = f.book.difference(code, "", last);
            opening += o, debits += d, credits += c, closing += cl;
            QCOMPARE(s.at(row, 0), Cell::integer(code));
            QCOMPARE(s.at(row, 2), shown(o));
            QCOMPARE(s.at(row, 3), status(o));
            QCOMPARE(s.at(row, 4), Cell::amount(d));
            QCOMPARE(s.at(row, 5), Cell::amount(c));
            QCOMPARE(s.at(row, 6), shown(cl));
            QCOMPARE(s.at(row, 7), status(cl));
        }
        QCOMPARE(debits < Money{}, from > to);
        QCOMPARE(s.at("B5"), text("Cash in Hand"));
        QCOMPARE(s.at("B6"), text("Bank 50% Account"));
        const int totals = 5 + static_cast<int>(codes.size()) + 1;
        QVERIFY(s.rowTexts(totals - 1).empty());
        QCOMPARE(s.at(totals, 2), balanceTotal(opening));
        QCOMPARE(s.at(totals, 2).kind, Cell::Kind::Text);   // with its status words
        QCOMPARE(s.at(totals, 4), bold(Cell::amount(debits)));
        QCOMPARE(s.at(totals, 5), bold(Cell::amount(credits)));
        QCOMPARE(s.at(totals, 6), balanceTotal(closing));
        for (int c : {0, 1, 3, 7})
            QVERIFY(s.at(totals, c).isEmpty());
        QCOMPARE(s.lastRow(), totals);
        // The window shows what was exported.
        QCOMPARE(f.child<QLineEdit>("CloseBalance")->text(), s.at(totals, 6).text);
    }

    void twoColumnsAsAtTheToDate()
    {
        Fixture f;
        f.dates(QDate(2026, 7, 1), QDate(2026, 9, 30));
        const sheet::Sheet s = f.exported();
        checkTop(s, "As On September 30, 2026", {"Acc Code", "Account Name", "Debit", "Credit"}, {10, 40, 12, 12});
        const auto codes = f.listed("2026-07-01", "2026-09-30", false);
        QVERIFY(codes.size() >= 3);
        Money debit, credit;
        for (std::size_t i = 0; i < codes.size(); ++i) {
            const int row = 5 + static_cast<int>(i);
            const Money closing = f.book.difference(codes[i], "", "2026-09-30");
            (closing > Money{} ? debit : credit) += closing.abs();
            QCOMPARE(s.at(row, 0), Cell::integer(codes[i]));
            QCOMPARE(s.at(row, 2), closing > Money{} ? shown(closing) : Cell{});
            QCOMPARE(s.at(row, 3), closing > Money{} ? Cell{} : shown(closing));
        }
        const int totals = 5 + static_cast<int>(codes.size()) + 1;
        QCOMPARE(s.at(totals, 2), bold(Cell::amount(debit)));
        QCOMPARE(s.at(totals, 3), bold(Cell::amount(credit)));
        QCOMPARE(debit, credit);
        QCOMPARE(s.lastRow(), totals);
    }

    void aSelectionWithoutAccountsGivesTheTopRowsOnly()
    {
        Fixture f;
        f.child<QRadioButton>("TrialOpt_0")->setChecked(true);
        f.child<QRadioButton>("RangeOpt")->setChecked(true);
        f.child<QLineEdit>("CodeFrom")->setText(QString::number(acc::Idle));
        f.child<QLineEdit>("CodeTo")->setText(QString::number(acc::Idle));
        const sheet::Sheet s = f.exported();
        QCOMPARE(s.lastRow(), 4);
    }

    void refusesWhatDisplayRefuses_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no main type") << 0 << "Select Main Account Type"
                                      << "Select main account type to export balances." << "Acc";
        QTest::newRow("from code not an account") << 1 << "Select Account Code"
                                                  << "Select account code to start from." << "CodeFrom";
    }
    void refusesWhatDisplayRefuses()
    {
        QFETCH(int, choice);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
        if (choice == 0) {
            f.child<QRadioButton>("SelectOpt")->setChecked(true);
            f.child<QComboBox>("Acc")->setCurrentText(QStringLiteral("no such type"));
        } else {
            f.child<QRadioButton>("RangeOpt")->setChecked(true);
            f.child<QLineEdit>("CodeFrom")->setText(QStringLiteral("20101009"));
            f.child<QLineEdit>("CodeTo")->setText(QString::number(acc::Rent));
        }
        f.child<QPushButton>("ExcelBttn")->click();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, title);
        QCOMPARE(f.messages.last().text, message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(f.exports.opened().isEmpty());
    }

    void aFailedRebuildExportsNothing()
    {
        Fixture f;
        f.t.db().execScript("ALTER TABLE AccLevel3 RENAME TO Gone;");
        f.child<QPushButton>("ExcelBttn")->click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Database Error"));
        QVERIFY(f.exports.opened().isEmpty());
        QVERIFY(f.child<QPushButton>("ExcelBttn")->isEnabled());
        QVERIFY(f.child<QPushButton>("ViewBttn")->isEnabled());
        QCOMPARE(QDir(f.exports.folder()).entryList(QDir::Files), QStringList());
    }
};

WINDOW_TEST_MAIN(TrialBalanceExportTest)
#include "trial_balance_export_test.moc"
