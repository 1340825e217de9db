// The printed job ledger over many lines: landscape pages each with the column
// captions and the page footer without a user line, the totals once at the end.
#include "reports/ledgers/job_ledger.h"

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include "ledgers/job_ledger_store.h"
#include "platform/report/report_feed.h"
#include "tests/support/page_rows.h"

using platform::Money;

TEST(JobLedgerReport, PrintsLandscapePagesWithCaptionsOnEachAndTotalsAtTheEnd)
{
    std::vector<ledgers::JobLedgerLine> lines(120);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto& l = lines[i];
        l.tranNo = static_cast<std::int32_t>(i + 1);
        l.tranDate = "2026-09-0" + std::to_string(1 + i % 9);
        l.tranRefShort = "SV " + std::to_string(i + 1);
        l.accCode = 50101001;
        l.accName = "Sales";
        l.desc = "line " + std::to_string(i + 1);
        (i % 3 == 0 ? l.debit : l.credit) = Money::fromCents(100000);
    }
    const auto totals = ledgers::runProfit(lines);
    platform::Recordset rows = ledgers::jobLedgerRows(lines);
    const auto feed = ledger_reports::makeJobLedger(rows, {"Tamsel Traders", "Rs", "5 (Fit)", "40000.00"});
    const report::Document doc = feed->layOut(QDate(2026, 12, 10));

    EXPECT_EQ(doc.orientation, QPageLayout::Landscape);
    EXPECT_GT(doc.pageWidth, doc.pageHeight);
    ASSERT_GE(doc.pages.size(), 2u);
    int detailRows = 0;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        SCOPED_TRACE(p);
        const auto rowsOfPage = testing_support::rowsOf(doc.pages[p]);
        QStringList joined;
        for (const QStringList& r : rowsOfPage)
            joined << r.join(QLatin1Char('|'));
        EXPECT_EQ(joined.filter(QStringLiteral("Date|Tran. No.|Acc Code|Account Name|Description|Debit|Credit|"
                                               "Profit / (Loss)")).size(), 1);
        const QString footer = QStringLiteral("Date 10-12-2026|Page  %1  of  %2").arg(p + 1).arg(doc.pages.size());
        EXPECT_EQ(joined.last(), footer);
        EXPECT_EQ(joined.filter(QStringLiteral("Job Ledger -- 5 (Fit)")).size(), p == 0 ? 1 : 0);
        const bool last = p + 1 == doc.pages.size();
        EXPECT_EQ(joined.filter(QStringLiteral("Totals  Rs|40,000.00|80,000.00|40000.00")).size(), last ? 1 : 0);
        detailRows += static_cast<int>(joined.filter(QStringLiteral("|SV ")).size());
    }
    EXPECT_EQ(detailRows, 120);
    EXPECT_EQ(totals.profit, Money::fromCents(4000000));
}
