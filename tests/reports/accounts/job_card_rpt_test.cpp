// The printed job card over a job of the register: its one page, the captions,
// the formats of the date, amounts and status, growing texts and the user line.
#include "reports/accounts/job_card_rpt.h"

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include "accounts/job_store.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"

using testing_support::rowsOf;

namespace {

const account_reports::JobCardCaptions kCaptions{"Tamsel Traders", "1 Mall Road", "042-111", "info@tamsel.pk", "Ali"};

std::int64_t addJob(platform::Database& db, const accounts::JobRecord& j)
{
    platform::Transaction tx(db);
    const auto id = accounts::addJob(tx, j);
    tx.commit();
    return id;
}

// Every row of every page, as one text per row.
QStringList lines(const report::Document& doc)
{
    QStringList all;
    for (const auto& page : doc.pages)
        for (const QStringList& row : rowsOf(page))
            all << row.join(QLatin1Char('|'));
    return all;
}

accounts::JobRecord sample()
{
    accounts::JobRecord j;
    j.jobNo = 7;
    j.jobDate = QDate(2026, 11, 3);
    j.jobDesc = QStringLiteral("Fit-out of the second floor");
    j.customerName = QStringLiteral("Zafar & Sons");
    j.contact = QStringLiteral("Mr. Zafar");
    j.telephone = QStringLiteral("042-222");
    j.estimatedCost = platform::Money::fromCents(125050);
    j.valueOfWork = platform::Money::fromCents(-5000);
    j.completed = true;
    j.completionDate = QStringLiteral("15-12-2026");
    j.remarks = QStringLiteral("Deliver before noon");
    return j;
}

} // namespace

TEST(JobCardRpt, PrintsTheJobOnOnePageWithFormattedFiguresAndThePreparer)
{
    testing_support::TestDatabase t;
    const auto id = addJob(t.db(), sample());
    auto rst = platform::Recordset::open(t.db(), "SELECT * FROM Jobs WHERE JobID = ?", {id});
    const auto doc = account_reports::JobCardRpt(rst, kCaptions)->layOut(QDate(2026, 12, 10));

    EXPECT_EQ(doc.caption, QStringLiteral("Job Card"));
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList all = lines(doc);
    const QString text = all.join(QLatin1Char('\n'));
    for (const char* expected : {"Tamsel Traders", "1 Mall Road", "042-111", "info@tamsel.pk", "JOB CARD",
                                 "Job No.|7", "Date|03/11/2026", "Estimated Cost|1,250.50", "Value of Job|(50.00)",
                                 "Job Status|Completed|Completion Date|15-12-2026", "Party Name|Zafar & Sons",
                                 "Contact Person|Mr. Zafar", "Telephone|042-222", "Fit-out of the second floor",
                                 "Deliver before noon", "Date 10-12-2026|Prepared By: Ali"}) {
        SCOPED_TRACE(expected);
        EXPECT_TRUE(all.filter(QString::fromUtf8(expected)).size() == 1) << text.toStdString();
    }
    // No page numbers anywhere, and no raw cents.
    EXPECT_FALSE(text.contains(QStringLiteral("Page"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("125050")));
}

TEST(JobCardRpt, AnOpenJobPrintsNoStatusAndLongTextsGrowOverMoreLines)
{
    testing_support::TestDatabase t;
    accounts::JobRecord j = sample();
    j.completed = false;
    j.estimatedCost.reset();
    j.jobIncharge = QStringLiteral("Bilal, then Kamran once the first stage is handed over, and Asad for finishing");
    j.remarks = QString(240, QLatin1Char('x')).replace(QStringLiteral("xxxxxxxxx"), QStringLiteral("remarked "));
    const auto id = addJob(t.db(), j);
    auto rst = platform::Recordset::open(t.db(), "SELECT * FROM Jobs WHERE JobID = ?", {id});
    const auto doc = account_reports::JobCardRpt(rst, kCaptions)->layOut(QDate(2026, 12, 10));
    ASSERT_EQ(doc.pages.size(), 1u);
    const QStringList all = lines(doc);
    EXPECT_EQ(all.filter(QStringLiteral("Job Status")).first(), QStringLiteral("Job Status|Completion Date|15-12-2026"));
    EXPECT_EQ(all.filter(QStringLiteral("Estimated Cost")).first(), QStringLiteral("Estimated Cost"));
    // Each growing text is printed whole, over more than one line.
    EXPECT_GT(all.filter(QStringLiteral("remarked")).size(), 1);
    EXPECT_EQ(all.join(QString()).count(QStringLiteral("remarked")), 240 / 9);
    EXPECT_TRUE(all.join(QLatin1Char(' ')).contains(QStringLiteral("Asad")));
}
