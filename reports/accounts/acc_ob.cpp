// The printed opening balances: each main type with its net and status, each
// of its sub types with its net, the lines under them, and the totals.
#include "reports/accounts/acc_ob.h"

#include <QColor>

#include "platform/data/hierarchy.h"
#include "platform/text/formats.h"

namespace account_reports {

using report::Align;
using report::DataFormat;
using report::Section;
using report::SectionKind;

namespace {

constexpr const char* kAmount = "#,##0.00;(#,##0.00)";

// Columns, left to right: code, name, debit (and the nets), credit (and the status).
constexpr report::Rect kCode{100, 0, 1150, 285};
constexpr report::Rect kName{1300, 0, 4550, 285};
constexpr report::Rect kDebit{5900, 0, 1950, 285};
constexpr report::Rect kCredit{7950, 0, 1950, 285};

report::Rect at(report::Rect column, report::Twips top)
{
    column.top = top;
    return column;
}

} // namespace

report::Report accObLayout()
{
    report::Report r(QStringLiteral("Accounts Opening Balances"));
    r.width = 10086;
    r.margins = {1000, 500, 300, 300};
    const report::Twips w = r.width;
    const QColor band(0xE0, 0xE0, 0xE0);
    const DataFormat amount = DataFormat::money(kAmount);

    Section& top = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 1005);
    top.label(QStringLiteral("CoName"), {0, 60, w, 250});
    top.label(QStringLiteral("ReportLabel"), {0, 330, w, 330}, QStringLiteral("Accounts Opening Balances"))
        .setPoints(12)
        .setBold();
    top.label(QStringLiteral("ReportDate"), {0, 690, w, 250});
    r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 0);

    Section& mainTypes = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section6"), 700);
    mainTypes.shape(QStringLiteral("Shape1"), {0, 200, w, 360}, band);
    mainTypes.text(QStringLiteral("Text1"), at(kCode, 240), "Level1ID").setBold().setFigure();
    mainTypes.text(QStringLiteral("Text2"), at(kName, 240), "Type").setBold();
    mainTypes.text(QStringLiteral("Text3"), at(kDebit, 240), "Bal")
        .setFormat(amount).setAlign(Align::Right).setBold();
    mainTypes.text(QStringLiteral("Text4"), at(kCredit, 240), "Status").setAlign(Align::Centre).setBold();

    Section& subTypes = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section8"), 575);
    subTypes.text(QStringLiteral("Text5"), at(kCode, 0), "level2id").setMember("level2").setFigure();
    subTypes.text(QStringLiteral("Text6"), at(kName, 0), "l2accname").setMember("level2");
    subTypes.text(QStringLiteral("Text7"), at(kDebit, 0), "bal")
        .setMember("level2").setFormat(amount).setAlign(Align::Right);
    subTypes.text(QStringLiteral("Text8"), at(kCredit, 0), "status").setMember("level2").setAlign(Align::Centre);
    subTypes.label(QStringLiteral("Label1"), at(kCode, 290), QStringLiteral("Acc Code")).setBackColor(band);
    subTypes.label(QStringLiteral("Label2"), at(kName, 290), QStringLiteral("Account Name")).setBackColor(band);
    subTypes.label(QStringLiteral("Lbl1"), at(kDebit, 290)).setAlign(Align::Right).setBackColor(band);
    subTypes.label(QStringLiteral("Lbl2"), at(kCredit, 290)).setAlign(Align::Right).setBackColor(band);

    Section& lines = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 285);
    lines.text(QStringLiteral("Text9"), kCode, "acccode").setMember("level3").setFigure();
    lines.text(QStringLiteral("Text10"), kName, "accname").setMember("level3");
    lines.text(QStringLiteral("Text11"), kDebit, "debit").setMember("level3").setFormat(amount).setAlign(Align::Right);
    lines.text(QStringLiteral("Text12"), kCredit, "credit").setMember("level3").setFormat(amount).setAlign(Align::Right);

    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section9"), 0);
    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section7"), 0);
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 384);

    Section& totals = r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 435);
    totals.shape(QStringLiteral("Shape2"), {0, 60, w, 330}, band);
    totals.label(QStringLiteral("TtlLbl"), at(kName, 90)).setAlign(Align::Right).setBold();
    totals.function(QStringLiteral("Function1"), at(kDebit, 90), report::Aggregate::Sum, "debit")
        .setMember("level3").setFormat(amount).setAlign(Align::Right).setBold();
    totals.function(QStringLiteral("Function2"), at(kCredit, 90), report::Aggregate::Sum, "credit")
        .setMember("level3").setFormat(amount).setAlign(Align::Right).setBold();
    return r;
}

std::unique_ptr<report::ReportFeed> AccOB(platform::Hierarchy& AOB, const AccObCaptions& captions)
{
    auto feed = std::make_unique<report::ReportFeed>(accObLayout(), AOB, report::AtEnd::CloseData);
    const QString& symbol = captions.currencySymbol;
    feed->setCompany(captions.bizName);
    feed->setCaption(u"section4", u"reportdate",
                     QStringLiteral("As On ") + platform::formatDate(captions.fyStart, "mmm dd, yyyy"));
    feed->setCaption(u"section5", u"ttllbl", QStringLiteral("Totals  ") + symbol);
    feed->setCaption(u"section8", u"lbl1", QStringLiteral("Debit ") + symbol);
    feed->setCaption(u"section8", u"lbl2", QStringLiteral("Credit ") + symbol);
    feed->setUserLine(report::UserLine::PrintedBy, captions.userName);
    return feed;
}

} // namespace account_reports
