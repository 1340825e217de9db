// The multi-ledger queries and the refresh of the stored running balances.
#include "ledgers/multi_ledger_store.h"

#include <string>

#include "ledgers/balance.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {

using platform::Money;

// The year's counted lines with an amount, by account, date and serial: one
// range of SubTransactions_Ledger, with the stored values read beside it.
constexpr const char* kRefreshRead =
    "SELECT s.Serial, s.AccCode, COALESCE(s.Debit, 0), COALESCE(s.Credit, 0), s.Balance, s.Status"
    " FROM SubTransactions s INDEXED BY SubTransactions_Ledger"
    " WHERE s.VoucherYear = ?1 AND s.Counted = 1 AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " ORDER BY s.AccCode, s.VoucherDate, s.Serial";

// The selected accounts' counted lines of the year up to the period's end:
// those before the period make the opening, the rest are listed.
constexpr const char* kLines =
    "SELECT s.AccCode, s.VoucherDate, s.Serial, COALESCE(s.Debit, 0), COALESCE(s.Credit, 0),"
    " COALESCE(s.\"Desc\", ''), s.TranNo, k.Short || ' ' || t.DocNo"
    " FROM AccLevel3 a"
    " JOIN SubTransactions s INDEXED BY SubTransactions_Ledger"
    "  ON s.AccCode = a.AccCode AND s.VoucherYear = ?1 AND s.Counted = 1 AND s.VoucherDate <= ?3"
    " JOIN Transactions t ON t.TranNo = s.TranNo"
    " LEFT JOIN TranType k ON k.TranType = t.TranType"
    " WHERE ";
constexpr const char* kLinesOrder = " ORDER BY a.AccCode, s.VoucherDate, s.Serial";

constexpr const char* kAccounts = "SELECT a.AccCode, COALESCE(a.AccName, '') FROM AccLevel3 a WHERE ";

const char* selectionClause(AccountSelection::Kind kind)
{
    switch (kind) {
    case AccountSelection::Kind::All: return "1";
    case AccountSelection::Kind::MainType: return "a.Level1ID = ?10";
    case AccountSelection::Kind::SubType: return "a.Level2ID = ?10";
    case AccountSelection::Kind::Range: return "a.AccCode BETWEEN ?10 AND ?11";
    }
    return "0";
}

void bindSelection(platform::Statement& st, const AccountSelection& selection)
{
    switch (selection.kind) {
    case AccountSelection::Kind::All:
        break;
    case AccountSelection::Kind::MainType:
    case AccountSelection::Kind::SubType:
        st.bind(10, selection.id);
        break;
    case AccountSelection::Kind::Range:
        st.bind(10, selection.fromCode).bind(11, selection.toCode);
        break;
    }
}

} // namespace

RefreshResult refreshStoredBalances(platform::Database& db, int fyId)
{
    struct Change {
        std::int64_t serial;
        std::int64_t balance;
        const char* status;
    };
    std::vector<Change> changes;
    RefreshResult result;
    {
        platform::Statement st(db, kRefreshRead);
        st.bind(1, fyId);
        std::int64_t account = 0;
        Money difference;
        bool first = true;
        while (st.step()) {
            ++result.linesRead;
            const std::int64_t code = st.columnInt64(1);
            if (first || code != account)
                difference = Money{};   // each account from zero
            first = false;
            account = code;
            difference = difference + Money::fromCents(st.columnInt64(2)) - Money::fromCents(st.columnInt64(3));
            const Balance b = balanceOf(difference);
            const char* status = statusText(b.side);
            const platform::Value stored = st.column(4);
            if (stored.isNull() || stored.toInt() != b.amount.cents() || st.column(5).toText() != status)
                changes.push_back({st.columnInt64(0), b.amount.cents(), status});
        }
    }
    if (changes.empty())
        return result;
    platform::Transaction tx(db);
    platform::Statement write(db, "UPDATE SubTransactions SET Balance = ?, Status = ? WHERE Serial = ?");
    for (const Change& c : changes) {
        write.reset();
        write.bindAll({c.balance, c.status, c.serial}).run();
    }
    tx.commit();
    result.linesWritten = static_cast<std::int64_t>(changes.size());
    return result;
}

std::vector<AccountLedger> multiLedger(platform::Database& db, int fyId, const AccountSelection& selection,
                                       const std::optional<DateRange>& period)
{
    std::vector<AccountLedger> ledgers;
    {
        platform::Statement st(db, std::string(kAccounts) + selectionClause(selection.kind) + " ORDER BY a.AccCode");
        bindSelection(st, selection);
        while (st.step())
            ledgers.push_back({st.columnInt64(0), st.column(1).toText(), {}, {}, {}});
    }
    if (ledgers.empty())
        return ledgers;

    // Without a period every line of the year is listed; the bounds below
    // take in every stored date.
    const std::string first = period ? platform::isoDate(period->start) : std::string();
    const std::string last = period ? platform::isoDate(period->end) : std::string("9999-12-31");
    platform::Statement st(db, std::string(kLines) + selectionClause(selection.kind) + kLinesOrder);
    st.bind(1, fyId).bind(3, last);
    bindSelection(st, selection);
    std::size_t at = 0;
    while (st.step()) {
        const std::int64_t code = st.columnInt64(0);
        while (at < ledgers.size() && ledgers[at].accCode != code)
            ++at;
        if (at == ledgers.size())
            break;   // both are in code order: no line can match an account passed
        AccountLedger& l = ledgers[at];
        const std::string date = st.column(1).toText();
        const Money debit = Money::fromCents(st.columnInt64(3));
        const Money credit = Money::fromCents(st.columnInt64(4));
        // The closing runs along the lines: before the period it is the opening.
        if (date < first) {
            l.opening = l.opening + debit - credit;
            l.closing = l.opening;
            continue;
        }
        // A line that is not listed still counts in the balances after it.
        l.closing = l.closing + debit - credit;
        if ((!debit.isZero() || !credit.isZero()) && !st.column(7).isNull())
            l.lines.push_back({st.columnInt64(6), date, st.column(7).toText(), st.column(5).toText(), debit, credit,
                               l.closing, st.columnInt64(2)});
    }
    return ledgers;
}

platform::Hierarchy multiLedgerRows(const std::vector<AccountLedger>& ledgers, int fyId)
{
    std::vector<platform::Recordset::Row> parents, children;
    parents.reserve(ledgers.size());
    for (const AccountLedger& l : ledgers) {
        const Balance op = balanceOf(l.opening);
        const Balance cl = balanceOf(l.closing);
        parents.push_back({l.accCode, l.accName, op.amount.cents(), statusText(op.side), cl.amount.cents(),
                           statusText(cl.side)});
        for (const MultiLedgerLine& x : l.lines) {
            const Balance b = balanceOf(x.running);
            children.push_back({x.tranNo, x.tranDate, x.tranRefShort, l.accCode, x.desc, x.debit.cents(),
                                x.credit.cents(), b.amount.cents(), statusText(b.side), x.serial, fyId, 0, 1});
        }
    }
    std::vector<platform::LevelRows> levels;
    levels.push_back({"", platform::Recordset::fromRows({"AccCode", "AccountName", "OpBalance", "OpStatus",
                                                          "ClBalance", "ClStatus"},
                                                         std::move(parents)),
                      "", ""});
    levels.push_back({"ChildCmd",
                      platform::Recordset::fromRows({"TranNo", "TranDate", "TranRefShort", "AccCode", "Desc", "Debit",
                                                     "Credit", "Balance", "Status", "Serial", "FYID", "Cancel",
                                                     "Posted"},
                                                    std::move(children)),
                      "AccCode", "AccCode"});
    return platform::Hierarchy::fromRows(std::move(levels));
}

} // namespace ledgers
