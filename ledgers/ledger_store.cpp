// Ledger queries. Both read the account's counted lines of the year from
// SubTransactions_Ledger, which holds them in date order with all a ledger
// shows, each line carrying its voucher's year, date and counting (kept by the
// schema's triggers): a period is one range of that index, and only the listed
// lines' vouchers are looked up, for their kind and number.
#include "ledgers/ledger_store.h"

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {

using platform::Money;

// No query tests the voucher's kind: TranType is a foreign key of
// Transactions, so every voucher has a kind, and the listing, the brought
// forward balance and the trial balance count the same lines.

// SUM skips nulls, so a null amount counts as 0; COALESCE covers an account
// without counted lines. COUNT tells "no line" from "lines summing to 0".
constexpr const char* kBroughtForward =
    "SELECT COALESCE(SUM(Debit), 0) - COALESCE(SUM(Credit), 0), COUNT(*)"
    " FROM SubTransactions INDEXED BY SubTransactions_Ledger"
    " WHERE AccCode = ?1 AND VoucherYear = ?2 AND Counted = 1 AND VoucherDate < ?3";

// ?3 and ?4 are the period's bounds, null for the whole year. The running
// difference is summed as the rows are read (runBalances): a window sum here
// doubled the query's time on a busy account. The references are made from
// the kind's names when a line is shown, which takes a fifth off the query.
constexpr const char* kLines =
    "SELECT s.TranNo, s.VoucherDate, t.TranType, t.DocNo,"
    " COALESCE(s.\"Desc\", ''), COALESCE(s.Debit, 0), COALESCE(s.Credit, 0), s.Serial"
    " FROM SubTransactions s INDEXED BY SubTransactions_Ledger"
    " CROSS JOIN Transactions t ON t.TranNo = s.TranNo"
    " WHERE s.AccCode = ?1 AND s.VoucherYear = ?2 AND s.Counted = 1"
    " AND s.VoucherDate >= COALESCE(?3, '') AND s.VoucherDate <= COALESCE(?4, '9999-12-31')"
    " AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " ORDER BY s.VoucherDate, s.Serial";

constexpr const char* kKinds = "SELECT TranType, Name, Short FROM TranType";

} // namespace

Ledger buildLedger(platform::Database& db, int fyId, std::int64_t accCode,
                   const std::optional<DateRange>& period)
{
    Ledger ledger;
    platform::Value from, to;   // null: the whole year
    if (period) {
        from = platform::isoDate(period->start);
        to = platform::isoDate(period->end);
        platform::Statement bf(db, kBroughtForward);
        bf.bindAll({accCode, fyId, from});
        if (bf.step() && bf.columnInt64(1) > 0)
            ledger.broughtForward = Money::fromCents(bf.columnInt64(0));
    }
    platform::Statement st(db, kLines);
    st.bindAll({accCode, fyId, from, to});
    while (st.step()) {
        LedgerLine line;
        line.tranNo = static_cast<std::int32_t>(st.columnInt64(0));
        line.tranDate = st.column(1).toText();
        line.tranType = static_cast<int>(st.columnInt64(2));
        line.docNo = st.columnInt64(3);
        line.desc = st.column(4).toText();
        line.debit = Money::fromCents(st.columnInt64(5));
        line.credit = Money::fromCents(st.columnInt64(6));
        line.serial = st.columnInt64(7);
        ledger.lines.push_back(std::move(line));
    }
    ledger.totals = runBalances(ledger.broughtForward.value_or(Money{}), ledger.lines);

    platform::Statement kinds(db, kKinds);
    while (kinds.step())
        ledger.kinds[static_cast<int>(kinds.columnInt64(0))] = {kinds.column(1).toText(), kinds.column(2).toText()};
    return ledger;
}

} // namespace ledgers
