// Lays a report out over its data into pages: sections repeated per row and
// per group, grown to fit their text, split or moved at page ends, with the
// page placeholders filled in. The pages are counted in one pass and each is
// laid out when it is asked for, so memory does not grow with the pages; data
// too large to hold at once is read a slice at a time (SlicedData).
// Drawing the pages is render.h's work.
#pragma once

#include <cstddef>
#include <memory>

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
// it is kept together and fits on a page of its own. A text wider than its box
// wraps and keeps the lines the box holds (all of them where it can grow); a
// figure (Control::holdsFigure) stays on one line, set as small as it must be
// to fit its box with a millimetre to spare, and lower by as much as its ascent
// shrank, on the baseline of its row. Function boxes sum (or count)
// their field over the rows of their member reached from the group row of
// their section, or from every top row in the report and page sections; an
// empty amount counts as 0. "%p", "%P" and "%d" in labels become the page
// number, the number of pages and `printedOn` in the layout's date pattern.
// Throws std::invalid_argument when the data's levels do not match the group
// sections, for an unknown member or field, or for a value its format
// refuses. Needs a QGuiApplication, for measuring text.
// The pages are counted before the call returns; each page's items are laid
// out when the page is read (PageList), from a copy of `layout` and `data`
// that the document keeps.
Document layOut(const Report& layout, const platform::Hierarchy& data, const QDate& printedOn);

// The same laid out in one go, every page kept: for the tests that hold the
// paged layout to it.
Document layOutAtOnce(const Report& layout, const platform::Hierarchy& data, const QDate& printedOn);

// A report's data read a slice at a time, so that no more than a few slices
// are held at once: slice after slice in order they make the levels of the
// whole report, each slice holding whole rows of the top level with all that
// lies below them. Every slice has the same levels and columns.
class SlicedData {
public:
    virtual ~SlicedData() = default;
    // How many slices there are; at least 1 (data without rows is one slice
    // without rows).
    virtual std::size_t sliceCount() const = 0;
    // Slice `index` (below sliceCount()), read afresh or kept; a slice read
    // again must hold the rows it held before. Throws what its reading throws.
    virtual std::shared_ptr<const platform::Hierarchy> slice(std::size_t index) const = 0;
};

// Data at hand whole, as the one slice of a report.
std::shared_ptr<const SlicedData> wholeData(platform::Hierarchy data);

// A report whose pages are being counted a slice at a time (the preview counts
// the rest of a long report while its first page is shown). Its document
// reads like layOut's; reading its pages' size finishes the counting.
class Pagination {
public:
    // Prepares `layout` over `data` (both kept); counts nothing yet. Throws
    // std::invalid_argument as layOut does.
    Pagination(Report layout, platform::Hierarchy data, const QDate& printedOn);
    // The same over data read a slice at a time: counting holds one slice and
    // laying a page out reads the slices it spans. Throws std::invalid_argument
    // as above, also for a function box in a report or page section when there
    // is more than one slice (it would run over every row of the report).
    Pagination(Report layout, std::shared_ptr<const SlicedData> data, const QDate& printedOn);
    ~Pagination();
    Pagination(const Pagination&) = delete;
    Pagination& operator=(const Pagination&) = delete;

    // Counts pages for about `budgetMs` of time; true once all are counted.
    // Throws what layOut throws for a value a format refuses.
    bool countFor(int budgetMs);
    // Ends the counting where it stands: the document keeps the pages
    // counted, and their page numbers count only those.
    void stop();
    bool complete() const;
    std::size_t pagesCounted() const;
    // The share of the report counted, from 0 to 1.
    double progress() const;
    // The document over these pages; it shares the pagination and outlives it.
    const Document& document() const { return m_doc; }

    // The pagination's workings, for the engine.
    class Impl {
    public:
        virtual ~Impl() = default;
        virtual bool countFor(int budgetMs) = 0;
        virtual void stop() = 0;
        virtual std::size_t pagesCounted() const = 0;
        virtual double progress() const = 0;
    };

private:
    Document m_doc;
    std::shared_ptr<Impl> m_impl;
};

// The font of `font` for drawing in twips: its pixel size is the point size
// in twips (20 to the point).
QFont qtFont(const Font& font);

} // namespace report
