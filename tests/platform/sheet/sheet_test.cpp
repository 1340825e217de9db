// The exported table's layout in a sheet in memory, and the workbook file read
// back on its own: values by type (texts never formulas or numbers), exact
// amounts, bold, blue, widths, and refused cells.
#include "platform/sheet/sheet.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/sheet/table.h"
#include "platform/sheet/xlsx_file.h"
#include "tests/support/xlsx_reader.h"

using platform::Money;
using sheet::Cell;
using sheet::Sheet;

namespace {

// Two columns, the second with a total; `records` rows of a code and an amount.
sheet::Table sample(std::size_t records, std::size_t fixedRows = 0)
{
    sheet::Table t;
    t.title = QStringLiteral("Title");
    t.dateLine = QStringLiteral("As On July 01, 2026");
    t.columns = {{10, QStringLiteral("Acc Code"), std::nullopt},
                 {12, QStringLiteral("Debit"), Cell::amount(Money::fromCents(999))}};
    for (std::size_t i = 0; i < fixedRows; ++i)
        t.fixedRows.push_back({Cell{}, Cell::textCell(QStringLiteral("fixed"))});
    t.recordCount = records;
    t.cellAt = [](std::size_t r, int c) {
        return c == 0 ? Cell::integer(static_cast<std::int64_t>(100 + r)) : Cell::amount(Money::fromCents(125));
    };
    return t;
}

} // namespace

TEST(WriteTable, PutsTitleHeadingsRecordsAndTotalsInTheirRows)
{
    struct Case { std::size_t records, fixed; int firstRecord, totals, lastRow; };
    const Case cases[] = {
        {3, 0, 5, 9, 9},     // records 5 to 7, row 8 empty, totals in 9
        {1, 0, 5, 7, 7},
        {0, 0, 5, 0, 4},     // no records: title, date line and headings only
        {2, 1, 6, 9, 9},     // a fixed row 5 under the headings pushes the records down
        {0, 1, 6, 0, 5},     // the fixed row stands without records, with no totals
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.records << " records, " << c.fixed << " fixed rows");
        const sheet::Table t = sample(c.records, c.fixed);
        EXPECT_EQ(sheet::firstRecordRow(t), c.firstRecord);
        EXPECT_EQ(sheet::totalsRow(t), c.totals);
        Sheet s;
        sheet::writeTable(s, t);
        EXPECT_EQ(s.lastRow(), c.lastRow);
        EXPECT_EQ(s.at("A1"), Cell::textCell(QStringLiteral("Title")).makeBold().makeBlue());
        EXPECT_EQ(s.at("A2"), Cell::textCell(QStringLiteral("As On July 01, 2026")).makeBold().makeBlue());
        EXPECT_TRUE(s.at("A3").isEmpty());
        EXPECT_EQ(s.at("B4"), Cell::textCell(QStringLiteral("Debit")).makeBold());
        EXPECT_EQ(s.columnWidth(0), 10);
        EXPECT_EQ(s.columnWidth(1), 12);
        for (std::size_t r = 0; r < c.records; ++r) {
            const int row = c.firstRecord + static_cast<int>(r);
            EXPECT_EQ(s.at(row, 0), Cell::integer(static_cast<std::int64_t>(100 + r)));
            EXPECT_EQ(s.at(row, 1), Cell::amount(Money::fromCents(125)));
        }
        if (c.totals) {
            EXPECT_TRUE(s.rowTexts(c.totals - 1).empty());
            EXPECT_TRUE(s.at(c.totals, 0).isEmpty());   // a column without a total stays empty
            EXPECT_EQ(s.at(c.totals, 1), Cell::amount(Money::fromCents(999)).makeBold());
        }
    }
}

TEST(XlsxFile, WritesEveryCellByItsTypeAndReadsBackTheSame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cells.xlsx"));
    const std::vector<Cell> cells = {
        Cell::textCell(QStringLiteral("=SUM(A1:A3)")),   // a name starting with "=" is no formula
        Cell::textCell(QStringLiteral("00123")),
        Cell::textCell(QStringLiteral("1/2")),
        Cell::textCell(QStringLiteral("1e5")),
        Cell::textCell(QStringLiteral("Caf\u00e9 & <Co> \"ltd\"")),
        Cell::textCell(QStringLiteral("  two\tcolumns \u0001 ")),   // blanks kept, a control character carried
        Cell::amount(Money::fromCents(120775)),
        Cell::amount(Money::fromCents(10)),
        Cell::amount(Money::fromCents(-500)),
        Cell::amount(Money::fromCents(999'999'999'999'99)),   // 15 digits, exact
        Cell::integer(20001001),
        Cell::date(QDate(2026, 7, 15)),
        Cell::textCell(QStringLiteral("bold blue")).makeBold().makeBlue(),
        Cell::amount(Money::fromCents(5)).makeBold(),
    };
    {
        sheet::XlsxFile f(path, dir.path());
        f.setColumnWidth(0, 10);
        f.setColumnWidth(1, 40);
        f.setColumnWidth(2, 8);
        for (std::size_t i = 0; i < cells.size(); ++i)
            f.write(static_cast<int>(i) + 1, 1, cells[i]);
        f.close();
    }
    const Sheet back = testing_support::readWorkbook(path);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i + 1);
        EXPECT_EQ(back.at(static_cast<int>(i) + 1, 1), cells[i]);
    }
    EXPECT_EQ(back.at("B7").number, 1207.75);
    EXPECT_EQ(back.at("B12").number, 46218);   // the spreadsheet's day number of July 15, 2026
    EXPECT_EQ(back.lastRow(), static_cast<int>(cells.size()));
    EXPECT_EQ(back.columnWidth(0), 10);
    EXPECT_EQ(back.columnWidth(1), 40);
    EXPECT_EQ(back.columnWidth(2), 8);
    // Rows went to disk as written: texts stand in their cells, with no table
    // of shared strings held in memory to the end.
    const auto entries = testing_support::unzipEntries(path);
    EXPECT_FALSE(entries.contains("xl/sharedStrings.xml"));
    EXPECT_TRUE(entries.at("xl/worksheets/sheet1.xml").contains("inlineStr"));
}

TEST(XlsxFile, WritesTablesLongerThanASixteenBitRowCount)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.xlsx"));
    const sheet::Table t = sample(40'000);
    {
        sheet::XlsxFile f(path, dir.path());
        sheet::writeTable(f, t);
        f.close();
    }
    const Sheet back = testing_support::readWorkbook(path);
    EXPECT_EQ(back.at(40'004, 0), Cell::integer(100 + 39'999));
    EXPECT_EQ(back.at("B40006"), Cell::amount(Money::fromCents(999)).makeBold());
    EXPECT_EQ(back.lastRow(), 40'006);
}

TEST(XlsxFile, RefusesCellsItCannotHoldWithTheirAddress)
{
    QTemporaryDir dir;
    sheet::XlsxFile f(dir.filePath(QStringLiteral("refused.xlsx")), dir.path());
    f.write(10, 0, Cell::integer(1));
    struct Case { int row, column; Cell cell; const char* address; };
    const Case cases[] = {
        {1'048'577, 0, Cell::integer(1), "A1048577"},                              // past the last row
        {11, 16'384, Cell::integer(1), "XFE11"},                                   // past the last column
        {11, 1, Cell::textCell(QString(32'768, QLatin1Char('x'))), "B11"},          // a text too long
        {9, 0, Cell::integer(1), "A9"},                                            // a row above one written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        try {
            f.write(c.row, c.column, c.cell);
            ADD_FAILURE() << "written";
        } catch (const sheet::SheetError& e) {
            EXPECT_EQ(e.cell(), c.address);
        }
    }
}

TEST(Sheet, RefusesWhatAWorkbookRefusesOfPlaces)
{
    Sheet s;
    s.write(10, 0, Cell::integer(1));
    EXPECT_THROW(s.write(1'048'577, 0, Cell::integer(1)), sheet::SheetError);
    EXPECT_THROW(s.write(11, 16'384, Cell::integer(1)), sheet::SheetError);
    EXPECT_THROW(s.write(9, 0, Cell::integer(1)), sheet::SheetError);
    EXPECT_NO_THROW(s.write(10, 1, Cell::integer(2)));
    EXPECT_THROW((void)s.at("a1"), std::invalid_argument);
}

TEST(XlsxFile, TellsAFileThatCannotBeWritten)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString under = dir.filePath(QStringLiteral("plain/book.xlsx"));
    sheet::XlsxFile f(under, dir.path());
    f.write(1, 0, Cell::textCell(QStringLiteral("x")));
    EXPECT_THROW(f.close(), sheet::SheetError);
    EXPECT_FALSE(QFile::exists(under));
}

TEST(CellAddress, NamesColumnsAsASpreadsheetDoes)
{
    EXPECT_EQ(sheet::cellAddress(1, 0), "A1");
    EXPECT_EQ(sheet::cellAddress(12, 2), "C12");
    EXPECT_EQ(sheet::cellAddress(3, 25), "Z3");
    EXPECT_EQ(sheet::cellAddress(3, 26), "AA3");
    EXPECT_EQ(sheet::cellAddress(7, 16'383), "XFD7");
}
