// The SQL of the job register: the jobs in register order, one job by its id,
// and the insert and update of a job. The save checks are job_rules.h's.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "accounts/job_rules.h"

namespace platform {
class Database;
class Transaction;
} // namespace platform

namespace accounts {

// Every job, completed or not, by JobNo and then by JobID (numbers may repeat).
// Throws platform::DbError.
std::vector<JobRecord> listJobs(platform::Database& db);
// The job with `jobId`, or nothing. Throws platform::DbError.
std::optional<JobRecord> loadJob(platform::Database& db, std::int64_t jobId);
// Stores `job` as a new job, the sixteen columns in the register's order, and
// returns the JobID the database gave it (job.jobId is not read). Throws
// platform::DbError.
std::int64_t addJob(platform::Transaction& tx, const JobRecord& job);
// Writes the sixteen columns of `job` over the job with job.jobId. Throws
// platform::DbError, also when there is no such job (nothing is written).
void updateJob(platform::Transaction& tx, const JobRecord& job);

} // namespace accounts
