// Whole figures on screen: an amount wider than its box is set smaller, never
// cut. The fitting font, the grid delegate and read-only box that use it, and the
// widths boxes and columns are sized for; where boxes stand is left to windows.
#pragma once

#include <QFont>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QStyledItemDelegate>

class QTableView;

namespace forms {

// The widest amount the total boxes and amount columns are sized for: the
// fourteen characters a line grid takes ("12345678901.99"), in the brackets of
// a negative figure. A year's totals can add up to far more (to what Money
// holds); those are set in a smaller font instead of widening every window.
inline const QString kSizedAmount = QStringLiteral("(12345678901.99)");
// The widest balance a balance box is sized for: that amount with its status.
inline const QString kSizedBalance = kSizedAmount + QStringLiteral("  Credit ");
// The widest account code (eight digits) and balance status a column shows.
inline const QString kSizedCode = QStringLiteral("99999999");
inline const QString kSizedStatus = QStringLiteral("Credit");

// `font`, or the same font made smaller (never larger), in which `text` is at
// most `room` pixels wide. A room of 0 or less gives `font` back unchanged.
QFont fontToFit(const QFont& font, const QString& text, int room);

// The pixels a cell's text may take in a cell `cellWidth` wide of `view`: the
// cell less the margins the style keeps on either side of its text.
int cellTextRoom(const QWidget* view, int cellWidth);
// The width a column of `view` needs to show `text` whole in the view's font.
int cellWidthFor(const QWidget* view, const QString& text);

// Gives `column` of `view` `width` pixels, or the width its heading needs when
// that is more, so no heading is cut. Needs the view's model set.
void fitColumn(QTableView* view, int column, int width);
// The same, with the width that shows `widest` whole in the view's font.
void fitColumn(QTableView* view, int column, const QString& widest);

// The item delegate of grids that show figures: a cell of a figure column
// (an amount, a code, a number, a date) whose text is wider than the cell is
// painted in a font made small enough to show it whole, where the default
// delegate would elide it. The cells of every other column are texts (names,
// descriptions): they keep the view's font and are elided, since a long text
// set smaller would soon be too small to read.
class WholeTextDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Makes the model columns `columns` the figure columns, in place of those
    // marked before; none are until this is called.
    void setFigureColumns(QList<int> columns);
    bool isFigureColumn(int column) const { return m_figureColumns.contains(column); }

    // The font the cell at `index` is painted in, for the cell's `option`
    // (its rect, font and widget as the view gives them).
    QFont fontFor(const QStyleOptionViewItem& option, const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QList<int> m_figureColumns;
};

// Shows the figures of `view`'s model columns `figureColumns` whole, its other
// columns as texts: marks them on the view's WholeTextDelegate (a DataGrid's
// own delegate is one), or gives the view one when it has another delegate.
void showFiguresWhole(QTableView* view, QList<int> figureColumns);

// A read-only, right-aligned box for a total or balance: a text wider than the
// box is shown in a smaller font, and again at the box's own size when it
// grows, so the figure is always whole.
class WholeTextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit WholeTextBox(QWidget* parent = nullptr);

    // The pixels the box's text may take: its contents less the margins the
    // line edit keeps around its text.
    int textRoom() const;
    // The width the box needs to show `text` whole in its own font.
    int widthFor(const QString& text) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refit();

    QFont m_font;          // the font the box was given; the shown one is never larger
    bool m_fitting = false;
};

} // namespace forms
