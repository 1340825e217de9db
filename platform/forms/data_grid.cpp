// The data grid: cell editing through one line-edit delegate, with the hooks run
// at the points where editing starts and ends, and the grid's own Tab, Enter and
// Delete keys. Qt's own Tab-between-cells and type-to-search are switched off.
#include "platform/forms/data_grid.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "platform/forms/fit_text.h"

namespace forms {
namespace {

// The character a key types, as the keyPress hook sees it; none for keys that
// type nothing (arrows, Tab, Delete, function keys).
QChar characterOf(const QKeyEvent& e)
{
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const QString t = e.text();
    if (t.size() != 1 || t.front() == QChar(0x7f))
        return {};
    return t.front();
}

// Keys that move the current cell while an editor is open: the editor does not
// use them, so the edit is committed first.
bool movesBetweenRows(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

} // namespace

// Makes the line-edit editors and hands their keys to the grid before the
// editor or Qt's own delegate handling sees them; shows the figures of the
// columns the grid's window marks (showFiguresWhole) whole, in a smaller font
// where the cell is too narrow for them.
class DataGrid::Delegate : public WholeTextDelegate {
public:
    explicit Delegate(DataGrid* grid) : WholeTextDelegate(grid), m_grid{grid} {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        m_grid->m_editor = editor;
        m_grid->m_editIndex = index;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        // Only when the editor opens: a change of the row under an open editor
        // (a hook filling a neighbouring cell) must not overwrite what is typed.
        if (editor->property(kStarted).toBool())
            return;
        auto* line = static_cast<QLineEdit*>(editor);
        line->setText(index.data(Qt::EditRole).toString());
        editor->setProperty(kStarted, true);
        if (editor == m_grid->m_editor)
            m_grid->m_startText = line->text();
    }

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override
    {
        // The grid's commitData writes the text, after its hook allowed it.
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object == m_grid->m_editor.data() && event->type() == QEvent::FocusIn)
            m_grid->focusArrived();
        else if (object == m_grid->m_editor.data() && event->type() == QEvent::FocusOut)
            m_grid->focusDeparted();
        if (object == m_grid->m_editor.data() && !m_grid->m_forwardingKey) {
            if (event->type() == QEvent::KeyPress) {
                if (m_grid->handleKeyPress(static_cast<QKeyEvent*>(event)))
                    return true;
            } else if (event->type() == QEvent::KeyRelease) {
                m_grid->handleKeyRelease(static_cast<QKeyEvent*>(event));
            }
        }
        return WholeTextDelegate::eventFilter(object, event);
    }

private:
    static constexpr const char* kStarted = "dataGridStarted";
    DataGrid* m_grid;
};

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new Delegate(this));
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setTabKeyNavigation(false);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectItems);
    // Fixed row heights keep a grid of thousands of rows cheap to lay out.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

DataGrid::~DataGrid()
{
    m_hooks = {};
    if (m_editor)
        m_editor->removeEventFilter(itemDelegate());
}

void DataGrid::setHooks(Hooks hooks)
{
    m_hooks = std::move(hooks);
}

int DataGrid::visibleRow() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return -1;
    const int top = rowAt(0);
    return top < 0 ? current.row() : current.row() - top;
}

int DataGrid::currentRow() const
{
    const QModelIndex current = m_editor && m_editIndex.isValid() ? QModelIndex(m_editIndex) : currentIndex();
    return current.isValid() ? current.row() : -1;
}

int DataGrid::currentColumn() const
{
    const QModelIndex current = m_editor && m_editIndex.isValid() ? QModelIndex(m_editIndex) : currentIndex();
    return current.isValid() ? current.column() : -1;
}

void DataGrid::setCurrentCell(int row, int column)
{
    if (!model() || !commitEdit())
        return;
    setCurrentIndex(model()->index(row, column));
}

int DataGrid::rowTop(int visible) const
{
    const int top = std::max(rowAt(0), 0);
    return viewport()->y() + rowViewportPosition(top + visible);
}

int DataGrid::columnLeft(int column) const
{
    return viewport()->x() + columnViewportPosition(column);
}

bool DataGrid::isEditing() const
{
    return m_editor != nullptr;
}

QString DataGrid::currentText() const
{
    if (m_editor)
        return m_editor->text();
    return currentIndex().data(Qt::DisplayRole).toString();
}

QString DataGrid::text(int row, int column) const
{
    return model() ? model()->index(row, column).data(Qt::DisplayRole).toString() : QString();
}

bool DataGrid::editCurrentCell()
{
    return edit(currentIndex(), AllEditTriggers, nullptr);
}

bool DataGrid::commitEdit()
{
    if (!m_editor)
        return true;
    QLineEdit* editor = m_editor;
    commitData(editor);
    const bool accepted = !m_lastRefused;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return accepted;
}

bool DataGrid::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        // A key the open editor did not use comes here too; its filter has run the hooks already.
        const bool fromEditor = m_editor && m_editor->hasFocus();
        if (!fromEditor) {
            if (event->type() == QEvent::KeyRelease) {
                handleKeyRelease(key);
            } else if (handleKeyPress(key)) {
                key->accept();
                return true;
            }
        }
        QTableView::event(event);
        // Keys end at the grid: Esc or Enter going on to a dialog would close it.
        key->accept();
        return true;
    }
    return QTableView::event(event);
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opens = index.isValid() && trigger != NoEditTriggers
                       && (trigger == AllEditTriggers || (editTriggers() & trigger))
                       && !(m_editor && m_editIndex == index);
    if (opens && m_hooks.beforeColEdit) {
        bool cancel = false;
        m_hooks.beforeColEdit(index.column(), cancel);
        if (cancel)
            return false;
    }
    m_forwardingKey = trigger == AnyKeyPressed;
    const bool opened = QTableView::edit(index, trigger, event);
    m_forwardingKey = false;
    return opened;
}

void DataGrid::keyboardSearch(const QString&)
{
    // A refused character must not jump to another row.
}

void DataGrid::mousePressEvent(QMouseEvent* event)
{
    if (m_swallowPress) {
        m_swallowPress = false;
        event->accept();
        return;
    }
    if (m_editor && indexAt(event->position().toPoint()) != QModelIndex(m_editIndex) && !commitEdit()) {
        m_swallowPress = false;   // this is the press; it ends here
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_hooks.dblClick)
        m_hooks.dblClick();
    QTableView::mouseDoubleClickEvent(event);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_hooks.rowColChange)
        m_hooks.rowColChange(previous.isValid() ? previous.row() : -1,
                             previous.isValid() ? previous.column() : -1);
}

void DataGrid::commitData(QWidget* editor)
{
    if (!m_editor || editor != m_editor || !m_editIndex.isValid()) {
        QTableView::commitData(editor);
        return;
    }
    m_lastRefused = false;
    const QString newText = m_editor->text();
    if (newText == m_startText)
        return;   // nothing typed: no hooks, as if the cell had not been edited
    const QPersistentModelIndex index = m_editIndex;
    const int column = index.column();
    bool cancel = false;
    if (m_hooks.beforeColUpdate)
        m_hooks.beforeColUpdate(column, index.data(Qt::DisplayRole).toString(), newText, cancel);
    if (!cancel)
        cancel = !index.isValid() || !model()->setData(index, newText, Qt::EditRole);
    if (cancel) {
        m_lastRefused = true;
        // When the editor lost the focus to the grid itself (a click in it), that
        // click must not move the current cell off the refused one; it arrives
        // right after, in the same turn of the event loop.
        if (QApplication::focusWidget() == this) {
            m_swallowPress = true;
            QTimer::singleShot(0, this, [this] { m_swallowPress = false; });
        }
        return;
    }
    m_startText = newText;
    if (m_hooks.afterColUpdate)
        m_hooks.afterColUpdate(column);
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor) {
        if (m_lastRefused
            && (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem))
            hint = QAbstractItemDelegate::NoHint;
        m_editor = nullptr;
        m_editIndex = QPersistentModelIndex();
        m_startText.clear();
    }
    QTableView::closeEditor(editor, hint);
}

bool DataGrid::handleKeyPress(QKeyEvent* event)
{
    const int key = event->key();
    bool cancel = false;
    if (m_hooks.keyDown)
        m_hooks.keyDown(key, event->modifiers(), cancel);
    if (cancel)
        return true;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        tab(key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        return true;
    }
    QChar character = characterOf(*event);
    if (!character.isNull()) {
        if (m_hooks.keyPress)
            m_hooks.keyPress(character);
        if (character.isNull())
            return true;
        if (character == QChar(9)) {
            tab(true);
            return true;
        }
        if (character == QChar(13)) {
            commitEdit();
            return true;
        }
    }
    if (key == Qt::Key_Delete && m_allowDelete && !m_editor)
        return deleteSelectedRows();
    if (m_editor && movesBetweenRows(key)) {
        if (commitEdit())
            QTableView::keyPressEvent(event);
        return true;
    }
    return false;
}

void DataGrid::handleKeyRelease(QKeyEvent* event)
{
    if (m_hooks.keyUp)
        m_hooks.keyUp(event->key(), event->modifiers());
}

void DataGrid::tab(bool forward)
{
    if (m_tabAction == TabAction::ControlNavigation) {
        commitEdit();   // a refused text stays behind; the focus leaves all the same
        QWidget::focusNextPrevChild(forward);
        return;
    }
    if (!commitEdit() || !model())
        return;
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    int row = current.row();
    int column = current.column() + (forward ? 1 : -1);
    const int columns = model()->columnCount();
    if (column >= columns) {
        column = 0;
        ++row;
    } else if (column < 0) {
        column = columns - 1;
        --row;
    }
    if (row < 0 || row >= model()->rowCount())
        return;
    setCurrentIndex(model()->index(row, column));
}

bool DataGrid::deleteSelectedRows()
{
    if (!model() || !selectionModel())
        return false;
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty())
        return false;
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        model()->removeRows(row, 1);
    if (m_hooks.afterDelete)
        m_hooks.afterDelete();
    return true;
}

void DataGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    focusArrived();
}

void DataGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    focusDeparted();
}

void DataGrid::reset()
{
    // A reset releases every editor; forget ours before it goes.
    m_editor = nullptr;
    m_editIndex = QPersistentModelIndex();
    m_startText.clear();
    QTableView::reset();
}

// Focus events, not QApplication::focusChanged: the old widget hears FocusOut
// before the new one hears FocusIn, so a neighbour that takes the focus sees the
// grid's lostFocus first and its own gotFocus last.
void DataGrid::focusArrived()
{
    if (m_focusInside)
        return;
    m_focusInside = true;
    if (m_hooks.gotFocus)
        m_hooks.gotFocus();
}

void DataGrid::focusDeparted()
{
    if (!m_focusInside || holds(QApplication::focusWidget()))
        return;
    m_focusInside = false;
    if (m_hooks.lostFocus)
        m_hooks.lostFocus();
}

bool DataGrid::holds(const QWidget* w) const
{
    return w && (w == this || isAncestorOf(w));
}

} // namespace forms
