// The opening balances' "Excel": saves first, exports a second later (once),
// and the workbook read back holds the saved lines with their totals; no
// lines, a failed write and a failed save.
#include "accounts/opening_balance_export.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/voucher_line_grid.h"
#include "platform/data/database.h"
#include "platform/sheet/excel_export.h"
#include "tests/accounts/opening_window.h"
#include "tests/support/window_test_main.h"

using platform::Money;
using sheet::Cell;
using testing_support::OpeningWindow;
namespace ob = testing_support::ob;

namespace {

QTimer* exportTimer(OpeningWindow& f)
{
    return f.w->findChild<QTimer*>(QStringLiteral("ExportTimer"));
}

Cell text(const char* t)
{
    return Cell::textCell(QString::fromUtf8(t));
}

} // namespace

class OpeningBalanceExportTest : public QObject {
    Q_OBJECT

private slots:
    void exportsTheSavedLinesASecondAfterTheSave()
    {
        OpeningWindow f;
        f.openingLines(ob::kFirstYear, {{ob::Cash, 15000, {}}, {ob::Bank, {}, 10000}});
        auto& w = f.open();
        // An unsaved line is saved first, and so exported.
        w.lineGrid()->setLines({w.lineGrid()->lines()[0], w.lineGrid()->lines()[1],
                                accounts::SubTranRow{0, ob::Petty, QStringLiteral("=Petty Cash"), {},
                                                     Money::fromCents(10), {}}});

        f.button("ExcelBttn")->click();
        QCOMPARE(f.storedLines(ob::kFirstYear),
                 (QStringList{QStringLiteral("%1:15000:").arg(ob::Cash), QStringLiteral("%1::10000").arg(ob::Bank),
                              QStringLiteral("%1:10:").arg(ob::Petty)}));
        QVERIFY(exportTimer(f)->isActive());
        QCOMPARE(exportTimer(f)->interval(), 1000);
        QVERIFY(f.exports.opened().isEmpty());
        QTRY_COMPARE(f.exports.opened().size(), 1);
        QVERIFY(!exportTimer(f)->isActive());   // one shot
        QVERIFY(f.messages.boxes().empty());
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("WaitPic"))->isHidden());

        const sheet::Sheet s = f.exports.onlyExport();
        QCOMPARE(s.at("A1"), text("Accounts Opening Balance").makeBold().makeBlue());
        QCOMPARE(s.at("A2"), text("As On July 01, 2026").makeBold().makeBlue());
        const char* headings[] = {"Acc Code", "Account Name", "Debit", "Credit"};
        const double widths[] = {10, 40, 12, 12};
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(s.at(4, c), text(headings[c]).makeBold());
            QCOMPARE(s.columnWidth(c), widths[c]);
        }
        QCOMPARE(s.at("A5"), Cell::integer(ob::Cash));
        QCOMPARE(s.at("B5"), text("Cash in Hand"));
        QCOMPARE(s.at("C5"), Cell::amount(Money::fromCents(15000)));
        QVERIFY(s.at("D5").isEmpty());   // a debit line leaves its credit empty
        QVERIFY(s.at("C6").isEmpty());
        QCOMPARE(s.at("D6"), Cell::amount(Money::fromCents(10000)));
        QCOMPARE(s.at("B7"), text("=Petty Cash"));   // a name, not a formula
        QCOMPARE(s.at("C7"), Cell::amount(Money::fromCents(10)));
        QVERIFY(s.rowTexts(8).empty());
        QCOMPARE(s.at("C9"), Cell::amount(Money::fromCents(15010)).makeBold());
        QCOMPARE(s.at("D9"), Cell::amount(Money::fromCents(10000)).makeBold());
        QVERIFY(s.at("A9").isEmpty() && s.at("B9").isEmpty());
        QCOMPARE(s.lastRow(), 9);

        w.ExportTimer_Timer();   // a tick while the timer is stopped exports nothing
        QCOMPARE(f.exports.opened().size(), 1);
    }

    void aVoucherWithoutLinesGivesTheTopRowsOnly()
    {
        OpeningWindow f;
        auto& w = f.open();
        w.ExcelBttn_Click();
        w.ExportTimer_Timer();
        QCOMPARE(f.exports.opened().size(), 1);
        const sheet::Sheet s = f.exports.onlyExport();
        QCOMPARE(s.lastRow(), 4);
        QCOMPARE(s.rowTexts(3), std::vector<QString>{});
        QCOMPARE(s.rowTexts(4), (std::vector<QString>{"Acc Code", "Account Name", "Debit", "Credit"}));
    }

    void aFailedWriteIsToldOnceAndLeavesNoFile()
    {
        OpeningWindow f;
        f.openingLines(ob::kFirstYear, {{ob::Cash, 100, {}}});
        QFile plain(QDir(f.exports.folder()).filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        sheet::setExportFolder(QDir(f.exports.folder()).filePath(QStringLiteral("plain/exports")));
        auto& w = f.open();
        w.ExcelBttn_Click();
        w.ExportTimer_Timer();
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Cannot Export"));
        QVERIFY(f.messages.last().text.contains(QStringLiteral("plain")));
        QVERIFY(f.exports.opened().isEmpty());
        QCOMPARE(QDir(f.exports.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"plain"});
        QVERIFY(!exportTimer(f)->isActive());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(f.button("ExcelBttn")->isEnabled());
    }

    void linesThatCannotBeSavedAreNotExported()
    {
        OpeningWindow f;
        auto& w = f.open();
        w.lineGrid()->setLines({accounts::SubTranRow{0, ob::Rent, QStringLiteral("Office Rent"), {},
                                                     Money::fromCents(500), {}}});
        f.t.db().exec("DELETE FROM AccLevel3 WHERE AccCode = ?", {ob::Rent});   // gone behind the window
        w.ExcelBttn_Click();
        QCOMPARE(f.messages.last().title, QStringLiteral("Select Account"));
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Line 1 has the account %1 Office Rent, which is no longer in the chart.").arg(ob::Rent));
        QVERIFY(!exportTimer(f)->isActive());
        w.ExportTimer_Timer();
        QVERIFY(f.exports.opened().isEmpty());
    }
};

WINDOW_TEST_MAIN(OpeningBalanceExportTest)
#include "opening_balance_export_test.moc"
