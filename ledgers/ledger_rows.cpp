// LedgerQry's rows from a built ledger.
#include "ledgers/ledger_rows.h"

#include "ledgers/balance.h"

namespace ledgers {

platform::Recordset ledgerRows(std::span<const LedgerLine> lines, const KindNames& kinds,
                               std::int64_t accCode, int fyId)
{
    std::vector<platform::Recordset::Row> rows;
    rows.reserve(lines.size());
    for (const LedgerLine& l : lines) {
        const Balance running = balanceOf(l.running);
        rows.push_back({l.tranNo, l.tranDate, l.tranType, longReference(kinds, l), shortReference(kinds, l),
                        accCode, l.desc, l.debit.cents(), l.credit.cents(), running.amount.cents(),
                        statusText(running.side), l.serial, fyId, 0, 1});
    }
    return platform::Recordset::fromRows({"TranNo", "TranDate", "TranType", "TranRefLong", "TranRefShort",
                                          "AccCode", "Desc", "Debit", "Credit", "Balance", "Status", "Serial",
                                          "FYID", "Cancel", "Posted"},
                                         std::move(rows));
}

} // namespace ledgers
