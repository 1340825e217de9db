// The four trial-balance layouts. Each is described by tables of its columns,
// so that the grouped and the range reports place the same fields alike.
#include "reports/statements/acc_bal_rpt.h"

#include <span>

#include <QColor>

#include "platform/data/hierarchy.h"
#include "platform/report/report_feed.h"
#include "platform/text/formats.h"

namespace statement_reports {
namespace {

using report::Align;
using report::DataFormat;
using report::Section;
using report::SectionKind;
using report::Twips;

constexpr Twips kWidth = 10080;
constexpr const char* kAmount = "#,##0.00;(#,##0.00)";
constexpr const char* kPlainSum = "0.00;(0.00)";
constexpr const char* kDay = "mmmm dd, yyyy";
const QColor kGrey(0xE0, 0xE0, 0xE0);

// What a bound text box shows: a text, a code (a figure that is no amount)
// or an amount.
enum Shows { Text, Code, Amount };

// A bound text box: name, field, left, width, and what it shows.
struct Field {
    const char* name;
    const char* field;
    Twips left;
    Twips width;
    Shows shows;
};
// A column caption: name, text, left and width; over an amount of its own
// width it stands at the right, as the amounts do.
struct Caption {
    const char* name;
    const char* text;
    Twips left;
    Twips width;
    bool overAmount = false;
    bool figure = false;   // a label of the totals that shows an amount
};
// A function box: name, field summed, left, width, pattern.
struct Sum {
    const char* name;
    const char* field;
    Twips left;
    Twips width;
    const char* pattern;
};

void addFields(Section& s, std::span<const Field> fields, const char* member, Twips top = 0, bool bold = false)
{
    for (const Field& f : fields) {
        // A status follows its amount: its text keeps a little way off.
        const bool status = QLatin1String(f.field).endsWith(QLatin1String("status"));
        const Twips pad = status ? 90 : 0;
        report::Control& c = s.text(QString::fromLatin1(f.name), {f.left + pad, top, f.width - pad, 270}, f.field)
                                 .setMember(member).setBold(bold);
        if (f.shows == Amount)
            c.setFormat(DataFormat::money(kAmount)).setAlign(Align::Right);
        c.setFigure(f.shows == Code);
    }
}

void addCaptions(Section& s, std::span<const Caption> captions, Twips top, bool shaded)
{
    for (const Caption& c : captions) {
        // A balance's caption keeps off the amount caption before it.
        const Twips pad = QLatin1String(c.text).endsWith(QLatin1String("Balance")) ? 90 : 0;
        report::Control& l = s.label(QString::fromLatin1(c.name), {c.left + pad, top, c.width - pad, 270},
                                     QString::fromLatin1(c.text)).setBold();
        if (c.overAmount)
            l.setAlign(Align::Right);
        if (shaded)
            l.setBackColor(kGrey);
    }
}

void addSums(Section& s, std::span<const Sum> sums, const char* member, Twips top)
{
    for (const Sum& f : sums)
        s.function(QString::fromLatin1(f.name), {f.left, top, f.width, 270}, report::Aggregate::Sum, f.field)
            .setMember(member).setFormat(DataFormat::money(f.pattern)).setAlign(Align::Right).setBold();
}

void addReportHeader(report::Report& r, Twips height, const char* title)
{
    Section& s = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), height);
    s.label(QStringLiteral("CoName"), {0, 0, kWidth, 240}).setAlign(Align::Centre);
    s.label(QStringLiteral("ReportLabel"), {0, 270, kWidth, 380}, QString::fromLatin1(title))
        .setPoints(14.25).setBold().setAlign(Align::Centre);
    s.label(QStringLiteral("ReportDate"), {0, 670, kWidth, 320}).setPoints(12).setBold().setItalic()
        .setAlign(Align::Centre);
}

report::Report base(const char* caption)
{
    report::Report r(QString::fromLatin1(caption));
    r.width = kWidth;
    r.margins = {1000, 500, 300, 300};
    return r;
}

// The report footer: the grey band, "Totals" and the sums; the six-column
// reports also show the opening and closing totals.
void addTotals(report::Report& r, Twips height, std::span<const Caption> labels, std::span<const Sum> sums)
{
    Section& s = r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), height);
    s.shape(QStringLiteral("Shape2"), {0, 60, kWidth, 320}, kGrey);
    for (const Caption& c : labels)
        s.label(QString::fromLatin1(c.name), {c.left, 90, c.width, 270}, QString::fromLatin1(c.text))
            .setBold().setAlign(Align::Right).setFigure(c.figure);
    addSums(s, sums, "level3", 90);
}

// The six-column account line and its captions (grouped and range alike).
constexpr Field kSixLine[] = {
    {"Text15", "acccode", 0, 1005, Code},   {"Text1", "accname", 1008, 2736, Text},
    {"Text9", "obalance", 3744, 1152, Amount}, {"Text10", "ostatus", 4896, 720, Text},
    {"Text3", "debits", 5616, 1296, Amount},   {"Text5", "credits", 6912, 1296, Amount},
    {"Text4", "cbalance", 8208, 1152, Amount}, {"Text6", "cstatus", 9360, 720, Text},
};
constexpr Caption kSixTotalLabels[] = {
    {"TtlLbl", "Totals", 2160, 1290}, {"OBLbl", "", 3456, 2004, false, true}, {"CBLbl", "", 8208, 1860, false, true}};
constexpr Sum kSixTotals[] = {
    {"Function1", "debits", 5472, 1449, kPlainSum}, {"Function2", "credits", 6912, 1290, kPlainSum}};

// The two-column captions and sums of the grouped and the range reports.
constexpr Sum kTwoTotals[] = {
    {"Function1", "debits2", 7056, 1455, kAmount}, {"Function2", "credits2", 8496, 1440, kAmount}};

void addGroupHeaders(report::Report& r, Twips mainHeight, std::span<const Field> mainLine, Twips subHeight,
                     std::span<const Field> subLine, std::span<const Caption> captions)
{
    Section& main = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section6"), mainHeight).setKeepTogether();
    main.shape(QStringLiteral("Shape1"), {0, 120, kWidth, 330}, kGrey);
    addFields(main, mainLine, "", 150, true);
    Section& sub = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section8"), subHeight).setKeepTogether();
    addFields(sub, subLine, "level2", 0, true);
    addCaptions(sub, captions, 288, true);
}

std::unique_ptr<report::ReportFeed> feed(report::Report layout, platform::Hierarchy& data, const AccBalSource& w,
                                         bool grouped, bool six)
{
    auto f = std::make_unique<report::ReportFeed>(std::move(layout), data, report::AtEnd::CloseData);
    f->setCompany(w.bizName);
    if (grouped)
        f->setCaption(u"Section4", u"ReportLabel",
                      w.allAccounts ? QStringLiteral("Trial Balance") : QStringLiteral("Accounts Balances"));
    f->setCaption(u"Section4", u"ReportDate",
                  six ? QStringLiteral("From  ") + platform::formatDate(w.from, kDay) + QStringLiteral("  To  ")
                            + platform::formatDate(w.to, kDay)
                      : QStringLiteral("As On  ") + platform::formatDate(w.to, kDay));
    f->setCaption(u"Section5", u"TtlLbl", QStringLiteral("Totals  ") + w.currencySymbol);
    if (six) {
        f->setCaption(u"Section5", u"OBLbl", w.openingText);
        f->setCaption(u"Section5", u"CBLbl", w.closingText);
    }
    f->setUserLine(report::UserLine::PrintedBy, w.user);
    return f;
}

} // namespace

report::Report accBalRptLayout()
{
    report::Report r = base("Trial Balance");
    addReportHeader(r, 1005, "Trial Balance");
    r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 0);
    constexpr Field mainLine[] = {{"Text14", "TypeID", 40, 864, Code}, {"Text2", "Type", 1008, 6192, Text},
                                  {"Text7", "tbalance", 7200, 2163, Amount}, {"Text8", "tstatus", 9360, 720, Text}};
    constexpr Field subLine[] = {{"Text16", "level2id", 0, 1005, Code}, {"Text11", "l2accname", 1008, 6768, Text},
                                 {"Text12", "tbalance", 7776, 1584, Amount}, {"Text13", "tstatus", 9360, 720, Text}};
    constexpr Caption captions[] = {{"Label3", "Acc Code", 0, 1008},     {"Label2", "Account Name", 1008, 2736},
                                    {"Label1", "Opening Balance", 3744, 1872}, {"Lbl1", "Debit", 5616, 1296, true},
                                    {"Lbl2", "Credit", 6912, 1296, true},      {"Lbl3", "Closing Balance", 8208, 1872}};
    addGroupHeaders(r, 700, mainLine, 575, subLine, captions);
    Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 285);
    addFields(line, kSixLine, "level3");
    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section9"), 0);
    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section7"), 0);
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 390);
    addTotals(r, 435, kSixTotalLabels, kSixTotals);
    return r;
}

report::Report accBalRpt2Layout()
{
    report::Report r = base("Trial Balance");
    addReportHeader(r, 1005, "Trial Balance");
    r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 0);
    constexpr Field mainLine[] = {{"Text14", "TypeID", 40, 870, Code}, {"Text2", "Type", 1008, 5904, Text},
                                  {"Text7", "tbalance", 6912, 2160, Amount}, {"Text8", "tstatus", 9072, 870, Text}};
    constexpr Field subLine[] = {{"Text16", "level2id", 144, 1005, Code}, {"Text11", "l2accname", 1152, 5760, Text},
                                 {"Text12", "tbalance", 6912, 2166, Amount}, {"Text13", "tstatus", 9072, 864, Text}};
    constexpr Caption captions[] = {{"Label3", "Acc Code", 144, 1008}, {"Label2", "Account Name", 1152, 5904},
                                    {"Lbl1", "Debit", 7056, 1440, true}, {"Lbl2", "Credit", 8496, 1455, true}};
    addGroupHeaders(r, 570, mainLine, 573, subLine, captions);
    constexpr Field accountLine[] = {{"Text15", "acccode", 144, 1005, Code}, {"Text1", "accname", 1152, 5760, Text},
                                     {"Text3", "debits", 7056, 1440, Amount}, {"Text5", "credits", 8496, 1455, Amount}};
    Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 285);
    addFields(line, accountLine, "level3");
    Section& subSums = r.addSection(SectionKind::GroupFooter, QStringLiteral("Section9"), 285);
    constexpr Sum sums[] = {{"Function3", "debits2", 7056, 1455, kAmount}, {"Function4", "credits2", 8496, 1440, kAmount}};
    addSums(subSums, sums, "level3", 0);
    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section7"), 0);
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 384);
    constexpr Caption total[] = {{"TtlLbl", "Totals", 5616, 1290}};
    addTotals(r, 435, total, kTwoTotals);
    return r;
}

report::Report accBalRptRangeLayout()
{
    report::Report r = base("Account Balances");
    addReportHeader(r, 1155, "Accounts Balances");
    Section& page = r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 500);
    page.shape(QStringLiteral("Shape1"), {0, 60, kWidth, 360}, kGrey);
    constexpr Caption captions[] = {{"Label3", "AccCode", 40, 968},     {"Label2", "Account Name", 1008, 2736},
                                    {"Label1", "Opening Balance", 3744, 1872}, {"Lbl1", "Debit", 5616, 1296, true},
                                    {"Lbl2", "Credit", 6912, 1296, true},    {"Lbl3", "Closing Balance", 8208, 1872}};
    addCaptions(page, captions, 105, false);
    Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 285);
    addFields(line, kSixLine, "");
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 390);
    addTotals(r, 432, kSixTotalLabels, kSixTotals);
    // The range's rows are the top level: its sums have no member.
    for (report::Control& c : r.section(u"Section5").controls)
        c.member.clear();
    return r;
}

report::Report accBalRptRange2Layout()
{
    report::Report r = base("Account Balances");
    addReportHeader(r, 1149, "Accounts Balances");
    Section& page = r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 500);
    page.shape(QStringLiteral("Shape1"), {0, 60, kWidth, 360}, kGrey);
    constexpr Caption captions[] = {{"Label3", "Acc Code", 144, 1008}, {"Label2", "Account Name", 1152, 5616},
                                    {"Lbl1", "Debit", 7056, 1434, true}, {"Lbl2", "Credit", 8496, 1440, true}};
    addCaptions(page, captions, 105, false);
    constexpr Field accountLine[] = {{"Text15", "acccode", 144, 1005, Code}, {"Text1", "accname", 1152, 5616, Text},
                                     {"Text3", "debits", 7056, 1434, Amount}, {"Text5", "credits", 8496, 1440, Amount}};
    Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 288);
    addFields(line, accountLine, "");
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 388);
    constexpr Caption total[] = {{"TtlLbl", "Totals", 2160, 1290}};
    addTotals(r, 435, total, kTwoTotals);
    for (report::Control& c : r.section(u"Section5").controls)
        c.member.clear();
    return r;
}

std::unique_ptr<report::ReportFeed> AccBalRpt(platform::Hierarchy& PrintBalances, const AccBalSource& window)
{
    return feed(accBalRptLayout(), PrintBalances, window, true, true);
}

std::unique_ptr<report::ReportFeed> AccBalRpt2(platform::Hierarchy& PrintBalances, const AccBalSource& window)
{
    return feed(accBalRpt2Layout(), PrintBalances, window, true, false);
}

std::unique_ptr<report::ReportFeed> AccBalRptRange(platform::Hierarchy& PrintBalances, const AccBalSource& window)
{
    return feed(accBalRptRangeLayout(), PrintBalances, window, false, true);
}

std::unique_ptr<report::ReportFeed> AccBalRptRange2(platform::Hierarchy& PrintBalances, const AccBalSource& window)
{
    return feed(accBalRptRange2Layout(), PrintBalances, window, false, false);
}

} // namespace statement_reports
