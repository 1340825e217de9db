// The AccLedger layout and its initialisation.
#include "reports/ledgers/acc_ledger.h"

#include "platform/data/recordset.h"
#include "platform/report/report_feed.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "reports/ledgers/ledger_columns.h"

namespace ledger_reports {
namespace {

using report::Align;
using report::Rect;
using report::SectionKind;
using report::Twips;

constexpr const char* kAmount = "#,##0.00;(#,##0.00)";
constexpr const char* kPositive = "#,##0.00";   // the window's balances are never negative
using namespace ledger_columns;

} // namespace

report::Report accLedgerLayout()
{
    report::Report r(QStringLiteral("Accounts Ledgers"));
    r.width = kWidth;
    r.margins = {1000, 500, 300, 200};

    report::Section& header = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 1050);
    header.label(QStringLiteral("CoName"), {0, 0, kWidth, 240});
    header.label(QStringLiteral("LedgerCode"), {0, 300, 1700, 330}).setPoints(12).setBold().setFigure();
    header.label(QStringLiteral("LedgerAcc"), {1850, 300, kWidth - 1850, 330}).setPoints(12).setBold().setCanGrow();
    header.label(QStringLiteral("LedgerDate"), {0, 700, kWidth, 270}).setPoints(9).setBold().setItalic();

    report::Section& page = r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 600);
    page.label(QStringLiteral("Label1"), at(kDate, 0), QStringLiteral("Date")).setBold();
    page.label(QStringLiteral("Label2"), at(kTranNo, 0), QStringLiteral("Tran. No.")).setBold();
    page.label(QStringLiteral("Label3"), at(kDesc, 0), QStringLiteral("Description")).setBold();
    page.label(QStringLiteral("Lbl1"), at(kDebit, 0)).setBold().setAlign(Align::Right);
    page.label(QStringLiteral("Lbl2"), at(kCredit, 0)).setBold().setAlign(Align::Right);
    page.label(QStringLiteral("Lbl3"), at(kBalance, 0)).setBold().setAlign(Align::Right);
    page.line(QStringLiteral("Line1"), {0, 285, kWidth, 0});
    page.label(QStringLiteral("Bal1"), at(kDesc, 320)).setItalic();
    page.label(QStringLiteral("Bal2"), at(kBalance, 320)).setAlign(Align::Right).setFigure();
    page.label(QStringLiteral("Bal3"), at(kStatus, 320));

    report::Section& line = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), kRow);
    line.text(QStringLiteral("Text1"), at(kDate, 0), "TranDate").setFormat(report::DataFormat::date("dd-MM-yy"));
    line.text(QStringLiteral("Text2"), at(kTranNo, 0), "TranRefShort").setFigure();
    line.text(QStringLiteral("Text3"), at(kDesc, 0), "Desc").setCanGrow();
    line.text(QStringLiteral("Text4"), at(kDebit, 0), "Debit")
        .setFormat(report::DataFormat::money(kAmount)).setAlign(Align::Right);
    line.text(QStringLiteral("Text5"), at(kCredit, 0), "Credit")
        .setFormat(report::DataFormat::money(kAmount)).setAlign(Align::Right);
    line.text(QStringLiteral("Text6"), at(kBalance, 0), "Balance")
        .setFormat(report::DataFormat::money(kAmount)).setAlign(Align::Right);
    line.text(QStringLiteral("Text7"), at(kStatus, 0), "Status");

    report::addStandardPageFooter(r, QStringLiteral("Section3"));

    report::Section& totals = r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 420);
    totals.line(QStringLiteral("Line2"), {kDebit.left, 30, kWidth - kDebit.left, 0});
    totals.label(QStringLiteral("TtlLbl"), at(kDesc, 90)).setBold().setAlign(Align::Right);
    totals.function(QStringLiteral("Function1"), at(kDebit, 90), report::Aggregate::Sum, "Debit")
        .setFormat(report::DataFormat::money(kAmount)).setBold().setAlign(Align::Right);
    totals.function(QStringLiteral("Function2"), at(kCredit, 90), report::Aggregate::Sum, "Credit")
        .setFormat(report::DataFormat::money(kAmount)).setBold().setAlign(Align::Right);
    totals.label(QStringLiteral("Total1"), at(kBalance, 90)).setBold().setAlign(Align::Right).setFigure();
    totals.label(QStringLiteral("Total2"), at(kStatus, 90)).setBold();
    return r;
}

QString ledgerPeriodText(const std::optional<AccLedgerSource::Period>& period, const QDate& today)
{
    constexpr const char* kDay = "mmmm dd, yyyy";
    if (period)
        return QStringLiteral("Ledger For The Period From  ") + platform::formatDate(period->first, kDay)
               + QStringLiteral("  To  ") + platform::formatDate(period->last, kDay);
    return QStringLiteral("Ledger For The Period Ended On  ") + platform::formatDate(today, kDay);
}

std::unique_ptr<report::ReportFeed> makeAccLedger(platform::Recordset& data, const AccLedgerSource& window)
{
    auto feed = std::make_unique<report::ReportFeed>(accLedgerLayout(), data, report::AtEnd::KeepData);
    feed->setCompany(window.bizName);
    feed->setCaption(u"Section4", u"LedgerCode", window.accCode);
    feed->setCaption(u"Section4", u"LedgerAcc", window.accName);
    feed->setCaption(u"Section4", u"LedgerDate", ledgerPeriodText(window.period, shell::today()));

    feed->setCaption(u"Section2", u"Lbl1", QStringLiteral("Debit ") + window.currencySymbol);
    feed->setCaption(u"Section2", u"Lbl2", QStringLiteral("Credit ") + window.currencySymbol);
    feed->setCaption(u"Section2", u"Lbl3", QStringLiteral("Balance ") + window.currencySymbol);
    feed->setCaption(u"Section2", u"Bal1", window.broughtForwardText);
    feed->setCaption(u"Section2", u"Bal2",
                     window.broughtForward ? platform::formatMoneyQ(*window.broughtForward, kPositive) : QString());
    feed->setCaption(u"Section2", u"Bal3", window.broughtForwardStatus);

    feed->setUserLine(report::UserLine::PrintedBy, window.user);

    feed->setCaption(u"Section5", u"TtlLbl", QStringLiteral("Totals  ") + window.currencySymbol);
    feed->setCaption(u"Section5", u"Total1", platform::formatMoneyQ(window.closing, kPositive));
    feed->setCaption(u"Section5", u"Total2", window.closingStatus);
    return feed;
}

} // namespace ledger_reports
