// The SQL of the multi-ledger print: the refresh of the lines' stored running
// balances (SubTransactions.Balance and .Status), and the ledgers of many
// accounts worked out from their lines when they are printed (a slice of
// accounts at a time), so that a print never shows a stale or mixed balance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ledgers/account_selection.h"
#include "ledgers/ledger_store.h"
#include "platform/data/hierarchy.h"
#include "platform/report/engine.h"
#include "platform/text/money.h"

namespace platform { class Database; }

namespace ledgers {

// How many stored running balances a refresh rewrote.
struct RefreshResult {
    std::int64_t linesRead = 0;
    std::int64_t linesWritten = 0;
};

// Works out the running balance and status of every counted line with an
// amount of year `fyId` (each account from zero, in date and serial order)
// in one read, then writes only the lines whose stored Balance or Status
// differs, in one short transaction. Lines that are not counted, and lines
// without amounts, keep their values. Throws platform::DbError; a failed
// write is rolled back whole.
RefreshResult refreshStoredBalances(platform::Database& db, int fyId);

struct MultiLedgerLine {
    std::int64_t tranNo = 0;
    std::string tranDate;          // ISO
    std::string tranRefShort;
    std::string desc;
    platform::Money debit;
    platform::Money credit;
    platform::Money running;       // debits minus credits from the year's first line through this one
    std::int64_t serial = 0;
};

struct AccountLedger {
    std::int64_t accCode = 0;
    std::string accName;
    platform::Money opening;       // counted lines dated before the period; 0 for the whole year
    std::vector<MultiLedgerLine> lines;   // listed lines of the period, by date and serial
    platform::Money closing;       // opening plus every counted line of the period
};

// The ledgers of the accounts of `selection` (every account of the chart for
// All, accounts without lines included), in code order, for the whole year
// `fyId` or for `period`: listed lines are counted lines with an amount whose
// voucher kind has a TranType row. A period that starts after it ends lists
// no line; its opening counts every line before its first day and is carried
// to the closing. Throws platform::DbError,
// and std::overflow_error when a sum does not fit.
std::vector<AccountLedger> multiLedger(platform::Database& db, int fyId, const AccountSelection& selection,
                                       const std::optional<DateRange>& period);

// The ledgers as the printed report reads them (MultiLedgersQry): a parent
// level of one row per account (AccCode, AccountName, OpBalance, OpStatus,
// ClBalance, ClStatus) and below it "ChildCmd", related on AccCode, its lines
// (TranNo, TranDate, TranRefShort, AccCode, Desc, Debit, Credit, Balance,
// Status). Balances are never negative. Takes the ledgers over and lets go of
// each one's lines once they are rows, so a year's lines are held once.
platform::Hierarchy multiLedgerRows(std::vector<AccountLedger> ledgers);

// The multi-ledger print's rows read a slice of accounts at a time, so the
// first page needs only the first accounts' lines and memory holds a few
// slices, not the year. Each slice is worked out from its accounts' lines when
// it is read, as multiLedger does. Lines written after the print started are
// left out of every slice, so a slice read again holds the rows it held.
class MultiLedgerSlices : public report::SlicedData {
public:
    static constexpr std::size_t kAccountsPerSlice = 20;

    // Reads the accounts of `selection` in code order and where the year's
    // lines stand now; no line yet. Throws platform::DbError. `db` must
    // outlive the slices.
    MultiLedgerSlices(platform::Database& db, int fyId, AccountSelection selection,
                      std::optional<DateRange> period, std::size_t accountsPerSlice = kAccountsPerSlice);

    std::size_t accountCount() const { return m_accounts.size(); }
    std::size_t sliceCount() const override;
    // The ledgers of slice `index`'s accounts, as multiLedger works them out.
    // Throws platform::DbError and std::overflow_error.
    std::vector<AccountLedger> ledgers(std::size_t index) const;
    // The same as rows (multiLedgerRows).
    std::shared_ptr<const platform::Hierarchy> slice(std::size_t index) const override;

private:
    platform::Database& m_db;
    int m_fyId;
    AccountSelection m_selection;
    std::optional<DateRange> m_period;
    std::size_t m_perSlice;
    std::int64_t m_lastSerial = 0;
    std::vector<std::pair<std::int64_t, std::string>> m_accounts;   // code, name
};

} // namespace ledgers
