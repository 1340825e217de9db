// A sheet written to a workbook file (.xlsx) through libxlsxwriter, the only
// code that includes its header. Rows go to disk as they are written (constant
// memory), so a sheet of a million rows takes little memory.
#pragma once

#include <memory>

#include <QString>

#include "platform/sheet/sheet.h"

namespace sheet {

class XlsxFile : public SheetSink {
public:
    // A new workbook with one sheet, to be written to `path` when closed; its
    // rows wait in temporary files in `tempFolder`. Throws SheetError when the
    // workbook or its temporary file cannot be made.
    XlsxFile(const QString& path, const QString& tempFolder);
    // Drops a workbook that was not closed: nothing is written, its temporary
    // files go. Never throws.
    ~XlsxFile() override;
    XlsxFile(const XlsxFile&) = delete;
    XlsxFile& operator=(const XlsxFile&) = delete;

    void setColumnWidth(int column, double width) override;
    // Texts go in as texts, never as formulas; numbers as numbers. Every
    // write's result is checked: the library refuses a cell it cannot hold
    // only there and would still close the workbook as a success.
    void write(int row, int column, const Cell& cell) override;
    // Writes the file. Throws SheetError with the library's reason when it
    // cannot be written; the file may then be incomplete and is the caller's
    // to remove.
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

} // namespace sheet
