// The job register's SQL on a delivered database: the order of the list,
// duplicate numbers, what a write stores, and the database refusing text amounts.
#include "accounts/job_store.h"

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/support/test_database.h"

using accounts::JobRecord;
using platform::Money;

namespace {

JobRecord job(std::int64_t no, const char* desc)
{
    JobRecord j;
    j.jobNo = no;
    j.jobDate = QDate(2026, 12, 10);
    j.jobDesc = QString::fromUtf8(desc);
    return j;
}

std::int64_t add(platform::Database& db, const JobRecord& j)
{
    platform::Transaction tx(db);
    const auto id = accounts::addJob(tx, j);
    tx.commit();
    return id;
}

} // namespace

TEST(JobStore, WritesEverySixteenColumnsAndReadsThemBack)
{
    testing_support::TestDatabase t;
    JobRecord j = job(7, "Fit-out");
    j.orderRefDate = QStringLiteral("PO 44, 1-12-2026");
    j.expDeliveryDate = QStringLiteral("20-12-2026");
    j.customerName = QStringLiteral("Zafar & Sons");
    j.address = QStringLiteral("1 Mall Road\nLahore");
    j.telephone = QStringLiteral("042-111");
    j.contact = QStringLiteral("Mr. Zafar");
    j.estimatedCost = Money::fromCents(125050);
    j.valueOfWork = Money::fromCents(200000);
    j.jobIncharge = QStringLiteral("Bilal");
    j.completionDate = QStringLiteral("not yet");
    j.completed = true;
    j.deliveryRefDate = QStringLiteral("DC 9");
    j.remarks = QStringLiteral("O'Brien's \"special\"");
    j.jobId = add(t.db(), j);
    ASSERT_GT(j.jobId, 0);
    EXPECT_EQ(accounts::loadJob(t.db(), j.jobId), j);
    // Amounts are whole cents, the date ISO text, the status 1.
    EXPECT_EQ(t.db().scalar("SELECT typeof(EstimatedCost) || EstimatedCost || JobDate || Status FROM Jobs").toText(),
              "integer1250502026-12-101");

    j.jobNo = 8;
    j.estimatedCost.reset();
    j.completed = false;
    {
        platform::Transaction tx(t.db());
        accounts::updateJob(tx, j);
        tx.commit();
    }
    EXPECT_EQ(accounts::loadJob(t.db(), j.jobId), j);
    EXPECT_TRUE(t.db().scalar("SELECT EstimatedCost FROM Jobs").isNull());
    EXPECT_EQ(accounts::loadJob(t.db(), j.jobId + 1), std::nullopt);
}

TEST(JobStore, ListsByNumberKeepingRepeatedNumbersApart)
{
    testing_support::TestDatabase t;
    const auto second = add(t.db(), job(20, "second"));
    const auto first = add(t.db(), job(5, "first"));
    const auto again = add(t.db(), job(20, "second again"));
    const auto jobs = accounts::listJobs(t.db());
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].jobId, first);
    EXPECT_EQ(jobs[1].jobId, second);
    EXPECT_EQ(jobs[2].jobId, again);
    EXPECT_EQ(jobs[2].jobNo, 20);
}

TEST(JobStore, UpdatingAJobThatIsGoneThrowsAndWritesNothing)
{
    testing_support::TestDatabase t;
    JobRecord j = job(1, "ghost");
    j.jobId = 99;
    platform::Transaction tx(t.db());
    EXPECT_THROW(accounts::updateJob(tx, j), platform::DbError);
}

TEST(JobsTable, RefusesAnythingButWholeCentsInTheAmounts)
{
    testing_support::TestDatabase t;
    auto& db = t.db();
    const char* refused[] = {"'ten'", "'1,250.00'", "12.5", "x'00'"};
    for (const char* v : refused) {
        SCOPED_TRACE(v);
        EXPECT_THROW(db.exec(std::string("INSERT INTO Jobs (JobNo, EstimatedCost) VALUES (1, ") + v + ")"),
                     platform::DbError);
        EXPECT_THROW(db.exec(std::string("INSERT INTO Jobs (JobNo, ValueofWork) VALUES (1, ") + v + ")"),
                     platform::DbError);
    }
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Jobs").toInt(), 0);
    db.exec("INSERT INTO Jobs (JobNo, EstimatedCost, ValueofWork) VALUES (1, 125000, NULL)");
    EXPECT_THROW(db.exec("UPDATE Jobs SET ValueofWork = 'lots'"), platform::DbError);
    EXPECT_THROW(db.exec("UPDATE Jobs SET EstimatedCost = 0.5"), platform::DbError);
    EXPECT_EQ(db.scalar("SELECT EstimatedCost FROM Jobs").toInt(), 125000);
    EXPECT_TRUE(db.scalar("SELECT ValueofWork FROM Jobs").isNull());
}
