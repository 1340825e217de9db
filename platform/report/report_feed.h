// How every printed report is fed: the printing window opens its data and
// hands it over; the report fills its captions, is laid out over that data and
// shown modally in the preview; at its end it closes the data or leaves it to
// the window. The layouts themselves belong to the windows that print them.
#pragma once

#include <functional>
#include <memory>

#include <QDate>
#include <QString>
#include <QStringView>

#include "platform/report/layout.h"
#include "platform/report/page_model.h"

class QWidget;

namespace platform {
class Hierarchy;
class Recordset;
}

namespace report {

class SlicedData;

// The termination step. Closing leaves the member closed and empty, so the
// next print opens a fresh one: for our value recordsets "closes" and "closes
// and releases" come to the same.
enum class AtEnd { CloseData, KeepData };

// The user line in PrintByLbl: "Printed By: " + user, "Prepared By: " + user,
// the user's name alone, or left empty.
enum class UserLine { PrintedBy, PreparedBy, NameOnly, None };

class ReportFeed {
public:
    // The report object for `layout`, fed by the printing window's `data`,
    // which must stay alive (and open) until the report ends.
    ReportFeed(Report layout, platform::Hierarchy& data, AtEnd atEnd);
    ReportFeed(Report layout, platform::Recordset& data, AtEnd atEnd);
    // The same over data read a slice at a time (see Pagination), which the
    // report shares; `atEnd`, when given, is its termination.
    ReportFeed(Report layout, std::shared_ptr<const SlicedData> data, std::function<void()> atEnd = {});
    // Ends a report that was never shown: runs its termination.
    ~ReportFeed();
    ReportFeed(const ReportFeed&) = delete;
    ReportFeed& operator=(const ReportFeed&) = delete;

    // The layout, for the initialisation's other changes (orientation,
    // hidden controls, page breaks).
    Report& layout() { return m_layout; }
    // Sets the caption of `control` in `section`, names compared without
    // regard to case. Throws std::out_of_range for an unknown name.
    void setCaption(QStringView section, QStringView control, const QString& text);
    // Puts `bizName` into the first label CoName in print order. Throws
    // std::out_of_range when the layout has none.
    void setCompany(const QString& bizName);
    // Fills PrintByLbl, wherever it stands, as `line` says. Throws
    // std::out_of_range when the layout has none.
    void setUserLine(UserLine line, const QString& user);

    // The pages of the report over its data as the data is now, "%d" being
    // `printedOn`. Throws what report::layOut throws.
    Document layOut(const QDate& printedOn) const;
    // Lays the report out (dated shell::today()) and shows the preview over
    // `parent` through forms::WindowHost::runModal, returning its result; a
    // long report opens on its first page while the preview counts the rest.
    // The termination runs when the window closes, or at once when the layout
    // fails at its start (the failure is then rethrown). With modal windows switched to
    // non-blocking the call returns with the window open. A report shows once:
    // a second call throws std::logic_error.
    int show(QWidget* parent);

private:
    Report m_layout;
    platform::Hierarchy* m_tree = nullptr;
    platform::Recordset* m_flat = nullptr;
    std::shared_ptr<const SlicedData> m_sliced;
    std::function<void()> m_terminate;
    bool m_shown = false;
};

// Adds the standard page footer as the section `name` of `height`: a line
// across the full width, then on one row "Date %d" at the left (Label7),
// "Page  %p  of  %P" centred (Label10) and the right-aligned, growing label
// PrintByLbl, left empty for the initialisation. Returns the section.
Section& addStandardPageFooter(Report& report, QString name, Twips height = 390);

} // namespace report
