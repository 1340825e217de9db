// ExcelExport: a new file in the export folder, never over another, opened
// through the desktop seam; the hourglass and the wait picture on every path;
// a failure told once with no file left behind, and a file not opened told by its path.
#include "platform/sheet/excel_export.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "platform/shell/environment.h"
#include "platform/shell/launcher.h"
#include "tests/support/message_recorder.h"
#include "tests/support/window_test_main.h"
#include "tests/support/xlsx_reader.h"

using platform::Money;
using sheet::Cell;

namespace {

sheet::Table table(std::size_t records, QString longText = {})
{
    sheet::Table t;
    t.title = QStringLiteral("Trial Balance");
    t.dateLine = QStringLiteral("As On July 01, 2026");
    t.columns = {{10, QStringLiteral("Acc Code"), std::nullopt},
                 {40, QStringLiteral("Account Name"), std::nullopt},
                 {12, QStringLiteral("Debit"), Cell::amount(Money::fromCents(300))}};
    t.recordCount = records;
    t.cellAt = [longText](std::size_t r, int c) {
        if (c == 0)
            return Cell::integer(static_cast<std::int64_t>(r + 1));
        if (c == 1)
            return Cell::textCell(r == 1 && !longText.isEmpty() ? longText : QStringLiteral("Cash"));
        return Cell::amount(Money::fromCents(100));
    };
    return t;
}

// Counts how often the wait picture was shown, and whether the pointer was the
// hourglass at that moment.
struct ShowSpy : QObject {
    int shown = 0;
    bool hourglass = false;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show) {
            ++shown;
            hourglass = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        }
        return false;
    }
};

struct Fixture {
    QTemporaryDir dir;
    QWidget window;
    QLabel* pic = nullptr;
    ShowSpy spy;
    QStringList opened;
    bool openWorks = true;
    testing_support::MessageRecorder messages;

    explicit Fixture(const QString& folder = {})
    {
        sheet::setExportFolder(folder.isEmpty() ? dir.filePath(QStringLiteral("exports")) : folder);
        shell::setDocumentHook([this](const QString& path) {
            opened << path;
            return openWorks;
        });
        window.resize(600, 400);
        pic = sheet::makeWaitPic(&window);
        pic->installEventFilter(&spy);
        window.show();
    }
    ~Fixture() { shell::setDocumentHook(nullptr); }

    QStringList files() const
    {
        return QDir(dir.filePath(QStringLiteral("exports"))).entryList(QDir::Files | QDir::Hidden);
    }
    void expectRestored() const
    {
        QVERIFY(pic->isHidden());
        QVERIFY(!QApplication::overrideCursor());
    }
};

} // namespace

class ExcelExportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { shell::setNow(QDateTime(QDate(2026, 12, 10), QTime(10, 30, 0))); }

    void writesANewFileAndOpensIt()
    {
        Fixture f;
        QVERIFY(f.pic->isHidden());
        QCOMPARE(f.pic->text(), QStringLiteral("Please wait, while data is being exported to Excel ......"));
        const QString first = sheet::ExcelExport(&f.window, table(3), QStringLiteral("Trial Balance"));
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("Trial Balance 2026-12-10 10.30.00.xlsx"));
        QCOMPARE(f.opened, QStringList{first});
        QVERIFY(f.messages.boxes().empty());
        QCOMPARE(f.spy.shown, 1);
        QVERIFY(f.spy.hourglass);
        f.expectRestored();
        const sheet::Sheet s = testing_support::readWorkbook(first);
        QCOMPARE(s.at("C9"), Cell::amount(Money::fromCents(300)).makeBold());
        QCOMPARE(s.lastRow(), 9);

        // The same name in the same second never replaces the first file.
        const QString second = sheet::ExcelExport(&f.window, table(0), QStringLiteral("Trial/Balance"));
        QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("Trial_Balance 2026-12-10 10.30.00.xlsx"));
        const QString third = sheet::ExcelExport(&f.window, table(0), QStringLiteral("Trial Balance"));
        QCOMPARE(QFileInfo(third).fileName(), QStringLiteral("Trial Balance 2026-12-10 10.30.00 (2).xlsx"));
        QCOMPARE(testing_support::readWorkbook(first).lastRow(), 9);
        QCOMPARE(testing_support::readWorkbook(third).lastRow(), 4);
        QCOMPARE(f.files().size(), 3);
    }

    void aFolderThatCannotBeMadeIsToldAndLeavesNoFile()
    {
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString folder = dir.filePath(QStringLiteral("plain/exports"));
        Fixture f(folder);
        QVERIFY(sheet::ExcelExport(&f.window, table(3), QStringLiteral("Ledger")).isEmpty());
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Cannot Export"));
        QVERIFY2(f.messages.last().text.contains(QDir::toNativeSeparators(folder)), qPrintable(f.messages.last().text));
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"plain"});
        f.expectRestored();
    }

    void aCellThatCannotBeWrittenIsToldAndLeavesNoFile()
    {
        Fixture f;
        const QString tooLong(32'768, QLatin1Char('x'));
        QVERIFY(sheet::ExcelExport(&f.window, table(3, tooLong), QStringLiteral("Ledger")).isEmpty());
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Cannot Export"));
        QVERIFY2(f.messages.last().text.contains(QStringLiteral("B6")), qPrintable(f.messages.last().text));
        QVERIFY(f.opened.isEmpty());
        QCOMPARE(f.files(), QStringList());
        f.expectRestored();
    }

    void aFileThatCannotBeOpenedIsToldByItsPath()
    {
        Fixture f;
        f.openWorks = false;
        const QString path = sheet::ExcelExport(&f.window, table(1), QStringLiteral("Ledger"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(f.messages.boxes().size(), std::size_t(1));
        QCOMPARE(f.messages.last().title, QStringLiteral("Cannot Open"));
        QVERIFY(f.messages.last().text.contains(QDir::toNativeSeparators(path)));
        f.expectRestored();
    }
};

WINDOW_TEST_MAIN(ExcelExportTest)
#include "excel_export_test.moc"
