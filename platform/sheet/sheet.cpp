// Cells, addresses and the sheet in memory. The limits are a workbook's, so a
// table that fits a Sheet fits the file too.
#include "platform/sheet/sheet.h"

#include <cctype>

#include <QLocale>

namespace sheet {
namespace {

constexpr int kMaxRow = 1'048'576;   // rows of a workbook sheet, from 1
constexpr int kMaxColumn = 16'383;   // columns, from 0 (XFD)

void checkPlace(int row, int column)
{
    if (row < 1 || row > kMaxRow || column < 0 || column > kMaxColumn)
        throw SheetError("The sheet has no cell at row " + std::to_string(row) + ", column "
                             + std::to_string(column + 1) + ".",
                         row >= 1 && column >= 0 ? cellAddress(row, column) : std::string());
}

} // namespace

const char* formatCode(NumberFormat format)
{
    switch (format) {
    case NumberFormat::Integer: return "0";
    case NumberFormat::Amount: return "0.00;(0.00)";
    case NumberFormat::Date: return "dd-mm-yy";
    case NumberFormat::General: break;
    }
    return "";
}

Cell Cell::textCell(QString text)
{
    // A workbook keeps no empty text: the cell reads back as empty.
    if (text.isEmpty())
        return {};
    Cell c;
    c.kind = Kind::Text;
    c.text = std::move(text);
    return c;
}

Cell Cell::integer(std::int64_t value)
{
    Cell c;
    c.kind = Kind::Number;
    c.number = static_cast<double>(value);
    c.format = NumberFormat::Integer;
    return c;
}

Cell Cell::amount(platform::Money value)
{
    Cell c;
    c.kind = Kind::Number;
    // One correctly rounded division: the nearest number to the exact amount,
    // which the file then carries in enough digits to read back the same.
    c.number = static_cast<double>(value.cents()) / 100.0;
    c.format = NumberFormat::Amount;
    return c;
}

Cell Cell::amount(const std::optional<platform::Money>& value)
{
    return value ? amount(*value) : Cell{};
}

Cell Cell::date(const QDate& day)
{
    if (!day.isValid())
        return {};
    Cell c;
    c.kind = Kind::Number;
    c.number = static_cast<double>(QDate(1899, 12, 30).daysTo(day));
    c.format = NumberFormat::Date;
    return c;
}

std::string columnLetters(int column)
{
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters;
}

std::string cellAddress(int row, int column)
{
    return columnLetters(column) + std::to_string(row);
}

void Sheet::setColumnWidth(int column, double width)
{
    checkPlace(1, column);
    m_widths[column] = width;
}

void Sheet::write(int row, int column, const Cell& cell)
{
    checkPlace(row, column);
    if (row < m_lastRowWritten)
        throw SheetError("Row " + std::to_string(row) + " comes after a later row was written.",
                         cellAddress(row, column));
    m_lastRowWritten = row;
    if (!cell.isEmpty())
        m_cells[{row, column}] = cell;
}

Cell Sheet::at(const std::string& address) const
{
    std::size_t i = 0;
    int column = 0;
    while (i < address.size() && std::isupper(static_cast<unsigned char>(address[i])))
        column = column * 26 + (address[i++] - 'A' + 1);
    const std::string digits = address.substr(i);
    if (column == 0 || digits.empty() || digits.size() > 7
        || digits.find_first_not_of("0123456789") != std::string::npos)
        throw std::invalid_argument("Not a cell address: " + address);
    return at(std::stoi(digits), column - 1);
}

Cell Sheet::at(int row, int column) const
{
    const auto found = m_cells.find({row, column});
    return found == m_cells.end() ? Cell{} : found->second;
}

double Sheet::columnWidth(int column) const
{
    const auto found = m_widths.find(column);
    return found == m_widths.end() ? 0 : found->second;
}

int Sheet::lastRow() const
{
    return m_cells.empty() ? 0 : m_cells.rbegin()->first.first;
}

std::vector<QString> Sheet::rowTexts(int row) const
{
    std::vector<QString> texts;
    for (auto it = m_cells.lower_bound({row, 0}); it != m_cells.end() && it->first.first == row; ++it) {
        texts.resize(static_cast<std::size_t>(it->first.second), QString());
        const Cell& c = it->second;
        texts.push_back(c.kind == Cell::Kind::Text
                            ? c.text
                            : QString::number(c.number, 'g', QLocale::FloatingPointShortest));
    }
    return texts;
}

} // namespace sheet
