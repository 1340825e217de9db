// The editable data grid the windows build their line and list grids on: a
// table view over a row model, with the events and positions those windows rely
// on. What the rows are and what may be typed is left to the model and the hooks.
#pragma once

#include <functional>

#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QTableView>

class QLineEdit;

namespace forms {

// Window positions are given in twips; the screen has 15 twips to a pixel.
inline constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

// What Tab does in the grid: leave it for the next control, or move to the next
// cell (from the last cell of a row to the first cell of the next row).
enum class TabAction { ControlNavigation, GridNavigation };

// A table view whose cells are edited as text. The model shows each cell's text
// in Qt::DisplayRole, gives the text to start editing from in Qt::EditRole, takes
// the typed text through setData(index, QString, Qt::EditRole) (returning false
// refuses it) and removes rows through removeRows().
class DataGrid : public QTableView {
    Q_OBJECT

public:
    // Every hook is optional. Columns are model columns; rows count from 0.
    struct Hooks {
        // A cell is about to enter editing (a typed character, F2, a
        // double-click or editCurrentCell()); `cancel` keeps it out of editing.
        std::function<void(int column, bool& cancel)> beforeColEdit;
        // An edited cell whose text changed is about to be committed; `cancel`
        // keeps the old value, closes the editor and keeps the current cell on it.
        std::function<void(int column, const QString& oldValue, const QString& newText, bool& cancel)>
            beforeColUpdate;
        // The cell's new text has been written to the model.
        std::function<void(int column)> afterColUpdate;
        // Rows were deleted with the Delete key.
        std::function<void()> afterDelete;
        // A key went down in the grid or in its cell editor; `cancel` stops it there.
        std::function<void(int key, Qt::KeyboardModifiers modifiers, bool& cancel)> keyDown;
        // The character of that key (Enter is '\r', Esc 27, Backspace 8; the Tab
        // key gives none). Replace it by '\t' to act as Tab, by a null QChar to drop it.
        std::function<void(QChar& character)> keyPress;
        // A key was released in the grid or in its cell editor.
        std::function<void(int key, Qt::KeyboardModifiers modifiers)> keyUp;
        std::function<void()> dblClick;
        // The current cell moved; the previous cell, -1 when there was none.
        std::function<void(int previousRow, int previousColumn)> rowColChange;
        // The focus came into the grid (or its editor) from outside, or left it.
        std::function<void()> gotFocus;
        std::function<void()> lostFocus;
    };

    explicit DataGrid(QWidget* parent = nullptr);
    // Runs no hook any more: focus leaving an editor while the window goes
    // must not call into an owner that is already gone.
    ~DataGrid() override;

    // Replaces all hooks.
    void setHooks(Hooks hooks);

    // The current row counted from the first visible row (0 at the top), or -1
    // when there is no current cell.
    int visibleRow() const;
    // The current model row and column, or -1. While an editor is open they are
    // the edited cell's, so hooks run at a commit see the row being committed.
    int currentRow() const;
    int currentColumn() const;
    // Makes (`row`, `column`) the current cell, committing an open editor first.
    void setCurrentCell(int row, int column);
    // Top edge of visible row `visibleRow` and left edge of `column`, in pixels
    // inside the grid (headers and frame included).
    int rowTop(int visibleRow) const;
    int columnLeft(int column) const;

    TabAction tabAction() const { return m_tabAction; }
    void setTabAction(TabAction action) { m_tabAction = action; }
    // Whether the Delete key removes the selected rows (off by default).
    void setAllowDelete(bool allow) { m_allowDelete = allow; }

    // True while a cell editor is open.
    bool isEditing() const;
    // The text of the current cell: the editor's while editing, else the shown text.
    QString currentText() const;
    // Shown text of a cell.
    QString text(int row, int column) const;
    // Starts editing the current cell, asking beforeColEdit first. Returns
    // whether an editor opened.
    bool editCurrentCell();
    // Commits and closes an open editor. Returns false when the commit was
    // refused (the old value stays); true when it went in or nothing was open.
    bool commitEdit();

    using QTableView::edit;

protected:
    bool event(QEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

public slots:
    void reset() override;

private:
    class Delegate;

    // Runs a key press from the grid or its editor through the hooks and the
    // grid's own keys. True when the key went no further.
    bool handleKeyPress(QKeyEvent* event);
    void handleKeyRelease(QKeyEvent* event);
    void tab(bool forward);
    bool deleteSelectedRows();
    // The focus arrived at the grid or its editor / left one of them.
    void focusArrived();
    void focusDeparted();
    bool holds(const QWidget* w) const;

    Hooks m_hooks;
    TabAction m_tabAction = TabAction::ControlNavigation;
    bool m_allowDelete = false;
    QPointer<QLineEdit> m_editor;
    QPersistentModelIndex m_editIndex;
    QString m_startText;
    bool m_lastRefused = false;      // the last commit was refused
    bool m_forwardingKey = false;    // the key that opens an editor is being handed to it
    bool m_swallowPress = false;     // a refused commit on focus-out: the click that caused it must not move
    bool m_focusInside = false;      // the grid or its editor holds the focus
};

} // namespace forms
