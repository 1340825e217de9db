// The rows of a built ledger as the printed ledger reads them (LedgerQry): made
// from the lines the window already holds, so a print runs no second query.
#pragma once

#include <cstdint>
#include <span>

#include "ledgers/ledger_rules.h"
#include "platform/data/recordset.h"

namespace ledgers {

// One row per line, in the order given, with the columns TranNo, TranDate,
// TranType, TranRefLong, TranRefShort, AccCode, Desc, Debit, Credit, Balance,
// Status, Serial, FYID, Cancel, Posted. Amounts are cents; Balance and Status
// show each line's running difference by the balance convention; Cancel is 0
// and Posted 1, as for every counted line. `accCode` and `fyId` are the
// ledger's account and year.
platform::Recordset ledgerRows(std::span<const LedgerLine> lines, const KindNames& kinds,
                               std::int64_t accCode, int fyId);

} // namespace ledgers
