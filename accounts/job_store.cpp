// Job register queries. Amounts are cents or null; the date is ISO text; the
// other columns hold the boxes' texts as typed.
#include "accounts/job_store.h"

#include "platform/data/database.h"
#include "platform/text/formats.h"

namespace accounts {
namespace {

using platform::Money;
using platform::Value;

constexpr int kSqliteNotFound = 12;   // SQLITE_NOTFOUND; only platform/data includes sqlite3.h

constexpr const char* kColumns =
    "JobID, JobNo, JobDate, JobDesc, OrderRefDate, ExpDeliveryDate, CustomerName, Address, Telephone,"
    " Contact, EstimatedCost, ValueofWork, JobIncharge, CompletionDate, Status, DeliveryRefDate, Remarks";

QString text(const platform::Statement& st, int column)
{
    return QString::fromStdString(st.column(column).toText());
}

// An amount column: null is no amount. The schema keeps anything but whole
// cents out, so asInt only fails for a null.
std::optional<Money> amount(const platform::Statement& st, int column)
{
    if (const auto cents = st.column(column).asInt())
        return Money::fromCents(*cents);
    return std::nullopt;
}

JobRecord readJob(const platform::Statement& st)
{
    JobRecord j;
    j.jobId = st.columnInt64(0);
    j.jobNo = st.columnInt64(1);   // a null number reads as 0
    if (const auto d = platform::parseIsoDate(st.column(2).toText()))
        j.jobDate = *d;
    j.jobDesc = text(st, 3);
    j.orderRefDate = text(st, 4);
    j.expDeliveryDate = text(st, 5);
    j.customerName = text(st, 6);
    j.address = text(st, 7);
    j.telephone = text(st, 8);
    j.contact = text(st, 9);
    j.estimatedCost = amount(st, 10);
    j.valueOfWork = amount(st, 11);
    j.jobIncharge = text(st, 12);
    j.completionDate = text(st, 13);
    j.completed = st.columnInt64(14) != 0;
    j.deliveryRefDate = text(st, 15);
    j.remarks = text(st, 16);
    return j;
}

Value amountValue(const std::optional<Money>& m)
{
    return m ? Value(m->cents()) : Value();
}

Value textValue(const QString& s)
{
    return Value(s.toStdString());
}

// The sixteen values in the register's order, for both writes.
platform::Params values(const JobRecord& j)
{
    return {j.jobNo,
            j.jobDate.isValid() ? Value(platform::isoDate(j.jobDate)) : Value(),
            textValue(j.jobDesc),
            textValue(j.orderRefDate),
            textValue(j.expDeliveryDate),
            textValue(j.customerName),
            textValue(j.address),
            textValue(j.telephone),
            textValue(j.contact),
            amountValue(j.estimatedCost),
            amountValue(j.valueOfWork),
            textValue(j.jobIncharge),
            textValue(j.completionDate),
            j.completed ? 1 : 0,
            textValue(j.deliveryRefDate),
            textValue(j.remarks)};
}

} // namespace

std::vector<JobRecord> listJobs(platform::Database& db)
{
    std::vector<JobRecord> jobs;
    platform::Statement st(db, std::string("SELECT ") + kColumns + " FROM Jobs ORDER BY JobNo, JobID");
    while (st.step())
        jobs.push_back(readJob(st));
    return jobs;
}

std::optional<JobRecord> loadJob(platform::Database& db, std::int64_t jobId)
{
    platform::Statement st(db, std::string("SELECT ") + kColumns + " FROM Jobs WHERE JobID = ?");
    st.bind(1, jobId);
    if (!st.step())
        return std::nullopt;
    return readJob(st);
}

std::int64_t addJob(platform::Transaction& tx, const JobRecord& job)
{
    tx.db().exec("INSERT INTO Jobs (JobNo, JobDate, JobDesc, OrderRefDate, ExpDeliveryDate, CustomerName, Address,"
                 " Telephone, Contact, EstimatedCost, ValueofWork, JobIncharge, CompletionDate, Status,"
                 " DeliveryRefDate, Remarks) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 values(job));
    return tx.db().lastInsertId();
}

void updateJob(platform::Transaction& tx, const JobRecord& job)
{
    platform::Params params = values(job);
    params.emplace_back(job.jobId);
    const int changed = tx.db().exec(
        "UPDATE Jobs SET JobNo = ?, JobDate = ?, JobDesc = ?, OrderRefDate = ?, ExpDeliveryDate = ?,"
        " CustomerName = ?, Address = ?, Telephone = ?, Contact = ?, EstimatedCost = ?, ValueofWork = ?,"
        " JobIncharge = ?, CompletionDate = ?, Status = ?, DeliveryRefDate = ?, Remarks = ? WHERE JobID = ?",
        params);
    if (changed != 1)
        throw platform::DbError(kSqliteNotFound, "The job to be saved is no longer in the register.", {});
}

} // namespace accounts
