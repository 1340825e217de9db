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

namespace {

// The grey box of `page` whose first text is `caption`, and every text run
// that starts inside its columns.
struct Boxed {
    report::Rect box;
    std::vector<report::TextRun> texts;
};

Boxed boxHolding(const report::Page& page, const QString& caption)
{
    Boxed found;
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<report::TextRun>(&item); t && t->text == caption)
            for (const auto& other : page.items)
                if (const auto* b = std::get_if<report::BoxRun>(&other);
                    b && b->rect.left <= t->rect.left && t->rect.right() <= b->rect.right()
                    && b->rect.top <= t->rect.top && t->rect.top < b->rect.bottom())
                    found.box = b->rect;
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<report::TextRun>(&item);
            t && found.box.left <= t->rect.left && t->rect.left < found.box.right())
            found.texts.push_back(*t);
    return found;
}

} // namespace

// The customer's and the description's boxes hold their texts whole however
// long they are (each box takes 250 characters), and the texts below them
// stay below them.
TEST(JobCardRpt, TheBoxesHoldTheirTextsAtTheirLongest)
{
    const QString longAddress = QString(250, QLatin1Char('x')).replace(QStringLiteral("xxxxxxxxxx"),
                                                                        QStringLiteral("Road 12a, "));
    const QString longDesc = QString(250, QLatin1Char('x')).replace(QStringLiteral("xxxxx"), QStringLiteral("Desc "));
    struct Case {
        const char* name;
        QString address;
        QString desc;
    };
    const Case cases[] = {
        {"address of four lines", QStringLiteral("Unit 5\nLong Industrial Estate\nFar District\nPost Code 54000"),
         QStringLiteral("Fit-out")},
        {"longest address", longAddress, QStringLiteral("Fit-out")},
        {"longest address and description", longAddress, longDesc},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::TestDatabase t;
        accounts::JobRecord j = sample();
        j.address = c.address;
        j.jobDesc = c.desc;
        const auto id = addJob(t.db(), j);
        auto rst = platform::Recordset::open(t.db(), "SELECT * FROM Jobs WHERE JobID = ?", {id});
        const auto doc = account_reports::JobCardRpt(rst, kCaptions)->layOut(QDate(2026, 12, 10));
        ASSERT_EQ(doc.pages.size(), 1u);
        const report::Page& page = doc.pages.front();

        const std::pair<const char*, const char*> boxes[] = {{"Party Name", "Telephone"},
                                                              {"Job Description", nullptr}};
        for (const auto& [caption, last] : boxes) {
            SCOPED_TRACE(caption);
            const Boxed b = boxHolding(page, QString::fromUtf8(caption));
            ASSERT_GT(b.box.height, 0);
            int inside = 0;
            bool lastSeen = last == nullptr;
            for (const report::TextRun& run : b.texts) {
                // A text of the box lies wholly inside it; any other text of
                // its columns lies wholly above or below it.
                const bool within = b.box.top <= run.rect.top && run.rect.bottom() <= b.box.bottom();
                const bool clear = run.rect.bottom() <= b.box.top || b.box.bottom() <= run.rect.top;
                EXPECT_TRUE(within || clear) << run.text.toStdString() << " " << run.rect.top << "-" << run.rect.bottom() << " box " << b.box.top << "-" << b.box.bottom();
                inside += within ? 1 : 0;
                lastSeen = lastSeen || (within && last && run.text == QString::fromUtf8(last));
            }
            EXPECT_GT(inside, 1);
            EXPECT_TRUE(lastSeen);
        }
    }
}
