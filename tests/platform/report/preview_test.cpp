// Tests for the preview window: caption, first page and size, page moves,
// saving as PDF and printing through their hooks, and the time to the first page.
#include "platform/report/preview.h"

#include <memory>
#include <stdexcept>

#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "platform/data/hierarchy.h"
#include "platform/forms/messages.h"
#include "platform/report/engine.h"
#include "platform/report/page_model.h"
#include "tests/support/cpu_clock.h"
#include "tests/support/window_test_main.h"

using report::Document;
using report::PreviewWindow;
using report::Report;
using report::SectionKind;

namespace {

// A flat report of numbered lines, about 50 to the page.
Report numberedReport()
{
    Report r("Day Book");
    r.margins = {1000, 500, 300, 300};
    r.addSection(SectionKind::PageHeader, "Section2", 400).label("Head", {0, 0, 6000, 285}, "Day Book");
    auto& detail = r.addSection(SectionKind::Detail, "Section1", 300);
    detail.text("Text1", {0, 0, 1000, 285}, "N");
    detail.text("Text2", {1000, 0, 5000, 285}, "Descr").setCanGrow();
    detail.text("Text3", {6000, 0, 1500, 285}, "N").setFormat(report::DataFormat::money("#,##0.00;(#,##0.00)"));
    r.addSection(SectionKind::PageFooter, "Section3", 390).label("Label10", {3000, 60, 3000, 240}, "Page %p of %P");
    return r;
}

// `rows` numbered lines.
platform::Hierarchy numberedRows(int rows)
{
    platform::Database db = platform::Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE T (N INTEGER, Descr TEXT)");
    db.execScript("BEGIN");
    for (int i = 1; i <= rows; ++i)
        db.exec("INSERT INTO T VALUES (?, 'Cash sale against invoice')", {i});
    db.execScript("COMMIT");
    return platform::Hierarchy::flat(platform::Recordset::open(db, "SELECT N, Descr FROM T ORDER BY N"));
}

Document numberedPages(int rows)
{
    return report::layOut(numberedReport(), numberedRows(rows), QDate(2026, 3, 5));
}

// A report of `rows` lines of which only a first slice is counted.
std::shared_ptr<report::Pagination> countingPages(int rows)
{
    auto p = std::make_shared<report::Pagination>(numberedReport(), numberedRows(rows), QDate(2026, 3, 5));
    p->countFor(0);
    return p;
}

// Five slices of numbered lines, which fail to be read again once `failing`
// is set (the book busy past its timeout).
class FailingSlices : public report::SlicedData {
public:
    std::size_t sliceCount() const override { return 5; }
    std::shared_ptr<const platform::Hierarchy> slice(std::size_t) const override
    {
        if (failing)
            throw std::runtime_error("database is locked");
        return std::make_shared<const platform::Hierarchy>(numberedRows(120));
    }
    bool failing = false;
};

QString pageLabel(const PreviewWindow& w)
{
    return w.findChild<QLabel*>("PageLbl")->text();
}

void click(const PreviewWindow& w, const char* button)
{
    QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
}

} // namespace

class PreviewWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        report::setSaveFileHook({});
        report::setPrintHook({});
        forms::setMessageHook({});
    }

    void showsTheCaptionAndTheFirstPage()
    {
        PreviewWindow w(numberedPages(120));
        QCOMPARE(w.windowTitle(), QString("Day Book"));
        QCOMPARE(w.currentPage(), 0);
        QCOMPARE(pageLabel(w), QString("Page 1 of 3"));
        QVERIFY(!w.findChild<QPushButton*>("PrevBttn")->isEnabled());
        QVERIFY(w.findChild<QPushButton*>("NextBttn")->isEnabled());
        // It fits a 1024x768 screen with a window manager's title bar above it.
        constexpr int titleBar = 32;
        QVERIFY2(w.width() <= 1024 && w.height() + titleBar <= 768,
                 qPrintable(QStringLiteral("%1x%2").arg(w.width()).arg(w.height())));
    }

    void fitsAScreenOf1024By768()
    {
        PreviewWindow w(numberedPages(120));
        w.show();
        QCoreApplication::processEvents();
        // The screen less a title bar of 30 pixels.
        QVERIFY2(w.width() <= 1024 && w.height() <= 738,
                 qPrintable(QStringLiteral("%1x%2").arg(w.width()).arg(w.height())));
        QVERIFY(w.minimumSizeHint().width() <= 1024 && w.minimumSizeHint().height() <= 738);
        for (QPushButton* b : w.findChildren<QPushButton*>())
            QVERIFY2(w.rect().contains(b->geometry()), qPrintable(b->objectName()));
    }

    void movesBetweenPages_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("page");
        QTest::newRow("next") << QStringList{"NextBttn"} << 1;
        QTest::newRow("last") << QStringList{"LastBttn"} << 2;
        QTest::newRow("last, previous") << QStringList{"LastBttn", "PrevBttn"} << 1;
        QTest::newRow("last, first") << QStringList{"LastBttn", "FirstBttn"} << 0;
        QTest::newRow("next beyond the end") << QStringList{"NextBttn", "NextBttn", "NextBttn"} << 2;
    }

    void movesBetweenPages()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, page);
        PreviewWindow w(numberedPages(120));
        w.show();
        for (const QString& b : clicks)
            click(w, b.toLatin1().constData());
        QCOMPARE(w.currentPage(), page);
        QCOMPARE(pageLabel(w), QString("Page %1 of 3").arg(page + 1));
        QCOMPARE(w.findChild<QPushButton*>("NextBttn")->isEnabled(), page < 2);
        QCOMPARE(w.findChild<QPushButton*>("FirstBttn")->isEnabled(), page > 0);
    }

    void savesThePdfWhereTheUserChooses()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("daybook.pdf");
        QString proposed;
        report::setSaveFileHook([&](QWidget*, const QString& name) {
            proposed = name;
            return path;
        });
        PreviewWindow w(numberedPages(120));
        click(w, "SavePdfBttn");
        QCOMPARE(proposed, QString("Day Book.pdf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
    }

    void savesNothingWhenTheUserCancels()
    {
        QTemporaryDir dir;
        int asked = 0;
        report::setSaveFileHook([&](QWidget*, const QString&) {
            ++asked;
            return QString();
        });
        QStringList boxes;
        forms::setMessageHook([&](const forms::MessageBox& b) {
            boxes << b.title;
            return forms::Answer::Ok;
        });
        PreviewWindow w(numberedPages(10));
        click(w, "SavePdfBttn");
        QCOMPARE(asked, 1);
        QVERIFY(boxes.isEmpty());
    }

    void tellsWhenThePdfCannotBeWritten()
    {
        report::setSaveFileHook([](QWidget*, const QString&) { return QString("/nonexistent-folder/x.pdf"); });
        QStringList boxes;
        forms::setMessageHook([&](const forms::MessageBox& b) {
            boxes << b.title;
            return forms::Answer::Ok;
        });
        PreviewWindow w(numberedPages(10));
        click(w, "SavePdfBttn");
        QCOMPARE(boxes, QStringList{"Cannot Save"});
    }

    void printsOnThePrinterTheUserChooses_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("printer chosen") << true;
        QTest::newRow("print dialog cancelled") << false;
    }

    void printsOnThePrinterTheUserChooses()
    {
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        const QString path = dir.filePath("printed.pdf");
        report::setPrintHook([&](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return accepted;
        });
        PreviewWindow w(numberedPages(120));
        click(w, "PrintBttn");
        QCOMPARE(QFile::exists(path), accepted);
    }

    void printAndSavePdfEachHaveTheirOwnKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("prints");
        QTest::addColumn<bool>("saves");
        QTest::newRow("Alt+P") << int(Qt::Key_P) << true << false;
        QTest::newRow("Alt+S") << int(Qt::Key_S) << false << true;
    }

    void printAndSavePdfEachHaveTheirOwnKey()
    {
        QFETCH(int, key);
        QFETCH(bool, prints);
        QFETCH(bool, saves);
        bool printAsked = false;
        bool saveAsked = false;
        report::setPrintHook([&](QWidget*, QPrinter&) {
            printAsked = true;
            return false;
        });
        report::setSaveFileHook([&](QWidget*, const QString&) {
            saveAsked = true;
            return QString();
        });
        PreviewWindow w(numberedPages(10));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key(key), Qt::AltModifier);
        // A button's key clicks it after a short animation.
        QTRY_VERIFY(printAsked || saveAsked);
        QCOMPARE(printAsked, prints);
        QCOMPARE(saveAsked, saves);
    }

    void showsTheFirstOfTwentyPagesWithinASecond()
    {
        const testing_support::CpuClock clock;
        PreviewWindow w(numberedPages(1000));
        QVERIFY(w.document().pages.size() >= 20);
        w.show();
        QVERIFY(!w.grab().isNull());   // paints the first page
        QVERIFY2(clock.elapsedMs() < 1000, qPrintable(QString("took %1 ms").arg(clock.elapsedMs())));
    }

    void opensOnTheFirstPageWhileTheRestIsCounted()
    {
        auto pages = countingPages(30000);
        PreviewWindow w(pages);
        QVERIFY(w.counting());
        QVERIFY(!w.findChild<QWidget*>("ProgressBar")->isHidden());
        QVERIFY(!w.findChild<QWidget*>("CancelBttn")->isHidden());
        QVERIFY2(pageLabel(w).startsWith("Page 1 of ") && pageLabel(w).endsWith("..."), qPrintable(pageLabel(w)));
        w.show();
        QVERIFY(!w.grab().isNull());
        QTRY_VERIFY_WITH_TIMEOUT(!w.counting(), 60000);   // the window's timer counts the rest
        QVERIFY(w.findChild<QWidget*>("ProgressBar")->isHidden());
        const auto total = pages->pagesCounted();
        QCOMPARE(pageLabel(w), QString("Page 1 of %1").arg(total));
        // The first page laid out again shows the final count.
        bool numbered = false;
        for (const auto& item : w.document().pages[0].items)
            if (const auto* t = std::get_if<report::TextRun>(&item))
                numbered |= t->text == QString("Page 1 of %1").arg(total);
        QVERIFY(numbered);
        click(w, "LastBttn");
        QCOMPARE(w.currentPage(), int(total) - 1);
    }

    void aPageThatCannotBeReadAgainIsToldWithoutEndingTheProgram()
    {
        auto slices = std::make_shared<FailingSlices>();
        auto pages = std::make_shared<report::Pagination>(numberedReport(), slices, QDate(2026, 3, 5));
        QVERIFY(pages->countFor(60000));
        PreviewWindow w(pages);
        slices->failing = true;
        w.document().pages.dropCached();
        QStringList boxes;
        forms::setMessageHook([&](const forms::MessageBox& b) {
            boxes << b.title + ": " + b.text;
            return forms::Answer::Ok;
        });
        w.show();
        QVERIFY(!w.grab().isNull());   // the first page's slice is read again, and fails
        QTemporaryDir dir;
        report::setSaveFileHook([&](QWidget*, const QString&) { return dir.filePath("x.pdf"); });
        report::setPrintHook([&](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath("printed.pdf"));
            return true;
        });
        click(w, "SavePdfBttn");
        click(w, "PrintBttn");
        QCOMPARE(boxes, (QStringList{"Cannot Save: database is locked", "Cannot Print: database is locked"}));
    }

    void cancelKeepsThePagesCountedSoFar()
    {
        auto pages = countingPages(30000);
        PreviewWindow w(pages);
        w.show();
        click(w, "CancelBttn");
        QVERIFY(!w.counting());
        const auto kept = pages->pagesCounted();
        QVERIFY(kept >= 1);
        QCOMPARE(pageLabel(w), QString("Page 1 of %1").arg(kept));
        QCOMPARE(w.document().pages.size(), kept);
        click(w, "LastBttn");
        QCOMPARE(w.currentPage(), int(kept) - 1);
        QVERIFY(w.findChild<QWidget*>("CancelBttn")->isHidden());
    }
};

WINDOW_TEST_MAIN(PreviewWindowTest)
#include "preview_test.moc"
