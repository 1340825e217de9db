// The printed multi-ledger read a slice of accounts at a time, held page by
// page to the same report laid out in one go over a full read of the lines.
#include "reports/ledgers/acc_ledger_multi.h"

#include <memory>
#include <optional>
#include <string>

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include "ledgers/multi_ledger_store.h"
#include "platform/data/database.h"
#include "platform/report/engine.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"

using ledgers::AccountSelection;
namespace acc = testing_support::acc;

namespace {

const QDate kPrinted{2026, 12, 10};

// The hand-made book with enough lines on two accounts for their ledgers to
// run over several pages.
struct LongBook {
    testing_support::TestDatabase t;
    testing_support::HandBook book{t.db()};

    LongBook()
    {
        platform::Database& db = t.db();
        for (int i = 0; i < 90; ++i) {
            const std::string date = QDate(2026, 8, 1).addDays(i % 200).toString(Qt::ISODate).toStdString();
            db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
                    " VALUES (?, ?, 41, 1, 0, 1)",
                    {500 + i, date});
            const auto tranNo = db.lastInsertId();
            db.exec("INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit) VALUES"
                    " (?, ?, ?, ?, NULL), (?, ?, 'sale', NULL, ?)",
                    {tranNo, acc::Bank, "takings of day " + std::to_string(i), 1000 + i, tranNo, acc::Sales,
                     1000 + i});
        }
    }
};

report::Report layoutFor(const ledger_reports::AccLedgerMultiSource& window)
{
    report::Report r = ledger_reports::accLedgerMultiLayout();
    r.section(u"Section7").setPageBreakAfter(window.newPage);
    for (const char16_t* name : {u"BBF1", u"BBF2", u"BBF3"})
        r.section(u"Section6").control(name).setVisible(window.period.has_value());
    return r;
}

void expectSamePages(const report::Document& streamed, const report::Document& whole)
{
    ASSERT_EQ(streamed.pages.size(), whole.pages.size());
    for (std::size_t p = 0; p < whole.pages.size(); ++p)
        EXPECT_EQ(testing_support::pageTexts(streamed, p), testing_support::pageTexts(whole, p)) << "page " << p + 1;
}

} // namespace

TEST(AccLedgerMultiSlices, PrintPageByPageAsTheFullReadInOneGo)
{
    LongBook b;
    struct Case {
        const char* name;
        AccountSelection selection;
        bool period;
        std::size_t perSlice;
        bool newPage;
        std::size_t minPages;
    };
    const Case cases[] = {
        {"all, year, one account a slice", AccountSelection::all(), false, 1, false, 3},
        {"all, period, two a slice", AccountSelection::all(), true, 2, false, 3},
        {"all, year, every ledger on a new page", AccountSelection::all(), false, 4, true, 6},
        {"main type, period, new pages", AccountSelection::mainType(testing_support::kAssets), true, 1, true, 3},
        {"more accounts a slice than there are", AccountSelection::all(), true, 20, false, 3},
        {"a range without accounts", AccountSelection::range(1, 2), false, 1, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ledger_reports::AccLedgerMultiSource window{"Tamsel Traders", "Ali", "Rs", {}, c.newPage};
        std::optional<ledgers::DateRange> period;
        if (c.period) {
            period = ledgers::DateRange{QDate(2026, 9, 2), QDate(2027, 6, 30)};
            window.period = ledger_reports::AccLedgerSource::Period{period->start, period->end};
        }
        const report::Report layout = layoutFor(window);
        const platform::Hierarchy full = ledgers::multiLedgerRows(
            ledgers::multiLedger(b.t.db(), testing_support::kYear, c.selection, period));
        const report::Document whole = report::layOutAtOnce(layout, full, kPrinted);

        auto slices = std::make_shared<const ledgers::MultiLedgerSlices>(b.t.db(), testing_support::kYear,
                                                                         c.selection, period, c.perSlice);
        report::Pagination streamed(layout, slices, kPrinted);
        streamed.countFor(60000);
        ASSERT_TRUE(streamed.complete());
        EXPECT_GE(whole.pages.size(), c.minPages);
        expectSamePages(streamed.document(), whole);
        // Pages read out of order, each from slices read again, come out the same.
        const std::size_t last = whole.pages.size() - 1;
        streamed.document().pages.dropCached();
        for (const std::size_t p : {last, std::size_t(0), last / 2})
            EXPECT_EQ(testing_support::pageTexts(streamed.document(), p), testing_support::pageTexts(whole, p));
    }
}

TEST(AccLedgerMultiSlices, KeepTheLinesTheyStartedWith)
{
    LongBook b;
    auto slices = std::make_shared<const ledgers::MultiLedgerSlices>(b.t.db(), testing_support::kYear,
                                                                     AccountSelection::all(), std::nullopt, 1);
    report::Pagination streamed(ledger_reports::accLedgerMultiLayout(), slices, kPrinted);
    streamed.countFor(60000);
    const std::size_t pages = streamed.document().pages.size();
    const QStringList first = testing_support::pageTexts(streamed.document(), 0);

    // A line written while the preview is open: the pages laid out again from
    // their slices stay as they were counted.
    b.t.db().exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
                  " VALUES (900, '2026-07-02', 41, 1, 0, 1)");
    const auto tranNo = b.t.db().lastInsertId();
    b.t.db().exec("INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit) VALUES"
                  " (?, ?, 'written meanwhile', 777, NULL), (?, ?, NULL, NULL, 777)",
                  {tranNo, acc::Cash, tranNo, acc::Sales});
    streamed.document().pages.dropCached();
    for (std::size_t p = pages; p-- > 0;)   // the last pages first, so page 1's slice is read afresh
        testing_support::pageTexts(streamed.document(), p);
    EXPECT_EQ(testing_support::pageTexts(streamed.document(), 0), first);
    EXPECT_FALSE(testing_support::documentTexts(streamed.document()).contains("written meanwhile"));

    // A print started afterwards lists it.
    auto later = std::make_shared<const ledgers::MultiLedgerSlices>(b.t.db(), testing_support::kYear,
                                                                    AccountSelection::all(), std::nullopt, 1);
    report::Pagination again(ledger_reports::accLedgerMultiLayout(), later, kPrinted);
    again.countFor(60000);
    EXPECT_TRUE(testing_support::documentTexts(again.document()).contains("written meanwhile"));
}
