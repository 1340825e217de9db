// The layout engine: walks the hierarchy once, builds each section as a band of
// positioned items (texts already broken into lines, so a band can be cut at a
// page end between lines), and fills the page placeholders once the number of
// pages is known.
#include "platform/report/engine.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>

#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>
#include <QTextOption>

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

class Engine {
public:
    Engine(const Report& layout, const Hierarchy& data, const QDate& printedOn)
        : m_layout{layout}, m_data{data}, m_printedOn{printedOn}
    {
    }

    Document run()
    {
        prepareAll();
        const QSizeF points = QPageSize(m_layout.paper).size(QPageSize::Point);
        m_doc.caption = m_layout.caption;
        m_doc.paper = m_layout.paper;
        m_doc.orientation = m_layout.orientation;
        m_doc.pageWidth = Twips(std::lround(points.width() * 20));
        m_doc.pageHeight = Twips(std::lround(points.height() * 20));
        if (m_layout.orientation == QPageLayout::Landscape)
            std::swap(m_doc.pageWidth, m_doc.pageHeight);
        m_ctx.assign(static_cast<std::size_t>(m_data.levelCount()), 0);

        openPage();
        if (m_reportHeader)
            place(*m_reportHeader, false);
        walk(0, m_data.topRows());
        m_depth = -1;
        if (m_reportFooter)
            place(*m_reportFooter, true);
        closePage();

        const QString date = platform::formatDate(m_printedOn, m_layout.datePattern);
        const int pages = static_cast<int>(m_doc.pages.size());
        for (const auto& [page, index] : m_placeholders) {
            auto& run = std::get<TextRun>(m_doc.pages[page].items[index]);
            run.text = fillPlaceholders(run.text, static_cast<int>(page) + 1, pages, date);
        }
        return std::move(m_doc);
    }

private:
    const Metrics* metricsFor(const Font& f)
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

    Prepared prepare(const Section& s, int scope)
    {
        Prepared p{&s, scope, {}};
        for (const Control& c : s.controls) {
            PreparedControl pc{&c};
            if (c.kind == ControlKind::TextBox || c.kind == ControlKind::Function) {
                pc.level = m_data.levelOf(c.member);
                if (pc.level < 0)
                    throw std::invalid_argument("The control " + c.name.toStdString() + " names the member \""
                                                + c.member + "\", which the data does not have.");
                pc.column = m_data.columnIndex(pc.level, c.field);
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
        if (!m_data.isOpen())
            throw std::invalid_argument("The data of the report " + m_layout.caption.toStdString()
                                        + " is not open.");
        std::vector<const Section*> headers, footers;
        for (const Section& s : m_layout.sections) {
            switch (s.kind) {
            case SectionKind::ReportHeader: m_reportHeader = keep(prepare(s, kReportScope)); break;
            case SectionKind::PageHeader: m_pageHeader = keep(prepare(s, kPageScope)); break;
            case SectionKind::GroupHeader: headers.push_back(&s); break;
            case SectionKind::Detail: m_detail = keep(prepare(s, m_data.levelCount() - 1)); break;
            case SectionKind::GroupFooter: footers.push_back(&s); break;
            case SectionKind::PageFooter: m_pageFooter = keep(prepare(s, kPageScope)); break;
            case SectionKind::ReportFooter: m_reportFooter = keep(prepare(s, kReportScope)); break;
            }
        }
        const int groups = m_data.levelCount() - 1;
        if (static_cast<int>(headers.size()) != groups || footers.size() != headers.size())
            throw std::invalid_argument("The report " + m_layout.caption.toStdString() + " has "
                                        + std::to_string(headers.size()) + " group headers and "
                                        + std::to_string(footers.size()) + " group footers for data of "
                                        + std::to_string(m_data.levelCount()) + " levels.");
        for (int level = 0; level < groups; ++level) {
            m_groupHeaders.push_back(keep(prepare(*headers[static_cast<std::size_t>(level)], level)));
            // Footers stand from the innermost level outward.
            m_groupFooters.push_back(keep(prepare(*footers[footers.size() - 1 - static_cast<std::size_t>(level)], level)));
        }
    }

    const Prepared* keep(Prepared p)
    {
        m_prepared.push_back(std::make_unique<Prepared>(std::move(p)));
        return m_prepared.back().get();
    }

    // The row of `level` that a section of `scope` shows: the current one
    // at or above the scope, else the first row reached below it.
    std::optional<Bookmark> rowAt(int level, int scope) const
    {
        const int known = scope == kPageScope ? m_depth : scope;
        if (level <= known)
            return m_ctx[static_cast<std::size_t>(level)];
        Bookmark row = 0;
        int at = known;
        if (known < 0) {
            const auto top = m_data.topRows();
            if (top.empty())
                return std::nullopt;
            row = top.front();
            at = 0;
        } else {
            row = m_ctx[static_cast<std::size_t>(known)];
        }
        for (; at < level; ++at) {
            const auto kids = m_data.childRows(at, row);
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
        return pc.control->format.apply(m_data.value(pc.level, *row, pc.column));
    }

    void gather(int level, Bookmark row, const PreparedControl& pc, platform::Money& sum, std::int64_t& count) const
    {
        if (level == pc.level) {
            ++count;
            if (pc.control->aggregate == Aggregate::Sum) {
                const platform::Value& v = m_data.value(level, row, pc.column);
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
        for (const Bookmark child : m_data.childRows(level, row))
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
            for (const Bookmark row : m_data.topRows())
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
        };
        std::vector<Laid> laid;
        laid.reserve(p.controls.size());
        bool grew = false;
        for (const PreparedControl& pc : p.controls) {
            const Control& c = *pc.control;
            if (!c.visible)
                continue;
            Laid l{&pc, {}, false, c.rect.height, 0};
            if (pc.metrics) {
                QString text = c.kind == ControlKind::Label   ? c.caption
                               : c.kind == ControlKind::TextBox ? fieldText(pc, p.scope)
                                                                : functionText(pc, p.scope);
                if (c.kind == ControlKind::Label && hasPlaceholders(text)) {
                    // Filled once the pages are counted: one line, never wrapped.
                    l.placeholders = true;
                    l.lines.push_back(std::move(text));
                } else {
                    l.lines = wrap(text, *pc.metrics, c.rect.width);
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

        const Twips x0 = m_layout.margins.left;
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
                    TextRun run{Rect{r.left, y, r.width, runHeight}, l.lines[i], c.font, c.foreColor, c.align};
                    band.items.push_back({std::move(run), y, y + runHeight, true, l.placeholders});
                }
            }
            }
        }
        return band;
    }

    void put(const Band& band)
    {
        Page& page = m_doc.pages.back();
        for (const BandItem& bi : band.items) {
            Item item = bi.item;
            moveItem(item, m_y);
            if (bi.placeholders)
                m_placeholders.emplace_back(m_doc.pages.size() - 1, page.items.size());
            page.items.push_back(std::move(item));
        }
        m_y += band.height;
    }

    void openPage()
    {
        m_doc.pages.emplace_back();
        m_y = m_layout.margins.top;
        m_headerDue = true;
        m_atTop = true;
        m_breakPending = false;
        m_bodyBottom = m_doc.pageHeight - m_layout.margins.bottom - height(m_pageFooter);
    }

    void closePage()
    {
        printPageHeader();
        if (m_pageFooter && printable(*m_pageFooter)) {
            m_y = m_bodyBottom;
            put(build(*m_pageFooter));
        }
    }

    void nextPage()
    {
        closePage();
        openPage();
        printPageHeader();
    }

    void printPageHeader()
    {
        if (!m_headerDue)
            return;
        m_headerDue = false;
        if (m_pageHeader && printable(*m_pageHeader))
            put(build(*m_pageHeader));
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

    void place(const Prepared& p, bool headerFirst)
    {
        if (!printable(p))
            return;
        Band band = build(p);
        if (m_breakPending)
            nextPage();
        if (headerFirst)
            printPageHeader();
        const Twips fullBody = m_bodyBottom - m_layout.margins.top - height(m_pageHeader);
        for (;;) {
            const Twips room = m_bodyBottom - m_y;
            if (band.height <= room) {
                put(band);
                break;
            }
            if (!m_atTop && (band.keepTogether && band.height <= fullBody)) {
                nextPage();
                continue;
            }
            Twips cut = cutFor(band, room);
            const bool textStays = std::any_of(band.items.begin(), band.items.end(), [cut](const BandItem& bi) {
                return bi.isText && bi.bottom <= cut;
            });
            if (cut > 0 && !textStays && !m_atTop) {
                nextPage();   // only slivers of boxes would stay behind
                continue;
            }
            if (cut <= 0) {
                if (!m_atTop) {
                    nextPage();
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
            nextPage();
        }
        m_atTop = false;
        if (band.breakAfter)
            m_breakPending = true;
    }

    void walk(int level, std::span<const Bookmark> rows)
    {
        const int groups = m_data.levelCount() - 1;
        for (const Bookmark row : rows) {
            m_ctx[static_cast<std::size_t>(level)] = row;
            m_depth = level;
            if (level < groups) {
                place(*m_groupHeaders[static_cast<std::size_t>(level)], true);
                walk(level + 1, m_data.childRows(level, row));
                m_ctx[static_cast<std::size_t>(level)] = row;
                m_depth = level;
                place(*m_groupFooters[static_cast<std::size_t>(level)], true);
            } else if (m_detail) {
                place(*m_detail, true);
            }
        }
    }

    const Report& m_layout;
    const Hierarchy& m_data;
    QDate m_printedOn;

    std::map<QString, std::unique_ptr<Metrics>> m_metrics;
    std::vector<std::unique_ptr<Prepared>> m_prepared;
    const Prepared* m_reportHeader = nullptr;
    const Prepared* m_pageHeader = nullptr;
    const Prepared* m_detail = nullptr;
    const Prepared* m_pageFooter = nullptr;
    const Prepared* m_reportFooter = nullptr;
    std::vector<const Prepared*> m_groupHeaders;   // by level
    std::vector<const Prepared*> m_groupFooters;   // by level

    std::vector<Bookmark> m_ctx;   // current row of each level
    int m_depth = -1;              // deepest level with a current row

    Document m_doc;
    std::vector<std::pair<std::size_t, std::size_t>> m_placeholders;   // page, item
    Twips m_y = 0;
    Twips m_bodyBottom = 0;
    bool m_headerDue = false;
    bool m_atTop = true;
    bool m_breakPending = false;
};

} // namespace

Document layOut(const Report& layout, const platform::Hierarchy& data, const QDate& printedOn)
{
    return Engine{layout, data, printedOn}.run();
}

QFont qtFont(const Font& f)
{
    QFont font(f.family);
    font.setPixelSize(std::max(1, int(std::lround(f.points * 20))));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace report
