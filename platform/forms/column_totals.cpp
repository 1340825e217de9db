// Placing boxes under a grid's columns.
#include "platform/forms/column_totals.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace forms {
namespace {

// Room above and below the boxes inside the strip, in pixels.
constexpr int kStripMargin = 4;

} // namespace

UnderColumns::UnderColumns(QTableView* grid, QWidget* strip, std::vector<Place> places, QWidget* label)
    : QObject(strip), m_grid{grid}, m_strip{strip}, m_places{std::move(places)}, m_label{label}
{
    int height = 0;
    for (const Place& p : m_places)
        height = std::max(height, p.box->sizeHint().height());
    if (m_label)
        height = std::max(height, m_label->sizeHint().height());
    const QMargins frame = m_strip->contentsMargins();
    m_strip->setFixedHeight(height + 2 * kStripMargin + frame.top() + frame.bottom());

    QHeaderView* header = m_grid->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &UnderColumns::place);
    connect(header, &QHeaderView::geometriesChanged, this, &UnderColumns::place);
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &UnderColumns::place);
    for (QWidget* w : {static_cast<QWidget*>(m_grid), m_grid->viewport(), m_strip})
        w->installEventFilter(this);
    place();
}

void UnderColumns::place()
{
    QWidget* window = m_strip->window();
    QWidget* viewport = m_grid->viewport();
    const int top = (m_strip->height() - m_strip->contentsMargins().top() - m_strip->contentsMargins().bottom()) / 2
                    + m_strip->contentsMargins().top();
    int firstLeft = m_strip->width();
    // A box is never drawn over the strip's own frame, even when its column
    // reaches the grid's edge.
    const QRect room = m_strip->contentsRect();
    for (const Place& p : m_places) {
        const int left = m_grid->columnViewportPosition(p.firstColumn);
        const int right = m_grid->columnViewportPosition(p.lastColumn) + m_grid->columnWidth(p.lastColumn);
        const QPoint at = m_strip->mapFrom(window, viewport->mapTo(window, QPoint(left, 0)));
        const int height = p.box->sizeHint().height();
        const int boxLeft = std::max(at.x(), room.left());
        const int boxRight = std::min(at.x() + right - left, room.right() + 1);
        p.box->setGeometry(boxLeft, top - height / 2, std::max(0, boxRight - boxLeft), height);
        firstLeft = std::min(firstLeft, at.x());
    }
    if (m_label) {
        const int left = m_strip->contentsMargins().left() + kStripMargin;
        const int height = m_label->sizeHint().height();
        m_label->setGeometry(left, top - height / 2, std::max(0, firstLeft - left - kStripMargin), height);
    }
}

bool UnderColumns::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move || event->type() == QEvent::Show)
        place();
    return QObject::eventFilter(watched, event);
}

} // namespace forms
