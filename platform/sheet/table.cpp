// The layout of an exported table, row by row from the top, as the sinks need.
#include "platform/sheet/table.h"

namespace sheet {
namespace {

constexpr int kHeadingRow = 4;

} // namespace

int firstRecordRow(const Table& table)
{
    return kHeadingRow + static_cast<int>(table.fixedRows.size()) + 1;
}

int totalsRow(const Table& table)
{
    if (table.recordCount == 0)
        return 0;
    return firstRecordRow(table) + static_cast<int>(table.recordCount) - 1 + 2;
}

void writeTable(SheetSink& out, const Table& table)
{
    const int columns = static_cast<int>(table.columns.size());
    for (int c = 0; c < columns; ++c)
        out.setColumnWidth(c, table.columns[static_cast<std::size_t>(c)].width);

    out.write(1, 0, Cell::textCell(table.title).makeBold().makeBlue());
    out.write(2, 0, Cell::textCell(table.dateLine).makeBold().makeBlue());
    for (int c = 0; c < columns; ++c)
        out.write(kHeadingRow, c, Cell::textCell(table.columns[static_cast<std::size_t>(c)].heading).makeBold());

    int row = kHeadingRow;
    for (const auto& fixed : table.fixedRows) {
        ++row;
        for (std::size_t c = 0; c < fixed.size(); ++c)
            out.write(row, static_cast<int>(c), fixed[c]);
    }
    if (table.recordCount == 0)
        return;
    // A table longer than a sheet stops at the sheet's last row, where the
    // sink refuses the next one.
    for (std::size_t r = 0; r < table.recordCount; ++r) {
        ++row;
        for (int c = 0; c < columns; ++c)
            out.write(row, c, table.cellAt(r, c));
    }
    const int totals = totalsRow(table);
    for (int c = 0; c < columns; ++c) {
        if (const auto& total = table.columns[static_cast<std::size_t>(c)].total) {
            Cell cell = *total;
            out.write(totals, c, cell.makeBold());
        }
    }
}

} // namespace sheet
