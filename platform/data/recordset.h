// A client-side snapshot of a query's rows, walked with a current row as the
// windows expect: moves, BOF/EOF, find, filter and sort on the fetched rows,
// clones that share the rows, bookmarks and requery. Reading only: writes go
// through statements inside a Transaction.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data/database.h"
#include "platform/data/value.h"

namespace platform {

// Position of a row in the fetched rows; stays valid across filter, sort and
// clone, not across requery.
using Bookmark = std::size_t;

class Recordset {
public:
    using Row = std::vector<Value>;
    using RowFilter = std::function<bool(const Recordset&, Bookmark)>;

    Recordset();   // closed, no rows
    // Runs `sql` with `params` on `db` and fetches every row. Stands on the first
    // row, or at EOF when there is none. Keeps `db` for requery(): the caller
    // keeps the connection alive while the recordset is used. Throws DbError.
    static Recordset open(Database& db, std::string sql, Params params = {});
    // A recordset over rows made in memory (a window's figures worked out in
    // code), with the columns `names`; it stands on the first row. It has no
    // query: requery() throws std::logic_error. Throws std::invalid_argument
    // for a row that has not one value per column.
    static Recordset fromRows(std::vector<std::string> names, std::vector<Row> rows);

    bool isOpen() const { return m_rows != nullptr; }
    void close();
    // Runs the query again and fetches its rows afresh; filter and sort are kept,
    // the position goes to the first row. Throws DbError.
    void requery();
    // A second recordset on the same fetched rows, with its own position, filter
    // and sort; it starts unfiltered, in fetched order, on the first row.
    Recordset clone() const;

    // Number of rows visible through the filter.
    std::size_t recordCount() const;
    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Position among the visible rows, 0-based; -1 at BOF or EOF.
    long absolutePosition() const;

    // Column index by name, ignoring case; -1 when there is no such column.
    int columnIndex(std::string_view name) const;
    int columnCount() const;
    const std::vector<std::string>& columnNames() const;
    // Value of a column of the current row. Throws std::out_of_range for an
    // unknown column and std::logic_error at BOF or EOF.
    const Value& operator[](std::string_view column) const;
    const Value& at(int column) const;
    // Value of a column of a row by its bookmark.
    const Value& valueAt(Bookmark row, int column) const;

    Bookmark bookmark() const;          // throws std::logic_error at BOF or EOF
    void moveTo(Bookmark row);          // throws std::out_of_range if not visible

    // Looks for the first visible row at or after the current one (or, with
    // `fromStart`, from the first) whose `column` equals `value`; text compares
    // without regard to case. Stands on it and returns true, or goes to EOF and
    // returns false.
    bool find(std::string_view column, const Value& value, bool fromStart = false);
    // Same, with a predicate on the row.
    bool findIf(const RowFilter& match, bool fromStart = false);

    // Keeps only the rows for which `keep` is true (replacing any earlier
    // filter); an empty function shows every row again. Goes to the first row.
    void setFilter(RowFilter keep);
    // Convenience filter: rows whose `column` equals `value`.
    void filterEquals(std::string_view column, const Value& value);
    // Orders the visible rows by columns, in turn; text without regard to case.
    // An empty list restores the fetched order. Goes to the first row.
    struct SortKey { std::string column; bool ascending = true; };
    void setSort(std::vector<SortKey> keys);

private:
    struct Shared {
        std::vector<std::string> names;
        std::vector<Row> rows;
    };
    void rebuildView();

    std::shared_ptr<Shared> m_rows;
    std::vector<Bookmark> m_view;   // visible rows, in order
    long m_pos = -1;                // index into m_view; m_view.size() means EOF
    RowFilter m_filter;
    std::vector<SortKey> m_sort;
    Database* m_db = nullptr;
    std::string m_sql;
    Params m_params;
};

} // namespace platform
