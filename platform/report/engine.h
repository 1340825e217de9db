// Lays a report out over its data into pages: sections repeated per row and
// per group, grown to fit their text, split or moved at page ends, with the
// page placeholders filled in. Drawing the pages is render.h's work.
#pragma once

#include <QDate>
#include <QFont>

#include "platform/data/hierarchy.h"
#include "platform/report/layout.h"
#include "platform/report/page_model.h"

namespace report {

// Lays `layout` out over `data`, whose levels pair with the layout's group
// headers from the outermost inward (the last level feeds the detail); a flat
// report has one level and no groups. Every page gets the page header at its
// top and the page footer at its bottom; the report header opens the first
// page and the report footer follows the last row. A group row prints its
// header and footer even without rows below it. A text box shows its
// member's current row (in a section above that member, the first row below
// the current one; in page sections, the rows being printed). A section that
// does not fit in what is left of a page is cut between lines of text, unless
// it is kept together and fits on a page of its own. Function boxes sum (or count)
// their field over the rows of their member reached from the group row of
// their section, or from every top row in the report and page sections; an
// empty amount counts as 0. "%p", "%P" and "%d" in labels become the page
// number, the number of pages and `printedOn` in the layout's date pattern.
// Throws std::invalid_argument when the data's levels do not match the group
// sections, for an unknown member or field, or for a value its format
// refuses. Needs a QGuiApplication, for measuring text.
Document layOut(const Report& layout, const platform::Hierarchy& data, const QDate& printedOn);

// The font of `font` for drawing in twips: its pixel size is the point size
// in twips (20 to the point).
QFont qtFont(const Font& font);

} // namespace report
