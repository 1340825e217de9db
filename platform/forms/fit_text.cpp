// Fitting text to its room: the font search, the grid delegate and the total box.
#include "platform/forms/fit_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionViewItem>
#include <QTableView>

namespace forms {
namespace {

// The margin a line edit keeps between its contents and its text, on each side.
constexpr int kLineEditTextMargin = 2;
// The cursor and a glyph's overhang, which the line edit counts before it
// starts scrolling its text.
constexpr int kLineEditSlack = 2;
// What a laid-out text may take beyond its advance.
constexpr int kLayoutSlack = 1;
// The smallest point size tried: below it a figure is unreadable anyway.
constexpr qreal kSmallestPointSize = 1.0;

int advance(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// Whether `text` shows whole in `room` pixels: the style elides by the text's
// laid-out width, which can be a pixel wider than its advance.
bool fits(const QFont& font, const QString& text, int room)
{
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(text) <= room && metrics.elidedText(text, Qt::ElideRight, room) == text;
}

int textMargin(const QWidget* widget)
{
    return widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

} // namespace

QFont fontToFit(const QFont& font, const QString& text, int room)
{
    if (room <= 0 || fits(font, text, room))
        return font;
    QFont smaller = font;
    // A font given in pixels is scaled in pixels, one in points in points.
    const bool pixels = font.pointSizeF() <= 0;
    qreal size = pixels ? font.pixelSize() : font.pointSizeF();
    // Start where the width scales to the room, then step down: text does not
    // shrink exactly in proportion to its font.
    size = std::floor(size * room / advance(font, text) * 2) / 2;
    const qreal step = pixels ? 1.0 : 0.5;
    for (;; size -= step) {
        size = std::max(size, kSmallestPointSize);
        if (pixels)
            smaller.setPixelSize(static_cast<int>(size));
        else
            smaller.setPointSizeF(size);
        if (size <= kSmallestPointSize || fits(smaller, text, room))
            return smaller;
    }
}

int cellTextRoom(const QWidget* view, int cellWidth)
{
    return cellWidth - 2 * textMargin(view);
}

int cellWidthFor(const QWidget* view, const QString& text)
{
    return view->fontMetrics().horizontalAdvance(text) + 2 * textMargin(view) + kLayoutSlack;
}

void fitColumn(QTableView* view, int column, int width)
{
    view->setColumnWidth(column, std::max(width, view->horizontalHeader()->sectionSizeHint(column)));
}

void fitColumn(QTableView* view, int column, const QString& widest)
{
    fitColumn(view, column, cellWidthFor(view, widest));
}

void WholeTextDelegate::setFigureColumns(QList<int> columns)
{
    m_figureColumns = std::move(columns);
}

QFont WholeTextDelegate::fontFor(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem shown = option;
    initStyleOption(&shown, index);
    return shown.font;
}

void WholeTextDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The size hint asks with no rect; only a painted cell has room to fit.
    if (option->text.isEmpty() || option->rect.width() <= 0 || !isFigureColumn(index.column()))
        return;
    const QWidget* widget = option->widget;
    const int margin = widget ? textMargin(widget) : 0;
    option->font = fontToFit(option->font, option->text, option->rect.width() - 2 * margin);
    option->fontMetrics = QFontMetrics(option->font);
}

void showFiguresWhole(QTableView* view, QList<int> figureColumns)
{
    auto* delegate = qobject_cast<WholeTextDelegate*>(view->itemDelegate());
    if (!delegate) {
        delegate = new WholeTextDelegate(view);
        view->setItemDelegate(delegate);
    }
    delegate->setFigureColumns(std::move(figureColumns));
}

WholeTextBox::WholeTextBox(QWidget* parent) : QLineEdit(parent), m_font{font()}
{
    setReadOnly(true);
    setAlignment(Qt::AlignRight);
    connect(this, &QLineEdit::textChanged, this, &WholeTextBox::refit);
}

int WholeTextBox::textRoom() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    return contents.width() - 2 * kLineEditTextMargin - kLineEditSlack;
}

int WholeTextBox::widthFor(const QString& text) const
{
    return width() - textRoom() + QFontMetrics(m_font).horizontalAdvance(text) + kLayoutSlack;
}

void WholeTextBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    refit();
}

void WholeTextBox::changeEvent(QEvent* event)
{
    // A font set from outside becomes the one to fit from; the box's own
    // fitting changes the font too and must not.
    if (event->type() == QEvent::FontChange && !m_fitting) {
        m_font = font();
        refit();
    }
    QLineEdit::changeEvent(event);
}

void WholeTextBox::refit()
{
    const QFont fitted = fontToFit(m_font, text(), textRoom());
    if (fitted == font())
        return;
    m_fitting = true;
    setFont(fitted);
    m_fitting = false;
    // The text was laid out, and perhaps scrolled, in the old font.
    setCursorPosition(0);
}

} // namespace forms
