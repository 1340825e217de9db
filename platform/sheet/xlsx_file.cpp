// The workbook writer over libxlsxwriter: one format per combination of bold,
// blue and number format, made when first used.
#include "platform/sheet/xlsx_file.h"

#include <array>
#include <utility>

#include <xlsxwriter.h>

namespace sheet {
namespace {

// The library's sentence for `error`, full stop included.
std::string reason(lxw_error error)
{
    return lxw_strerror(error);
}

} // namespace

struct XlsxFile::Impl {
    QByteArray path;
    QByteArray tempFolder;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    // By bold, blue and number format.
    static constexpr std::size_t kFormats = 4;
    std::array<lxw_format*, 2 * 2 * kFormats> formats{};

    lxw_format* formatOf(const Cell& cell)
    {
        const std::size_t index = ((cell.bold ? 2u : 0u) + (cell.blue ? 1u : 0u)) * kFormats
                                  + static_cast<std::size_t>(cell.format);
        if (index == 0)
            return nullptr;   // the workbook's default
        lxw_format*& f = formats[index];
        if (!f) {
            f = workbook_add_format(book);
            if (!f)
                throw SheetError("The workbook has no room for another cell format.");
            if (cell.bold)
                format_set_bold(f);
            if (cell.blue)
                format_set_font_color(f, LXW_COLOR_BLUE);
            if (cell.format != NumberFormat::General)
                format_set_num_format(f, formatCode(cell.format));
        }
        return f;
    }
};

XlsxFile::XlsxFile(const QString& path, const QString& tempFolder) : m(std::make_unique<Impl>())
{
    m->path = path.toUtf8();
    m->tempFolder = tempFolder.toUtf8();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m->tempFolder.data();
    m->book = workbook_new_opt(m->path.constData(), &options);
    if (!m->book)
        throw SheetError("A new workbook cannot be made.");
    m->sheet = workbook_add_worksheet(m->book, nullptr);
    if (!m->sheet) {
        lxw_workbook_free(m->book);
        m->book = nullptr;
        throw SheetError("The workbook's sheet cannot be made: no temporary file in " + m->tempFolder.toStdString()
                         + ".");
    }
}

XlsxFile::~XlsxFile()
{
    if (m->book)
        lxw_workbook_free(m->book);
}

void XlsxFile::setColumnWidth(int column, double width)
{
    if (!m->book)
        throw SheetError("The workbook is closed.");
    const auto c = static_cast<lxw_col_t>(column);
    if (const lxw_error e = worksheet_set_column(m->sheet, c, c, width, nullptr); e != LXW_NO_ERROR)
        throw SheetError("The width of column " + columnLetters(column) + " cannot be set: " + reason(e));
}

void XlsxFile::write(int row, int column, const Cell& cell)
{
    if (!m->book)
        throw SheetError("The workbook is closed.");
    if (cell.isEmpty())
        return;
    if (row < 1 || column < 0)
        throw SheetError("The sheet has no cell at row " + std::to_string(row) + ", column "
                         + std::to_string(column + 1) + ".");
    const auto r = static_cast<lxw_row_t>(row - 1);
    const auto c = static_cast<lxw_col_t>(column);
    lxw_format* format = m->formatOf(cell);
    const lxw_error e = cell.kind == Cell::Kind::Number
                            ? worksheet_write_number(m->sheet, r, c, cell.number, format)
                            : worksheet_write_string(m->sheet, r, c, cell.text.toUtf8().constData(), format);
    if (e != LXW_NO_ERROR)
        throw SheetError("Cell " + cellAddress(row, column) + " cannot be written: " + reason(e),
                         cellAddress(row, column));
}

void XlsxFile::close()
{
    if (!m->book)
        throw SheetError("The workbook is closed.");
    // The library frees the workbook whatever the result.
    const lxw_error e = workbook_close(std::exchange(m->book, nullptr));
    if (e != LXW_NO_ERROR)
        throw SheetError("The workbook cannot be written: " + reason(e));
}

} // namespace sheet
