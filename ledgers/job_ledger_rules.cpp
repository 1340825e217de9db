// The job ledger's running profit and the job box's choice.
#include "ledgers/job_ledger_rules.h"

#include <algorithm>

namespace ledgers {
namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

JobLedgerTotals runProfit(std::span<JobLedgerLine> lines)
{
    JobLedgerTotals t;
    for (JobLedgerLine& l : lines) {
        t.profit += l.credit - l.debit;
        l.profit = t.profit;
        t.totalDebit += l.debit;
        t.totalCredit += l.credit;
    }
    return t;
}

std::optional<std::int64_t> jobChosen(std::string_view typed, std::span<const JobChoice> jobs, std::int64_t chosenId)
{
    const auto chosen = std::find_if(jobs.begin(), jobs.end(), [&](const JobChoice& j) { return j.jobId == chosenId; });
    if (chosenId != 0 && chosen != jobs.end() && equalIgnoringCase(chosen->text, typed))
        return chosenId;
    for (const JobChoice& j : jobs)
        if (equalIgnoringCase(j.text, typed))
            return j.jobId;
    return std::nullopt;
}

} // namespace ledgers
