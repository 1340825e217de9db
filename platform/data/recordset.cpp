// The client-side recordset: every row is fetched at open, and moves, find,
// filter and sort work on that snapshot. Changes reach it only through requery().
#include "platform/data/recordset.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <stdexcept>

namespace platform {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(),
                         [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// A text cell as a number, when it is written as one: windows look rows up by a
// code the user typed, and the column may hold it as a whole number.
std::optional<Value> textAsNumber(const std::string& text)
{
    if (const auto whole = Value{text}.asInt())
        return Value{*whole};
    double d = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), d, std::chars_format::fixed);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return Value{d};
}

// Equality as find and filterEquals see it: text ignores case, numbers compare
// by value, and text written as a number matches that number.
bool sameValue(const Value& cell, const Value& wanted)
{
    if (cell.isNull() || wanted.isNull())
        return cell.isNull() && wanted.isNull();
    if (cell.isText() && wanted.isText())
        return Value::compare(cell, wanted, true) == 0;
    if (!cell.isText() && !wanted.isText())
        return Value::compare(cell, wanted) == 0;
    const Value& text = cell.isText() ? cell : wanted;
    const Value& number = cell.isText() ? wanted : cell;
    const auto parsed = textAsNumber(std::get<std::string>(text.raw()));
    return parsed && Value::compare(*parsed, number) == 0;
}

} // namespace

Recordset::Recordset() = default;

Recordset Recordset::open(Database& db, std::string sql, Params params)
{
    Recordset rs;
    rs.m_db = &db;
    rs.m_sql = std::move(sql);
    rs.m_params = std::move(params);
    rs.requery();
    return rs;
}

Recordset Recordset::fromRows(std::vector<std::string> names, std::vector<Row> rows)
{
    for (const Row& row : rows)
        if (row.size() != names.size())
            throw std::invalid_argument("A row of " + std::to_string(row.size()) + " values does not fit "
                                        + std::to_string(names.size()) + " columns.");
    Recordset rs;
    rs.m_rows = std::make_shared<Shared>(Shared{std::move(names), std::move(rows)});
    rs.rebuildView();
    return rs;
}

void Recordset::close()
{
    *this = Recordset{};
}

void Recordset::requery()
{
    if (!m_db)
        throw std::logic_error(isOpen() ? "The recordset was made in memory and has no query to run again."
                                        : "The recordset is not open.");
    // Fetch into a fresh set first, so a failed query leaves the old rows in place.
    auto fresh = std::make_shared<Shared>();
    Statement st{*m_db, m_sql};
    st.bindAll(m_params);
    const int columns = st.columnCount();
    fresh->names.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c)
        fresh->names.push_back(st.columnName(c));
    while (st.step()) {
        Row row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(st.column(c));
        fresh->rows.push_back(std::move(row));
    }
    m_rows = std::move(fresh);
    rebuildView();
}

Recordset Recordset::clone() const
{
    // Like the windows' habit of cloning to search without moving the original:
    // the clone shows every fetched row, unfiltered, in fetched order.
    Recordset copy;
    copy.m_rows = m_rows;
    copy.m_db = m_db;
    copy.m_sql = m_sql;
    copy.m_params = m_params;
    if (copy.m_rows)
        copy.rebuildView();
    return copy;
}

std::size_t Recordset::recordCount() const
{
    return m_view.size();
}

bool Recordset::bof() const
{
    return m_view.empty() || m_pos < 0;
}

bool Recordset::eof() const
{
    return m_view.empty() || m_pos >= static_cast<long>(m_view.size());
}

void Recordset::moveFirst()
{
    m_pos = 0;
}

void Recordset::moveLast()
{
    m_pos = m_view.empty() ? 0 : static_cast<long>(m_view.size()) - 1;
}

void Recordset::moveNext()
{
    if (m_pos < static_cast<long>(m_view.size()))
        ++m_pos;
}

void Recordset::movePrevious()
{
    if (m_pos >= 0)
        --m_pos;
}

long Recordset::absolutePosition() const
{
    return (bof() || eof()) ? -1 : m_pos;
}

int Recordset::columnIndex(std::string_view name) const
{
    if (!m_rows)
        return -1;
    for (std::size_t i = 0; i < m_rows->names.size(); ++i) {
        if (equalsIgnoringCase(m_rows->names[i], name))
            return static_cast<int>(i);
    }
    return -1;
}

int Recordset::columnCount() const
{
    return m_rows ? static_cast<int>(m_rows->names.size()) : 0;
}

const std::vector<std::string>& Recordset::columnNames() const
{
    static const std::vector<std::string> none;
    return m_rows ? m_rows->names : none;
}

const Value& Recordset::operator[](std::string_view column) const
{
    const int index = columnIndex(column);
    if (index < 0)
        throw std::out_of_range("The recordset has no column \"" + std::string{column} + "\".");
    return at(index);
}

const Value& Recordset::at(int column) const
{
    if (column < 0 || column >= columnCount())
        throw std::out_of_range("The recordset has no column " + std::to_string(column) + ".");
    if (bof() || eof())
        throw std::logic_error("The recordset has no current row (BOF or EOF).");
    return m_rows->rows[m_view[static_cast<std::size_t>(m_pos)]][static_cast<std::size_t>(column)];
}

const Value& Recordset::valueAt(Bookmark row, int column) const
{
    if (!m_rows || row >= m_rows->rows.size())
        throw std::out_of_range("The recordset has no row " + std::to_string(row) + ".");
    if (column < 0 || column >= columnCount())
        throw std::out_of_range("The recordset has no column " + std::to_string(column) + ".");
    return m_rows->rows[row][static_cast<std::size_t>(column)];
}

Bookmark Recordset::bookmark() const
{
    if (bof() || eof())
        throw std::logic_error("The recordset has no current row (BOF or EOF).");
    return m_view[static_cast<std::size_t>(m_pos)];
}

void Recordset::moveTo(Bookmark row)
{
    const auto it = std::find(m_view.begin(), m_view.end(), row);
    if (it == m_view.end())
        throw std::out_of_range("Row " + std::to_string(row) + " is not among the visible rows.");
    m_pos = static_cast<long>(it - m_view.begin());
}

bool Recordset::find(std::string_view column, const Value& value, bool fromStart)
{
    const int index = columnIndex(column);
    if (index < 0)
        throw std::out_of_range("The recordset has no column \"" + std::string{column} + "\".");
    return findIf([index, &value](const Recordset& rs, Bookmark row) { return sameValue(rs.valueAt(row, index), value); },
                  fromStart);
}

bool Recordset::findIf(const RowFilter& match, bool fromStart)
{
    const auto size = static_cast<long>(m_view.size());
    for (long i = fromStart ? 0 : std::max(m_pos, 0L); i < size; ++i) {
        if (match(*this, m_view[static_cast<std::size_t>(i)])) {
            m_pos = i;
            return true;
        }
    }
    m_pos = size;
    return false;
}

void Recordset::setFilter(RowFilter keep)
{
    m_filter = std::move(keep);
    rebuildView();
}

void Recordset::filterEquals(std::string_view column, const Value& value)
{
    const int index = columnIndex(column);
    if (index < 0)
        throw std::out_of_range("The recordset has no column \"" + std::string{column} + "\".");
    setFilter([index, value](const Recordset& rs, Bookmark row) { return sameValue(rs.valueAt(row, index), value); });
}

void Recordset::setSort(std::vector<SortKey> keys)
{
    for (const auto& key : keys) {
        if (columnIndex(key.column) < 0)
            throw std::out_of_range("The recordset has no column \"" + key.column + "\".");
    }
    m_sort = std::move(keys);
    rebuildView();
}

void Recordset::rebuildView()
{
    m_view.clear();
    m_pos = 0;
    if (!m_rows)
        return;
    for (Bookmark row = 0; row < m_rows->rows.size(); ++row) {
        if (!m_filter || m_filter(*this, row))
            m_view.push_back(row);
    }
    if (m_sort.empty())
        return;
    std::vector<std::pair<std::size_t, bool>> keys;   // column index, ascending
    for (const auto& key : m_sort) {
        const int index = columnIndex(key.column);
        if (index < 0)
            throw std::out_of_range("The recordset has no column \"" + key.column + "\".");
        keys.emplace_back(static_cast<std::size_t>(index), key.ascending);
    }
    const auto& rows = m_rows->rows;
    // Stable, so rows equal on every key keep their fetched order.
    std::stable_sort(m_view.begin(), m_view.end(), [&](Bookmark a, Bookmark b) {
        for (const auto& [column, ascending] : keys) {
            const int c = Value::compare(rows[a][column], rows[b][column], true);
            if (c != 0)
                return ascending ? c < 0 : c > 0;
        }
        return false;
    });
}

} // namespace platform
