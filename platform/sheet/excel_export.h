// ExcelExport, the way a window hands a table to the user as a spreadsheet:
// the hourglass and the window's wait picture while it runs, a new workbook
// file in the user's export folder, then the desktop's spreadsheet program
// opens it. What goes into the table is each window's own business.
#pragma once

#include <optional>

#include <QString>

#include "platform/sheet/table.h"

class QLabel;
class QWidget;

namespace sheet {

// The text the wait picture shows.
QString waitText();
// Makes `window`'s wait picture WaitPic: a hidden, framed label with
// waitText(), which ExcelExport shows in the middle of the window while it runs.
QLabel* makeWaitPic(QWidget* window);

// The folder the exports are written to: "Exports" in the user's data folder
// of this program, unless a test set another.
QString exportFolder();
// Test seam: a folder replaces the user's; nothing gives it back.
void setExportFolder(std::optional<QString> folder);

// Writes `table` as a new workbook in exportFolder(), named `name` followed by
// the time (and a number when that name is taken: an existing file is never
// replaced), then opens it with the desktop's default program. Meanwhile the
// pointer is the hourglass and `window`'s WaitPic (if it has one) is shown;
// both are restored on every path. A failure is told once under "Cannot
// Export", with the folder or the reason, and leaves no file; a file that was
// written but could not be opened is told with its path. Returns the path
// written, or an empty text when nothing was.
QString ExcelExport(QWidget* window, const Table& table, const QString& name);

} // namespace sheet
