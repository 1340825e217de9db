// Job ledger queries. The lines are found from the job's vouchers
// (Transactions_JobID), then each voucher's lines; they are put in date and
// serial order and the running profit is summed over them here.
#include "ledgers/job_ledger_store.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "platform/data/database.h"

namespace ledgers {
namespace {

using platform::Money;

constexpr const char* kJobs =
    "SELECT JobID, JobNo, JobDesc, CustomerName, JobIncharge, EstimatedCost, ValueofWork"
    " FROM Jobs ORDER BY JobNo, JobID";

// The job's vouchers are read from the partial index on their jobs ("t.JobID
// <> 0" lets it serve a bound job); left to itself the planner walks the whole
// year in date order to spare the sort, which costs a large book tenfold. The
// rows are sorted here, not by the query: sorting them with their texts took
// a third of its time. The account's code and name come from the chart.
constexpr const char* kLines =
    "SELECT t.TranNo, t.TranDate, t.TranType, t.DocNo, a.AccCode, COALESCE(a.AccName, ''),"
    " COALESCE(s.\"Desc\", ''), COALESCE(s.Debit, 0), COALESCE(s.Credit, 0), s.Serial"
    " FROM Transactions t INDEXED BY Transactions_JobID"
    " JOIN SubTransactions s ON s.TranNo = t.TranNo"
    " JOIN AccLevel3 a ON a.AccCode = s.AccCode"
    " JOIN AccLevel1 l ON l.TypeID = a.Level1ID"
    " WHERE t.JobID = ?1 AND t.JobID <> 0 AND t.FYID = ?2 AND t.Posted = 1 AND t.Cancel = 0"
    " AND l.NatureID >= 40 AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)";

// The voucher kinds' names and short names; every voucher has a kind (a
// foreign key), so the lookup finds one.
constexpr const char* kKinds = "SELECT TranType, Name, Short FROM TranType";

std::optional<Money> amount(const platform::Statement& st, int column)
{
    if (const auto cents = st.column(column).asInt())
        return Money::fromCents(*cents);
    return std::nullopt;
}

} // namespace

std::vector<JobParticulars> listJobParticulars(platform::Database& db)
{
    std::vector<JobParticulars> jobs;
    platform::Statement st(db, kJobs);
    while (st.step()) {
        JobParticulars j;
        j.choice.jobId = st.columnInt64(0);
        j.choice.text = st.column(1).toText() + " (" + st.column(2).toText() + ")";
        j.customerName = st.column(3).toText();
        j.jobIncharge = st.column(4).toText();
        j.estimatedCost = amount(st, 5);
        j.valueOfWork = amount(st, 6);
        jobs.push_back(std::move(j));
    }
    return jobs;
}

JobLedger buildJobLedger(platform::Database& db, int fyId, std::int64_t jobId)
{
    std::map<int, std::pair<std::string, std::string>> kinds;
    platform::Statement kindRows(db, kKinds);
    while (kindRows.step())
        kinds[static_cast<int>(kindRows.columnInt64(0))] = {kindRows.column(1).toText(), kindRows.column(2).toText()};

    JobLedger ledger;
    platform::Statement st(db, kLines);
    st.bindAll({jobId, fyId});
    while (st.step()) {
        JobLedgerLine l;
        l.tranNo = static_cast<std::int32_t>(st.columnInt64(0));
        l.tranDate = st.column(1).toText();
        l.tranType = static_cast<int>(st.columnInt64(2));
        const std::string docNo = std::to_string(st.columnInt64(3));
        const auto& [name, shortName] = kinds[l.tranType];
        l.tranRefLong = name + " No. " + docNo;
        l.tranRefShort = shortName + " " + docNo;
        l.accCode = st.columnInt64(4);
        l.accName = st.column(5).toText();
        l.desc = st.column(6).toText();
        l.debit = Money::fromCents(st.columnInt64(7));
        l.credit = Money::fromCents(st.columnInt64(8));
        l.serial = st.columnInt64(9);
        ledger.lines.push_back(std::move(l));
    }
    std::sort(ledger.lines.begin(), ledger.lines.end(), [](const JobLedgerLine& a, const JobLedgerLine& b) {
        return std::tie(a.tranDate, a.serial) < std::tie(b.tranDate, b.serial);
    });
    ledger.totals = runProfit(ledger.lines);
    return ledger;
}

platform::Recordset jobLedgerRows(std::span<const JobLedgerLine> lines)
{
    std::vector<platform::Recordset::Row> rows;
    rows.reserve(lines.size());
    for (const JobLedgerLine& l : lines)
        rows.push_back({l.tranNo, l.tranDate, l.tranRefLong, l.tranRefShort, l.accCode, l.accName, l.desc,
                        l.debit.cents(), l.credit.cents(), l.profit.cents(), l.tranType});
    return platform::Recordset::fromRows({"TranNo", "TranDate", "TranRefLong", "TranRefShort", "AccCode", "AccName",
                                          "Desc", "Debit", "Credit", "Balance", "TranType"},
                                         std::move(rows));
}

} // namespace ledgers
