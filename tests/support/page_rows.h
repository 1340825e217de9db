// Test support: a laid-out report read as a reader sees it (a page's texts row
// by row, or all its texts in drawing order), so printed layouts are compared
// without pixels; and the preview window a report opened under the tests'
// non-blocking modal switch.
#pragma once

#include <cstddef>
#include <ostream>
#include <vector>

#include <QString>
#include <QStringList>

#include "platform/report/page_model.h"

namespace report { class PreviewWindow; }

namespace testing_support {

// The texts of `page`, one list per row from the top (texts starting at the
// same height), each row left to right.
std::vector<QStringList> rowsOf(const report::Page& page);
// The texts of page `page` (0-based) of `doc`, in drawing order.
QStringList pageTexts(const report::Document& doc, std::size_t page);
// The texts of every page of `doc`, page after page.
QStringList documentTexts(const report::Document& doc);
// The preview window that is open, or null.
report::PreviewWindow* openPreview();
// Closes every open preview window, which ends its report.
void closePreviews();

} // namespace testing_support

// Lets GoogleTest show texts, and lists of them, as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
