// The report object's initialisation helpers, its modal show and its end step.
#include "platform/report/report_feed.h"

#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>

#include <QWidget>

#include "platform/data/hierarchy.h"
#include "platform/data/recordset.h"
#include "platform/forms/window_host.h"
#include "platform/report/engine.h"
#include "platform/report/preview.h"
#include "platform/shell/environment.h"

namespace report {

namespace {

// How long a report is counted before its window opens.
constexpr int kFirstCountMs = 250;

Control& firstControl(Report& layout, QStringView name)
{
    for (Section& s : layout.sections)
        if (Control* c = s.find(name))
            return *c;
    throw std::out_of_range("The report " + layout.caption.toStdString() + " has no control "
                            + name.toString().toStdString() + ".");
}

} // namespace

ReportFeed::ReportFeed(Report layout, platform::Hierarchy& data, AtEnd atEnd)
    : m_layout{std::move(layout)}, m_tree{&data}
{
    if (atEnd == AtEnd::CloseData)
        m_terminate = [&data] { data.close(); };
}

ReportFeed::ReportFeed(Report layout, platform::Recordset& data, AtEnd atEnd)
    : m_layout{std::move(layout)}, m_flat{&data}
{
    if (atEnd == AtEnd::CloseData)
        m_terminate = [&data] { data.close(); };
}

ReportFeed::ReportFeed(Report layout, std::shared_ptr<const SlicedData> data, std::function<void()> atEnd)
    : m_layout{std::move(layout)}, m_sliced{std::move(data)}, m_terminate{std::move(atEnd)}
{
}

ReportFeed::~ReportFeed()
{
    if (!m_shown && m_terminate)
        m_terminate();
}

void ReportFeed::setCaption(QStringView section, QStringView control, const QString& text)
{
    m_layout.setCaption(section, control, text);
}

void ReportFeed::setCompany(const QString& bizName)
{
    firstControl(m_layout, u"CoName").caption = bizName;
}

void ReportFeed::setUserLine(UserLine line, const QString& user)
{
    Control& c = firstControl(m_layout, u"PrintByLbl");
    switch (line) {
    case UserLine::PrintedBy: c.caption = QStringLiteral("Printed By: ") + user; break;
    case UserLine::PreparedBy: c.caption = QStringLiteral("Prepared By: ") + user; break;
    case UserLine::NameOnly: c.caption = user; break;
    case UserLine::None: c.caption.clear(); break;
    }
}

Document ReportFeed::layOut(const QDate& printedOn) const
{
    if (m_sliced) {
        Pagination p{m_layout, m_sliced, printedOn};
        p.countFor(std::numeric_limits<int>::max());
        return p.document();
    }
    if (m_flat)
        return report::layOut(m_layout, platform::Hierarchy::flat(*m_flat), printedOn);
    return report::layOut(m_layout, *m_tree, printedOn);
}

int ReportFeed::show(QWidget* parent)
{
    if (m_shown)
        throw std::logic_error("The report " + m_layout.caption.toStdString() + " has been shown already.");
    m_shown = true;
    // From here the window owns the end step: it runs once, when the window
    // finishes. A window deleted with its parent unfinished skips it, since
    // the member it would close goes with the parent.
    auto terminate = std::make_shared<std::function<void()>>(std::move(m_terminate));
    const auto end = [terminate] {
        if (*terminate)
            std::exchange(*terminate, nullptr)();
    };
    // A short report is counted whole before its window opens; a long one
    // opens on its first page and its window counts the rest.
    std::shared_ptr<Pagination> pagination;
    try {
        pagination = m_sliced ? std::make_shared<Pagination>(m_layout, m_sliced, shell::today())
                              : std::make_shared<Pagination>(
                                    m_layout, m_flat ? platform::Hierarchy::flat(*m_flat) : *m_tree, shell::today());
        // At least the first page, so the window opens on it.
        while (!pagination->countFor(kFirstCountMs) && pagination->pagesCounted() == 0) {
        }
    } catch (...) {
        end();
        throw;
    }
    auto* window = new PreviewWindow(std::move(pagination), parent);
    QObject::connect(window, &QDialog::finished, window, end);
    const int result = forms::WindowHost::runModal(window);
    if (result == -1 && window->isVisible())
        window->setAttribute(Qt::WA_DeleteOnClose);   // non-blocking: closing ends it
    else
        delete window;
    return result;
}

Section& addStandardPageFooter(Report& report, QString name, Twips height)
{
    Section& s = report.addSection(SectionKind::PageFooter, std::move(name), height);
    const Twips w = report.width;
    const Twips third = w / 3;
    s.line(QStringLiteral("Line1"), {0, 0, w, 0});
    s.label(QStringLiteral("Label7"), {0, 60, third, 240}, QStringLiteral("Date %d"));
    s.label(QStringLiteral("Label10"), {third, 60, third, 240}, QStringLiteral("Page  %p  of  %P"))
        .setAlign(Align::Centre);
    s.label(QStringLiteral("PrintByLbl"), {w - third, 60, third, 240}).setAlign(Align::Right).setCanGrow();
    return s;
}

} // namespace report
