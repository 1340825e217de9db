// The columns of a printed ledger: each a left edge and a width, shared by the
// column captions, the lines and the totals so that they stand one under another.
#pragma once

#include "platform/report/layout.h"

namespace ledger_reports {

struct Column {
    report::Twips left;
    report::Twips width;
    // The column's rectangle from `top` of a section, `height` high.
    constexpr report::Rect at(report::Twips top, report::Twips height) const { return {left, top, width, height}; }
};

} // namespace ledger_reports
