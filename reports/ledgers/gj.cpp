// The GJ layout and its initialisation.
#include "reports/ledgers/gj.h"

#include <utility>

#include <QColor>

#include "platform/report/engine.h"
#include "platform/report/report_feed.h"
#include "reports/ledgers/ledger_columns.h"
#include "platform/text/formats.h"

namespace ledger_reports {
namespace {

using report::Align;
using report::Rect;
using report::SectionKind;
using report::Twips;

constexpr const char* kAmount = "#,##0.00;(#,##0.00)";
// The report footer's sums show a negative total with a leading minus sign.
constexpr const char* kTotal = "#,##0.00";
constexpr Twips kWidth = 12960;
const QColor kBand{0xE0, 0xE0, 0xE0};

constexpr Column kTranNo{0, 1005};
constexpr Column kDate{1008, 1155};
constexpr Column kAccCode{2160, 1005};
constexpr Column kAccName{3168, 3162};
constexpr Column kDesc{6336, 3600};
constexpr Column kDebit{9936, 1440};
constexpr Column kCredit{11376, 1440};


} // namespace

report::Report gjLayout()
{
    report::Report r(QStringLiteral("General Journal"));
    r.width = kWidth;
    r.margins = {1440, 1000, 300, 300};
    r.orientation = QPageLayout::Landscape;

    report::Section& header = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 1155);
    header.label(QStringLiteral("CoName"), {0, 0, kWidth, 240});
    header.label(QStringLiteral("ReportLabel"), {0, 300, kWidth, 400}, QStringLiteral("Journal Report"))
        .setPoints(14.25).setBold();
    header.label(QStringLiteral("LedgerDate"), {0, 780, kWidth, 270}).setPoints(9).setBold().setItalic();

    report::Section& page = r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 405);
    page.shape(QStringLiteral("Shape1"), {0, 30, kWidth, 345}, kBand);
    page.label(QStringLiteral("Label1"), at(kTranNo, 90), QStringLiteral("Tran. No.")).setBold().setAlign(Align::Centre);
    page.label(QStringLiteral("Label2"), at(kDate, 90), QStringLiteral("Date")).setBold().setAlign(Align::Centre);
    page.label(QStringLiteral("Label3"), at(kAccCode, 90), QStringLiteral(" Acc Code")).setBold().setAlign(Align::Centre);
    page.label(QStringLiteral("Label4"), at(kAccName, 90), QStringLiteral(" Account Name")).setBold();
    page.label(QStringLiteral("Label5"), at(kDesc, 90), QStringLiteral(" Description")).setBold();
    page.label(QStringLiteral("Lbl1"), at(kDebit, 90)).setBold().setAlign(Align::Right);
    page.label(QStringLiteral("Lbl2"), at(kCredit, 90)).setBold().setAlign(Align::Right);

    report::Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 285);
    line.text(QStringLiteral("Text1"), at(kTranNo, 15), "TranRefShort").setAlign(Align::Centre).setFigure();
    line.text(QStringLiteral("Text2"), at(kDate, 15), "TranDate")
        .setFormat(report::DataFormat::date("dd-MM-yy")).setAlign(Align::Centre);
    line.text(QStringLiteral("Text3"), at(kAccCode, 15), "AccCode").setAlign(Align::Centre).setFigure();
    line.text(QStringLiteral("Text4"), at(kAccName, 15), "AccName").setCanGrow();
    line.text(QStringLiteral("Text5"), at(kDesc, 15), "Desc").setCanGrow();
    line.text(QStringLiteral("Text6"), at(kDebit, 15), "Debit")
        .setFormat(report::DataFormat::money(kAmount)).setAlign(Align::Right);
    line.text(QStringLiteral("Text7"), at(kCredit, 15), "Credit")
        .setFormat(report::DataFormat::money(kAmount)).setAlign(Align::Right);

    report::addStandardPageFooter(r, QStringLiteral("Section3"));

    report::Section& totals = r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 435);
    totals.shape(QStringLiteral("Shape2"), {0, 30, kWidth, 375}, kBand);
    totals.label(QStringLiteral("TtlLbl"), at(kDesc, 90)).setBold().setAlign(Align::Right);
    totals.label(QStringLiteral("Function1"), at(kDebit, 90)).setBold().setAlign(Align::Right).setFigure();
    totals.label(QStringLiteral("Function2"), at(kCredit, 90)).setBold().setAlign(Align::Right).setFigure();
    return r;
}

QString gjPeriodText(const QDate& first, const QDate& last)
{
    constexpr const char* kDay = "mmmm dd, yyyy";
    return QStringLiteral("For The Period From  ") + platform::formatDate(first, kDay) + QStringLiteral("  To  ")
           + platform::formatDate(last, kDay);
}

std::unique_ptr<report::ReportFeed> makeGJ(std::shared_ptr<const report::SlicedData> data, const GJSource& window)
{
    auto feed = std::make_unique<report::ReportFeed>(gjLayout(), std::move(data));
    feed->setCompany(window.bizName);
    feed->setCaption(u"Section4", u"LedgerDate", gjPeriodText(window.first, window.last));
    feed->setCaption(u"Section5", u"TtlLbl", QStringLiteral("Totals  ") + window.currencySymbol);
    feed->setCaption(u"Section5", u"Function1", platform::formatMoneyQ(window.debits, kTotal));
    feed->setCaption(u"Section5", u"Function2", platform::formatMoneyQ(window.credits, kTotal));
    feed->setCaption(u"Section2", u"Lbl1", QStringLiteral("Debit ") + window.currencySymbol);
    feed->setCaption(u"Section2", u"Lbl2", QStringLiteral("Credit ") + window.currencySymbol);
    feed->setUserLine(report::UserLine::PrintedBy, window.user);
    feed->layout().orientation = QPageLayout::Landscape;
    return feed;
}

} // namespace ledger_reports
