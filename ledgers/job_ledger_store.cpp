// Job ledger queries. The lines are found from the job's vouchers
// (Transactions_JobID), then each voucher's lines in serial order; the
// running profit is summed as the rows are read.
#include "ledgers/job_ledger_store.h"

#include "platform/data/database.h"

namespace ledgers {
namespace {

using platform::Money;

constexpr const char* kJobs =
    "SELECT JobID, JobNo, JobDesc, CustomerName, JobIncharge, EstimatedCost, ValueofWork"
    " FROM Jobs ORDER BY JobNo, JobID";

// "t.JobID <> 0" lets the partial index on the vouchers' jobs serve a bound
// job; the account's code and name come from the chart.
constexpr const char* kLines =
    "SELECT t.TranNo, t.TranDate, k.Name || ' No. ' || t.DocNo, k.Short || ' ' || t.DocNo,"
    " a.AccCode, COALESCE(a.AccName, ''), COALESCE(s.\"Desc\", ''), COALESCE(s.Debit, 0), COALESCE(s.Credit, 0),"
    " t.TranType"
    " FROM Transactions t"
    " JOIN SubTransactions s ON s.TranNo = t.TranNo"
    " JOIN AccLevel3 a ON a.AccCode = s.AccCode"
    " JOIN AccLevel1 l ON l.TypeID = a.Level1ID"
    " JOIN TranType k ON k.TranType = t.TranType"
    " WHERE t.JobID = ?1 AND t.JobID <> 0 AND t.FYID = ?2 AND t.Posted = 1 AND t.Cancel = 0"
    " AND l.NatureID >= 40 AND (COALESCE(s.Debit, 0) <> 0 OR COALESCE(s.Credit, 0) <> 0)"
    " ORDER BY t.TranDate, s.Serial";

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
    JobLedger ledger;
    platform::Statement st(db, kLines);
    st.bindAll({jobId, fyId});
    while (st.step()) {
        JobLedgerLine l;
        l.tranNo = static_cast<std::int32_t>(st.columnInt64(0));
        l.tranDate = st.column(1).toText();
        l.tranRefLong = st.column(2).toText();
        l.tranRefShort = st.column(3).toText();
        l.accCode = st.columnInt64(4);
        l.accName = st.column(5).toText();
        l.desc = st.column(6).toText();
        l.debit = Money::fromCents(st.columnInt64(7));
        l.credit = Money::fromCents(st.columnInt64(8));
        l.tranType = static_cast<int>(st.columnInt64(9));
        ledger.lines.push_back(std::move(l));
    }
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
