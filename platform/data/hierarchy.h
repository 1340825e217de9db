// Hierarchical results for grouped reports: a parent query and up to two levels
// of child queries below it, each child tied to the level above by a pair of
// columns. Reading only; what a report does with the levels is its own business.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/data/value.h"

namespace platform {

// One level of a hierarchy: its member name ("level2", "ChildCmd"), its query
// with bound values, and (below the top) the column of the level above and the
// column of this level whose equal values relate a row to its parent.
struct LevelQuery {
    std::string name;
    std::string sql;
    Params params;
    std::string parentColumn;
    std::string childColumn;
};

// One level of a hierarchy over rows already fetched or worked out in code
// (Recordset::fromRows), related to the level above as LevelQuery says.
struct LevelRows {
    std::string name;
    Recordset rows;
    std::string parentColumn;
    std::string childColumn;
};

class Hierarchy {
public:
    static constexpr int kMaxLevels = 3;

    Hierarchy();   // closed, no levels

    // Runs each level's query once and relates every level to the one above
    // in memory. Each level keeps its query's order, also within the rows of
    // one parent; a child row whose key matches no parent row is never reached,
    // one whose key matches several parents is reached from each. Keys compare
    // as the recordsets' find does: text without regard to case, text written
    // as a whole number equal to that number; a null key relates to nothing.
    // Throws std::invalid_argument for no levels, more than kMaxLevels, or a
    // relation column that its query does not return; throws DbError.
    static Hierarchy open(Database& db, std::vector<LevelQuery> levels);
    // The same over rows at hand, in their fetched order (filter and sort are
    // not applied); shares them. Throws std::invalid_argument as open() does,
    // and for rows that are not open.
    static Hierarchy fromRows(std::vector<LevelRows> levels);
    // A hierarchy of one level over the visible rows of `rows`, in their
    // current filter and sort; shares the fetched rows. The level is named
    // `name`. Throws std::invalid_argument when `rows` is closed.
    static Hierarchy flat(const Recordset& rows, std::string name = {});

    // True from open() or flat() until close().
    bool isOpen() const { return !m_levels.empty(); }
    // Drops every level; the hierarchy is closed afterwards.
    void close();

    // The number of levels, 0 when closed.
    int levelCount() const { return static_cast<int>(m_levels.size()); }
    // The member name of `level`. Throws std::out_of_range for no such level.
    const std::string& levelName(int level) const;
    // The level whose member name is `member`, ignoring case; the empty name
    // is the top level. -1 when there is none.
    int levelOf(std::string_view member) const;
    // Column index by name in `level`, ignoring case; -1 when there is none.
    int columnIndex(int level, std::string_view column) const;
    // Every fetched row of `level`, reached or not. Throws std::out_of_range
    // for no such level.
    const Recordset& rows(int level) const;

    // The rows of the top level, in order.
    std::span<const Bookmark> topRows() const;
    // The rows of `level` + 1 related to `row` of `level`, in their query's
    // order; empty at the last level or for a row without children.
    std::span<const Bookmark> childRows(int level, Bookmark row) const;
    // The value of `column` in `row` of `level`; indexes must be valid.
    const Value& value(int level, Bookmark row, int column) const;

private:
    struct Level {
        std::string name;
        Recordset rows;
        // For each row of this level, its children in the level below.
        std::vector<std::vector<Bookmark>> children;
    };
    std::vector<Level> m_levels;
    std::vector<Bookmark> m_top;
};

} // namespace platform
