// The columns of a printed ledger, in twips from the printable width's left
// edge: each a left edge and a width, shared by the column captions, the lines
// and the totals so that they stand one under another. AccLedger and
// AccLedgerMulti share the columns below; GJ and JobLedger have their own.
#pragma once

#include "platform/report/layout.h"

namespace ledger_reports {

struct Column {
    report::Twips left;
    report::Twips width;
    // The column's rectangle from `top` of a section, `height` high.
    constexpr report::Rect at(report::Twips top, report::Twips height) const { return {left, top, width, height}; }
};

inline constexpr report::Twips kRow = 255;

// The rectangle of column `c` at `top`, one row high unless told.
inline report::Rect at(Column c, report::Twips top, report::Twips height = kRow)
{
    return {c.left, top, c.width, height};
}

// The account ledgers' columns (a layout of their own uses only the above).
namespace ledger_columns {
inline constexpr report::Twips kWidth = 10380;
inline constexpr Column kDate{0, 780};
inline constexpr Column kTranNo{900, 1050};   // "PRV 9999999999" at 6 points
inline constexpr Column kDesc{2000, 3100};
inline constexpr Column kDebit{5150, 1300};
inline constexpr Column kCredit{6500, 1300};
inline constexpr Column kBalance{7850, 1400};
inline constexpr Column kStatus{9350, kWidth - 9350};
} // namespace ledger_columns

} // namespace ledger_reports
