// The printed day book laid out over a few lines: landscape, the period line,
// long names and descriptions growing to several lines, and the report footer's
// totals, a negative one with a leading minus sign; and the day book of a
// book read a slice of lines at a time, page for page as the whole period
// read at once and summed by the report itself.
#include "reports/ledgers/gj.h"

#include <memory>
#include <string>
#include <variant>

#include <QStringList>

#include <gtest/gtest.h>

#include "ledgers/day_book_store.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/report/engine.h"
#include "platform/report/report_feed.h"
#include "tests/ledgers/hand_book.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"

using platform::Money;
using report::Document;
namespace acc = testing_support::acc;

namespace {

const QDate kPrinted{2026, 12, 10};


Document print(std::vector<ledgers::DayBookLine> lines)
{
    ledger_reports::GJSource window{"Tamsel Traders", "Ali", "Rs", QDate(2026, 7, 1), QDate(2026, 7, 31), {}, {}};
    for (const auto& l : lines) {
        window.debits += l.debit;
        window.credits += l.credit;
    }
    return ledger_reports::makeGJ(report::wholeData(ledgers::dayBookRows(lines)), window)->layOut(kPrinted);
}

ledgers::DayBookLine line(const char* ref, std::int64_t acc, std::string name, const char* desc, std::int64_t dr,
                          std::int64_t cr)
{
    ledgers::DayBookLine l;
    l.tranNo = 7;
    l.tranDate = "2026-07-05";
    l.tranType = 41;
    l.tranRefShort = ref;
    l.accCode = acc;
    l.accName = std::move(name);
    l.desc = desc;
    l.debit = Money::fromCents(dr);
    l.credit = Money::fromCents(cr);
    return l;
}

} // namespace

TEST(GJReport, PrintsLandscapeWithThePeriodTheLinesAndTheirSums)
{
    const std::string longName = "Account with a name much too long for its column on the printed day book";
    const Document doc = print({line("JV 10", 20101001, longName, "first", 123456, 0),
                                line("JV 10", 50101001, "Sales", "second", 0, 123456)});
    EXPECT_EQ(doc.orientation, QPageLayout::Landscape);
    EXPECT_GT(doc.pageWidth, doc.pageHeight);
    EXPECT_EQ(doc.caption, "General Journal");
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto rows = testing_support::rowsOf(doc.pages[0]);
    ASSERT_GE(rows.size(), 9u);
    EXPECT_EQ(rows[2], QStringList{"For The Period From  July 01, 2026  To  July 31, 2026"});
    EXPECT_EQ(rows[4].front(), "JV 10");
    EXPECT_EQ(rows[4].back(), "0.00");
    EXPECT_TRUE(rows[4].contains("1,234.56"));
    // The long name goes on below its first line (on as many lines as the
    // font needs), and the next line below it.
    std::size_t next = 5;
    while (next < rows.size() && rows[next].size() == 1)
        ++next;
    EXPECT_GT(next, 5u);
    ASSERT_LT(next + 1, rows.size());
    EXPECT_EQ(rows[next].front(), "JV 10");
    EXPECT_TRUE(rows[next].contains("Sales"));
    EXPECT_EQ(rows[next + 1], (QStringList{"Totals  Rs", "1,234.56", "1,234.56"}));
}

TEST(GJReport, ShowsANegativeSumWithAMinusSign)
{
    const auto rows = testing_support::rowsOf(print({line("JV 11", 20101001, "Cash", "refund", -5000, 0),
                                                     line("JV 11", 50101001, "Sales", "refund", 0, -5000)})
                                                  .pages[0]);
    EXPECT_TRUE(rows[4].contains("(50.00)"));
    EXPECT_EQ(rows[6], (QStringList{"Totals  Rs", "-50.00", "-50.00"}));
}

namespace {

// The hand-made book with many vouchers a day, so that slices of a few lines
// start and end within days, and long descriptions that grow across page ends.
struct BusyBook {
    testing_support::TestDatabase t;
    testing_support::HandBook book{t.db()};

    BusyBook()
    {
        platform::Database& db = t.db();
        platform::Transaction tx(db);   // one durable write, not hundreds
        for (int i = 0; i < 120; ++i) {
            const std::string date = QDate(2026, 8, 1).addDays(i % 9).toString(Qt::ISODate).toStdString();
            db.exec("INSERT INTO Transactions (DocNo, TranDate, TranType, FYID, Cancel, Posted)"
                    " VALUES (?, ?, ?, 1, 0, ?)",
                    {600 + i, date, i % 3 == 0 ? 27 : 41, i % 5 == 0 ? 0 : 1});
            const auto tranNo = db.lastInsertId();
            const std::string desc = i % 11 == 0 ? std::string(160, 'w') + " of day " + std::to_string(i)
                                                 : "takings " + std::to_string(i);
            db.exec("INSERT INTO SubTransactions (TranNo, AccCode, \"Desc\", Debit, Credit) VALUES"
                    " (?, ?, ?, ?, NULL), (?, ?, ?, ?, NULL), (?, ?, 'sale', NULL, ?)",
                    {tranNo, acc::Bank, desc, 1000 + i, tranNo, acc::Cash, desc, 7 + i, tranNo, acc::Sales,
                     1007 + 2 * i});
        }
        tx.commit();
    }
};

// Everything a page holds, where it stands and how it is drawn, one text per item.
QStringList itemsOf(const Document& doc, std::size_t page)
{
    QStringList out;
    for (const report::Item& item : doc.pages[page].items) {
        if (const auto* t = std::get_if<report::TextRun>(&item))
            out << QStringLiteral("text %1,%2,%3,%4 %5 %6 %7 %8 %9 %10")
                       .arg(t->rect.left).arg(t->rect.top).arg(t->rect.width).arg(t->rect.height)
                       .arg(t->font.family).arg(t->font.points).arg(t->font.bold).arg(t->font.italic)
                       .arg(int(t->align)).arg(t->text);
        else if (const auto* l = std::get_if<report::LineRun>(&item))
            out << QStringLiteral("line %1,%2,%3,%4 %5").arg(l->x1).arg(l->y1).arg(l->x2).arg(l->y2).arg(l->width);
        else if (const auto* b = std::get_if<report::BoxRun>(&item))
            out << QStringLiteral("box %1,%2,%3,%4 %5").arg(b->rect.left).arg(b->rect.top).arg(b->rect.width)
                       .arg(b->rect.height).arg(b->fill.name());
    }
    return out;
}

// `gj` as the day book printed with the whole period read at once: its
// report footer summing the rows' debits and credits itself.
report::Report summing(report::Report gj)
{
    report::Section& totals = gj.section(u"Section5");
    for (const auto& [name, field] : {std::pair{u"Function1", "Debit"}, std::pair{u"Function2", "Credit"}}) {
        report::Control& c = totals.control(name);
        c.kind = report::ControlKind::Function;
        c.aggregate = report::Aggregate::Sum;
        c.field = field;
        c.format = report::DataFormat::money("#,##0.00");
    }
    return gj;
}

} // namespace

TEST(GJSlices, PrintPageForPageAsTheWholePeriodReadAtOnce)
{
    BusyBook b;
    struct Case {
        const char* name;
        QDate from, to;
        std::size_t perSlice;
        std::size_t minSlices;
        std::size_t minPages;
    };
    const Case cases[] = {
        {"the year, slices cut within days", QDate(2026, 6, 30), QDate(2027, 6, 30), 17, 20, 8},
        {"two busy days, a line a slice", QDate(2026, 8, 1), QDate(2026, 8, 2), 1, 70, 2},
        {"two days in one slice", QDate(2026, 8, 3), QDate(2026, 8, 4), 1000, 1, 2},
        {"a period starting after it ends", QDate(2026, 8, 9), QDate(2026, 8, 1), 17, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ledger_reports::GJSource window{"Tamsel Traders", "Ali", "Rs", c.from, c.to, {}, {}};
        std::vector<ledgers::DayBookLine> all;
        ledgers::readDayBook(b.t.db(), testing_support::kYear, c.from, c.to,
                             [&](const ledgers::DayBookLine& l) { all.push_back(l); });
        auto slices = std::make_shared<const ledgers::DayBookSlices>(b.t.db(), testing_support::kYear, c.from, c.to,
                                                                     c.perSlice);
        EXPECT_GE(slices->sliceCount(), c.minSlices);
        window.debits = slices->totals().debits;
        window.credits = slices->totals().credits;
        const auto feed = ledger_reports::makeGJ(slices, window);
        const Document whole = report::layOutAtOnce(summing(feed->layout()), ledgers::dayBookRows(all), kPrinted);
        const Document doc = feed->layOut(kPrinted);
        ASSERT_EQ(doc.pages.size(), whole.pages.size());
        EXPECT_GE(whole.pages.size(), c.minPages);
        for (std::size_t p = 0; p < whole.pages.size(); ++p)
            EXPECT_EQ(itemsOf(doc, p), itemsOf(whole, p)) << "page " << p + 1;
        // Pages read out of order, each from slices read again, come out the same.
        const std::size_t last = whole.pages.size() - 1;
        doc.pages.dropCached();
        for (const std::size_t p : {last, std::size_t(0), last / 2})
            EXPECT_EQ(itemsOf(doc, p), itemsOf(whole, p)) << "page " << p + 1 << " again";
    }
}
