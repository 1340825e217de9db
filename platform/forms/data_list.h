// A list of rows, each with the text it shows and the value it stands for (from
// a recordset's shown and bound columns, or given directly), and the events the
// windows' pick lists use. Filling it with the right rows is left to its window.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include <QListView>
#include <QString>

#include "platform/data/recordset.h"
#include "platform/data/value.h"

namespace forms {

class DataList : public QListView {
    Q_OBJECT

public:
    // One row: its shown text, its bound value and, for rows from a recordset,
    // the bookmark of the recordset row it came from.
    struct Row {
        QString text;
        platform::Value bound;
        platform::Bookmark bookmark = 0;
    };
    // Every hook is optional.
    struct Hooks {
        // The selected row changed (by mouse, keys or setBoundValue).
        std::function<void()> click;
        std::function<void()> dblClick;
        // A key went down in the list; `cancel` stops it there (Tab included).
        std::function<void(int key, Qt::KeyboardModifiers modifiers, bool& cancel)> keyDown;
        std::function<void()> gotFocus;
        std::function<void()> lostFocus;
    };

    explicit DataList(QWidget* parent = nullptr);

    void setHooks(Hooks hooks);

    // Shows the rows `rows` lets through, in its order, with the text of column
    // `listField` and the value of `boundColumn`; a closed recordset empties the
    // list. Nothing is selected afterwards. Throws std::out_of_range when a
    // column is not in the recordset.
    void setRows(platform::Recordset rows, std::string_view listField, std::string_view boundColumn);
    // Shows `rows` as given; nothing is selected afterwards.
    void setRows(std::vector<Row> rows);

    int count() const;
    // Shown text of row `row`; empty outside the rows.
    QString itemText(int row) const;
    // The list's text: the selected row's shown text, empty when none is selected.
    QString text() const;
    // True when the list's text is one of its rows, that is while a row is selected.
    bool matchedWithList() const;
    // True when `text` is the shown text of one of the rows, ignoring case.
    bool matches(const QString& text) const;
    // Row index of the selected row, or -1.
    int selectedRow() const;
    // Bookmark of the selected row; nothing when none is selected.
    std::optional<platform::Bookmark> selectedBookmark() const;
    // Bound value of the selected row; null when none is selected.
    platform::Value boundValue() const;
    // Selects the first row whose bound value equals `value` (numbers by value)
    // and scrolls to it; clears the selection when there is none. Returns whether
    // a row was found.
    bool setBoundValue(const platform::Value& value);

protected:
    bool event(QEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class Model;

    Model* m_model;
    Hooks m_hooks;
};

} // namespace forms
