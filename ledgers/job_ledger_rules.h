// The figures of a job ledger that need no database: the running profit or
// loss after each line (credits minus debits so far) and the totals, in exact
// money; and which job the job box names.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/text/money.h"

namespace ledgers {

struct JobLedgerLine {
    std::int32_t tranNo = 0;
    std::string tranDate;       // ISO, as stored
    std::string tranRefLong;    // "Sale Voucher No. 12"
    std::string tranRefShort;   // "SV 12"
    std::int64_t accCode = 0;
    std::string accName;        // from the chart, not from the line
    std::string desc;
    platform::Money debit;      // a null amount reads as 0
    platform::Money credit;
    platform::Money profit;     // credits minus debits up to this line
    int tranType = 0;
    std::int64_t serial = 0;    // the line's own number, which orders a day's lines
};

struct JobLedgerTotals {
    platform::Money totalDebit;
    platform::Money totalCredit;
    platform::Money profit;     // credits minus debits over every line; 0 without lines
    friend bool operator==(const JobLedgerTotals&, const JobLedgerTotals&) = default;
};

// Sets each line's running profit, in the order given, and returns the totals.
// Throws std::overflow_error when a sum does not fit.
JobLedgerTotals runProfit(std::span<JobLedgerLine> lines);

// One job as the job ledger's list offers it.
struct JobChoice {
    std::int64_t jobId = 0;
    std::string text;           // "JobNo (JobDesc)"
};
// The job that the job box's `typed` text names: `chosenId` when that job's
// text is the text typed (the user picked it, or left it as picked), else the
// first job whose text equals it, ignoring ASCII case; nothing when no job's
// text does. So two jobs with one text each stay themselves once chosen.
std::optional<std::int64_t> jobChosen(std::string_view typed, std::span<const JobChoice> jobs,
                                      std::int64_t chosenId);

} // namespace ledgers
