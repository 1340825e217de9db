// The columns the printed ledgers share, in twips from the printable width's
// left edge: the captions, the lines and the totals of AccLedger and
// AccLedgerMulti stand in them. GJ has columns of its own of the same kind.
#pragma once

#include "platform/report/layout.h"

namespace ledger_reports {

struct Column {
    report::Twips left;
    report::Twips width;
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
inline constexpr Column kTranNo{900, 900};
inline constexpr Column kDesc{1850, 3250};
inline constexpr Column kDebit{5150, 1300};
inline constexpr Column kCredit{6500, 1300};
inline constexpr Column kBalance{7850, 1400};
inline constexpr Column kStatus{9350, kWidth - 9350};
} // namespace ledger_columns

} // namespace ledger_reports
