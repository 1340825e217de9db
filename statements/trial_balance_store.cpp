// Trial-balance queries.
#include "statements/trial_balance_store.h"

#include <string>

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace statements {
namespace {

using platform::Money;

// The accounts are walked in code order (AccLevel3's key) and each account's
// lines through SubTransactions (AccCode, ...), so the sums come out grouped
// without sorting the year's lines (SQLite's sort of a million lines costs more
// than the whole query); each line's voucher is reached by key. CROSS JOIN
// keeps that order, and the unary + keeps the planner from the Level1ID and
// Level2ID indexes, which would give up the code order. The voucher kind needs
// no test here: TranType is a foreign key, so every voucher has a kind (the
// ledger's queries count the same lines). Null amounts count as 0.
// ?1 year, ?2 from, ?3 to, ?4/?5 the selection.
constexpr const char* kSelect =
    "SELECT AccCode, AccName, ODiff, Debits, Credits, ODiff + Debits - Credits, Level1ID, Level2ID"
    " FROM ("
    "  SELECT a.AccCode AS AccCode, COALESCE(a.AccName, '') AS AccName,"
    "   COALESCE(a.Level1ID, 0) AS Level1ID, COALESCE(a.Level2ID, 0) AS Level2ID,"
    "   SUM(CASE WHEN t.TranDate < ?2 THEN COALESCE(s.Debit, 0) - COALESCE(s.Credit, 0) ELSE 0 END) AS ODiff,"
    "   SUM(CASE WHEN t.TranDate >= ?2 THEN COALESCE(s.Debit, 0) ELSE 0 END) AS Debits,"
    "   SUM(CASE WHEN t.TranDate >= ?2 THEN COALESCE(s.Credit, 0) ELSE 0 END) AS Credits"
    "  FROM AccLevel3 a"
    "  CROSS JOIN SubTransactions s ON s.AccCode = a.AccCode";
// The voucher of each line: through the small index of counted vouchers when
// the file has it (it halves the time on a large book), else by the table's key.
constexpr const char* kVoucherByIndex =
    "  CROSS JOIN Transactions t INDEXED BY Transactions_Counted ON t.TranNo = s.TranNo";
constexpr const char* kVoucherByKey = "  CROSS JOIN Transactions t ON t.TranNo = s.TranNo";
// Vouchers get increasing numbers as they are entered, so a year's vouchers lie
// between its lowest and highest number: an account's lines of other years
// outside that span are skipped in the index instead of looked up one by one.
// The year is still tested, so a voucher entered out of turn only widens the span.
constexpr const char* kCounted =
    "  WHERE s.TranNo BETWEEN (SELECT MIN(TranNo) FROM Transactions WHERE FYID = ?1)"
    "   AND (SELECT MAX(TranNo) FROM Transactions WHERE FYID = ?1)"
    "  AND t.FYID = ?1 AND t.Cancel = 0 AND t.Posted = 1 AND t.TranDate <= ?3 AND ";
// An account whose opening and period figures are all zero closes at zero too.
constexpr const char* kTail =
    "  GROUP BY a.AccCode"
    " )"
    " WHERE ODiff <> 0 OR Debits <> 0 OR Credits <> 0"
    " ORDER BY AccCode";

constexpr const char* kHasCountedIndex =
    "SELECT COUNT(*) FROM sqlite_schema WHERE type = 'index' AND name = 'Transactions_Counted'";

const char* selectionClause(AccountSelection::Kind kind)
{
    switch (kind) {
    case AccountSelection::Kind::All: return "+a.Level1ID > 0";
    case AccountSelection::Kind::MainType: return "+a.Level1ID = ?4";
    case AccountSelection::Kind::SubType: return "+a.Level2ID = ?4";
    case AccountSelection::Kind::Range: return "a.AccCode BETWEEN ?4 AND ?5";
    }
    return "0";
}

constexpr const char* kMainTypes =
    "SELECT COALESCE(l.Type, '') || ' (' || n.AccNatureTop || ')' AS MainType, l.TypeID"
    " FROM FSNature n JOIN AccLevel1 l ON n.NatureID = l.NatureID"
    " ORDER BY MainType";

constexpr const char* kSubTypes =
    "SELECT Level2ID, COALESCE(L2AccName, '') FROM AccLevel2 WHERE TypeID = ? ORDER BY L2AccName";

} // namespace

TrialBalance trialBalance(platform::Database& db, int fyId, const QDate& from, const QDate& to,
                          const AccountSelection& selection)
{
    const bool byIndex = db.scalar(kHasCountedIndex).toInt() > 0;
    const std::string sql = std::string(kSelect) + (byIndex ? kVoucherByIndex : kVoucherByKey) + kCounted
                            + selectionClause(selection.kind) + kTail;
    platform::Statement st(db, sql);
    st.bind(1, fyId).bind(2, platform::isoDate(from)).bind(3, platform::isoDate(to));
    switch (selection.kind) {
    case AccountSelection::Kind::All:
        break;
    case AccountSelection::Kind::MainType:
    case AccountSelection::Kind::SubType:
        st.bind(4, selection.id);
        break;
    case AccountSelection::Kind::Range:
        st.bind(4, selection.fromCode).bind(5, selection.toCode);
        break;
    }

    TrialBalance tb;
    while (st.step()) {
        AccountFigures f;
        f.accCode = st.columnInt64(0);
        f.accName = st.column(1).toText();
        f.opening = Money::fromCents(st.columnInt64(2));
        f.debits = Money::fromCents(st.columnInt64(3));
        f.credits = Money::fromCents(st.columnInt64(4));
        f.closing = Money::fromCents(st.columnInt64(5));
        f.level1Id = st.columnInt64(6);
        f.level2Id = st.columnInt64(7);
        tb.rows.push_back(std::move(f));
    }
    tb.totals = totalsOf(tb.rows);
    return tb;
}

std::vector<MainTypeEntry> mainTypes(platform::Database& db)
{
    platform::Statement st(db, kMainTypes);
    std::vector<MainTypeEntry> rows;
    while (st.step())
        rows.push_back({st.columnInt64(1), st.column(0).toText()});
    return rows;
}

std::vector<SubTypeEntry> subTypesOf(platform::Database& db, std::int64_t typeId)
{
    platform::Statement st(db, kSubTypes);
    st.bind(1, typeId);
    std::vector<SubTypeEntry> rows;
    while (st.step())
        rows.push_back({st.columnInt64(0), st.column(1).toText()});
    return rows;
}

} // namespace statements
