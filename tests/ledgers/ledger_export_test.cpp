// The ledger's "Excel" on the hand-made book: the workbook read back holds the
// ledger as built afresh (whole year or period with its brought-forward line),
// its running balances and totals; an account without lines, and the refusal.
#include "ledgers/ledger_export.h"

#include <memory>

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

#include "ledgers/acc_ledgers.h"
#include "ledgers/ledger_model.h"
#include "tests/ledgers/hand_book_window.h"
#include "tests/support/window_test_main.h"

using platform::Money;
using sheet::Cell;
namespace acc = testing_support::acc;

namespace {

struct Fixture : testing_support::HandBookWindow {
    std::unique_ptr<ledgers::AccLedgers> w = std::make_unique<ledgers::AccLedgers>(*main);

    void choose(std::int64_t account, const QDate& from = {}, const QDate& to = {})
    {
        w->findChild<QLineEdit*>(QStringLiteral("ACodeTxt"))->setText(QString::number(account));
        w->findChild<QCheckBox*>(QStringLiteral("DateOpt"))->setChecked(from.isValid());
        if (from.isValid()) {
            w->findChild<QDateEdit*>(QStringLiteral("LedgerDt_0"))->setDate(from);
            w->findChild<QDateEdit*>(QStringLiteral("LedgerDt_1"))->setDate(to);
        }
    }
    // Exports and reads the one workbook it opened back.
    sheet::Sheet exported()
    {
        exports.clear();
        w->ExcelBttn_Click();
        return exports.onlyExport();
    }
    QString gridText(int row, int column)
    {
        return w->ledgerModel()->data(w->ledgerModel()->index(row, column), Qt::DisplayRole).toString();
    }
};

Cell bold(Cell c)
{
    return c.makeBold();
}

Cell text(const QString& t)
{
    return Cell::textCell(t);
}

Cell text(const char* t)
{
    return Cell::textCell(QString::fromUtf8(t));
}

// The rows of the book's listed lines of `account` from `from` to `to`, from
// row `firstRow`, with the running balance from `broughtForward`, compared with
// the sheet; `running` ends as the closing difference.
void checkLines(Fixture& f, const sheet::Sheet& s, std::int64_t account, const std::string& from,
                const std::string& to, Money& running, int firstRow)
{
    const auto lines = f.book.listedLines(account, from, to);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int row = firstRow + static_cast<int>(i);
        const auto& l = lines[i];
        const Money debit = Money::fromCents(l.debit.value_or(0));
        const Money credit = Money::fromCents(l.credit.value_or(0));
        running = running + debit - credit;
        QCOMPARE(s.at(row, 0), Cell::date(QDate::fromString(f.gridText(static_cast<int>(i), 0), "dd-MM-yy").addYears(100)));
        QCOMPARE(s.at(row, 1), text(f.gridText(static_cast<int>(i), 1)));
        QCOMPARE(s.at(row, 3), debit.isZero() ? Cell{} : Cell::amount(debit));
        QCOMPARE(s.at(row, 4), credit.isZero() ? Cell{} : Cell::amount(credit));
        QCOMPARE(s.at(row, 5), Cell::amount(running < Money{} ? -running : running));
        QCOMPARE(s.at(row, 6), text(running < Money{} ? "Credit" : "Debit"));
    }
}

} // namespace

class LedgerExportTest : public QObject {
    Q_OBJECT

private slots:
    void exportsTheWholeYearsLedger()
    {
        Fixture f;
        f.choose(acc::Cash);
        const sheet::Sheet s = f.exported();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(s.at("A1"), text("Cash in Hand").makeBold().makeBlue());
        QCOMPARE(s.at("A2"), text("Ledger For The Period Ended On December 10, 2026").makeBold().makeBlue());
        QCOMPARE(s.rowTexts(4), (std::vector<QString>{"Date", "Tran No", "Description", "Debit", "Credit", "Balance",
                                                      "Status"}));
        QVERIFY(s.at("D4").bold);
        const double widths[] = {12, 10, 50, 10, 10, 10, 10};
        for (int c = 0; c < 7; ++c)
            QCOMPARE(s.columnWidth(c), widths[c]);
        QVERIFY(s.rowTexts(5).empty());   // no brought-forward line for the whole year

        Money closing;
        checkLines(f, s, acc::Cash, "", "", closing, 6);
        QCOMPARE(closing, Money::fromCents(-2500));
        const int last = 6 + int(f.book.listedLines(acc::Cash, "", "").size()) - 1;
        QCOMPARE(s.at(6, 2), text("line 1 of 1"));   // the line's own description
        QVERIFY(s.rowTexts(last + 1).empty());
        QCOMPARE(s.at(last + 2, 3), bold(Cell::amount(f.book.debits(acc::Cash, "", ""))));
        QCOMPARE(s.at(last + 2, 4), bold(Cell::amount(f.book.credits(acc::Cash, "", ""))));
        QCOMPARE(s.at(last + 2, 5), bold(Cell::amount(Money::fromCents(2500))));
        QCOMPARE(s.at(last + 2, 6), bold(text("Credit")));
        QVERIFY(s.at(last + 2, 0).isEmpty() && s.at(last + 2, 2).isEmpty());
        QCOMPARE(s.lastRow(), last + 2);
    }

    void exportsAPeriodAsItStandsNowWithItsBroughtForwardLine()
    {
        Fixture f;
        f.choose(acc::Cash);
        f.w->ViewBttn_Click();
        // A period chosen after Display takes effect without it.
        f.choose(acc::Cash, QDate(2026, 8, 10), QDate(2026, 12, 31));
        const sheet::Sheet s = f.exported();
        QCOMPARE(s.at("A2"),
                 text("Ledger For The Period From August 10, 2026 To December 31, 2026").makeBold().makeBlue());
        const Money bf = f.book.difference(acc::Cash, "", "2026-08-09");
        QCOMPARE(bf, Money::fromCents(100000));
        QCOMPARE(s.rowTexts(5), (std::vector<QString>{"", "", "Balance Brought Forward  ", "", "", "1000", "Debit"}));
        QCOMPARE(s.at("F5"), Cell::amount(bf));
        Money closing = bf;
        checkLines(f, s, acc::Cash, "2026-08-10", "2026-12-31", closing, 6);
        QCOMPARE(closing, Money::fromCents(-5000));
        // Three lines in rows 6 to 8, the totals in row 10.
        QCOMPARE(s.at("D10"), bold(Cell::amount(Money::fromCents(20000))));
        QCOMPARE(s.at("E10"), bold(Cell::amount(Money::fromCents(125000))));
        QCOMPARE(s.at("F10"), bold(Cell::amount(Money::fromCents(5000))));
        QCOMPARE(s.at("G10"), bold(text("Credit")));
        QCOMPARE(s.lastRow(), 10);
    }

    void aPeriodEndingBeforeItStartsExportsItsBroughtForwardLineOnly()
    {
        Fixture f;
        f.choose(acc::Cash, QDate(2026, 12, 31), QDate(2026, 8, 10));
        const sheet::Sheet s = f.exported();
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(s.at("A2"),
                 text("Ledger For The Period From December 31, 2026 To August 10, 2026").makeBold().makeBlue());
        const Money bf = f.book.difference(acc::Cash, "", "2026-12-30");
        QVERIFY(bf < Money{});   // Cash stands in credit on the first day
        QCOMPARE(s.at("C5"), text("Balance Brought Forward  "));
        QCOMPARE(s.at("F5"), Cell::amount(-bf));
        QCOMPARE(s.at("G5"), text("Credit"));
        QCOMPARE(s.lastRow(), 5);   // no line and no totals row
    }

    void anAccountWithoutLinesGivesTheTopRowsOnly()
    {
        Fixture f;
        f.choose(acc::Idle);
        const sheet::Sheet s = f.exported();
        QCOMPARE(s.at("A1"), text("Idle Account").makeBold().makeBlue());
        QCOMPARE(s.lastRow(), 4);
    }

    void refusesWithoutAnAccount()
    {
        Fixture f;
        f.w->ExcelBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Select Account"));
        QCOMPARE(f.messages.last().text, QStringLiteral("Select a valid account to view ledger."));
        QVERIFY(f.exports.opened().isEmpty());
    }
};

WINDOW_TEST_MAIN(LedgerExportTest)
#include "ledger_export_test.moc"
