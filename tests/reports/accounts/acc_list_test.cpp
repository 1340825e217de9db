// The printed chart over a delivered database: which rows each part of the
// chart prints, and the captions on a chart long enough for several pages.
#include "reports/accounts/acc_list.h"

#include <variant>

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include "accounts/chart_store.h"
#include "platform/data/hierarchy.h"
#include "tests/support/chart_rows.h"
#include "tests/support/page_rows.h"
#include "tests/support/test_database.h"

using accounts::ChartPrint;
using testing_support::documentTexts;
using testing_support::pageTexts;
using testing_support::TestDatabase;

namespace {

const QDate kPrinted{2026, 12, 10};

// Two main types with sub types and accounts, one main type without sub
// types and one sub type without accounts.
void addSmallChart(platform::Database& db)
{
    testing_support::addChart(db, {{101, "Land"}, {10101, "Freehold"}, {10101001, "Plot A"},
                                   {10101002, "Plot B"}, {10102, "Leasehold"}, {10102001, "Shop Lease"},
                                   {102, "Machinery"}, {201, "Cash and Bank"}, {20101, "Cash"},
                                   {20101001, "Cash in Hand"}, {20102, "Bank"}});
}

report::Document print(platform::Database& db, ChartPrint part, std::int64_t mainType, std::int64_t subType)
{
    platform::Hierarchy CARst = accounts::openChartPrint(db, part, mainType, subType);
    const auto feed = account_reports::AccList(CARst, "Tamsel Traders", "Ali");
    return feed->layOut(kPrinted);
}

const report::TextRun& runOf(const report::Page& page, const QString& text)
{
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<report::TextRun>(&item); t && t->text == text)
            return *t;
    throw std::out_of_range(text.toStdString());
}

} // namespace

TEST(AccList, PrintsThePartOfTheChartAsked)
{
    struct Case {
        const char* name;
        ChartPrint part;
        std::int64_t mainType, subType;
        QStringList rows;
    };
    const QStringList land{"101", "Land", "10101", "Freehold", "10101001", "Plot A", "10101002", "Plot B",
                           "10102", "Leasehold", "10102001", "Shop Lease"};
    const QStringList cashAndBank{"201", "Cash and Bank", "20101", "Cash", "20101001", "Cash in Hand", "20102", "Bank"};
    const Case cases[] = {
        {"whole chart", ChartPrint::Whole, 0, 0, land + QStringList{"102", "Machinery"} + cashAndBank},
        {"one main type", ChartPrint::MainType, 101, 0, land},
        {"a main type without sub types", ChartPrint::MainType, 102, 0, {"102", "Machinery"}},
        // Its main type's line and that sub type alone, not Freehold beside it.
        {"one sub type", ChartPrint::SubType, 101, 10102, {"101", "Land", "10102", "Leasehold", "10102001", "Shop Lease"}},
        {"a sub type without accounts", ChartPrint::SubType, 201, 20102, {"201", "Cash and Bank", "20102", "Bank"}},
    };
    TestDatabase t;
    addSmallChart(t.db());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const report::Document doc = print(t.db(), c.part, c.mainType, c.subType);
        ASSERT_EQ(doc.pages.size(), 1u);
        const QStringList expected = QStringList{"Tamsel Traders", "Chart of Accounts"} + c.rows
                                     + QStringList{"Date 10-12-2026", "Page  1  of  1", "Printed By: Ali"};
        EXPECT_EQ(pageTexts(doc, 0), expected);
    }
}

TEST(AccList, ShowsTheMainTypesOnAGreyBand)
{
    TestDatabase t;
    addSmallChart(t.db());
    const report::Document doc = print(t.db(), ChartPrint::MainType, 101, 0);
    const report::Page& page = doc.pages.front();
    const report::TextRun& mainType = runOf(page, "Land");
    const report::TextRun& subType = runOf(page, "Freehold");
    const auto onBand = [&page](const report::TextRun& run) {
        for (const auto& item : page.items)
            if (const auto* box = std::get_if<report::BoxRun>(&item))
                if (box->fill == QColor(0xE0, 0xE0, 0xE0) && box->rect.top <= run.rect.top
                    && run.rect.bottom() <= box->rect.bottom())
                    return true;
        return false;
    };
    EXPECT_TRUE(onBand(mainType));
    EXPECT_FALSE(onBand(subType));
    EXPECT_TRUE(mainType.font.bold && mainType.font.italic);
}

TEST(AccList, PrintsTheUserOnEveryPageAndTheBusinessOnceAtTheTop)
{
    TestDatabase t;
    addSmallChart(t.db());
    for (std::int64_t n = 1; n <= 150; ++n)
        t.db().exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, ?, 201, 20102)",
                    {20102000 + n, "Bank " + std::to_string(n)});

    const report::Document doc = print(t.db(), ChartPrint::Whole, 0, 0);
    ASSERT_GE(doc.pages.size(), 3u);
    EXPECT_EQ(doc.caption, "Chart of Accounts");
    EXPECT_EQ(documentTexts(doc).count("Tamsel Traders"), 1);
    EXPECT_EQ(pageTexts(doc, 0).front(), "Tamsel Traders");
    const QString pages = QString::number(doc.pages.size());
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        SCOPED_TRACE(p);
        const QStringList texts = pageTexts(doc, p);
        EXPECT_EQ(texts.count("Printed By: Ali"), 1);
        EXPECT_TRUE(texts.contains(QString("Page  %1  of  %2").arg(p + 1).arg(pages)));
    }
    EXPECT_TRUE(pageTexts(doc, doc.pages.size() - 1).contains("Bank 150"));
}
