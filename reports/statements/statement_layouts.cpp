// The income statement and balance sheet layouts: portrait, 8640 twips of
// printable width, the amount column at the right.
#include "reports/statements/statement_layouts.h"

#include "platform/data/hierarchy.h"
#include "platform/report/report_feed.h"

namespace statement_reports {
namespace {

using report::Align;
using report::DataFormat;
using report::Section;
using report::SectionKind;
using report::Twips;

constexpr Twips kWidth = 8640;
constexpr const char* kWhole = "#,##0;(#,##0)";
constexpr Twips kThick = 45;

report::Report base(const char* caption)
{
    report::Report r(QString::fromLatin1(caption));
    r.width = kWidth;
    r.margins = {1440, 1440, 300, 300};
    return r;
}

// The heading of both statements: company, title, period, a thick rule and
// the amount column's caption.
void addHeading(Section& s, const char* title, const char* periodName, Twips amountWidth)
{
    s.label(QStringLiteral("CoName"), {0, 100, kWidth, 300}).setPoints(12).setBold().setAlign(Align::Centre);
    s.label(QStringLiteral("TitleLbl"), {0, 480, kWidth, 420}, QString::fromLatin1(title))
        .setPoints(14.25).setBold().setAlign(Align::Centre);
    s.label(QString::fromLatin1(periodName), {0, 960, kWidth, 300}).setPoints(10).setItalic().setAlign(Align::Centre);
    s.line(QStringLiteral("Line2"), {0, 1380, kWidth, 0}).setLineWidth(kThick);
    s.label(QStringLiteral("Ttl"), {6336, 1500, amountWidth, 270}).setBold().setAlign(Align::Right);
}

report::Control& amountSum(Section& s, const char* name, Twips left, Twips top, Twips width, const char* member,
                           const char* field)
{
    return s.function(QString::fromLatin1(name), {left, top, width, 270}, report::Aggregate::Sum, field)
        .setMember(member).setFormat(DataFormat::money(kWhole)).setAlign(Align::Right).setBold();
}

std::unique_ptr<report::ReportFeed> feed(report::Report layout, platform::Hierarchy& data,
                                         const StatementSource& w, QStringView heading, QStringView periodName)
{
    auto f = std::make_unique<report::ReportFeed>(std::move(layout), data, report::AtEnd::CloseData);
    f->setCompany(w.bizName);
    f->setCaption(heading, periodName, w.period);
    f->setCaption(heading, u"Ttl", QStringLiteral("Amount ") + w.currencySymbol);
    f->setUserLine(report::UserLine::PrintedBy, w.user);
    return f;
}

} // namespace

report::Report incStatementLayout()
{
    report::Report r = base("Income Statement");
    Section& top = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 1875);
    addHeading(top, "Income Statement", "PLSDate", 2310);
    r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 0);
    r.addSection(SectionKind::GroupHeader, QStringLiteral("Section8"), 0);
    Section& nature = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section6"), 360).setKeepTogether();
    nature.text(QStringLiteral("Text1"), {0, 60, 5760, 270}, "AccNatureTop").setMember("Heads").setBold();
    Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 330);
    line.text(QStringLiteral("Text2"), {288, 30, 5760, 270}, "Type").setMember("ChildCmd");
    line.text(QStringLiteral("Text3"), {6336, 30, 2301, 270}, "Diff")
        .setMember("ChildCmd").setFormat(DataFormat::money(kWhole)).setAlign(Align::Right);
    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section7"), 0);
    Section& side = r.addSection(SectionKind::GroupFooter, QStringLiteral("Section9"), 600).setKeepTogether();
    side.line(QStringLiteral("Line3"), {6336, 60, 2310, 0});
    side.text(QStringLiteral("Text4"), {144, 150, 5616, 270}, "FSType").setBold().setAlign(Align::Right);
    amountSum(side, "Function1", 6336, 150, 2310, "ChildCmd", "Diff");
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 390);
    Section& net = r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 621).setKeepTogether();
    net.line(QStringLiteral("Line4"), {0, 60, kWidth, 0});
    net.label(QStringLiteral("Label3"), {144, 180, 5616, 270}, QStringLiteral("Net Profit / (Loss) for the Period"))
        .setBold().setAlign(Align::Right);
    amountSum(net, "Function2", 6336, 180, 2307, "ChildCmd", "Diff");
    net.line(QStringLiteral("Line5"), {6336, 520, 2307, 0}).setLineWidth(kThick);
    return r;
}

report::Report balSheetLayout()
{
    report::Report r = base("Balance Sheet");
    Section& top = r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 1875);
    addHeading(top, "Balance Sheet", "BSDate", 2295);
    Section& side = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section6"), 700).setKeepTogether();
    side.text(QStringLiteral("Text1"), {0, 200, 5760, 330}, "FSType").setPoints(12).setBold();
    Section& nature = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section8"), 550).setKeepTogether();
    nature.text(QStringLiteral("Text2"), {288, 180, 5472, 270}, "AccNatureTop").setMember("NatureCmd").setBold();
    Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 330);
    line.text(QStringLiteral("Text3"), {432, 30, 5475, 270}, "Type").setMember("DetailCmd");
    line.text(QStringLiteral("Text4"), {6480, 30, 2160, 270}, "Balance")
        .setMember("DetailCmd").setFormat(DataFormat::money(kWhole)).setAlign(Align::Right);
    Section& natureSum = r.addSection(SectionKind::GroupFooter, QStringLiteral("Section9"), 590);
    natureSum.line(QStringLiteral("Line3"), {6480, 60, 2160, 0});
    amountSum(natureSum, "Function1", 6480, 150, 2160, "DetailCmd", "Balance");
    Section& total = r.addSection(SectionKind::GroupFooter, QStringLiteral("Section7"), 765)
                         .setKeepTogether().setPageBreakAfter();
    total.line(QStringLiteral("Line4"), {0, 60, kWidth, 0});
    total.label(QStringLiteral("Label3"), {1296, 200, 800, 300}, QStringLiteral("Total")).setBold().setAlign(Align::Right);
    total.text(QStringLiteral("Text5"), {2160, 200, 2880, 300}, "FSType").setBold();
    amountSum(total, "Function2", 6480, 200, 2160, "DetailCmd", "Balance");
    total.line(QStringLiteral("Line5"), {0, 620, kWidth, 0}).setLineWidth(kThick);
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 384);
    return r;
}

std::unique_ptr<report::ReportFeed> IncStatement(platform::Hierarchy& PLSRst, const StatementSource& window)
{
    return feed(incStatementLayout(), PLSRst, window, u"Section4", u"PLSDate");
}

std::unique_ptr<report::ReportFeed> BalSheet(platform::Hierarchy& BSRptRst, const StatementSource& window)
{
    return feed(balSheetLayout(), BSRptRst, window, u"Section2", u"BSDate");
}

} // namespace statement_reports
