// Page drawing. Every device is scaled to twips, and fonts carry their size in
// twips as pixels, so text measured at layout time takes the same room on
// paper, in the PDF and on screen.
#include "platform/report/render.h"

#include <algorithm>
#include <optional>

#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>

#include "platform/report/engine.h"

namespace report {

namespace {

bool sameFont(const Font& a, const Font& b)
{
    return a.family == b.family && a.points == b.points && a.bold == b.bold && a.italic == b.italic
        && a.underline == b.underline;
}

QRectF qtRect(const Rect& r)
{
    return QRectF(r.left, r.top, r.width, r.height);
}

QPageLayout pageLayoutOf(const Document& doc)
{
    return QPageLayout(QPageSize(doc.paper), doc.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

// Paints pages `first` to `last` (0-based, inclusive) on a device that
// `newPage` advances; the painter is already begun on it.
template <typename NewPage>
void paintPages(QPainter& painter, const Document& doc, int first, int last, NewPage newPage)
{
    const double scale = painter.device()->logicalDpiX() / double(kTwipsPerInch);
    const double scaleY = painter.device()->logicalDpiY() / double(kTwipsPerInch);
    for (int i = first; i <= last; ++i) {
        if (i > first)
            newPage();
        painter.save();
        painter.scale(scale, scaleY);
        paintPage(painter, doc.pages[static_cast<std::size_t>(i)]);
        painter.restore();
    }
}

} // namespace

void paintPage(QPainter& painter, const Page& page)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // A page's runs share a few fonts: each is made and measured once in a row
    // of runs, not once a run (a year's day book draws millions of them).
    std::optional<Font> lastFont;
    QFont font;
    std::optional<QFontMetricsF> fm;
    for (const Item& item : page.items) {
        if (const auto* box = std::get_if<BoxRun>(&item)) {
            painter.setPen(box->border.isValid() ? QPen(box->border, box->borderWidth) : QPen(Qt::NoPen));
            painter.setBrush(box->fill.isValid() ? QBrush(box->fill) : QBrush(Qt::NoBrush));
            painter.drawRect(qtRect(box->rect));
        } else if (const auto* line = std::get_if<LineRun>(&item)) {
            painter.setPen(QPen(line->color, std::max(1, line->width), Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(line->x1, line->y1), QPointF(line->x2, line->y2));
        } else if (const auto* text = std::get_if<TextRun>(&item)) {
            // Drawn on its baseline rather than from the top of its box: a line
            // stands as low as the tallest face it falls back to (Noto Sans
            // Arabic's ascent is half as tall again as Liberation Sans'), and
            // would sit nearer the next line than its own.
            if (!lastFont || !sameFont(*lastFont, text->font)) {
                lastFont = text->font;
                font = qtFont(text->font);
                fm.emplace(font);
                painter.setFont(font);
            }
            const Rect& r = text->rect;
            qreal left = r.left;
            if (text->align != Align::Left) {
                const qreal spare = r.width - fm->horizontalAdvance(text->text);
                left += text->align == Align::Right ? spare : spare / 2;
            }
            painter.setPen(text->color);
            painter.drawText(QPointF(left, r.top + fm->ascent()), text->text);
        }
    }
    painter.restore();
}

bool writePdf(const Document& doc, const QString& path)
{
    QPdfWriter writer(path);
    writer.setTitle(doc.caption);
    writer.setCreator(QStringLiteral("Tamsel"));
    writer.setResolution(kTwipsPerInch);
    writer.setPageLayout(pageLayoutOf(doc));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    if (!doc.pages.empty())
        paintPages(painter, doc, 0, static_cast<int>(doc.pages.size()) - 1, [&writer] { writer.newPage(); });
    return painter.end();
}

bool printDocument(const Document& doc, QPrinter& printer)
{
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutOf(doc));
    printer.setDocName(doc.caption);
    const int count = static_cast<int>(doc.pages.size());
    int first = 0;
    int last = count - 1;
    if (printer.fromPage() > 0 && printer.toPage() > 0) {
        first = std::max(0, printer.fromPage() - 1);
        last = std::min(count - 1, printer.toPage() - 1);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    if (first <= last)
        paintPages(painter, doc, first, last, [&printer] { printer.newPage(); });
    return painter.end();
}

} // namespace report
