// The table every export writes: the title in A1 and the date line in A2, both
// bold and blue; the headings in row 4, bold; any fixed rows under them; one
// row per record; and two rows under the last record, bold, the totals of the
// columns that have one. Where the table goes is the sink's business.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "platform/sheet/sheet.h"

namespace sheet {

struct Column {
    double width = 0;                // character units
    QString heading;
    std::optional<Cell> total;       // written bold in the totals row; none: the cell stays empty
};

struct Table {
    QString title;
    QString dateLine;
    std::vector<Column> columns;
    // Rows right under the headings (the ledger's brought-forward line), cells
    // by column; written whether or not there are records.
    std::vector<std::vector<Cell>> fixedRows;
    std::size_t recordCount = 0;
    // The cell of record `record` (from 0) in column `column` (from 0); an
    // empty cell for a null value. Called row by row, in order.
    std::function<Cell(std::size_t record, int column)> cellAt;
};

// The row the first record fills: under the headings and the fixed rows.
int firstRecordRow(const Table& table);
// The totals row: two rows under the last record; 0 when there is no record
// (then there is no totals row).
int totalsRow(const Table& table);

// Writes `table` into `out`: the widths in column order, then the rows from
// the top. Throws SheetError when a cell cannot be written (a record past the
// sheet's last row), leaving what was written before.
void writeTable(SheetSink& out, const Table& table);

} // namespace sheet
