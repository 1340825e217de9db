// The default period of the report windows: today when today lies in the
// signed-in financial year, else the whole year. Plain dates, no widgets.
#pragma once

#include <QDate>

namespace app {

struct Period {
    QDate start;
    QDate end;
};

// Today to today when fyStart <= today <= fyEnd (both bounds included), else
// fyStart to fyEnd. A window with one date takes `end`. Needs valid dates;
// gives whatever the comparison of invalid dates gives otherwise.
Period defaultPeriod(const QDate& today, const QDate& fyStart, const QDate& fyEnd);

} // namespace app
