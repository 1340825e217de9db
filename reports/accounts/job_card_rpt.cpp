// The printed job card: the company at the top, the job's particulars in two
// columns, the customer and the remarks in grey boxes, the user at the end.
#include "reports/accounts/job_card_rpt.h"

#include <QColor>

#include "platform/data/recordset.h"

namespace account_reports {

using report::Align;
using report::DataFormat;
using report::Rect;
using report::Section;
using report::SectionKind;
using report::Twips;

namespace {

constexpr Twips kWidth = 9936;
constexpr Twips kRow = 255;
const QColor kGrey(0x80, 0x80, 0x80);

// The left column: captions, then fields; the right column inside the boxes.
constexpr Twips kCaptionLeft = 0, kCaptionWidth = 1750;
constexpr Twips kFieldLeft = 1800, kFieldWidth = 2900;
constexpr Twips kBoxLeft = 4900, kBoxWidth = kWidth - kBoxLeft;
constexpr Twips kInnerLeft = kBoxLeft + 100, kInnerWidth = kBoxWidth - 200;
constexpr Twips kPartyCaptionWidth = 1750;
constexpr Twips kPartyLeft = kInnerLeft + kPartyCaptionWidth + 50;
constexpr Twips kPartyWidth = kWidth - 100 - kPartyLeft;

// A caption and its field on one row of the left column.
report::Control& leftRow(Section& s, const char* n, const char* caption, Twips top, const char* field)
{
    s.label(QStringLiteral("Lbl") + QLatin1String(n), {kCaptionLeft, top, kCaptionWidth, kRow},
            QString::fromUtf8(caption)).setBold();
    return s.text(QStringLiteral("Txt") + QLatin1String(n), {kFieldLeft, top, kFieldWidth, kRow}, field);
}

// A caption and its field on one row of the customer's box.
report::Control& partyRow(Section& s, const char* n, const char* caption, Twips top, const char* field)
{
    s.label(QStringLiteral("Lbl") + QLatin1String(n), {kInnerLeft, top, kPartyCaptionWidth, kRow},
            QString::fromUtf8(caption)).setBold();
    return s.text(QStringLiteral("Txt") + QLatin1String(n), {kPartyLeft, top, kPartyWidth, kRow}, field);
}

} // namespace

report::Report jobCardLayout()
{
    report::Report r(QStringLiteral("Job Card"));
    r.width = kWidth;
    r.margins = {1000, 500, 300, 300};

    Section& top = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 1450);
    top.label(QStringLiteral("CoName"), {0, 0, kWidth, 330}).setPoints(12).setBold();
    top.label(QStringLiteral("CoAdd"), {0, 400, 7632, 240}).setCanGrow();
    top.label(QStringLiteral("CoTel"), {0, 680, 7632, 240});
    top.label(QStringLiteral("CoEMail"), {0, 960, 7632, 240});
    top.label(QStringLiteral("VLabel"), {7800, 500, kWidth - 7800, 420}, QStringLiteral("JOB CARD"))
        .setPoints(12).setBold().setAlign(Align::Centre).setBorder(kGrey);
    top.line(QStringLiteral("HeadLine"), {0, 1380, kWidth, 0}).setForeColor(kGrey).setLineWidth(30);

    const DataFormat amount = DataFormat::money("#,##0.00;(#,##0.00)");
    Section& job = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 7580);
    leftRow(job, "1", "Job No.", 100, "JobNo").setFigure();
    leftRow(job, "2", "Date", 450, "JobDate").setFormat(DataFormat::date("dd/MM/yyyy"));
    leftRow(job, "3", "Order No & Date", 800, "OrderRefDate").setCanGrow();
    leftRow(job, "4", "Exp. Delivery Date", 1150, "ExpDeliveryDate").setCanGrow();
    leftRow(job, "5", "Job Incharge", 1500, "JobIncharge").setCanGrow();
    leftRow(job, "6", "Estimated Cost", 1850, "EstimatedCost").setFormat(amount);
    leftRow(job, "7", "Value of Job", 2200, "ValueofWork").setFormat(amount);

    job.shape(QStringLiteral("DescBox"), {kBoxLeft, 50, kBoxWidth, 1750}, QColor()).setBorder(kGrey);
    job.label(QStringLiteral("LblDesc"), {kInnerLeft, 100, kInnerWidth, kRow}, QStringLiteral("Job Description"))
        .setBold();
    job.text(QStringLiteral("TxtDesc"), {kInnerLeft, 400, kInnerWidth, kRow}, "JobDesc").setCanGrow();

    // A box does not grow with its texts: the customer's is tall enough for
    // an address of all its 250 characters, which pushes the telephone down
    // inside it (a growing text moves what starts below it).
    job.shape(QStringLiteral("PartyBox"), {kBoxLeft, 1950, kBoxWidth, 2850}, QColor()).setBorder(kGrey);
    partyRow(job, "8", "Party Name", 2000, "CustomerName");
    partyRow(job, "9", "Contact Person", 2300, "Contact");
    partyRow(job, "10", "Address", 2600, "Address").setCanGrow();
    partyRow(job, "11", "Telephone", 2900, "Telephone");

    // The status row: the job's state at the left, its completion at the right.
    leftRow(job, "12", "Job Status", 4950, "Status").setFormat(DataFormat::yesNo("Completed"));
    partyRow(job, "13", "Completion Date", 4950, "CompletionDate");

    job.label(QStringLiteral("LblDelRef"), {kCaptionLeft, 5300, 2300, kRow}, QStringLiteral("Delivery Ref. No. & Date"))
        .setBold();
    job.text(QStringLiteral("TxtDelRef"), {2350, 5300, kWidth - 2350, kRow}, "DeliveryRefDate").setCanGrow();

    job.shape(QStringLiteral("RemarksBox"), {0, 5700, kWidth, 1830}, QColor()).setBorder(kGrey);
    job.label(QStringLiteral("LblRemarks"), {100, 5750, kWidth - 200, kRow}, QStringLiteral("Remarks")).setBold();
    job.text(QStringLiteral("TxtRemarks"), {100, 6050, kWidth - 200, kRow}, "Remarks").setCanGrow();

    Section& end = r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 390);
    end.label(QStringLiteral("Label7"), {0, 60, 3000, 240}, QStringLiteral("Date %d"));
    end.label(QStringLiteral("PrintByLbl"), {kWidth - 5000, 60, 5000, 240}).setAlign(Align::Right).setCanGrow();
    return r;
}

std::unique_ptr<report::ReportFeed> JobCardRpt(platform::Recordset& JobCardRst, const JobCardCaptions& captions)
{
    auto feed = std::make_unique<report::ReportFeed>(jobCardLayout(), JobCardRst, report::AtEnd::CloseData);
    feed->setCompany(captions.bizName);
    feed->setCaption(u"section4", u"Coadd", captions.bizAdd);
    feed->setCaption(u"section4", u"Cotel", captions.bizTel);
    feed->setCaption(u"section4", u"CoEMail", captions.bizEMail);
    feed->setUserLine(report::UserLine::PreparedBy, captions.userName);
    return feed;
}

} // namespace account_reports
