// Tests for drawing pages: the PDF carries each page's text on its own page in
// the document's paper and in the program's own faces, draws a figure at the
// size its layout set, a printer prints the pages of its range, every script
// and size of a row stands on one baseline, and a file that cannot be written
// is reported.
#include "platform/report/render.h"

#include <functional>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/data/hierarchy.h"
#include "platform/report/engine.h"

using report::Document;
using report::Report;
using report::SectionKind;

namespace {

// Two to four pages, each naming itself in the page header and the footer.
Document ledgerPages(QPageLayout::Orientation orientation)
{
    Report r("Accounts Ledgers");
    r.orientation = orientation;
    r.margins = {1000, 500, 300, 300};
    r.addSection(SectionKind::PageHeader, "Section2", 400).label("Head", {0, 0, 6000, 285}, "Ledger of Cash");
    r.addSection(SectionKind::Detail, "Section1", 300).text("Text1", {0, 0, 3000, 285}, "Descr");
    r.addSection(SectionKind::PageFooter, "Section3", 390)
        .label("Label10", {3000, 60, 3000, 240}, "Page  %p  of  %P")
        .setAlign(report::Align::Centre);
    r.section(u"Section3").line("Line1", {0, 0, 9000, 0});
    r.section(u"Section1").shape("Band", {0, 0, 9000, 300}, QColor(0xE0, 0xE0, 0xE0));

    platform::Database db = platform::Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE T (N INTEGER, Descr TEXT)");
    // Rows for a little over two pages.
    for (int i = 1; i <= 120; ++i)
        db.exec("INSERT INTO T VALUES (?, ?)", {i, "Row " + std::to_string(i)});
    const auto data = platform::Hierarchy::flat(platform::Recordset::open(db, "SELECT N, Descr FROM T ORDER BY N"));
    return report::layOut(r, data, QDate(2026, 3, 5));
}

// The text of each page of the PDF at `path`, through pdftotext, with runs of
// white space made single (the extraction guesses spaces from positions).
QStringList pdfPages(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    for (QString& page : pages)
        page = page.simplified();
    return pages;
}

QString pdfInfo(const QString& path)
{
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The names of the fonts embedded in the PDF at `path`, through pdffonts,
// without the subset tag ("ABCDEF+").
QStringList pdfFonts(const QString& path)
{
    QProcess p;
    p.start("pdffonts", {path});
    p.waitForFinished(30000);
    QStringList names;
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2)) {   // below the heading and its rule
        QString name = line.section(u' ', 0, 0);
        names.append(name.mid(name.indexOf(u'+') + 1));
    }
    return names;
}

// Lays `r` out over one row whose Debit, 12,345,678,901.99, is shown in `box`
// of `detail`, right-aligned: at 8.25 points it is wider than 1300 twips.
Document withWideDebit(Report& r, report::Section& detail, const report::Rect& box)
{
    detail.text("Debit", box, "Debit")
        .setFormat(report::DataFormat::money("#,##0.00;(#,##0.00)"))
        .setAlign(report::Align::Right);
    platform::Database db = platform::Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE T (Debit INTEGER); INSERT INTO T VALUES (1234567890199);");
    const auto data = platform::Hierarchy::flat(platform::Recordset::open(db, "SELECT Debit FROM T"));
    return report::layOut(r, data, QDate(2026, 3, 5));
}

// An image of `width` by `height` pixels, white, with `draw` done on it in
// black, a pixel a twip.
QImage drawn(int width, int height, const std::function<void(QPainter&)>& draw)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    draw(painter);
    return image;
}

// The lowest row of `image` with ink on it, or -1 for an image without any.
int lowestInk(const QImage& image)
{
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(line[x]) < 128)
                return y;
    }
    return -1;
}

bool haveTools()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty()
           && !QStandardPaths::findExecutable("pdfinfo").isEmpty()
           && !QStandardPaths::findExecutable("pdffonts").isEmpty();
}

} // namespace

TEST(PdfOutput, CarriesEachPagesTextOnItsOwnPage)
{
    if (!haveTools())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed; scripts/setup.sh installs it";
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        SCOPED_TRACE(orientation);
        QTemporaryDir dir;
        const QString path = dir.filePath("ledger.pdf");
        const Document doc = ledgerPages(orientation);
        const int count = static_cast<int>(doc.pages.size());
        ASSERT_GE(count, 2);
        ASSERT_TRUE(report::writePdf(doc, path));
        const QStringList pages = pdfPages(path);
        ASSERT_EQ(pages.size(), count);
        for (int p = 0; p < count; ++p) {
            SCOPED_TRACE(p);
            EXPECT_TRUE(pages[p].contains("Ledger of Cash"));
            EXPECT_TRUE(pages[p].contains(QString("Page %1 of %2").arg(p + 1).arg(count)))
                << pages[p].toStdString();
        }
        EXPECT_TRUE(pages.front().contains("Row 1 "));
        EXPECT_TRUE(pages.back().contains("Row 120"));
        EXPECT_FALSE(pages.front().contains("Row 120"));
        // A4 is 595 by 842 points.
        EXPECT_TRUE(pdfInfo(path).contains(orientation == QPageLayout::Portrait ? "595 x 842" : "842 x 595"))
            << pdfInfo(path).toStdString();
    }
}

TEST(PdfOutput, PrinterPrintsTheChosenPages)
{
    if (!haveTools())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed; scripts/setup.sh installs it";
    QTemporaryDir dir;
    const QString path = dir.filePath("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setFromTo(2, 3);
    const Document doc = ledgerPages(QPageLayout::Portrait);
    ASSERT_EQ(doc.pages.size(), 3u);
    ASSERT_TRUE(report::printDocument(doc, printer));
    const QStringList pages = pdfPages(path);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("Page 2 of 3")) << pages[0].toStdString();
    EXPECT_TRUE(pages[1].contains("Page 3 of 3"));
}

TEST(PdfOutput, ReportsAFileThatCannotBeWritten)
{
    EXPECT_FALSE(report::writePdf(ledgerPages(QPageLayout::Portrait), "/nonexistent-folder/x/ledger.pdf"));
}

TEST(PdfOutput, EmbedsTheProgramsOwnFacesInEveryStyle)
{
    if (!haveTools())
        GTEST_SKIP() << "poppler-utils (pdffonts) is not installed; scripts/setup.sh installs it";
    Report r("Faces");
    auto& detail = r.addSection(SectionKind::Detail, "Section1", 1600);
    detail.label("Regular", {0, 0, 6000, 285}, "Cash in hand");
    detail.label("Bold", {0, 300, 6000, 285}, "Cash in hand").setBold();
    detail.label("Italic", {0, 600, 6000, 285}, "Cash in hand").setItalic();
    detail.label("BoldItalic", {0, 900, 6000, 285}, "Cash in hand").setBold().setItalic();
    detail.label("Arabic", {0, 1200, 6000, 285}, "حساب الصندوق").setItalic();
    platform::Database db = platform::Database::createEmpty(":memory:");
    const auto data = platform::Hierarchy::flat(platform::Recordset::open(db, "SELECT 1 AS N"));
    QTemporaryDir dir;
    const QString path = dir.filePath("faces.pdf");
    ASSERT_TRUE(report::writePdf(report::layOut(r, data, QDate(2026, 3, 5)), path));

    QStringList fonts = pdfFonts(path);
    fonts.removeDuplicates();
    fonts.sort();
    EXPECT_EQ(fonts.join(", ").toStdString(), "LiberationSans, LiberationSans-Bold, LiberationSans-BoldItalic, "
                                              "LiberationSans-Italic, NotoSansArabic-Regular");
}

TEST(PdfOutput, DrawsAFigureSetSmallerWholeWithinItsBox)
{
    if (!haveTools())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed; scripts/setup.sh installs it";
    Report r("Ledger");
    r.margins = {1000, 500, 300, 300};
    // 12,345,678,901.99 is wider than this at 8.25 points, and fits at 6.
    const report::Rect box{2000, 0, 1300, 285};
    const Document doc = withWideDebit(r, r.addSection(SectionKind::Detail, "Section1", 300), box);
    QTemporaryDir dir;
    const QString path = dir.filePath("figure.pdf");
    ASSERT_TRUE(report::writePdf(doc, path));

    // Each word with its box in points: <word xMin="…" yMin="…" xMax="…" yMax="…">text</word>.
    QProcess p;
    p.start("pdftotext", {"-bbox", path, "-"});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    QStringList words;
    for (const auto& m : word.globalMatch(html)) {
        words << m.captured(3);
        if (m.captured(3) != "12,345,678,901.99")
            continue;
        const double left = (r.margins.left + box.left) / 20.0;
        EXPECT_GE(m.captured(1).toDouble(), left - 0.5);
        EXPECT_LE(m.captured(2).toDouble(), left + box.width / 20.0 + 0.5);
    }
    EXPECT_EQ(words, QStringList{"12,345,678,901.99"});
}

TEST(PageDrawing, EveryScriptAndSizeOfARowStandsOnItsBaseline)
{
    // A voucher line: a status, descriptions in Arabic (drawn from a fallback
    // face), Hebrew and Latin with Arabic, and an amount set smaller.
    Report r("Voucher");
    r.margins = {1000, 500, 300, 300};
    auto& line = r.addSection(SectionKind::Detail, "Section1", 570);
    line.label("Status", {0, 60, 900, 285}, "Debit");
    line.label("Arabic", {1000, 60, 2400, 285}, QString::fromUtf8("حساب الصندوق"));
    line.label("Hebrew", {3500, 60, 2000, 285}, QString::fromUtf8("קופה ראשית"));
    line.label("Mixed", {5600, 60, 2400, 285}, QString::fromUtf8("Cash حساب"));
    const Document doc = withWideDebit(r, line, {8100, 60, 1300, 285});
    std::vector<report::TextRun> runs;
    for (const auto& item : doc.pages[0].items)
        if (const auto* t = std::get_if<report::TextRun>(&item))
            runs.push_back(*t);
    ASSERT_EQ(runs.size(), 5u);
    ASSERT_LT(runs.back().font.points, 8.25);

    // Where each run's baseline lies as drawn: the lowest ink of the run drawn
    // alone, less how far its ink reaches below a baseline it is drawn on.
    const report::Twips rowTop = runs.front().rect.top;
    constexpr int kBaseline = 400;
    std::vector<int> baselines;
    for (const report::TextRun& run : runs) {
        SCOPED_TRACE(run.text.toStdString());
        const int width = run.rect.width + 200;
        const int bottom = lowestInk(drawn(width, 800, [&](QPainter& p) {
            p.translate(100 - run.rect.left, 100 - rowTop);
            report::paintPage(p, report::Page{{run}});
        }));
        const int below = lowestInk(drawn(width, 800, [&](QPainter& p) {
            p.setFont(report::qtFont(run.font));
            p.drawText(QPointF(100, kBaseline), run.text);
        }));
        ASSERT_GE(bottom, 0);
        ASSERT_GE(below, 0);
        baselines.push_back(bottom - (below - kBaseline) + rowTop - 100);
    }
    for (std::size_t i = 1; i < runs.size(); ++i)
        EXPECT_NEAR(baselines[i], baselines[0], 1)
            << runs[i].text.toStdString() << " beside " << runs[0].text.toStdString();
}
