// AccList, the printed chart of accounts: its layout and its initialisation.
// The chart editor opens the data (main types, their sub types, their
// accounts) and shows the report; choosing which part of the chart is its own.
#pragma once

#include <memory>

#include <QString>

#include "platform/report/layout.h"
#include "platform/report/report_feed.h"

namespace platform { class Hierarchy; }

namespace account_reports {

// The layout: a report header with the business name (CoName) and the title,
// a shaded line per main type (fields TypeID and Type of the top level), a
// line per sub type (Level2ID and L2AccName of member "level2"), a line per
// account (AccCode and AccName of member "level3") and the standard page
// footer. Captions filled at initialisation are left empty.
report::Report accListLayout();

// The report object over `CARst`, whose levels are the main types, "level2"
// and "level3" as above: CoName gets `bizName`, PrintByLbl "Printed By: " and
// `userName`. At its end the report closes `CARst`, which must stay alive
// until then.
std::unique_ptr<report::ReportFeed> AccList(platform::Hierarchy& CARst, const QString& bizName,
                                            const QString& userName);

} // namespace account_reports
