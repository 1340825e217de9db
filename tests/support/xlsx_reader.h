// Test support: reads a written workbook file back on its own, without the
// library that wrote it: the zip archive is opened here, the first sheet's XML
// and the styles are parsed, and the cells come back as a sheet model (value
// by the cell's stored type, bold, blue font, number format, column widths).
#pragma once

#include <map>
#include <string>

#include <QByteArray>
#include <QString>

#include "platform/sheet/sheet.h"

namespace testing_support {

// Every entry of the zip archive at `path`, inflated, by name. Throws
// std::runtime_error for a file that is not a zip archive we can read.
std::map<std::string, QByteArray> unzipEntries(const QString& path);

// The first worksheet of the workbook at `path`. A cell stored as a number
// comes back as a number (with the number formats this program writes), any
// kind of stored text as a text; widths in character units. Throws
// std::runtime_error, also for a cell holding a formula, which this program
// never writes.
sheet::Sheet readWorkbook(const QString& path);

} // namespace testing_support
