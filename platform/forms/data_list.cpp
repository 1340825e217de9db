// The data list: a list view over a vector of shown texts and bound values.
#include "platform/forms/data_list.h"

#include <stdexcept>
#include <string>
#include <utility>

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {

class DataList::Model : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
            return {};
        return m_rows[static_cast<std::size_t>(index.row())].text;
    }

    void reset(std::vector<Row> rows)
    {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    const std::vector<Row>& rows() const { return m_rows; }

private:
    std::vector<Row> m_rows;
};

DataList::DataList(QWidget* parent) : QListView(parent), m_model{new Model(this)}
{
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setUniformItemSizes(true);   // thousands of accounts, requeried on every key
}

void DataList::setHooks(Hooks hooks)
{
    m_hooks = std::move(hooks);
}

void DataList::setRows(platform::Recordset rows, std::string_view listField, std::string_view boundColumn)
{
    std::vector<Row> list;
    if (rows.isOpen()) {
        const int shown = rows.columnIndex(listField);
        const int bound = rows.columnIndex(boundColumn);
        if (shown < 0 || bound < 0)
            throw std::out_of_range("no column " + std::string(shown < 0 ? listField : boundColumn));
        list.reserve(rows.recordCount());
        for (rows.moveFirst(); !rows.eof(); rows.moveNext())
            list.push_back({QString::fromStdString(rows.at(shown).toText()), rows.at(bound), rows.bookmark()});
    }
    setRows(std::move(list));
}

void DataList::setRows(std::vector<Row> rows)
{
    m_model->reset(std::move(rows));
}

int DataList::count() const
{
    return m_model->rowCount();
}

QString DataList::itemText(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return m_model->rows()[static_cast<std::size_t>(row)].text;
}

QString DataList::text() const
{
    return itemText(selectedRow());
}

bool DataList::matchedWithList() const
{
    return selectedRow() >= 0;
}

bool DataList::matches(const QString& text) const
{
    for (const Row& row : m_model->rows())
        if (row.text.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int DataList::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

std::optional<platform::Bookmark> DataList::selectedBookmark() const
{
    const int row = selectedRow();
    if (row < 0)
        return std::nullopt;
    return m_model->rows()[static_cast<std::size_t>(row)].bookmark;
}

platform::Value DataList::boundValue() const
{
    const int row = selectedRow();
    if (row < 0)
        return {};
    return m_model->rows()[static_cast<std::size_t>(row)].bound;
}

bool DataList::setBoundValue(const platform::Value& value)
{
    const auto& rows = m_model->rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].bound.isNull() && platform::Value::compare(rows[i].bound, value) == 0) {
            const QModelIndex index = m_model->index(static_cast<int>(i));
            setCurrentIndex(index);
            scrollTo(index);
            return true;
        }
    }
    clearSelection();
    return false;
}

bool DataList::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_hooks.keyDown) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool cancel = false;
        m_hooks.keyDown(key->key(), key->modifiers(), cancel);
        if (cancel) {
            key->accept();
            return true;
        }
    }
    return QListView::event(event);
}

void DataList::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (!selected.isEmpty() && m_hooks.click)
        m_hooks.click();
}

void DataList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (m_hooks.dblClick)
        m_hooks.dblClick();
}

void DataList::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    if (m_hooks.gotFocus)
        m_hooks.gotFocus();
}

void DataList::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    if (m_hooks.lostFocus)
        m_hooks.lostFocus();
}

} // namespace forms
