// The multi-ledger queries and the refresh of the stored running balances.
#include "ledgers/multi_ledger_store.h"

#include <algorithm>
#include <span>
#include <string>
#include <tuple>

#include "ledgers/balance.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/text/formats.h"

namespace ledgers {
namespace {

using platform::Money;

// The year's counted lines with an amount, with their stored values: read in
// the table's own order (one pass over the file, no look-up per line) and put
// in account, date and serial order in memory.
constexpr const char* kRefreshRead =
    "SELECT s.Serial, s.AccCode, s.VoucherDate, COALESCE(s.Debit, 0), COALESCE(s.Credit, 0), s.Balance, s.Status"
    " FROM SubTransactions s NOT INDEXED"
    " WHERE s.VoucherYear = ?1 AND s.Counted = 1 AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)";

// "YYYY-MM-DD" as the number YYYYMMDD, which orders as the text does.
std::int32_t dayNumber(const platform::Value& isoDay)
{
    std::int32_t n = 0;
    for (const char c : isoDay.toText())
        if (c >= '0' && c <= '9')
            n = n * 10 + (c - '0');
    return n;
}

// The selected accounts' counted lines of the year up to ?3, the later of the
// period's first and last days: those before the first day make the opening,
// the rest up to the last day are listed.
constexpr const char* kLines =
    "SELECT s.AccCode, s.VoucherDate, s.Serial, COALESCE(s.Debit, 0), COALESCE(s.Credit, 0),"
    " COALESCE(s.\"Desc\", ''), s.TranNo, k.Short || ' ' || t.DocNo"
    " FROM AccLevel3 a"
    " JOIN SubTransactions s INDEXED BY SubTransactions_Ledger"
    "  ON s.AccCode = a.AccCode AND s.VoucherYear = ?1 AND s.Counted = 1 AND s.VoucherDate <= ?3"
    "  AND s.Serial <= ?4"
    " JOIN Transactions t ON t.TranNo = s.TranNo"
    " LEFT JOIN TranType k ON k.TranType = t.TranType"
    " WHERE a.AccCode BETWEEN ?12 AND ?13 AND ";
constexpr const char* kLinesOrder = " ORDER BY a.AccCode, s.VoucherDate, s.Serial";

constexpr const char* kAccounts = "SELECT a.AccCode, COALESCE(a.AccName, '') FROM AccLevel3 a WHERE ";
constexpr const char* kLastSerial = "SELECT COALESCE(MAX(Serial), 0) FROM SubTransactions";

} // namespace

RefreshResult refreshStoredBalances(platform::Database& db, int fyId)
{
    enum : std::int8_t { kNone = 0, kDebit = 1, kCredit = 2 };
    struct Line {
        std::int64_t accCode;
        std::int32_t day;
        std::int64_t serial;
        std::int64_t difference;   // debit minus credit, cents
        std::int64_t stored;       // the stored balance; -1 when null
        std::int8_t status;        // the stored status
    };
    std::vector<Line> lines;
    {
        platform::Statement st(db, kRefreshRead);
        st.bind(1, fyId);
        while (st.step()) {
            const platform::Value stored = st.column(5);
            const std::string status = st.column(6).toText();
            lines.push_back({st.columnInt64(1), dayNumber(st.column(2)), st.columnInt64(0),
                             (Money::fromCents(st.columnInt64(3)) - Money::fromCents(st.columnInt64(4))).cents(),
                             stored.isNull() ? -1 : stored.toInt(),
                             static_cast<std::int8_t>(status == "Debit" ? kDebit : status == "Credit" ? kCredit : kNone)});
        }
    }
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return std::tie(a.accCode, a.day, a.serial) < std::tie(b.accCode, b.day, b.serial);
    });

    struct Change {
        std::int64_t serial;
        std::int64_t balance;
        const char* status;
    };
    std::vector<Change> changes;
    Money difference;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        if (i == 0 || l.accCode != lines[i - 1].accCode)
            difference = Money{};   // each account from zero
        difference += Money::fromCents(l.difference);
        const Balance b = balanceOf(difference);
        const std::int8_t status = b.side == Side::Debit ? kDebit : kCredit;
        if (l.stored != b.amount.cents() || l.status != status)
            changes.push_back({l.serial, b.amount.cents(), statusText(b.side)});
    }
    RefreshResult result{static_cast<std::int64_t>(lines.size()), static_cast<std::int64_t>(changes.size())};
    lines = {};
    if (changes.empty())
        return result;
    // In the table's order, so the writes walk the file once.
    std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.serial < b.serial; });
    platform::Transaction tx(db);
    platform::Statement write(db, "UPDATE SubTransactions SET Balance = ?, Status = ? WHERE Serial = ?");
    for (const Change& c : changes) {
        write.reset();
        write.bindAll({c.balance, c.status, c.serial}).run();
    }
    tx.commit();
    return result;
}

namespace {

std::vector<std::pair<std::int64_t, std::string>> selectedAccounts(platform::Database& db,
                                                                   const AccountSelection& selection)
{
    std::vector<std::pair<std::int64_t, std::string>> accounts;
    platform::Statement st(db, std::string(kAccounts) + selectionClause(selection.kind, "1") + " ORDER BY a.AccCode");
    bindSelection(st, selection);
    while (st.step())
        accounts.emplace_back(st.columnInt64(0), st.column(1).toText());
    return accounts;
}

// The ledgers of `accounts` (of `selection`, in code order) from their lines
// up to Serial `lastSerial`.
std::vector<AccountLedger> ledgersOf(platform::Database& db, int fyId, const AccountSelection& selection,
                                     const std::optional<DateRange>& period,
                                     std::span<const std::pair<std::int64_t, std::string>> accounts,
                                     std::int64_t lastSerial)
{
    std::vector<AccountLedger> ledgers;
    ledgers.reserve(accounts.size());
    for (const auto& [code, name] : accounts)
        ledgers.push_back({code, name, {}, {}, {}});
    if (ledgers.empty())
        return ledgers;

    // Without a period every line of the year is listed; the bounds below
    // take in every stored date. A period that starts after it ends still
    // brings forward every line before its first day.
    const std::string first = period ? platform::isoDate(period->start) : std::string();
    const std::string last = period ? platform::isoDate(period->end) : std::string("9999-12-31");
    platform::Statement st(db, std::string(kLines) + selectionClause(selection.kind, "1") + kLinesOrder);
    st.bind(1, fyId).bind(3, std::max(first, last)).bind(4, lastSerial);
    st.bind(12, ledgers.front().accCode).bind(13, ledgers.back().accCode);
    bindSelection(st, selection);
    std::size_t at = 0;
    while (st.step()) {
        const std::int64_t code = st.columnInt64(0);
        // Both are in code order; an account made after the list was read
        // has no ledger here, and its lines are passed over.
        while (at < ledgers.size() && ledgers[at].accCode < code)
            ++at;
        if (at == ledgers.size())
            break;
        if (ledgers[at].accCode != code)
            continue;
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
        if (date > last)
            continue;   // after a period that ends before it starts
        // A line that is not listed still counts in the balances after it.
        l.closing = l.closing + debit - credit;
        if ((!debit.isZero() || !credit.isZero()) && !st.column(7).isNull())
            l.lines.push_back({st.columnInt64(6), date, st.column(7).toText(), st.column(5).toText(), debit, credit,
                               l.closing, st.columnInt64(2)});
    }
    return ledgers;
}

std::int64_t lastSerialOf(platform::Database& db)
{
    return db.scalar(kLastSerial).toInt();
}

} // namespace

std::vector<AccountLedger> multiLedger(platform::Database& db, int fyId, const AccountSelection& selection,
                                       const std::optional<DateRange>& period)
{
    const auto accounts = selectedAccounts(db, selection);
    return ledgersOf(db, fyId, selection, period, accounts, lastSerialOf(db));
}

MultiLedgerSlices::MultiLedgerSlices(platform::Database& db, int fyId, AccountSelection selection,
                                     std::optional<DateRange> period, std::size_t accountsPerSlice)
    : m_db{db}, m_fyId{fyId}, m_selection{selection}, m_period{std::move(period)},
      m_perSlice{std::max<std::size_t>(1, accountsPerSlice)}
{
    // Where the lines stand first: a line written between the two reads
    // would otherwise print without its account being listed, or the other way.
    m_lastSerial = lastSerialOf(db);
    m_accounts = selectedAccounts(db, m_selection);
}

std::size_t MultiLedgerSlices::sliceCount() const
{
    return std::max<std::size_t>(1, (m_accounts.size() + m_perSlice - 1) / m_perSlice);
}

std::vector<AccountLedger> MultiLedgerSlices::ledgers(std::size_t index) const
{
    const std::size_t from = std::min(m_accounts.size(), index * m_perSlice);
    const std::size_t count = std::min(m_perSlice, m_accounts.size() - from);
    return ledgersOf(m_db, m_fyId, m_selection, m_period,
                     std::span<const std::pair<std::int64_t, std::string>>(m_accounts).subspan(from, count),
                     m_lastSerial);
}

std::shared_ptr<const platform::Hierarchy> MultiLedgerSlices::slice(std::size_t index) const
{
    return std::make_shared<const platform::Hierarchy>(multiLedgerRows(ledgers(index)));
}

platform::Hierarchy multiLedgerRows(std::vector<AccountLedger> ledgers)
{
    std::vector<platform::Recordset::Row> parents, children;
    parents.reserve(ledgers.size());
    for (AccountLedger& l : ledgers) {
        const Balance op = balanceOf(l.opening);
        const Balance cl = balanceOf(l.closing);
        parents.push_back({l.accCode, l.accName, op.amount.cents(), statusText(op.side), cl.amount.cents(),
                           statusText(cl.side)});
        for (MultiLedgerLine& x : l.lines) {
            const Balance b = balanceOf(x.running);
            children.push_back({x.tranNo, std::move(x.tranDate), std::move(x.tranRefShort), l.accCode,
                                std::move(x.desc), x.debit.cents(), x.credit.cents(), b.amount.cents(),
                                statusText(b.side)});
        }
        l.lines = {};
    }
    std::vector<platform::LevelRows> levels;
    levels.push_back({"", platform::Recordset::fromRows({"AccCode", "AccountName", "OpBalance", "OpStatus",
                                                          "ClBalance", "ClStatus"},
                                                         std::move(parents)),
                      "", ""});
    levels.push_back({"ChildCmd",
                      platform::Recordset::fromRows({"TranNo", "TranDate", "TranRefShort", "AccCode", "Desc", "Debit",
                                                     "Credit", "Balance", "Status"},
                                                    std::move(children)),
                      "AccCode", "AccCode"});
    return platform::Hierarchy::fromRows(std::move(levels));
}

} // namespace ledgers
