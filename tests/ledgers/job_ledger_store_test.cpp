// The job ledger's SQL and figures on the hand-made book with two jobs: which
// lines are listed, their order and running profit, the job list, and the rows
// the printed ledger reads.
#include "ledgers/job_ledger_store.h"

#include <array>
#include <climits>

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"

using ledgers::JobLedgerLine;
using platform::Money;
namespace acc = testing_support::acc;

namespace {

class JobLedgerStore : public testing::Test {
protected:
    JobLedgerStore()
    {
        t.db().exec("INSERT INTO Jobs (JobNo, JobDesc, CustomerName, JobIncharge, EstimatedCost, ValueofWork, Status)"
                    " VALUES (12, 'Fit-out', 'Zafar', 'Bilal', 90000, NULL, 1)");
        jobA = t.db().lastInsertId();
        t.db().exec("INSERT INTO Jobs (JobNo, JobDesc) VALUES (3, 'Repairs')");
        jobB = t.db().lastInsertId();
    }

    // A voucher of `type` on `date` charged to `job`, with its lines
    // (account, debit, credit in cents) in the order given. Returns its TranNo.
    std::int64_t voucher(std::int64_t job, int type, const char* date, std::initializer_list<std::array<std::int64_t, 3>> lines,
                         int fyId = testing_support::kYear, bool posted = true, bool cancelled = false)
    {
        t.db().exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, JobID, Posted, Cancel)"
                    " VALUES (?, ?, ?, ?, ?, ?, ?)",
                    {++docNo, date, type, fyId, job, posted ? 1 : 0, cancelled ? 1 : 0});
        const auto tranNo = t.db().lastInsertId();
        for (const auto& [code, debit, credit] : lines)
            t.db().exec("INSERT INTO SubTransactions (TranNo, AccCode, AccName, \"Desc\", Debit, Credit, Balance)"
                        " VALUES (?, ?, 'name on the line', 'line', ?, ?, 777)",
                        {tranNo, code, debit ? platform::Value(debit) : platform::Value(),
                         credit ? platform::Value(credit) : platform::Value()});
        return tranNo;
    }

    testing_support::TestDatabase t;
    testing_support::HandBook book{t.db()};
    std::int64_t jobA = 0, jobB = 0;
    int docNo = 100;
};

} // namespace

TEST_F(JobLedgerStore, ListsTheJobsCountedIncomeAndExpenseLinesWithTheRunningProfit)
{
    // Written out of date order: the ledger sorts by date, then by line serial.
    const auto rent = voucher(jobA, 27, "2026-09-01", {{acc::Rent, 50000, 0}, {acc::Cash, 0, 50000}});
    const auto sale = voucher(jobA, 31, "2026-08-05", {{acc::Customer, 30000, 0}, {acc::Sales, 0, 30000}});
    const auto journal = voucher(jobA, 41, "2026-09-01",
                                 {{acc::Sales, 0, 12345}, {acc::Rent, 0, 0}, {acc::Bank, 12345, 0}, {acc::Rent, 99, 0}});
    const auto ledger = ledgers::buildJobLedger(t.db(), testing_support::kYear, jobA);

    struct Row {
        std::int64_t tranNo, accCode, debit, credit, profit;
        const char* refShort;
    };
    const Row expected[] = {
        {sale, acc::Sales, 0, 30000, 30000, "SV 102"},
        {rent, acc::Rent, 50000, 0, -20000, "CPV 101"},
        {journal, acc::Sales, 0, 12345, -7655, "JV 103"},
        {journal, acc::Rent, 99, 0, -7754, "JV 103"},
    };
    ASSERT_EQ(ledger.lines.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const JobLedgerLine& l = ledger.lines[i];
        EXPECT_EQ(l.tranNo, expected[i].tranNo);
        EXPECT_EQ(l.accCode, expected[i].accCode);
        EXPECT_EQ(l.debit, Money::fromCents(expected[i].debit));
        EXPECT_EQ(l.credit, Money::fromCents(expected[i].credit));
        EXPECT_EQ(l.profit, Money::fromCents(expected[i].profit));
        EXPECT_EQ(l.tranRefShort, expected[i].refShort);
    }
    EXPECT_EQ(ledger.lines[0].tranRefLong, "Sale Voucher No. 102");
    EXPECT_EQ(ledger.lines[0].tranDate, "2026-08-05");
    EXPECT_EQ(ledger.lines[0].tranType, 31);
    EXPECT_EQ(ledger.lines[0].accName, "Sales");   // the chart's name, not the line's
    EXPECT_EQ(ledger.totals, (ledgers::JobLedgerTotals{Money::fromCents(50099), Money::fromCents(42345),
                                                       Money::fromCents(-7754)}));
    // Reading the ledger leaves the stored balances as they were.
    EXPECT_EQ(t.db().scalar("SELECT COUNT(*) FROM SubTransactions WHERE Balance = 777").toInt(), 8);
}

TEST_F(JobLedgerStore, LeavesOutWhatIsNotTheJobsCountedIncomeOrExpenseOfTheYear)
{
    struct Case {
        const char* name;
        bool forJobA;
        int fyId;
        bool posted;
        bool cancelled;
    };
    const Case cases[] = {
        {"unposted", true, testing_support::kYear, false, false},
        {"cancelled", true, testing_support::kYear, true, true},
        {"posted and cancelled", true, testing_support::kYear, true, true},
        {"another year", true, testing_support::kOtherYear, true, false},
        {"another job", false, testing_support::kYear, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        voucher(c.forJobA ? jobA : jobB, 31, "2026-10-05", {{acc::Customer, 500, 0}, {acc::Sales, 0, 500}}, c.fyId,
                c.posted, c.cancelled);
    }
    // Balance-sheet lines of a counted voucher of the job, and lines without amounts.
    voucher(jobA, 38, "2026-10-06", {{acc::Bank, 700, 0}, {acc::Customer, 0, 700}, {acc::Sales, 0, 0}});
    const auto ledger = ledgers::buildJobLedger(t.db(), testing_support::kYear, jobA);
    EXPECT_TRUE(ledger.lines.empty());
    EXPECT_EQ(ledger.totals, ledgers::JobLedgerTotals{});
    // The other job's sale is its own.
    EXPECT_EQ(ledgers::buildJobLedger(t.db(), testing_support::kYear, jobB).lines.size(), 1u);
    // No job at all lists nothing, though the book's vouchers carry JobID 0.
    EXPECT_TRUE(ledgers::buildJobLedger(t.db(), testing_support::kYear, 0).lines.empty());
}

TEST_F(JobLedgerStore, ListsEveryJobWithItsParticulars)
{
    const auto jobs = ledgers::listJobParticulars(t.db());
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].choice.jobId, jobB);   // by JobNo: 3 before 12
    EXPECT_EQ(jobs[0].choice.text, "3 (Repairs)");
    EXPECT_EQ(jobs[1].choice.text, "12 (Fit-out)");   // completed jobs are listed too
    EXPECT_EQ(jobs[1].customerName, "Zafar");
    EXPECT_EQ(jobs[1].jobIncharge, "Bilal");
    EXPECT_EQ(jobs[1].estimatedCost, Money::fromCents(90000));
    EXPECT_EQ(jobs[1].valueOfWork, std::nullopt);
}

TEST(JobLedgerRows, CarryEachLineWithItsRunningProfitInCents)
{
    std::vector<JobLedgerLine> lines(2);
    lines[0].tranNo = 7;
    lines[0].credit = Money::fromCents(1000);
    lines[0].tranRefShort = "SV 1";
    lines[1].tranNo = 8;
    lines[1].debit = Money::fromCents(2500);
    lines[1].tranType = 27;
    ledgers::runProfit(lines);
    platform::Recordset rows = ledgers::jobLedgerRows(lines);
    ASSERT_EQ(rows.recordCount(), 2u);
    rows.moveFirst();
    EXPECT_EQ(rows["TranRefShort"].toText(), "SV 1");
    EXPECT_EQ(rows["Balance"].toInt(), 1000);
    rows.moveNext();
    EXPECT_EQ(rows["Balance"].toInt(), -1500);
    EXPECT_EQ(rows["Debit"].toInt(), 2500);
    EXPECT_EQ(rows["TranType"].toInt(), 27);
}

TEST(RunProfit, OverflowingSumsThrow)
{
    std::vector<JobLedgerLine> lines(2);
    lines[0].credit = Money::fromCents(INT64_MAX);
    lines[1].credit = Money::fromCents(1);
    EXPECT_THROW(ledgers::runProfit(lines), std::overflow_error);
}

TEST(JobChosen, FollowsTheChosenJobAmongJobsOfOneText)
{
    const ledgers::JobChoice jobs[] = {{4, "5 (Fit)"}, {9, "5 (Fit)"}, {2, "6 (Paint)"}};
    struct Case {
        const char* typed;
        std::int64_t chosen;
        std::optional<std::int64_t> job;
    };
    const Case cases[] = {
        {"5 (Fit)", 9, 9}, {"5 (Fit)", 4, 4}, {"5 (fit)", 9, 9},
        {"5 (Fit)", 0, 4},          // typed, not chosen: the first of that text
        {"6 (Paint)", 9, 2},        // the text moved on from the chosen job
        {"7 (None)", 9, std::nullopt}, {"", 0, std::nullopt}, {"5 (Fit)", 77, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typed << " / " << c.chosen);
        EXPECT_EQ(ledgers::jobChosen(c.typed, jobs, c.chosen), c.job);
    }
}
