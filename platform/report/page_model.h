// The laid-out report: pages of positioned texts, lines and boxes in twips from
// the paper's top left corner. Plain values, so layouts are tested without a
// painter; render.h draws them. A long report's pages are laid out when they
// are asked for (PageSource), so a document holds only the few pages in use.
#pragma once

#include <cstddef>
#include <deque>
#include <iterator>
#include <memory>
#include <utility>
#include <variant>
#include <vector>

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include "platform/report/layout.h"

namespace report {

// One line of text, drawn unwrapped and aligned within its rectangle's width
// (the layout broke longer texts into lines already), on the baseline its
// font's own ascent below the rectangle's top, whatever faces its characters
// fall back to.
struct TextRun {
    Rect rect;
    QString text;
    Font font;
    QColor color;
    Align align = Align::Left;
};

struct LineRun {
    Twips x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Twips width = 15;
    QColor color;
};

// A rectangle, filled when `fill` is valid, outlined when `border` is.
struct BoxRun {
    Rect rect;
    QColor fill;
    QColor border;
    Twips borderWidth = 15;
};

using Item = std::variant<BoxRun, LineRun, TextRun>;

struct Page {
    std::vector<Item> items;   // in drawing order
};

// Where a document's pages come from when they are laid out on demand: the
// report's pagination, which counts the pages in one pass and keeps per page
// only what it needs to lay that page out again.
class PageSource {
public:
    virtual ~PageSource() = default;
    // Counts the pages still uncounted (at once) and returns how many there are.
    virtual std::size_t countAll() = 0;
    // The pages counted so far; all of them once complete().
    virtual std::size_t counted() const = 0;
    virtual bool complete() const = 0;
    // Lays out counted page `index` (0-based) afresh.
    virtual Page lay(std::size_t index) const = 0;
};

// The pages of a document, read like a vector of pages: either pages at hand,
// or pages laid out from a PageSource when one is asked for, of which only the
// last kCachedPages are kept. A reference to a page stays valid until that
// many other pages have been asked for. Reading the size (or the last page)
// finishes the counting first; counted() does not.
class PageList {
public:
    static constexpr std::size_t kCachedPages = 12;

    PageList() = default;
    explicit PageList(std::vector<Page> pages) : m_pages(std::move(pages)) {}
    explicit PageList(std::shared_ptr<PageSource> source)
        : m_source(std::move(source)), m_cache(std::make_shared<Cache>()) {}

    std::size_t size() const { return m_source ? m_source->countAll() : m_pages.size(); }
    bool empty() const { return size() == 0; }
    // Page `index`, which must be below size() (or counted()).
    const Page& operator[](std::size_t index) const;
    // The same; throws std::out_of_range for a page the document has not.
    const Page& at(std::size_t index) const;
    const Page& front() const { return (*this)[0]; }
    const Page& back() const { return (*this)[size() - 1]; }

    // The pages counted so far, without counting further.
    std::size_t counted() const { return m_source ? m_source->counted() : m_pages.size(); }
    // The pages' source, or null for pages at hand.
    PageSource* source() const { return m_source.get(); }
    // Forgets the pages laid out so far (after the count of pages changed,
    // which the page numbers show).
    void dropCached() const;

    // Pages at hand only: adds a page at the end.
    void push_back(Page page) { m_pages.push_back(std::move(page)); }
    Page& emplace_back() { return m_pages.emplace_back(); }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Page;
        using difference_type = std::ptrdiff_t;
        using pointer = const Page*;
        using reference = const Page&;
        const_iterator() = default;
        const_iterator(const PageList* list, std::size_t index) : m_list(list), m_index(index) {}
        reference operator*() const { return (*m_list)[m_index]; }
        pointer operator->() const { return &(*m_list)[m_index]; }
        const_iterator& operator++() { ++m_index; return *this; }
        const_iterator operator++(int) { auto old = *this; ++m_index; return old; }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.m_index == b.m_index; }
    private:
        const PageList* m_list = nullptr;
        std::size_t m_index = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Cache {
        std::deque<std::pair<std::size_t, std::unique_ptr<Page>>> pages;   // most recent last
    };
    std::vector<Page> m_pages;
    std::shared_ptr<PageSource> m_source;
    std::shared_ptr<Cache> m_cache;
};

struct Document {
    QString caption;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    Twips pageWidth = 0;    // of the paper as it lies: landscape is the wider
    Twips pageHeight = 0;
    PageList pages;
};

} // namespace report
