// Tests for the layout engine: group headers per level, sums per group and per
// report, page flow and breaks, keep together, can-grow fields, placeholders,
// landscape and the refusals.
#include "platform/report/engine.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <QFontMetricsF>
#include <QStringList>

#include <gtest/gtest.h>

#include "platform/data/hierarchy.h"
#include "platform/text/formats.h"
#include "tests/support/cpu_clock.h"

using platform::Database;
using platform::Hierarchy;
using report::Aggregate;
using report::DataFormat;
using report::Document;
using report::Page;
using report::Report;
using report::SectionKind;
using report::TextRun;

namespace {

const QDate kPrinted{2026, 3, 5};
const char* const kMoney = "#,##0.00;(#,##0.00)";

// Two main types; sub types with accounts, one (Equity) without; one account
// (9901) that belongs to no sub type; amounts in cents, one of them empty.
Database chartDb()
{
    Database db = Database::createEmpty(":memory:");
    db.execScript(R"(
        CREATE TABLE L1 (TypeID INTEGER, Type TEXT);
        CREATE TABLE L2 (Level2ID INTEGER, Level1ID INTEGER, Name TEXT);
        CREATE TABLE L3 (AccCode INTEGER, Level2ID INTEGER, AccName TEXT, Debit INTEGER);
        INSERT INTO L1 VALUES (1, 'Assets'), (2, 'Income');
        INSERT INTO L2 VALUES (11, 1, 'Current'), (12, 1, 'Equity'), (13, 1, 'Fixed'), (21, 2, 'Sales');
        INSERT INTO L3 VALUES (1101, 11, 'Cash', 10), (1102, 11, 'Bank', 20), (1103, 11, 'Petty', -12345),
                              (1301, 13, 'Land', NULL), (2101, 21, 'Goods', 123456789),
                              (9901, 99, 'Orphan', 10000);
    )");
    return db;
}

Hierarchy chart(Database& db)
{
    return Hierarchy::open(db, {
        {"level1", "SELECT TypeID, Type FROM L1 ORDER BY TypeID", {}, "", ""},
        {"level2", "SELECT Level2ID, Level1ID, Name FROM L2 ORDER BY Level2ID", {}, "TypeID", "Level1ID"},
        {"level3", "SELECT AccCode, Level2ID, AccName, Debit FROM L3 ORDER BY AccCode", {}, "Level2ID", "Level2ID"},
    });
}

// The chart as a grouped report; `footers` adds the sums per group.
Report chartReport(bool footers)
{
    Report r("Chart of Accounts");
    r.width = 9360;
    r.margins = {1200, 1000, 300, 300};
    r.addSection(SectionKind::ReportHeader, "Section4", 400).label("CoName", {0, 0, 9360, 250}, "Tamsel");
    r.addSection(SectionKind::PageHeader, "Section2", 0);
    auto& g1 = r.addSection(SectionKind::GroupHeader, "Section6", 300);
    g1.text("Text1", {1440, 0, 3000, 285}, "Type");
    auto& g2 = r.addSection(SectionKind::GroupHeader, "Section8", 300);
    g2.text("Text4", {1440, 0, 3000, 285}, "Name").setMember("level2");
    r.addSection(SectionKind::Detail, "Section1", 300)
        .text("Text6", {144, 0, 1152, 285}, "AccCode").setMember("level3");
    auto& f2 = r.addSection(SectionKind::GroupFooter, "Section9", footers ? 300 : 0);
    f2.function("Function3", {6000, 0, 1500, 285}, Aggregate::Sum, "Debit")
        .setMember("level3").setFormat(DataFormat::money(kMoney));
    auto& f1 = r.addSection(SectionKind::GroupFooter, "Section7", footers ? 300 : 0);
    f1.function("Function4", {6000, 0, 1500, 285}, Aggregate::Sum, "Debit")
        .setMember("level3").setFormat(DataFormat::money(kMoney));
    r.addSection(SectionKind::PageFooter, "Section3", 390);
    auto& rf = r.addSection(SectionKind::ReportFooter, "Section5", footers ? 300 : 0);
    rf.function("Function1", {6000, 0, 1500, 285}, Aggregate::Sum, "Debit")
        .setMember("level3").setFormat(DataFormat::money(kMoney));
    rf.function("Function2", {8000, 0, 1000, 285}, Aggregate::Count, "AccCode")
        .setMember("level3").setFormat(DataFormat::number("0"));
    return r;
}

// Numbered lines 1..n with a description and an amount of n cents.
Database linesDb(int n, const QString& descr = "line")
{
    Database db = Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE Lines (N INTEGER, Descr TEXT, Amount INTEGER);");
    db.execScript("BEGIN");
    for (int i = 1; i <= n; ++i)
        db.exec("INSERT INTO Lines VALUES (?, ?, ?)", {i, descr.toStdString(), i});
    db.execScript("COMMIT");
    return db;
}

Hierarchy lines(Database& db)
{
    return Hierarchy::flat(platform::Recordset::open(db, "SELECT N, Descr, Amount FROM Lines ORDER BY N"));
}

// A flat list: a heading on every page, one row per line, and the standard
// page numbers in the page footer.
Report listReport()
{
    Report r("Lines");
    r.width = 9000;
    r.margins = {1000, 500, 300, 300};
    r.addSection(SectionKind::PageHeader, "Section2", 400).label("Head", {0, 0, 3000, 285}, "Heading");
    r.addSection(SectionKind::Detail, "Section1", 300).text("Text1", {0, 0, 1000, 285}, "N");
    r.addSection(SectionKind::PageFooter, "Section3", 390)
        .label("Label10", {3000, 60, 3000, 240}, "Page %p of %P");
    return r;
}

QStringList textsOf(const Page& page)
{
    QStringList out;
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<TextRun>(&item))
            out << t->text;
    return out;
}

QStringList allTexts(const Document& doc)
{
    QStringList out;
    for (const Page& p : doc.pages)
        out << textsOf(p);
    return out;
}

std::vector<const TextRun*> runsOf(const Page& page, const QString& text)
{
    std::vector<const TextRun*> out;
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<TextRun>(&item); t && t->text == text)
            out.push_back(t);
    return out;
}

int pageOf(const Document& doc, const QString& text)
{
    for (std::size_t i = 0; i < doc.pages.size(); ++i)
        if (!runsOf(doc.pages[i], text).empty())
            return static_cast<int>(i);
    return -1;
}

// The lowest point of the body: above the page footer.
int bodyBottom(const Document& doc, Report r)
{
    const auto* footer = r.find(u"Section3");
    return doc.pageHeight - r.margins.bottom - (footer ? footer->height : 0);
}

} // namespace

TEST(ReportLayout, PrintsAGroupHeaderPerLevelAndParentsWithoutChildren)
{
    Database db = chartDb();
    const Document doc = report::layOut(chartReport(false), chart(db), kPrinted);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(textsOf(doc.pages[0]).join(' '),
              "Tamsel Assets Current 1101 1102 1103 Equity Fixed 1301 Income Sales 2101");
}

TEST(ReportLayout, SumsEachGroupAndTheReportOverRelatedRowsOnly)
{
    Database db = chartDb();
    const Document doc = report::layOut(chartReport(true), chart(db), kPrinted);
    // Sub types, then main types, then the report: Equity has nothing, Land's
    // amount is empty, and the orphan account's 100.00 is in no sum.
    EXPECT_EQ(allTexts(doc).join(' '),
              "Tamsel Assets Current 1101 1102 1103 (123.15) Equity 0.00 Fixed 1301 0.00 (123.15) "
              "Income Sales 2101 1,234,567.89 1,234,567.89 1,234,444.74 5");
}

TEST(ReportLayout, SumsInAGroupHeaderCoverTheWholeGroup)
{
    Database db = chartDb();
    Report r = chartReport(false);
    r.section(u"Section6").function("Sum", {6000, 0, 1500, 285}, Aggregate::Sum, "Debit")
        .setMember("level3").setFormat(DataFormat::money(kMoney));
    const QStringList texts = allTexts(report::layOut(r, chart(db), kPrinted));
    EXPECT_EQ(texts.mid(1, 3).join(' '), "Assets (123.15) Current");
    EXPECT_TRUE(texts.contains("1,234,567.89"));
}

TEST(ReportLayout, FlowsRowsOverPagesBetweenHeaderAndFooter)
{
    Database db = linesDb(120);
    const Report r = listReport();
    const Document doc = report::layOut(r, lines(db), kPrinted);
    ASSERT_GT(doc.pages.size(), 2u);
    const int limit = bodyBottom(doc, r);
    int expected = 1;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        SCOPED_TRACE(p);
        const QStringList texts = textsOf(doc.pages[p]);
        EXPECT_EQ(texts.front(), "Heading");
        for (const auto& item : doc.pages[p].items) {
            const auto& t = std::get<TextRun>(item);
            if (t.text == "Heading" || t.text.startsWith("Page"))
                continue;
            EXPECT_EQ(t.text, QString::number(expected++));
            EXPECT_LE(t.rect.top + 300, limit);
        }
        EXPECT_EQ(runsOf(doc.pages[p], QString("Page %1 of %2").arg(p + 1).arg(doc.pages.size())).size(), 1u);
    }
    EXPECT_EQ(expected, 121);   // every row once, in order
}

TEST(ReportLayout, PutsPageNumbersAndThePrintingDateOnEveryPage)
{
    struct Case {
        const char* pattern;
        const char* dateLine;
    };
    const Case cases[] = {{"dd-MM-yyyy", "Date 05-03-2026"}, {"mmm d, yyyy", "Date Mar 5, 2026"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        Database db = linesDb(130);
        Report r = listReport();
        r.datePattern = c.pattern;
        r.section(u"Section3").label("Label7", {0, 60, 2500, 240}, "Date %d");
        const Document doc = report::layOut(r, lines(db), kPrinted);
        const int pages = static_cast<int>(doc.pages.size());
        ASSERT_GE(pages, 3);
        for (int p = 0; p < pages; ++p) {
            SCOPED_TRACE(p);
            const auto& page = doc.pages[static_cast<std::size_t>(p)];
            EXPECT_EQ(runsOf(page, QString("Page %1 of %2").arg(p + 1).arg(pages)).size(), 1u);
            EXPECT_EQ(runsOf(page, c.dateLine).size(), 1u);
        }
    }
}

TEST(ReportLayout, BreaksThePageAfterASectionThatAsksForIt)
{
    struct Case {
        const char* name;
        int reportFooterHeight;
        std::size_t pages;
    };
    const Case cases[] = {
        {"nothing after the last group: no empty page", 0, 2},
        {"the report footer follows on a page of its own", 300, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = chartDb();
        Report r = chartReport(true);
        r.section(u"Section7").setPageBreakAfter();
        r.section(u"Section5").height = c.reportFooterHeight;
        const Document doc = report::layOut(r, chart(db), kPrinted);
        ASSERT_EQ(doc.pages.size(), c.pages);
        EXPECT_EQ(pageOf(doc, "Assets"), 0);
        EXPECT_EQ(pageOf(doc, "Income"), 1);
        EXPECT_EQ(pageOf(doc, "1,234,444.74"), c.reportFooterHeight ? 2 : -1);
    }
}

TEST(ReportLayout, KeepsASectionTogetherOrSplitsIt)
{
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep);
        Database db = linesDb(40);   // 12,000 twips of rows: less than 9,000 left on page 1
        Report r = listReport();
        auto& footer = r.addSection(SectionKind::ReportFooter, "Section5", 9000);
        footer.label("Top", {0, 0, 2000, 285}, "Top");
        footer.label("Bottom", {0, 8700, 2000, 285}, "Bottom");
        footer.setKeepTogether(keep);
        const Document doc = report::layOut(r, lines(db), kPrinted);
        ASSERT_EQ(doc.pages.size(), 2u);
        EXPECT_EQ(pageOf(doc, "40"), 0);
        EXPECT_EQ(pageOf(doc, "Top"), keep ? 1 : 0);
        EXPECT_EQ(pageOf(doc, "Bottom"), 1);
        EXPECT_LE(runsOf(doc.pages[1], "Bottom").front()->rect.bottom(), bodyBottom(doc, r));
    }
}

TEST(ReportLayout, SplitsARowBetweenItsLinesUnlessKeptTogether)
{
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep);
        Database db = linesDb(200);
        Report r = listReport();
        auto& detail = r.section(u"Section1");
        detail.height = 650;   // rows do not fill a page evenly: the last one meets its end
        detail.setKeepTogether(keep);
        detail.shape("Band", {0, 0, 9000, 650}, QColor(0xE0, 0xE0, 0xE0));
        detail.text("Amount", {3000, 400, 1500, 285}, "Amount").setFormat(DataFormat::money(kMoney));
        const Document doc = report::layOut(r, lines(db), kPrinted);
        const int limit = bodyBottom(doc, r);
        int bandTotal = 0;
        bool cut = false;
        QStringList texts;
        for (const Page& page : doc.pages) {
            for (const auto& item : page.items) {
                if (const auto* box = std::get_if<report::BoxRun>(&item)) {
                    EXPECT_LE(box->rect.bottom(), limit);
                    bandTotal += box->rect.height;
                    cut = cut || box->rect.height != 650;
                } else if (const auto* t = std::get_if<TextRun>(&item); t && !t->text.startsWith("Page")) {
                    EXPECT_LE(t->rect.bottom(), limit) << t->text.toStdString();
                }
            }
            texts << textsOf(page).mid(1, textsOf(page).size() - 2);   // without heading and footer
        }
        EXPECT_EQ(bandTotal, 200 * 650);
        EXPECT_EQ(cut, !keep);
        // Whether cut or not, each row's number comes with its own amount.
        ASSERT_EQ(texts.size(), 400);
        for (int i = 0; i < 200; ++i) {
            EXPECT_EQ(texts[2 * i], QString::number(i + 1));
            EXPECT_EQ(texts[2 * i + 1], platform::formatMoneyQ(platform::Money::fromCents(i + 1), kMoney));
        }
    }
}

TEST(ReportLayout, GrowsAFieldToItsTextAndPushesWhatIsBelow)
{
    const QString words = "Opening balance brought forward from the closing of the previous year "
                          "as agreed with the auditors and entered by the accounts office";
    Database db = linesDb(2, words);
    Report r = listReport();
    auto& detail = r.section(u"Section1");
    detail.height = 600;
    detail.text("Descr", {2000, 0, 2000, 285}, "Descr").setCanGrow();
    detail.text("Fixed", {5000, 0, 2000, 285}, "Descr");
    detail.text("Below", {2000, 300, 1000, 285}, "Amount").setFormat(DataFormat::money(kMoney));
    const Document doc = report::layOut(r, lines(db), kPrinted);
    ASSERT_EQ(doc.pages.size(), 1u);
    const Page& page = doc.pages[0];

    std::vector<const TextRun*> grown, fixed, below;
    for (const auto& item : page.items) {
        const auto& t = std::get<TextRun>(item);
        const int left = t.rect.left - r.margins.left;
        if (left == 2000 && !t.text.startsWith("0.0"))
            grown.push_back(&t);
        else if (left == 2000)
            below.push_back(&t);
        else if (left == 5000)
            fixed.push_back(&t);
    }
    // The first row's text: several lines, none wider than the field, no word lost.
    std::vector<const TextRun*> firstRow;
    for (const TextRun* t : grown)
        if (t->rect.top < below[0]->rect.top)
            firstRow.push_back(t);
    ASSERT_GT(firstRow.size(), 2u);
    QStringList joined;
    const QFontMetricsF fm(report::qtFont(firstRow.front()->font));
    for (const TextRun* t : firstRow) {
        EXPECT_LE(fm.horizontalAdvance(t->text), 2000.0) << t->text.toStdString();
        joined << t->text;
    }
    EXPECT_EQ(joined.join(' '), words);
    // What stands below the field moves under its last line, and the next row
    // starts after the grown section, keeping the section's padding.
    EXPECT_GE(below[0]->rect.top, firstRow.back()->rect.bottom());
    const int secondRowTop = fixed[1]->rect.top;
    EXPECT_EQ(secondRowTop, below[0]->rect.top + 285 + (600 - 585));
    EXPECT_EQ(below[1]->rect.top - secondRowTop, below[0]->rect.top - fixed[0]->rect.top);
}

TEST(ReportLayout, ContinuesATextTallerThanThePageOnTheNext)
{
    QStringList many;
    for (int i = 0; i < 900; ++i)
        many << QString("word%1").arg(i);
    Database db = linesDb(1, many.join(' '));
    Report r = listReport();
    r.section(u"Section1").text("Descr", {2000, 0, 1500, 285}, "Descr").setCanGrow();
    const Document doc = report::layOut(r, lines(db), kPrinted);
    ASSERT_GE(doc.pages.size(), 2u);
    const int limit = bodyBottom(doc, r);
    QStringList joined;
    for (const Page& page : doc.pages)
        for (const auto& item : page.items) {
            const auto& t = std::get<TextRun>(item);
            if (t.text.startsWith("word")) {
                joined << t.text;
                EXPECT_LE(t.rect.bottom(), limit);
            }
        }
    EXPECT_EQ(joined.join(' '), many.join(' '));
}

TEST(ReportLayout, TurnsThePageForLandscape)
{
    Database db = linesDb(120);
    Report r = listReport();
    const Document portrait = report::layOut(r, lines(db), kPrinted);
    r.orientation = QPageLayout::Landscape;
    const Document landscape = report::layOut(r, lines(db), kPrinted);
    EXPECT_EQ(landscape.orientation, QPageLayout::Landscape);
    EXPECT_EQ(landscape.pageWidth, portrait.pageHeight);
    EXPECT_EQ(landscape.pageHeight, portrait.pageWidth);
    EXPECT_GT(landscape.pageWidth, landscape.pageHeight);
    EXPECT_GT(landscape.pages.size(), portrait.pages.size());
    for (const Page& page : landscape.pages)
        for (const auto& item : page.items)
            EXPECT_LE(std::get<TextRun>(item).rect.bottom(), landscape.pageHeight - r.margins.bottom);
}

TEST(ReportLayout, PrintsNothingOfHiddenOrEmptySections)
{
    Database db = chartDb();
    Report r = chartReport(true);
    r.section(u"Section9").setVisible(false);
    r.section(u"Section5").control(u"Function2").setVisible(false);
    r.section(u"Section8").height = 0;
    EXPECT_EQ(allTexts(report::layOut(r, chart(db), kPrinted)).join(' '),
              "Tamsel Assets 1101 1102 1103 1301 (123.15) Income 2101 1,234,567.89 1,234,444.74");
}

TEST(ReportLayout, RefusesLayoutsThatDoNotFitTheData)
{
    Database db = chartDb();
    struct Case {
        const char* name;
        void (*spoil)(Report&);
    };
    const Case cases[] = {
        {"unknown member", [](Report& r) { r.section(u"Section1").control(u"Text6").member = "level9"; }},
        {"unknown field", [](Report& r) { r.section(u"Section1").control(u"Text6").field = "NoSuchField"; }},
        {"a group header too few", [](Report& r) { r.section(u"Section8").kind = SectionKind::Detail; }},
        {"a group footer too few", [](Report& r) { r.section(u"Section9").kind = SectionKind::ReportFooter; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Report r = chartReport(true);
        c.spoil(r);
        EXPECT_THROW(report::layOut(r, chart(db), kPrinted), std::invalid_argument);
    }
    EXPECT_THROW(report::layOut(chartReport(true), Hierarchy{}, kPrinted), std::invalid_argument);
}

TEST(ReportLayout, LaysOutALedgerOfTwentyThousandLinesQuickly)
{
    Database db = linesDb(20000, "Cash sale against invoice");
    Report r = listReport();
    auto& detail = r.section(u"Section1");
    detail.height = 240;
    for (int i = 0; i < 6; ++i)
        detail.text(QString("T%1").arg(i), {1000 + 1300 * i, 0, 1250, 240}, i % 2 ? "Amount" : "Descr")
            .setFormat(i % 2 ? DataFormat::money(kMoney) : DataFormat{})
            .setCanGrow(i == 0);
    const testing_support::CpuClock clock;
    const Document doc = report::layOut(r, lines(db), kPrinted);
    const auto ms = clock.elapsedMs();
    EXPECT_GT(doc.pages.size(), 300u);
    EXPECT_LT(ms, 3000) << "layout took " << ms << " ms of processor time";
}

namespace {

// Every item of `page` as text: its kind, place and what it shows, so that
// two layouts of a page compare exactly.
QStringList itemsOf(const Page& page)
{
    QStringList out;
    for (const auto& item : page.items) {
        if (const auto* t = std::get_if<TextRun>(&item))
            out << QString("T %1 %2 %3 %4 %5 %6 %7").arg(t->rect.left).arg(t->rect.top).arg(t->rect.width)
                       .arg(t->rect.height).arg(int(t->align)).arg(t->font.points).arg(t->text);
        else if (const auto* b = std::get_if<report::BoxRun>(&item))
            out << QString("B %1 %2 %3 %4").arg(b->rect.left).arg(b->rect.top).arg(b->rect.width).arg(b->rect.height);
        else if (const auto* l = std::get_if<report::LineRun>(&item))
            out << QString("L %1 %2 %3 %4").arg(l->x1).arg(l->y1).arg(l->x2).arg(l->y2);
    }
    return out;
}

// Each page of `paged` item for item as in `whole`.
void expectSamePages(const Document& paged, const Document& whole)
{
    ASSERT_EQ(paged.pages.size(), whole.pages.size());
    for (std::size_t p = 0; p < whole.pages.size(); ++p) {
        SCOPED_TRACE(testing::Message() << "page " << p + 1);
        ASSERT_EQ(itemsOf(paged.pages[p]), itemsOf(whole.pages[p]));
    }
}

// Groups of `perGroup` lines, `groups` of them; every 997th line has a text
// taller than a page, so bands are cut across pages too.
Database groupedDb(int groups, int perGroup)
{
    Database db = Database::createEmpty(":memory:");
    db.execScript("CREATE TABLE G (GroupNo INTEGER, Name TEXT);"
                  "CREATE TABLE Lines (N INTEGER, GroupNo INTEGER, Descr TEXT, Amount INTEGER);");
    db.execScript("BEGIN");
    platform::Statement g(db, "INSERT INTO G VALUES (?, ?)");
    platform::Statement l(db, "INSERT INTO Lines VALUES (?, ?, ?, ?)");
    std::string tall;
    for (int i = 0; i < 90; ++i)
        tall += "line " + std::to_string(i) + "\n";
    int n = 0;
    for (int group = 1; group <= groups; ++group) {
        g.reset();
        g.bindAll({group, "Group " + std::to_string(group)}).run();
        for (int i = 0; i < perGroup; ++i) {
            ++n;
            l.reset();
            l.bindAll({n, group, n % 997 == 0 ? tall : "Cash sale " + std::to_string(n), n % 7 ? n : -n}).run();
        }
    }
    db.execScript("COMMIT");
    return db;
}

Hierarchy grouped(Database& db)
{
    return Hierarchy::open(db, {
        {"", "SELECT GroupNo, Name FROM G ORDER BY GroupNo", {}, "", ""},
        {"lines", "SELECT N, GroupNo, Descr, Amount FROM Lines ORDER BY N", {}, "GroupNo", "GroupNo"},
    });
}

// A grouped ledger-like report: a report header, a heading per page that
// names the group being printed, a header kept together and a footer with
// sums per group (every tenth group starting a new page), growing lines, page
// numbers and the report's sums.
Report groupedReport()
{
    Report r("Grouped");
    r.width = 9000;
    r.margins = {1000, 500, 300, 300};
    r.addSection(SectionKind::ReportHeader, "Section4", 600).label("CoName", {0, 0, 9000, 400}, "Tamsel").setPoints(14);
    auto& page = r.addSection(SectionKind::PageHeader, "Section2", 300);
    page.text("Text9", {0, 0, 4000, 285}, "Name");
    page.shape("Shape1", {0, 0, 9000, 300}, QColor(0xE0, 0xE0, 0xE0));
    r.addSection(SectionKind::GroupHeader, "Section6", 600).setKeepTogether()
        .text("Text1", {0, 100, 4000, 285}, "Name");
    auto& line = r.addSection(SectionKind::Detail, "Section1", 255);
    line.text("Text2", {0, 0, 1000, 255}, "N").setMember("lines");
    line.text("Text3", {1000, 0, 5000, 255}, "Descr").setMember("lines").setCanGrow();
    line.text("Text4", {6000, 0, 1500, 255}, "Amount").setMember("lines").setFormat(DataFormat::money(kMoney));
    line.line("Line1", {0, 250, 9000, 0});
    auto& footer = r.addSection(SectionKind::GroupFooter, "Section7", 300);
    footer.function("Function1", {6000, 0, 1500, 285}, Aggregate::Sum, "Amount")
        .setMember("lines").setFormat(DataFormat::money(kMoney));
    r.addSection(SectionKind::PageFooter, "Section3", 390).label("Label10", {3000, 60, 3000, 240}, "Page %p of %P %d");
    r.addSection(SectionKind::ReportFooter, "Section5", 300)
        .function("Function2", {6000, 0, 1500, 285}, Aggregate::Sum, "Amount")
        .setMember("lines").setFormat(DataFormat::money(kMoney));
    return r;
}

} // namespace

TEST(PagedLayout, LaysOutEveryPageOfAHundredThousandRowsAsTheLayoutInOneGoDoes)
{
    Database db = groupedDb(1000, 100);
    const Hierarchy data = grouped(db);
    Report r = groupedReport();
    const Document whole = report::layOutAtOnce(r, data, kPrinted);
    const Document paged = report::layOut(r, data, kPrinted);
    ASSERT_GT(whole.pages.size(), 1500u);
    expectSamePages(paged, whole);
    // Pages read out of order come out the same.
    for (const std::size_t p : {std::size_t(700), std::size_t(3), whole.pages.size() - 1, std::size_t(0)})
        EXPECT_EQ(itemsOf(paged.pages[p]), itemsOf(whole.pages[p]));

}

TEST(PagedLayout, TurnsThePagesAfterEachGroupAsTheLayoutInOneGoDoes)
{
    Database db = groupedDb(300, 40);
    const Hierarchy data = grouped(db);
    Report r = groupedReport();
    r.section(u"Section7").setPageBreakAfter();
    const Document whole = report::layOutAtOnce(r, data, kPrinted);
    const Document paged = report::layOut(r, data, kPrinted);
    ASSERT_GE(whole.pages.size(), 300u);
    expectSamePages(paged, whole);
}

namespace {

// One row of figures too wide for the boxes below, and a report that shows it.
Database figuresDb()
{
    Database db = Database::createEmpty(":memory:");
    db.execScript(R"(
        CREATE TABLE F (Amount INTEGER, Big INTEGER, N INTEGER, Day TEXT, Ref TEXT);
        INSERT INTO F VALUES (1234567890199, 9223372036854775807, 9999999999, '2026-09-30', 'JV-9999999999');
    )");
    return db;
}

Hierarchy figures(Database& db)
{
    return Hierarchy::flat(platform::Recordset::open(db, "SELECT Amount, Big, N, Day, Ref FROM F"));
}

struct Shown {
    QString text;
    double points;
    report::Rect rect;    // from the printable width's left edge
};

// The text runs of the first page, placed from the printable area's corner.
std::vector<Shown> shownAt(const Document& doc, const Report& r)
{
    std::vector<Shown> out;
    for (const auto& item : doc.pages.at(0).items)
        if (const auto* t = std::get_if<TextRun>(&item)) {
            report::Rect rect = t->rect;
            rect.left -= r.margins.left;
            rect.top -= r.margins.top;
            out.push_back({t->text, t->font.points, rect});
        }
    return out;
}

} // namespace

TEST(ReportLayout, SetsAFigureWiderThanItsBoxSmallerOnOneLineAndWrapsOtherTexts)
{
    // A figure comes out whole on one line (smaller when it must); any other
    // text wraps, and keeps only the lines its box holds.
    enum class Shows { Smaller, AsIs, Cut, Wrapped };
    struct Case {
        const char* name;
        report::ControlKind kind;
        std::string field;
        DataFormat format;
        bool figure;
        report::Twips width;
        QString whole;
        Shows shows;
    };
    const QString ref = "JV-9999999999";
    const Case cases[] = {
        {"amount", report::ControlKind::TextBox, "Amount", DataFormat::money(kMoney), false, 1200, "12,345,678,901.99",
         Shows::Smaller},
        {"sum", report::ControlKind::Function, "Amount", DataFormat::money(kMoney), false, 1200, "12,345,678,901.99",
         Shows::Smaller},
        {"number", report::ControlKind::TextBox, "N", DataFormat::number("0"), false, 800, "9999999999", Shows::Smaller},
        {"date", report::ControlKind::TextBox, "Day", DataFormat::date("mmmm dd, yyyy"), false, 1400,
         "September 30, 2026", Shows::Smaller},
        {"reference", report::ControlKind::TextBox, "Ref", DataFormat{}, true, 1100, ref, Shows::Smaller},
        {"label", report::ControlKind::Label, "", DataFormat{}, true, 1100, ref, Shows::Smaller},
        {"fits", report::ControlKind::TextBox, "Amount", DataFormat::money(kMoney), false, 3000, "12,345,678,901.99",
         Shows::AsIs},
        {"text", report::ControlKind::TextBox, "Ref", DataFormat{}, false, 700, ref, Shows::Cut},
        {"grows", report::ControlKind::TextBox, "Ref", DataFormat{}, false, 700, ref, Shows::Wrapped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Database db = figuresDb();
        Report r("Figures");
        r.margins = {1000, 500, 300, 300};
        auto& detail = r.addSection(SectionKind::Detail, "Section1", 300);
        const report::Rect box{2000, 0, c.width, 285};
        report::Control& control =
            c.kind == report::ControlKind::Label      ? detail.label("Box", box, ref)
            : c.kind == report::ControlKind::Function ? detail.function("Box", box, Aggregate::Sum, c.field)
                                                      : detail.text("Box", box, c.field);
        control.setFormat(c.format).setFigure(c.figure).setAlign(report::Align::Right)
            .setCanGrow(c.shows == Shows::Wrapped);
        const Hierarchy data = figures(db);
        const Document doc = report::layOut(r, data, kPrinted);
        expectSamePages(doc, report::layOutAtOnce(r, data, kPrinted));
        const auto shown = shownAt(doc, r);
        ASSERT_FALSE(shown.empty());
        QString joined;
        for (const Shown& s : shown) {
            joined += s.text;
            // Within the box, measured at the size it is drawn at.
            EXPECT_EQ(s.rect.left, box.left);
            EXPECT_EQ(s.rect.width, box.width);
            report::Font font;
            font.points = s.points;
            EXPECT_LE(QFontMetricsF(report::qtFont(font)).horizontalAdvance(s.text), double(box.width));
        }
        switch (c.shows) {
        case Shows::Smaller:
        case Shows::AsIs:
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(joined, c.whole);
            if (c.shows == Shows::Smaller) {
                EXPECT_LT(shown.front().points, 8.25);
                EXPECT_GE(shown.front().points, 6.0);
                // Set smaller, it keeps a gap to the next box's figure.
                report::Font font;
                font.points = shown.front().points;
                EXPECT_LE(QFontMetricsF(report::qtFont(font)).horizontalAdvance(joined), double(box.width - 60));
            } else {
                EXPECT_EQ(shown.front().points, 8.25);
            }
            break;
        case Shows::Cut:
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_LT(joined.size(), c.whole.size());
            EXPECT_TRUE(c.whole.startsWith(joined));
            break;
        case Shows::Wrapped:
            EXPECT_GT(shown.size(), 1u);
            EXPECT_EQ(joined, c.whole);
            break;
        }
    }
}

TEST(ReportLayout, SetsAFigureAsSmallAsItsBoxNeedsOnTheBaselineOfItsRow)
{
    // 92,233,720,368,547,758.07 is wider than 600 twips even at 6 points; the
    // status beside it is at the layout's own size.
    for (const report::Align align : {report::Align::Right, report::Align::Left, report::Align::Centre}) {
        SCOPED_TRACE(int(align));
        Database db = figuresDb();
        Report r("Figures");
        r.margins = {1000, 500, 300, 300};
        const report::Rect box{4000, 0, 600, 285};
        auto& detail = r.addSection(SectionKind::Detail, "Section1", 300);
        detail.label("Status", {4700, 0, 700, 285}, "Debit");
        detail.text("Big", box, "Big").setFormat(DataFormat::money(kMoney)).setAlign(align);
        const auto shown = shownAt(report::layOut(r, figures(db), kPrinted), r);
        ASSERT_EQ(shown.size(), 2u);
        const Shown& status = shown.front();
        const Shown& s = shown.back();
        EXPECT_EQ(s.text, "92,233,720,368,547,758.07");
        EXPECT_LT(s.points, 6.0);
        // The largest size, in twentieths of a point, that keeps a millimetre
        // of the box clear; drawn within the box whatever its alignment.
        report::Font font;
        font.points = s.points;
        EXPECT_LE(QFontMetricsF(report::qtFont(font)).horizontalAdvance(s.text), double(box.width - 60));
        font.points += 0.05;
        EXPECT_GT(QFontMetricsF(report::qtFont(font)).horizontalAdvance(s.text), double(box.width - 60));
        EXPECT_EQ(s.rect.left, box.left);
        EXPECT_EQ(s.rect.width, box.width);
        // Its baseline, its font's ascent below its top, is the status's.
        font.points = s.points;
        report::Font statusFont;
        statusFont.points = status.points;
        EXPECT_NEAR(s.rect.top + QFontMetricsF(report::qtFont(font)).ascent(),
                    status.rect.top + QFontMetricsF(report::qtFont(statusFont)).ascent(), 0.5);
    }
}

TEST(Pagination, CountsASliceAtATimeAndStopsWhereItStands)
{
    Database db = linesDb(20000);
    const Hierarchy data = lines(db);
    const Report r = listReport();
    const Document whole = report::layOutAtOnce(r, data, kPrinted);
    const std::size_t total = whole.pages.size();

    report::Pagination counting(r, data, kPrinted);
    EXPECT_FALSE(counting.countFor(0));   // a first slice: not the whole report
    const std::size_t first = counting.pagesCounted();
    EXPECT_GE(first, 1u);
    EXPECT_LT(first, total);
    EXPECT_LT(counting.progress(), 1.0);
    // The first page is there before the rest is counted, numbered of the
    // pages known so far.
    const QStringList page1 = textsOf(counting.document().pages[0]);
    EXPECT_TRUE(page1.contains(QString("Page 1 of %1").arg(first + 1))) << page1.join(' ').toStdString();
    EXPECT_TRUE(counting.countFor(60000));
    EXPECT_TRUE(counting.complete());
    EXPECT_EQ(counting.pagesCounted(), total);
    counting.document().pages.dropCached();
    EXPECT_EQ(itemsOf(counting.document().pages[0]), itemsOf(whole.pages[0]));

    report::Pagination stopped(r, data, kPrinted);
    stopped.countFor(0);
    stopped.stop();
    const std::size_t kept = stopped.pagesCounted();
    EXPECT_TRUE(stopped.complete());
    EXPECT_LT(kept, total);
    EXPECT_EQ(stopped.document().pages.size(), kept);   // reading the size counts no further
    const QStringList last = textsOf(stopped.document().pages.back());
    EXPECT_TRUE(last.contains(QString("Page %1 of %1").arg(kept))) << last.join(' ').toStdString();
}

namespace {

// The grouped data read `perSlice` groups at a time.
class GroupSlices : public report::SlicedData {
public:
    GroupSlices(Database& db, int groups, int perSlice) : m_db{db}, m_groups{groups}, m_perSlice{perSlice} {}
    std::size_t sliceCount() const override { return std::size_t((m_groups + m_perSlice - 1) / m_perSlice); }
    std::shared_ptr<const Hierarchy> slice(std::size_t index) const override
    {
        const int from = int(index) * m_perSlice + 1;
        const int to = from + m_perSlice - 1;
        return std::make_shared<const Hierarchy>(Hierarchy::open(m_db, {
            {"", "SELECT GroupNo, Name FROM G WHERE GroupNo BETWEEN ? AND ? ORDER BY GroupNo", {from, to}, "", ""},
            {"lines", "SELECT N, GroupNo, Descr, Amount FROM Lines WHERE GroupNo BETWEEN ? AND ? ORDER BY N",
             {from, to}, "GroupNo", "GroupNo"},
        }));
    }

private:
    Database& m_db;
    int m_groups;
    int m_perSlice;
};

} // namespace

TEST(SlicedPagination, LaysOutTheSlicesAsTheWholeDataInOneGoAndRefusesSumsOverTheWholeReport)
{
    Database db = groupedDb(60, 40);
    const Hierarchy data = grouped(db);
    Report r = groupedReport();
    // A report footer without the report's sums, which no slice holds.
    r.sections.back().controls.clear();
    r.sections.back().label("Label1", {0, 0, 4000, 285}, "End of report");
    const Document whole = report::layOutAtOnce(r, data, kPrinted);
    ASSERT_GT(whole.pages.size(), 20u);
    for (const int perSlice : {1, 7, 60}) {
        SCOPED_TRACE(perSlice);
        report::Pagination sliced(r, std::make_shared<GroupSlices>(db, 60, perSlice), kPrinted);
        sliced.countFor(60000);
        ASSERT_TRUE(sliced.complete());
        expectSamePages(sliced.document(), whole);
        sliced.document().pages.dropCached();
        for (const std::size_t p : {whole.pages.size() - 1, std::size_t(5), std::size_t(0)})
            EXPECT_EQ(itemsOf(sliced.document().pages[p]), itemsOf(whole.pages[p]));
    }
    EXPECT_THROW(report::Pagination(groupedReport(), std::make_shared<GroupSlices>(db, 60, 7), kPrinted),
                 std::invalid_argument);
    EXPECT_NO_THROW(report::Pagination(groupedReport(), std::make_shared<GroupSlices>(db, 60, 60), kPrinted));
}
