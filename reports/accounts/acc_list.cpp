// The printed chart of accounts: main types on a grey band, their sub types,
// and under each sub type its accounts, code then name, in code order.
#include "reports/accounts/acc_list.h"

#include <QColor>

#include "platform/data/hierarchy.h"

namespace account_reports {

using report::Section;
using report::SectionKind;

report::Report accListLayout()
{
    report::Report r(QStringLiteral("Chart of Accounts"));
    r.width = 9360;
    r.margins = {1200, 1000, 300, 300};
    const report::Twips w = r.width;
    const QColor grey(0x80, 0x80, 0x80);

    Section& top = r.addSection(SectionKind::ReportHeader, QStringLiteral("Section4"), 850);
    top.label(QStringLiteral("CoName"), {0, 60, w, 250});
    top.label(QStringLiteral("RptLbl"), {0, 360, w, 400}, QStringLiteral("Chart of Accounts"))
        .setPoints(14.25)
        .setBold();
    r.addSection(SectionKind::PageHeader, QStringLiteral("Section2"), 0);

    Section& mainTypes =
        r.addSection(SectionKind::GroupHeader, QStringLiteral("Section6"), 550).setKeepTogether();
    mainTypes.shape(QStringLiteral("Shape1"), {0, 120, w, 330}, QColor(0xE0, 0xE0, 0xE0));
    mainTypes.text(QStringLiteral("Text3"), {144, 150, 1152, 285}, "typeid")
        .setFigure().setBold().setItalic().setForeColor(grey);
    mainTypes.text(QStringLiteral("Text1"), {1440, 150, 7776, 285}, "type")
        .setBold().setItalic().setForeColor(grey);

    Section& subTypes = r.addSection(SectionKind::GroupHeader, QStringLiteral("Section8"), 300);
    subTypes.text(QStringLiteral("Text5"), {144, 0, 1155, 285}, "level2id")
        .setMember("level2").setFigure().setBold().setItalic().setForeColor(grey);
    subTypes.text(QStringLiteral("Text4"), {1440, 0, 7770, 285}, "l2accname")
        .setMember("level2").setBold().setItalic().setForeColor(grey).setCanGrow();

    Section& accounts = r.addSection(SectionKind::Detail, QStringLiteral("Section1"), 285);
    accounts.text(QStringLiteral("Text6"), {144, 0, 1152, 285}, "acccode").setMember("level3").setItalic().setFigure();
    accounts.text(QStringLiteral("Text2"), {1440, 0, 7776, 285}, "accname")
        .setMember("level3").setBold().setItalic();

    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section9"), 0);
    r.addSection(SectionKind::GroupFooter, QStringLiteral("Section7"), 0);
    report::addStandardPageFooter(r, QStringLiteral("Section3"), 390);
    r.addSection(SectionKind::ReportFooter, QStringLiteral("Section5"), 0);
    return r;
}

std::unique_ptr<report::ReportFeed> AccList(platform::Hierarchy& CARst, const QString& bizName,
                                            const QString& userName)
{
    auto feed = std::make_unique<report::ReportFeed>(accListLayout(), CARst, report::AtEnd::CloseData);
    feed->setCompany(bizName);
    feed->setUserLine(report::UserLine::PrintedBy, userName);
    return feed;
}

} // namespace account_reports
