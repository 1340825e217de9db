// The JobLedger layout and its initialisation.
#include "reports/ledgers/job_ledger.h"

#include <QColor>

#include "platform/data/recordset.h"
#include "platform/report/report_feed.h"
#include "reports/ledgers/ledger_columns.h"

namespace ledger_reports {
namespace {

using report::Align;
using report::Rect;
using report::SectionKind;
using report::Twips;

constexpr const char* kAmount = "#,##0.00;(#,##0.00)";
constexpr Twips kWidth = 12960;
constexpr Twips kLineRow = 240;

constexpr Column kDate{0, 1005};
constexpr Column kTranNo{1008, 1005};
constexpr Column kCode{2016, 1155};
constexpr Column kName{3168, 2160};
constexpr Column kDesc{5472, 3171};
constexpr Column kDebit{8640, 1440};
constexpr Column kCredit{10080, 1440};
constexpr Column kProfit{11520, 1443};

Rect cell(Column c, Twips top, Twips height = kLineRow) { return c.at(top, height); }

} // namespace

report::Report jobLedgerLayout()
{
    report::Report r(QStringLiteral("Job Ledger"));
    r.width = kWidth;
    r.margins = {1440, 1000, 300, 300};
    r.orientation = QPageLayout::Landscape;
    const QColor lightGrey(0xE0, 0xE0, 0xE0);
    const report::DataFormat amount = report::DataFormat::money(kAmount);

    report::Section& header = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 870);
    header.label(QStringLiteral("CoName"), {0, 0, kWidth, 270});
    header.label(QStringLiteral("LedgerAcc"), {0, 360, kWidth, 330}).setPoints(12).setBold().setCanGrow();

    report::Section& page = r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 390);
    page.shape(QStringLiteral("Shape1"), {0, 0, kWidth, 390}, lightGrey);
    page.label(QStringLiteral("Label1"), cell(kDate, 75), QStringLiteral("Date")).setBold().setAlign(Align::Centre);
    page.label(QStringLiteral("Label2"), cell(kTranNo, 75), QStringLiteral("Tran. No.")).setBold().setAlign(Align::Centre);
    page.label(QStringLiteral("Label3"), cell(kCode, 75), QStringLiteral("Acc Code")).setBold().setAlign(Align::Centre);
    page.label(QStringLiteral("Label4"), cell(kName, 75), QStringLiteral("Account Name")).setBold();
    page.label(QStringLiteral("Label5"), cell(kDesc, 75), QStringLiteral("Description")).setBold();
    page.label(QStringLiteral("Label6"), cell(kDebit, 75), QStringLiteral("Debit")).setBold().setAlign(Align::Right);
    page.label(QStringLiteral("Label8"), cell(kCredit, 75), QStringLiteral("Credit")).setBold().setAlign(Align::Right);
    page.label(QStringLiteral("Label9"), cell(kProfit, 75), QStringLiteral("Profit / (Loss)"))
        .setBold().setAlign(Align::Right);

    report::Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), kLineRow);
    line.text(QStringLiteral("Text1"), cell(kDate, 0), "TranDate")
        .setFormat(report::DataFormat::date("dd-MM-yy")).setAlign(Align::Centre);
    line.text(QStringLiteral("Text2"), cell(kTranNo, 0), "TranRefShort").setAlign(Align::Centre).setFigure();
    line.text(QStringLiteral("Text3"), cell(kCode, 0), "AccCode").setAlign(Align::Centre).setFigure();
    line.text(QStringLiteral("Text4"), cell(kName, 0), "AccName").setCanGrow();
    line.text(QStringLiteral("Text5"), cell(kDesc, 0), "Desc").setCanGrow();
    line.text(QStringLiteral("Text6"), cell(kDebit, 0), "Debit").setFormat(amount).setAlign(Align::Right);
    line.text(QStringLiteral("Text7"), cell(kCredit, 0), "Credit").setFormat(amount).setAlign(Align::Right);
    line.text(QStringLiteral("Text8"), cell(kProfit, 0), "Balance").setFormat(amount).setAlign(Align::Right);

    report::addStandardPageFooter(r, QStringLiteral("Section3"));

    report::Section& totals = r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 435);
    totals.shape(QStringLiteral("Shape2"), {0, 30, kWidth, 375}, lightGrey);
    totals.label(QStringLiteral("TtlLbl"), cell(kDesc, 100)).setBold().setAlign(Align::Right);
    totals.function(QStringLiteral("Function1"), cell(kDebit, 100), report::Aggregate::Sum, "Debit")
        .setFormat(amount).setBold().setAlign(Align::Right);
    totals.function(QStringLiteral("Function2"), cell(kCredit, 100), report::Aggregate::Sum, "Credit")
        .setFormat(amount).setBold().setAlign(Align::Right);
    totals.label(QStringLiteral("Total1"), cell(kProfit, 100)).setBold().setAlign(Align::Right).setFigure();
    return r;
}

std::unique_ptr<report::ReportFeed> makeJobLedger(platform::Recordset& data, const JobLedgerSource& window)
{
    auto feed = std::make_unique<report::ReportFeed>(jobLedgerLayout(), data, report::AtEnd::KeepData);
    feed->setCompany(window.bizName);
    feed->setCaption(u"Section4", u"LedgerAcc", QStringLiteral("Job Ledger -- ") + window.jobText);
    feed->setCaption(u"Section5", u"TtlLbl", QStringLiteral("Totals  ") + window.currencySymbol);
    feed->setCaption(u"Section5", u"Total1", window.profitText);
    feed->setUserLine(report::UserLine::None, {});
    return feed;
}

} // namespace ledger_reports
