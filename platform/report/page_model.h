// The laid-out report: pages of positioned texts, lines and boxes in twips from
// the paper's top left corner. Plain values, so layouts are tested without a
// painter; render.h draws them.
#pragma once

#include <variant>
#include <vector>

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include "platform/report/layout.h"

namespace report {

// One line of text, drawn unwrapped from its rectangle's top and aligned
// within its width (the layout broke longer texts into lines already).
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

struct Document {
    QString caption;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    Twips pageWidth = 0;    // of the paper as it lies: landscape is the wider
    Twips pageHeight = 0;
    std::vector<Page> pages;
};

} // namespace report
