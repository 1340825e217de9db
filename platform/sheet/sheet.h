// The spreadsheet model the exports write: cells that are empty, a number or a
// text, bold or blue, and column widths in character units, written row by row
// into a sink. A Sheet keeps them in memory for reading; xlsx_file.h writes them
// to a workbook file.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <QDate>
#include <QString>

#include "platform/text/money.h"

namespace sheet {

// How a number cell shows: as it is, as a whole number in full ("0", so an
// account code never turns into "1.0E+07" in a narrow column), as an amount
// ("0.00;(0.00)", as the windows show amounts) or as a date ("dd-mm-yy").
enum class NumberFormat { General, Integer, Amount, Date };

// The format code a number format writes into a workbook; empty for General.
const char* formatCode(NumberFormat format);

struct Cell {
    enum class Kind { Empty, Number, Text };
    Kind kind = Kind::Empty;
    double number = 0;
    QString text;
    NumberFormat format = NumberFormat::General;
    bool bold = false;
    bool blue = false;   // the font colour of the title lines (colour index 5)

    // A text, always kept as text: "=1+1", "00123" or "1e5" is never read as a
    // formula or a number. An empty text is an empty cell.
    static Cell textCell(QString text);
    // A whole number, shown in full.
    static Cell integer(std::int64_t value);
    // An amount from its exact cents.
    static Cell amount(platform::Money value);
    // An amount, or an empty cell when there is none.
    static Cell amount(const std::optional<platform::Money>& value);
    // A date as the spreadsheet counts days (from March 1, 1900 on, the days
    // since December 30, 1899), formatted as a date. An invalid date gives an
    // empty cell.
    static Cell date(const QDate& day);

    Cell& makeBold() { bold = true; return *this; }
    Cell& makeBlue() { blue = true; return *this; }
    bool isEmpty() const { return kind == Kind::Empty; }

    friend bool operator==(const Cell&, const Cell&) = default;
};

// A failed write: what failed, and where ("C9"; empty when no cell was involved).
class SheetError : public std::runtime_error {
public:
    SheetError(const std::string& what, std::string cell = {})
        : std::runtime_error(what), m_cell(std::move(cell)) {}
    const std::string& cell() const { return m_cell; }

private:
    std::string m_cell;
};

// "A" for column 0; column 26 is "AA".
std::string columnLetters(int column);
// "A1" for row 1, column 0.
std::string cellAddress(int row, int column);

// Where the exports write. Rows count from 1, columns from 0 (column A), and
// rows are written in ascending order.
class SheetSink {
public:
    virtual ~SheetSink() = default;
    // Sets the width of `column` in character units. Throws SheetError.
    virtual void setColumnWidth(int column, double width) = 0;
    // Writes `cell` at `row`, `column`; an empty cell writes nothing. Throws
    // SheetError for a cell the sheet cannot hold (a row or column out of
    // range, a row before one already written, a text too long).
    virtual void write(int row, int column, const Cell& cell) = 0;
};

// A sheet in memory: what was written, to be read back.
class Sheet : public SheetSink {
public:
    void setColumnWidth(int column, double width) override;
    void write(int row, int column, const Cell& cell) override;

    // The cell at `address` ("C9"), empty when nothing was written there.
    // Throws std::invalid_argument for an address that is not one.
    Cell at(const std::string& address) const;
    Cell at(int row, int column) const;
    // The width set for `column`, or 0 when none was set.
    double columnWidth(int column) const;
    // The highest row holding a cell; 0 for an empty sheet.
    int lastRow() const;
    // The texts of row `row` from column A to the last cell written in it, an
    // empty cell as "" and a number as the shortest text that reads back as it.
    std::vector<QString> rowTexts(int row) const;

private:
    std::map<std::pair<int, int>, Cell> m_cells;
    std::map<int, double> m_widths;
    int m_lastRowWritten = 0;
};

} // namespace sheet
