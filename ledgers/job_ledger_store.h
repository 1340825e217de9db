// The SQL of the job ledger: the list of every job with the particulars the
// window shows, and one job's counted lines of a year on income and expense
// accounts, with the running profit. The rows the printed ledger reads are
// made from the lines already built.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ledgers/job_ledger_rules.h"
#include "platform/data/recordset.h"

namespace platform { class Database; }

namespace ledgers {

// A job of the list with the four particulars the window shows.
struct JobParticulars {
    JobChoice choice;
    std::string customerName;
    std::string jobIncharge;
    std::optional<platform::Money> estimatedCost;   // empty: none stored
    std::optional<platform::Money> valueOfWork;
};

// Every job, completed or not, by JobNo and then JobID. Throws platform::DbError.
std::vector<JobParticulars> listJobParticulars(platform::Database& db);

struct JobLedger {
    std::vector<JobLedgerLine> lines;   // by voucher date, then by line serial
    JobLedgerTotals totals;
};

// The ledger of job `jobId` in financial year `fyId`: every line with a debit
// or credit of the posted, uncancelled vouchers of the year that carry the job,
// booked to an account whose main type's nature is 40 or more, with the
// account's code and name from the chart. Throws platform::DbError, and
// std::overflow_error when a sum does not fit. Writes nothing.
JobLedger buildJobLedger(platform::Database& db, int fyId, std::int64_t jobId);

// JobLedgerQry's rows for `lines`, in their order: TranNo, TranDate,
// TranRefLong, TranRefShort, AccCode, AccName, Desc, Debit, Credit, Balance
// (the running profit) and TranType; amounts in cents.
platform::Recordset jobLedgerRows(std::span<const JobLedgerLine> lines);

} // namespace ledgers
