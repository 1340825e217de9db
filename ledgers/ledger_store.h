// The SQL of an account ledger: the balance brought forward to a date and the
// listed lines with their running difference and totals. Counted lines belong
// to posted, uncancelled vouchers of the year; both queries count the same
// lines, so a period ledger and a whole-year ledger agree on the balance at any
// date, and the trial balance counts them so too.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QDate>

#include "ledgers/ledger_rules.h"
#include "platform/text/money.h"

namespace platform { class Database; }

namespace ledgers {

struct DateRange {
    QDate start;
    QDate end;
};

struct Ledger {
    // The difference of the counted lines before the period's first day; empty
    // for a whole-year ledger, and when no counted line lies before that day.
    std::optional<platform::Money> broughtForward;
    std::vector<LedgerLine> lines;   // by date, then by line serial, with their running differences
    LedgerTotals totals;
    KindNames kinds;                 // for the lines' references
};

// The ledger of account `accCode` in financial year `fyId`: the whole year's
// counted lines when `period` is empty (the opening-balance voucher's lines
// first, by its date), else those dated period->start to period->end, both
// included, after the balance brought forward to period->start. Lines whose
// debit and credit are both 0 are not listed; they count in the brought-forward
// balance, where they change nothing. A period that starts after it ends lists
// no line. Throws platform::DbError (also when a sum overflows).
Ledger buildLedger(platform::Database& db, int fyId, std::int64_t accCode,
                   const std::optional<DateRange>& period);

} // namespace ledgers
