// The AccLedgerMulti layout and its initialisation.
#include "reports/ledgers/acc_ledger_multi.h"

#include <utility>

#include "platform/report/engine.h"
#include "platform/report/report_feed.h"
#include "reports/ledgers/ledger_columns.h"
#include "platform/shell/environment.h"

namespace ledger_reports {
namespace {

using report::Align;
using report::Rect;
using report::SectionKind;
using report::Twips;

constexpr const char* kAmount = "#,##0.00;(#,##0.00)";
constexpr const char* kTotal = "0.00;(0.00)";
using namespace ledger_columns;

report::Control& money(report::Control& c, const char* pattern)
{
    return c.setFormat(report::DataFormat::money(pattern)).setAlign(Align::Right);
}

} // namespace

report::Report accLedgerMultiLayout()
{
    report::Report r(QStringLiteral("Account Ledgers"));
    r.width = kWidth;
    r.margins = {1000, 500, 300, 200};

    r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 0);
    report::Section& page = r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 300);
    page.label(QStringLiteral("CoName"), {0, 0, kWidth, 240}).setAlign(Align::Right);

    report::Section& group = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section6"), 1260);
    group.text(QStringLiteral("Text8"), {0, 60, 1700, 330}, "AccCode").setPoints(12).setBold().setFigure();
    group.text(QStringLiteral("Text9"), {1850, 60, kWidth - 1850, 330}, "AccountName")
        .setPoints(12).setBold().setCanGrow();
    group.label(QStringLiteral("DateLbl"), {0, 420, kWidth, 270}).setPoints(9).setBold().setItalic();
    group.label(QStringLiteral("Label1"), at(kDate, 720), QStringLiteral("Date")).setBold();
    group.label(QStringLiteral("Label2"), at(kTranNo, 720), QStringLiteral("Tran. No.")).setBold();
    group.label(QStringLiteral("Label3"), at(kDesc, 720), QStringLiteral("Description")).setBold();
    group.label(QStringLiteral("Lbl1"), at(kDebit, 720)).setBold().setAlign(Align::Right);
    group.label(QStringLiteral("Lbl2"), at(kCredit, 720)).setBold().setAlign(Align::Right);
    group.label(QStringLiteral("Lbl3"), at(kBalance, 720)).setBold().setAlign(Align::Right);
    group.line(QStringLiteral("Line1"), {0, 990, kWidth, 0});
    group.label(QStringLiteral("BBF1"), at(kDesc, 1000), QStringLiteral("Balance Brought Forward ...")).setItalic();
    money(group.text(QStringLiteral("BBF2"), at(kBalance, 1000), "OpBalance"), kAmount);
    group.text(QStringLiteral("BBF3"), at(kStatus, 1000), "OpStatus");

    report::Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), kRow);
    line.text(QStringLiteral("Text1"), at(kDate, 0), "TranDate")
        .setMember("ChildCmd").setFormat(report::DataFormat::date("dd-MM-yy"));
    line.text(QStringLiteral("Text2"), at(kTranNo, 0), "TranRefShort").setMember("ChildCmd").setFigure();
    line.text(QStringLiteral("Text3"), at(kDesc, 0), "Desc").setMember("ChildCmd").setCanGrow();
    money(line.text(QStringLiteral("Text4"), at(kDebit, 0), "Debit").setMember("ChildCmd"), kAmount);
    money(line.text(QStringLiteral("Text5"), at(kCredit, 0), "Credit").setMember("ChildCmd"), kAmount);
    money(line.text(QStringLiteral("Text6"), at(kBalance, 0), "Balance").setMember("ChildCmd"), kAmount);
    line.text(QStringLiteral("Text7"), at(kStatus, 0), "Status").setMember("ChildCmd");

    report::Section& totals = r.addSection(SectionKind::GroupFooter, QStringLiteral("Section7"), 480);
    totals.line(QStringLiteral("Line2"), {kDebit.left, 30, kWidth - kDebit.left, 0});
    totals.label(QStringLiteral("TtlLbl"), at(kDesc, 90)).setBold().setAlign(Align::Right);
    money(totals.function(QStringLiteral("Function1"), at(kDebit, 90), report::Aggregate::Sum, "Debit")
              .setMember("ChildCmd"), kTotal).setBold();
    money(totals.function(QStringLiteral("Function2"), at(kCredit, 90), report::Aggregate::Sum, "Credit")
              .setMember("ChildCmd"), kTotal).setBold();
    money(totals.text(QStringLiteral("Text10"), at(kBalance, 90), "ClBalance"), kTotal).setBold();
    totals.text(QStringLiteral("Text11"), at(kStatus, 90), "ClStatus").setBold();

    report::addStandardPageFooter(r, QStringLiteral("Section3"));
    r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 0);
    return r;
}

std::unique_ptr<report::ReportFeed> makeAccLedgerMulti(std::shared_ptr<const report::SlicedData> data,
                                                       const AccLedgerMultiSource& window, std::function<void()> atEnd)
{
    auto feed = std::make_unique<report::ReportFeed>(accLedgerMultiLayout(), std::move(data), std::move(atEnd));
    feed->setCompany(window.bizName);
    feed->setCaption(u"Section6", u"DateLbl", ledgerPeriodText(window.period, shell::today()));
    feed->setCaption(u"Section6", u"Lbl1", QStringLiteral("Debit ") + window.currencySymbol);
    feed->setCaption(u"Section6", u"Lbl2", QStringLiteral("Credit ") + window.currencySymbol);
    feed->setCaption(u"Section6", u"Lbl3", QStringLiteral("Balance ") + window.currencySymbol);
    feed->setCaption(u"Section7", u"TtlLbl", QStringLiteral("Totals  ") + window.currencySymbol);
    report::Section& group = feed->layout().section(u"Section6");
    for (const char16_t* name : {u"BBF1", u"BBF2", u"BBF3"})
        group.control(name).setVisible(window.period.has_value());
    feed->layout().section(u"Section7").setPageBreakAfter(window.newPage);
    feed->setUserLine(report::UserLine::PrintedBy, window.user);
    return feed;
}

} // namespace ledger_reports
