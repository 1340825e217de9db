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

inline constexpr report::Twips kLedgerWidth = 10380;
inline constexpr report::Twips kLedgerRow = 255;

inline constexpr Column kDateColumn{0, 780};
inline constexpr Column kTranNoColumn{900, 900};
inline constexpr Column kDescColumn{1850, 3250};
inline constexpr Column kDebitColumn{5150, 1300};
inline constexpr Column kCreditColumn{6500, 1300};
inline constexpr Column kBalanceColumn{7850, 1400};
inline constexpr Column kStatusColumn{9350, kLedgerWidth - 9350};

// The rectangle of column `c` at `top`, one row high unless told.
inline report::Rect at(Column c, report::Twips top, report::Twips height = kLedgerRow)
{
    return {c.left, top, c.width, height};
}

} // namespace ledger_reports
