// Boxes that stand under the columns of a grid, as totals stand under the
// figures they add up. Which boxes and what they show is left to the window.
#pragma once

#include <vector>

#include <QObject>

class QTableView;
class QWidget;

namespace forms {

// Keeps each box of a strip under the grid exactly under its columns: from the
// left edge of its first column to the right edge of its last, following the
// grid as its columns are resized or scrolled and as the window is resized.
// A label, when given, takes the strip's room left of the first box. Owned by
// the strip; the strip's height is set to hold the boxes.
class UnderColumns : public QObject {
    Q_OBJECT

public:
    struct Place {
        QWidget* box;
        int firstColumn;
        int lastColumn;
    };

    UnderColumns(QTableView* grid, QWidget* strip, std::vector<Place> places, QWidget* label = nullptr);

    // Moves the boxes under their columns now.
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* m_grid;
    QWidget* m_strip;
    std::vector<Place> m_places;
    QWidget* m_label;
};

} // namespace forms
