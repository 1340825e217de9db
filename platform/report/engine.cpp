// The layout engine: walks the hierarchy as a list of events (a section with
// its row), builds each section as a band of positioned items (texts already
// broken into lines, so a band can be cut at a page end between lines). One
// counting pass keeps only where each page starts (its event, how much of that
// event's band earlier pages took, the current rows); a page is laid out again
// from there when it is shown, printed or saved, with its placeholders filled.
#include "platform/report/engine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>
#include <QTextOption>

#include "platform/report/print_faces.h"
#include "platform/text/formats.h"
#include "platform/text/money.h"

namespace report {

namespace {

using platform::Bookmark;
using platform::Hierarchy;

// Page sections show the fields of the rows being printed when they are
// built; their function boxes run over the whole report.
constexpr int kReportScope = -1;
constexpr int kPageScope = -2;

// What a figure set smaller keeps free of its box's width, so that it never
// touches the figure in the next box (about a millimetre).
constexpr Twips kFigureGapTwips = 60;

struct Metrics {
    QFont font;
    QFontMetricsF fm;
    qreal lineHeight;
    // Ledgers repeat their dates, references and descriptions: measuring a
    // text once saves most of the shaping.
    mutable QHash<QString, qreal> widths;

    qreal widthOf(const QString& text) const
    {
        if (const auto it = widths.constFind(text); it != widths.constEnd())
            return *it;
        if (widths.size() > 8192)
            widths.clear();
        const qreal w = fm.horizontalAdvance(text);
        widths.insert(text, w);
        return w;
    }
};

struct PreparedControl {
    const Control* control;
    int level = -1;    // text and function boxes: the member's level
    int column = -1;
    const Metrics* metrics = nullptr;
};

struct Prepared {
    const Section* section = nullptr;
    int scope = kReportScope;   // group sections: their level; detail: the last level
    std::vector<PreparedControl> controls;
};

struct BandItem {
    Item item;
    Twips top = 0;      // relative to the band
    Twips bottom = 0;
    bool isText = false;
    bool placeholders = false;
};

struct Band {
    std::vector<BandItem> items;
    Twips height = 0;
    bool keepTogether = false;
    bool breakAfter = false;
};

bool hasPlaceholders(const QString& s)
{
    return s.contains(QLatin1String("%p")) || s.contains(QLatin1String("%P"))
           || s.contains(QLatin1String("%d"));
}

QString fillPlaceholders(const QString& s, int page, int pages, const QString& date)
{
    QString out;
    out.reserve(s.size() + 8);
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'%' && i + 1 < s.size()) {
            const QChar c = s[i + 1];
            if (c == u'p' || c == u'P' || c == u'd') {
                out += c == u'p' ? QString::number(page) : c == u'P' ? QString::number(pages) : date;
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

void moveItem(Item& item, Twips dy)
{
    std::visit(
        [dy](auto& run) {
            using T = std::decay_t<decltype(run)>;
            if constexpr (std::is_same_v<T, LineRun>) {
                run.y1 += dy;
                run.y2 += dy;
            } else {
                run.rect.top += dy;
            }
        },
        item);
}

// The parts of a box or line above and below `cut` (band coordinates).
std::pair<Item, Item> cutItem(const Item& item, Twips cut)
{
    Item above = item;
    Item below = item;
    if (const auto* box = std::get_if<BoxRun>(&item)) {
        std::get<BoxRun>(above).rect.height = cut - box->rect.top;
        auto& lower = std::get<BoxRun>(below).rect;
        lower.top = cut;
        lower.height = box->rect.bottom() - cut;
    } else if (const auto* line = std::get_if<LineRun>(&item)) {
        const bool down = line->y1 <= line->y2;
        const double t = double(cut - line->y1) / double(line->y2 - line->y1);
        const Twips x = line->x1 + Twips(std::lround(t * (line->x2 - line->x1)));
        auto& a = std::get<LineRun>(above);
        auto& b = std::get<LineRun>(below);
        if (down) {
            a.x2 = x; a.y2 = cut;
            b.x1 = x; b.y1 = cut;
        } else {
            a.x1 = x; a.y1 = cut;
            b.x2 = x; b.y2 = cut;
        }
    }
    return {above, below};
}

// What every run over a report reads: the layout and data it owns, the
// prepared sections, the measuring fonts and the walk of the data as a list
// of events (a section to place with its row).
class Shared {
public:
    // `opens` and `closes`: whether this data begins the report (its report
    // header) and ends it (its report footer); a report read a slice at a
    // time has one Shared per slice.
    Shared(Report layout, std::shared_ptr<const Hierarchy> data, const QDate& printedOn, bool opens = true,
           bool closes = true)
        : layout{std::move(layout)}, data{std::move(data)}, date{platform::formatDate(printedOn, this->layout.datePattern)}
    {
        prepareAll();
        const QSizeF points = QPageSize(this->layout.paper).size(QPageSize::Point);
        pageWidth = Twips(std::lround(points.width() * 20));
        pageHeight = Twips(std::lround(points.height() * 20));
        if (this->layout.orientation == QPageLayout::Landscape)
            std::swap(pageWidth, pageHeight);
        if (reportHeader && opens)
            events.push_back({Event::ReportHeader, -1, 0});
        walk(0, this->data->topRows());
        if (reportFooter && closes)
            events.push_back({Event::ReportFooter, -1, 0});
    }

    Document emptyDocument() const
    {
        Document doc;
        doc.caption = layout.caption;
        doc.paper = layout.paper;
        doc.orientation = layout.orientation;
        doc.pageWidth = pageWidth;
        doc.pageHeight = pageHeight;
        return doc;
    }

    struct Event {
        enum Kind : std::uint8_t { ReportHeader, GroupHeader, Detail, GroupFooter, ReportFooter };
        Kind kind;
        std::int8_t level;
        Bookmark row;
    };

    const Report layout;
    const std::shared_ptr<const Hierarchy> data;
    const QString date;
    Twips pageWidth = 0;
    Twips pageHeight = 0;

    const Prepared* reportHeader = nullptr;
    const Prepared* pageHeader = nullptr;
    const Prepared* detail = nullptr;
    const Prepared* pageFooter = nullptr;
    const Prepared* reportFooter = nullptr;
    std::vector<const Prepared*> groupHeaders;   // by level
    std::vector<const Prepared*> groupFooters;   // by level
    std::vector<Event> events;

    // The measuring font of `f`, made the first time it is asked for (the
    // layout's own fonts when it is prepared, a figure's smaller ones when
    // it is built).
    const Metrics* metricsFor(const Font& f) const
    {
        const QString key = f.family + u'|' + QString::number(f.points) + u'|'
                            + QString::number(f.bold) + QString::number(f.italic)
                            + QString::number(f.underline);
        auto& slot = m_metrics[key];
        if (!slot) {
            QFont font = qtFont(f);
            QFontMetricsF fm(font);
            const qreal lineHeight = fm.lineSpacing();
            slot = std::make_unique<Metrics>(Metrics{font, fm, lineHeight, {}});
        }
        return slot.get();
    }

private:
    Prepared prepare(const Section& s, int scope)
    {
        Prepared p{&s, scope, {}};
        for (const Control& c : s.controls) {
            PreparedControl pc{&c};
            if (c.kind == ControlKind::TextBox || c.kind == ControlKind::Function) {
                pc.level = data->levelOf(c.member);
                if (pc.level < 0)
                    throw std::invalid_argument("The control " + c.name.toStdString() + " names the member \""
                                                + c.member + "\", which the data does not have.");
                pc.column = data->columnIndex(pc.level, c.field);
                if (pc.column < 0)
                    throw std::invalid_argument("The control " + c.name.toStdString() + " names the field \""
                                                + c.field + "\", which its member does not have.");
            }
            if (c.kind == ControlKind::Label || c.kind == ControlKind::TextBox
                || c.kind == ControlKind::Function)
                pc.metrics = metricsFor(c.font);
            p.controls.push_back(pc);
        }
        return p;
    }

    void prepareAll()
    {
        if (!data->isOpen())
            throw std::invalid_argument("The data of the report " + layout.caption.toStdString() + " is not open.");
        if (data->levelCount() > Hierarchy::kMaxLevels)
            throw std::invalid_argument("The data of the report " + layout.caption.toStdString()
                                        + " has too many levels.");
        std::vector<const Section*> headers, footers;
        for (const Section& s : layout.sections) {
            switch (s.kind) {
            case SectionKind::ReportHeader: reportHeader = keep(prepare(s, kReportScope)); break;
            case SectionKind::PageHeader: pageHeader = keep(prepare(s, kPageScope)); break;
            case SectionKind::GroupHeader: headers.push_back(&s); break;
            case SectionKind::Detail: detail = keep(prepare(s, data->levelCount() - 1)); break;
            case SectionKind::GroupFooter: footers.push_back(&s); break;
            case SectionKind::PageFooter: pageFooter = keep(prepare(s, kPageScope)); break;
            case SectionKind::ReportFooter: reportFooter = keep(prepare(s, kReportScope)); break;
            }
        }
        const int groups = data->levelCount() - 1;
        if (static_cast<int>(headers.size()) != groups || footers.size() != headers.size())
            throw std::invalid_argument("The report " + layout.caption.toStdString() + " has "
                                        + std::to_string(headers.size()) + " group headers and "
                                        + std::to_string(footers.size()) + " group footers for data of "
                                        + std::to_string(data->levelCount()) + " levels.");
        for (int level = 0; level < groups; ++level) {
            groupHeaders.push_back(keep(prepare(*headers[static_cast<std::size_t>(level)], level)));
            // Footers stand from the innermost level outward.
            groupFooters.push_back(keep(prepare(*footers[footers.size() - 1 - static_cast<std::size_t>(level)], level)));
        }
    }

    const Prepared* keep(Prepared p)
    {
        m_prepared.push_back(std::make_unique<Prepared>(std::move(p)));
        return m_prepared.back().get();
    }

    void walk(int level, std::span<const Bookmark> rows)
    {
        const int groups = data->levelCount() - 1;
        const auto lv = static_cast<std::int8_t>(level);
        for (const Bookmark row : rows) {
            if (level < groups) {
                events.push_back({Event::GroupHeader, lv, row});
                walk(level + 1, data->childRows(level, row));
                events.push_back({Event::GroupFooter, lv, row});
            } else if (detail) {
                events.push_back({Event::Detail, lv, row});
            }
        }
    }

    mutable std::map<QString, std::unique_ptr<Metrics>> m_metrics;
    std::vector<std::unique_ptr<Prepared>> m_prepared;
};

// Where a page starts: the event whose section opens it, how much of that
// section's band earlier pages took, and the current row of each level.
struct PageStart {
    std::size_t slice = 0;
    std::size_t event = 0;
    Twips skip = 0;
    std::array<Bookmark, Hierarchy::kMaxLevels> ctx{};
    int depth = -1;
};

// One run over the events: counting the pages (keeping only where each
// starts), laying out one page from where it starts, or laying out them all.
class Runner {
public:
    enum class Mode { Count, OnePage, Every };

    // The data of slice `index` of a report read a slice at a time.
    using SliceAt = std::function<std::shared_ptr<const Shared>(std::size_t index)>;

    // A run over `first`, the report's only data, or its first slice of
    // `slices` when `sliceAt` reads the others.
    Runner(std::shared_ptr<const Shared> first, Mode mode, SliceAt sliceAt = {}, std::size_t slices = 1)
        : m_hold{std::move(first)}, m_s{m_hold.get()}, m_mode{mode}, m_sliceAt{std::move(sliceAt)}, m_slices{slices}
    {
    }

    // Count and Every: runs events from the next one on until `more` says
    // stop (checked between events) or the events end; true at the end.
    template <typename More>
    bool run(More more)
    {
        if (!m_started) {
            m_started = true;
            m_starts.push_back({});
            openPage();
        }
        for (;;) {
            while (m_next < m_s->events.size()) {
                if (!more())
                    return false;
                processEvent(m_next++);
            }
            if (m_slice + 1 >= m_slices)
                break;
            moveToSlice(m_slice + 1);
            m_next = 0;
        }
        if (!m_closed) {
            m_depth = -1;
            closePage();
            m_closed = true;
        }
        return true;
    }

    // OnePage: page `index`, which starts at `start`, of `pages` pages.
    Page layPage(std::size_t index, const PageStart& start, std::size_t pages)
    {
        m_pageNo = index;
        m_pages = pages;
        if (start.slice != m_slice)
            moveToSlice(start.slice);
        m_ctx = start.ctx;
        m_depth = start.depth;
        // A slice read again may hold fewer rows than when it was counted
        // (lines removed by another user meanwhile): never point past them.
        for (int level = 0; level <= m_depth; ++level)
            if (m_ctx[static_cast<std::size_t>(level)] >= m_s->data->rows(level).recordCount()) {
                m_depth = level - 1;
                break;
            }
        openPage();
        if (index > 0)
            printPageHeader();
        if (start.event < m_s->events.size()) {
            placeEvent(start.event, start.skip);
            for (std::size_t e = start.event + 1; !m_stop && e < m_s->events.size(); ++e)
                processEvent(e);
        }
        while (!m_stop && m_slice + 1 < m_slices) {
            moveToSlice(m_slice + 1);
            for (std::size_t e = 0; !m_stop && e < m_s->events.size(); ++e)
                processEvent(e);
        }
        if (!m_stop) {
            m_depth = -1;
            closePage();
        }
        return std::move(m_page);
    }

    const std::vector<PageStart>& starts() const { return m_starts; }
    std::size_t eventsDone() const { return m_next; }
    std::size_t sliceEvents() const { return m_s->events.size(); }
    // Every: the pages, their placeholders filled.
    std::vector<Page> takePages()
    {
        const int count = static_cast<int>(m_done.size());
        for (const auto& [page, index] : m_placeholders) {
            auto& run = std::get<TextRun>(m_done[page].items[index]);
            run.text = fillPlaceholders(run.text, static_cast<int>(page) + 1, count, m_s->date);
        }
        return std::move(m_done);
    }

    // The slice being run.
    std::size_t slice() const { return m_slice; }

private:
    void moveToSlice(std::size_t index)
    {
        m_hold = m_sliceAt(index);
        m_s = m_hold.get();
        m_slice = index;
    }

    void processEvent(std::size_t e)
    {
        const Shared::Event& ev = m_s->events[e];
        if (ev.kind == Shared::Event::ReportFooter)
            m_depth = -1;
        else if (ev.kind != Shared::Event::ReportHeader) {
            m_ctx[static_cast<std::size_t>(ev.level)] = ev.row;
            m_depth = ev.level;
        }
        placeEvent(e, 0);
    }

    void placeEvent(std::size_t e, Twips skip)
    {
        m_event = e;
        const Shared::Event& ev = m_s->events[e];
        const auto level = static_cast<std::size_t>(ev.level);
        switch (ev.kind) {
        case Shared::Event::ReportHeader: place(*m_s->reportHeader, false, skip); break;
        case Shared::Event::GroupHeader: place(*m_s->groupHeaders[level], true, skip); break;
        case Shared::Event::Detail: place(*m_s->detail, true, skip); break;
        case Shared::Event::GroupFooter: place(*m_s->groupFooters[level], true, skip); break;
        case Shared::Event::ReportFooter: place(*m_s->reportFooter, true, skip); break;
        }
    }

    // The row of `level` that a section of `scope` shows: the current one
    // at or above the scope, else the first row reached below it.
    std::optional<Bookmark> rowAt(int level, int scope) const
    {
        const Hierarchy& data = *m_s->data;
        const int known = scope == kPageScope ? m_depth : scope;
        if (level <= known)
            return m_ctx[static_cast<std::size_t>(level)];
        Bookmark row = 0;
        int at = known;
        if (known < 0) {
            const auto top = data.topRows();
            if (top.empty())
                return std::nullopt;
            row = top.front();
            at = 0;
        } else {
            row = m_ctx[static_cast<std::size_t>(known)];
        }
        for (; at < level; ++at) {
            const auto kids = data.childRows(at, row);
            if (kids.empty())
                return std::nullopt;
            row = kids.front();
        }
        return row;
    }

    QString fieldText(const PreparedControl& pc, int scope) const
    {
        const auto row = rowAt(pc.level, scope);
        if (!row)
            return {};
        return pc.control->format.apply(m_s->data->value(pc.level, *row, pc.column));
    }

    void gather(int level, Bookmark row, const PreparedControl& pc, platform::Money& sum, std::int64_t& count) const
    {
        const Hierarchy& data = *m_s->data;
        if (level == pc.level) {
            ++count;
            if (pc.control->aggregate == Aggregate::Sum) {
                const platform::Value& v = data.value(level, row, pc.column);
                if (v.isNull())
                    return;   // an empty amount counts as 0
                const auto cents = v.asInt();
                if (!cents)
                    throw std::invalid_argument("The function " + pc.control->name.toStdString() + " meets \""
                                                + v.toText() + "\" in " + pc.control->field
                                                + ", which is no whole number.");
                sum += platform::Money::fromCents(*cents);
            }
            return;
        }
        for (const Bookmark child : data.childRows(level, row))
            gather(level + 1, child, pc, sum, count);
    }

    QString functionText(const PreparedControl& pc, int scope) const
    {
        platform::Money sum;
        std::int64_t count = 0;
        const int from = scope < 0 ? kReportScope : scope;
        if (pc.level <= from) {
            if (const auto row = rowAt(pc.level, from))
                gather(pc.level, *row, pc, sum, count);
        } else if (from == kReportScope) {
            for (const Bookmark row : m_s->data->topRows())
                gather(0, row, pc, sum, count);
        } else {
            gather(from, m_ctx[static_cast<std::size_t>(from)], pc, sum, count);
        }
        const std::int64_t result = pc.control->aggregate == Aggregate::Sum ? sum.cents() : count;
        return pc.control->format.apply(platform::Value{result});
    }
    static std::vector<QString> wrap(const QString& text, const Metrics& m, Twips width)
    {
        std::vector<QString> lines;
        if (text.isEmpty())
            return lines;
        QString clean = text;
        clean.remove(u'\r');
        for (const QString& para : clean.split(u'\n')) {
            if (m.widthOf(para) <= width) {
                lines.push_back(para);
                continue;
            }
            QTextLayout tl(para, m.font);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            tl.setTextOption(option);
            tl.beginLayout();
            for (QTextLine line = tl.createLine(); line.isValid(); line = tl.createLine()) {
                line.setLineWidth(width);
                QString piece = para.mid(line.textStart(), line.textLength());
                while (!piece.isEmpty() && piece.back().isSpace())
                    piece.chop(1);
                lines.push_back(piece);
            }
            tl.endLayout();
        }
        return lines;
    }

    // A figure's one line and its font: the control's own when it fits, else
    // as small as it must be to fit the box, however small that is (a PDF is
    // read zoomed), so that it never runs into the next box. Set smaller, it
    // stands `drop` lower, on the baseline of the full-size texts beside it.
    struct FittedFigure {
        QString text;
        Font font;
        Twips drop = 0;
    };

    FittedFigure fitFigure(QString text, const Control& c, const Metrics& m) const
    {
        text.remove(u'\r');
        text.replace(u'\n', u' ');
        FittedFigure fit{text, c.font};
        qreal wide = m.widthOf(text);
        if (wide <= c.rect.width)
            return fit;
        // Sizes go in whole twips of pixel size (qtFont), so the text is
        // measured at exactly the size it is drawn at.
        const Twips room = std::max(c.rect.width / 2, c.rect.width - kFigureGapTwips);
        int twips = std::max(1, int(std::floor(c.font.points * 20 * room / wide)));
        const Metrics* small = nullptr;
        for (;; --twips) {
            fit.font.points = twips / 20.0;
            small = m_s->metricsFor(fit.font);
            wide = small->widthOf(text);
            if (wide <= room || twips <= 1)
                break;
        }
        fit.drop = Twips(std::lround(m.fm.ascent() - small->fm.ascent()));
        return fit;
    }

    Band build(const Prepared& p) const
    {
        const Section& s = *p.section;
        Band band;
        band.height = s.height;
        band.keepTogether = s.keepTogether;
        band.breakAfter = s.pageBreakAfter;

        struct Laid {
            const PreparedControl* pc;
            std::vector<QString> lines;
            bool placeholders = false;
            Twips height = 0;
            Twips shift = 0;
            Font font;        // a figure's may be smaller than the control's
            Twips drop = 0;   // and then stands lower, on the row's baseline
        };
        std::vector<Laid> laid;
        laid.reserve(p.controls.size());
        bool grew = false;
        for (const PreparedControl& pc : p.controls) {
            const Control& c = *pc.control;
            if (!c.visible)
                continue;
            Laid l{&pc, {}, false, c.rect.height, 0, c.font, 0};
            if (pc.metrics) {
                QString text = c.kind == ControlKind::Label   ? c.caption
                               : c.kind == ControlKind::TextBox ? fieldText(pc, p.scope)
                                                                : functionText(pc, p.scope);
                if (c.kind == ControlKind::Label && hasPlaceholders(text)) {
                    // Filled once the pages are counted: one line, never wrapped.
                    l.placeholders = true;
                    l.lines.push_back(std::move(text));
                } else {
                    if (c.holdsFigure() && !text.isEmpty()) {
                        FittedFigure fit = fitFigure(std::move(text), c, *pc.metrics);
                        l.lines.push_back(std::move(fit.text));
                        l.font = fit.font;
                        l.drop = fit.drop;
                    } else {
                        l.lines = wrap(text, *pc.metrics, c.rect.width);
                    }
                    const qreal lh = pc.metrics->lineHeight;
                    if (c.canGrow) {
                        const Twips need = Twips(std::ceil(lh * double(l.lines.size())));
                        if (need > l.height) {
                            l.height = need;
                            grew = true;
                        }
                    } else {
                        const auto fit = std::max<std::size_t>(1, std::size_t(std::floor(c.rect.height / lh)));
                        if (l.lines.size() > fit)
                            l.lines.resize(fit);
                    }
                }
            }
            laid.push_back(std::move(l));
        }

        if (grew) {
            // A control that grew pushes down whatever starts below its
            // designed bottom, and the section grows to keep its padding.
            std::vector<Laid*> order;
            for (Laid& l : laid)
                order.push_back(&l);
            std::stable_sort(order.begin(), order.end(), [](const Laid* a, const Laid* b) {
                const Rect& ra = a->pc->control->rect;
                const Rect& rb = b->pc->control->rect;
                return std::pair(ra.top, ra.bottom()) < std::pair(rb.top, rb.bottom());
            });
            for (std::size_t i = 0; i < order.size(); ++i) {
                const Rect& ri = order[i]->pc->control->rect;
                for (std::size_t j = 0; j < i; ++j) {
                    const Rect& rj = order[j]->pc->control->rect;
                    const Twips push = order[j]->shift + order[j]->height - rj.height;
                    if (rj.bottom() <= ri.top && push > order[i]->shift)
                        order[i]->shift = push;
                }
            }
            for (const Laid& l : laid) {
                const Rect& r = l.pc->control->rect;
                const Twips padding = std::max(0, s.height - r.bottom());
                band.height = std::max(band.height, r.top + l.shift + l.height + padding);
            }
        }

        const Twips x0 = m_s->layout.margins.left;
        for (const Laid& l : laid) {
            const Control& c = *l.pc->control;
            const Twips top = c.rect.top + l.shift;
            const Rect r{x0 + c.rect.left, top, c.rect.width, l.height};
            switch (c.kind) {
            case ControlKind::Shape:
                band.items.push_back({BoxRun{r, c.backColor, c.borderColor, c.lineWidth}, top, r.bottom()});
                break;
            case ControlKind::Line: {
                LineRun line{r.left, top, r.right(), top + c.rect.height, c.lineWidth, c.foreColor};
                band.items.push_back({line, std::min(line.y1, line.y2), std::max(line.y1, line.y2)});
                break;
            }
            default: {
                if (c.backColor.isValid() || c.borderColor.isValid())
                    band.items.push_back({BoxRun{r, c.backColor, c.borderColor, c.lineWidth}, top, r.bottom()});
                const qreal lh = l.pc->metrics->lineHeight;
                const Twips runHeight = Twips(std::ceil(lh));
                for (std::size_t i = 0; i < l.lines.size(); ++i) {
                    const Twips y = top + Twips(std::lround(lh * double(i)));
                    TextRun run{Rect{r.left, y + l.drop, r.width, runHeight - l.drop}, l.lines[i], l.font,
                                c.foreColor, c.align};
                    band.items.push_back({std::move(run), y, y + runHeight, true, l.placeholders});
                }
            }
            }
        }
        return band;
    }

    void put(const Band& band)
    {
        if (m_mode == Mode::Count) {
            m_y += band.height;   // counting needs the heights only
            return;
        }
        for (const BandItem& bi : band.items) {
            Item item = bi.item;
            moveItem(item, m_y);
            if (bi.placeholders) {
                if (m_mode == Mode::OnePage) {
                    auto& run = std::get<TextRun>(item);
                    run.text = fillPlaceholders(run.text, static_cast<int>(m_pageNo) + 1, static_cast<int>(m_pages),
                                                m_s->date);
                } else {
                    m_placeholders.emplace_back(m_done.size(), m_page.items.size());
                }
            }
            m_page.items.push_back(std::move(item));
        }
        m_y += band.height;
    }

    void openPage()
    {
        m_page = Page{};
        m_y = m_s->layout.margins.top;
        m_headerDue = true;
        m_atTop = true;
        m_breakPending = false;
        m_bodyBottom = m_s->pageHeight - m_s->layout.margins.bottom - height(m_s->pageFooter);
    }

    void closePage()
    {
        printPageHeader();
        if (m_mode != Mode::Count && m_s->pageFooter && printable(*m_s->pageFooter)) {
            m_y = m_bodyBottom;
            put(build(*m_s->pageFooter));
        }
        if (m_mode == Mode::Every)
            m_done.push_back(std::move(m_page));
    }

    void nextPage()
    {
        closePage();
        if (m_mode == Mode::OnePage) {
            m_stop = true;   // the page asked for is done
            return;
        }
        if (m_mode == Mode::Count) {
            PageStart start{m_slice, m_event, m_bandOffset, m_ctx, m_depth};
            m_starts.push_back(start);
        }
        openPage();
        printPageHeader();
    }

    void printPageHeader()
    {
        if (!m_headerDue)
            return;
        m_headerDue = false;
        if (m_s->pageHeader && printable(*m_s->pageHeader))
            put(build(*m_s->pageHeader));
    }

    static bool printable(const Prepared& p) { return p.section->visible && p.section->height > 0; }
    static Twips height(const Prepared* p) { return p && printable(*p) ? p->section->height : 0; }

    // Where to cut a band that does not fit in `room`: above the first line
    // of text that would cross the page end.
    static Twips cutFor(const Band& band, Twips room)
    {
        Twips cut = room;
        for (const BandItem& bi : band.items)
            if (bi.isText && bi.top < room && bi.bottom > room)
                cut = std::min(cut, bi.top);
        return cut;
    }

    static std::pair<Band, Band> split(const Band& band, Twips cut)
    {
        Band now, rest;
        now.height = cut;
        rest.height = band.height - cut;
        rest.breakAfter = band.breakAfter;
        rest.keepTogether = band.keepTogether;
        for (const BandItem& bi : band.items) {
            if (bi.top >= cut) {
                BandItem moved = bi;
                moveItem(moved.item, -cut);
                moved.top -= cut;
                moved.bottom -= cut;
                rest.items.push_back(std::move(moved));
            } else if (bi.bottom <= cut || bi.isText) {
                now.items.push_back(bi);
            } else {
                auto [above, below] = cutItem(bi.item, cut);
                now.items.push_back({std::move(above), bi.top, cut, false, false});
                moveItem(below, -cut);
                rest.items.push_back({std::move(below), 0, bi.bottom - cut, false, false});
            }
        }
        return {std::move(now), std::move(rest)};
    }

    // Places the band of `p`, less the `skip` twips earlier pages took of it
    // (a page laid out again from where it starts).
    void place(const Prepared& p, bool headerFirst, Twips skip)
    {
        if (!printable(p))
            return;
        Band band = build(p);
        m_bandOffset = 0;
        if (skip > 0) {
            band = split(band, skip).second;
            m_bandOffset = skip;
        } else if (m_breakPending) {
            nextPage();
            if (m_stop)
                return;
        }
        if (headerFirst)
            printPageHeader();
        const Twips fullBody = m_bodyBottom - m_s->layout.margins.top - height(m_s->pageHeader);
        for (;;) {
            const Twips room = m_bodyBottom - m_y;
            if (band.height <= room) {
                put(band);
                break;
            }
            if (!m_atTop && (band.keepTogether && band.height <= fullBody)) {
                nextPage();
                if (m_stop)
                    return;
                continue;
            }
            Twips cut = cutFor(band, room);
            const bool textStays = std::any_of(band.items.begin(), band.items.end(), [cut](const BandItem& bi) {
                return bi.isText && bi.bottom <= cut;
            });
            if (cut > 0 && !textStays && !m_atTop) {
                nextPage();   // only slivers of boxes would stay behind
                if (m_stop)
                    return;
                continue;
            }
            if (cut <= 0) {
                if (!m_atTop) {
                    nextPage();
                    if (m_stop)
                        return;
                    continue;
                }
                if (room <= 0) {
                    put(band);   // a page without room: let it overflow rather than loop
                    break;
                }
                cut = room;      // a line taller than the page: cut through it
            }
            auto [now, rest] = split(band, cut);
            put(now);
            m_atTop = false;
            band = std::move(rest);
            m_bandOffset += cut;
            nextPage();
            if (m_stop)
                return;
        }
        m_atTop = false;
        if (band.breakAfter)
            m_breakPending = true;
    }

    std::shared_ptr<const Shared> m_hold;   // the data being run
    const Shared* m_s;
    Mode m_mode;
    SliceAt m_sliceAt;
    std::size_t m_slices = 1;
    std::size_t m_slice = 0;

    std::array<Bookmark, Hierarchy::kMaxLevels> m_ctx{};   // current row of each level
    int m_depth = -1;                                     // deepest level with a current row

    bool m_started = false;
    bool m_closed = false;
    bool m_stop = false;
    std::size_t m_next = 0;        // Count and Every: the next event
    std::size_t m_event = 0;       // the event being placed
    Twips m_bandOffset = 0;        // how much of its band earlier pages took
    std::vector<PageStart> m_starts;
    std::size_t m_pageNo = 0;      // OnePage: the page, and how many there are
    std::size_t m_pages = 0;

    Page m_page;
    std::vector<Page> m_done;      // Every: the pages closed
    std::vector<std::pair<std::size_t, std::size_t>> m_placeholders;   // Every: page, item
    Twips m_y = 0;
    Twips m_bodyBottom = 0;
    bool m_headerDue = false;
    bool m_atTop = true;
    bool m_breakPending = false;
};

// A report whose data is at hand whole: its one slice.
class WholeData : public SlicedData {
public:
    explicit WholeData(std::shared_ptr<const Hierarchy> data) : m_data{std::move(data)} {}
    std::size_t sliceCount() const override { return 1; }
    std::shared_ptr<const Hierarchy> slice(std::size_t) const override { return m_data; }

private:
    std::shared_ptr<const Hierarchy> m_data;
};

} // namespace

std::shared_ptr<const SlicedData> wholeData(Hierarchy data)
{
    return std::make_shared<WholeData>(std::make_shared<const Hierarchy>(std::move(data)));
}

namespace {

// Function boxes in report and page sections run over every row of the
// report, which a report read a slice at a time never holds at once.
void refuseWholeReportFunctions(const Shared& s)
{
    for (const Prepared* p : {s.reportHeader, s.pageHeader, s.pageFooter, s.reportFooter}) {
        if (!p)
            continue;
        for (const PreparedControl& pc : p->controls)
            if (pc.control->kind == ControlKind::Function)
                throw std::invalid_argument("The function " + pc.control->name.toStdString() + " of the report "
                                            + s.layout.caption.toStdString()
                                            + " runs over the whole report, which is read a slice at a time.");
    }
}

// The pagination behind a document whose pages are laid out when asked for.
// Its data is read a slice at a time: counting holds one slice, laying a page
// out reads the slices it spans again (the last few read are kept).
class Paged : public PageSource, public Pagination::Impl {
public:
    Paged(Report layout, std::shared_ptr<const SlicedData> data, const QDate& printedOn)
        : m_layout{std::move(layout)}, m_data{std::move(data)}, m_printedOn{printedOn},
          m_slices{m_data->sliceCount()}
    {
        if (m_slices == 0)
            throw std::invalid_argument("The data of the report " + m_layout.caption.toStdString()
                                        + " has no slice.");
        auto first = sliceAt(0);
        if (m_slices > 1)
            refuseWholeReportFunctions(*first);
        m_counter = std::make_unique<Runner>(std::move(first), Runner::Mode::Count,
                                             [this](std::size_t i) { return sliceAt(i); }, m_slices);
    }

    Document emptyDocument() const { return sliceAt(0)->emptyDocument(); }

    std::size_t countAll() override
    {
        if (!m_complete)
            m_complete = m_counter->run([] { return true; });
        return counted();
    }
    std::size_t counted() const override
    {
        // A page is counted once the next one starts, or the count is done.
        const std::size_t starts = m_counter->starts().size();
        return m_complete || starts == 0 ? starts : starts - 1;
    }
    bool complete() const override { return m_complete; }
    Page lay(std::size_t index) const override
    {
        const PageStart& start = m_counter->starts().at(index);
        Runner r{sliceAt(start.slice), Runner::Mode::OnePage, [this](std::size_t i) { return sliceAt(i); },
                 m_slices};
        return r.layPage(index, start, m_counter->starts().size());
    }

    bool countFor(int budgetMs) override
    {
        if (m_complete)
            return true;
        QElapsedTimer clock;
        clock.start();
        std::size_t n = 0;
        m_complete = m_counter->run([&] { return ++n % 64 != 0 || clock.elapsed() < budgetMs; });
        return m_complete;
    }
    void stop() override { m_complete = true; }
    double progress() const override
    {
        if (m_complete)
            return 1.0;
        const std::size_t total = m_counter->sliceEvents();
        const double inSlice = total == 0 ? 0.0 : double(m_counter->eventsDone()) / double(total);
        return (double(m_counter->slice()) + inSlice) / double(m_slices);
    }
    std::size_t pagesCounted() const override { return counted(); }

private:
    static constexpr std::size_t kKeptSlices = 3;

    std::shared_ptr<const Shared> sliceAt(std::size_t index) const
    {
        for (const auto& [i, shared] : m_kept)
            if (i == index)
                return shared;
        auto shared = std::make_shared<const Shared>(m_layout, m_data->slice(index), m_printedOn, index == 0,
                                                     index + 1 == m_slices);
        m_kept.emplace_back(index, shared);
        if (m_kept.size() > kKeptSlices)
            m_kept.pop_front();
        return shared;
    }

    const Report m_layout;
    const std::shared_ptr<const SlicedData> m_data;
    const QDate m_printedOn;
    const std::size_t m_slices;
    mutable std::deque<std::pair<std::size_t, std::shared_ptr<const Shared>>> m_kept;
    std::unique_ptr<Runner> m_counter;
    bool m_complete = false;
};

} // namespace

Pagination::Pagination(Report layout, platform::Hierarchy data, const QDate& printedOn)
    : Pagination(std::move(layout),
                 wholeData(std::move(data)), printedOn)
{
}

Pagination::Pagination(Report layout, std::shared_ptr<const SlicedData> data, const QDate& printedOn)
{
    auto paged = std::make_shared<Paged>(std::move(layout), std::move(data), printedOn);
    m_doc = paged->emptyDocument();
    m_doc.pages = PageList(paged);
    m_impl = std::move(paged);
}

Pagination::~Pagination() = default;

bool Pagination::countFor(int budgetMs) { return m_impl->countFor(budgetMs); }
void Pagination::stop() { m_impl->stop(); }
bool Pagination::complete() const { return m_doc.pages.source()->complete(); }
std::size_t Pagination::pagesCounted() const { return m_impl->pagesCounted(); }
double Pagination::progress() const { return m_impl->progress(); }

Document layOut(const Report& layout, const platform::Hierarchy& data, const QDate& printedOn)
{
    Pagination p{layout, data, printedOn};
    p.countFor(std::numeric_limits<int>::max());
    return p.document();
}

Document layOutAtOnce(const Report& layout, const platform::Hierarchy& data, const QDate& printedOn)
{
    auto shared = std::make_shared<const Shared>(layout, std::make_shared<const Hierarchy>(data), printedOn);
    Runner r{shared, Runner::Mode::Every};
    r.run([] { return true; });
    Document doc = shared->emptyDocument();
    doc.pages = PageList(r.takePages());
    return doc;
}

QFont qtFont(const Font& f)
{
    QFont font;
    font.setFamilies(printFamilies(f.family));
    font.setPixelSize(std::max(1, int(std::lround(f.points * 20))));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace report
