// Hierarchies: one query per level, related in memory by their column pairs,
// so a report over thousands of parents costs as many queries as it has levels.
#include "platform/data/hierarchy.h"

#include <cctype>
#include <map>
#include <optional>
#include <stdexcept>
#include <variant>

namespace platform {

namespace {

using Key = std::variant<std::int64_t, double, std::string>;

// A relation key as the recordsets' find compares cells: whole numbers by value
// whatever their storage, text without regard to case. Null relates to nothing.
std::optional<Key> keyOf(const Value& v)
{
    if (v.isNull())
        return std::nullopt;
    if (const auto whole = v.asInt())
        return Key{*whole};
    if (v.isReal())
        return Key{std::get<double>(v.raw())};
    std::string text = v.toText();
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return Key{std::move(text)};
}

int requireColumn(const Recordset& rows, const std::string& column, const std::string& level)
{
    const int index = rows.columnIndex(column);
    if (index < 0)
        throw std::invalid_argument("The level \"" + level + "\" has no column \"" + column + "\".");
    return index;
}

} // namespace

Hierarchy::Hierarchy() = default;

Hierarchy Hierarchy::open(Database& db, std::vector<LevelQuery> levels)
{
    if (levels.empty() || levels.size() > static_cast<std::size_t>(kMaxLevels))
        throw std::invalid_argument("A hierarchy has one to three levels.");
    std::vector<LevelRows> fetched;
    fetched.reserve(levels.size());
    for (auto& q : levels)
        fetched.push_back({q.name, Recordset::open(db, std::move(q.sql), std::move(q.params)), q.parentColumn,
                           q.childColumn});
    return fromRows(std::move(fetched));
}

Hierarchy Hierarchy::fromRows(std::vector<LevelRows> levels)
{
    if (levels.empty() || levels.size() > static_cast<std::size_t>(kMaxLevels))
        throw std::invalid_argument("A hierarchy has one to three levels.");
    Hierarchy h;
    for (auto& l : levels) {
        if (!l.rows.isOpen())
            throw std::invalid_argument("The rows of the level \"" + l.name + "\" are not open.");
        Level level{l.name, l.rows.clone(), {}};
        level.children.resize(level.rows.recordCount());
        h.m_levels.push_back(std::move(level));
    }
    const std::size_t topCount = h.m_levels.front().rows.recordCount();
    h.m_top.reserve(topCount);
    for (Bookmark row = 0; row < topCount; ++row)
        h.m_top.push_back(row);

    for (std::size_t i = 1; i < h.m_levels.size(); ++i) {
        Level& parent = h.m_levels[i - 1];
        const Level& child = h.m_levels[i];
        const int parentCol = requireColumn(parent.rows, levels[i].parentColumn, parent.name);
        const int childCol = requireColumn(child.rows, levels[i].childColumn, child.name);
        // Group the child rows by key once, in fetched order, then hand each
        // parent its group: each parent's children keep the child query's order.
        std::map<Key, std::vector<Bookmark>> byKey;
        const std::size_t childCount = child.children.size();
        for (Bookmark row = 0; row < childCount; ++row)
            if (auto key = keyOf(child.rows.valueAt(row, childCol)))
                byKey[std::move(*key)].push_back(row);
        for (Bookmark row = 0; row < parent.children.size(); ++row)
            if (const auto key = keyOf(parent.rows.valueAt(row, parentCol)))
                if (const auto it = byKey.find(*key); it != byKey.end())
                    parent.children[row] = it->second;
    }
    return h;
}

Hierarchy Hierarchy::flat(const Recordset& rows, std::string name)
{
    if (!rows.isOpen())
        throw std::invalid_argument("The recordset is not open.");
    Hierarchy h;
    Recordset walk = rows;   // the caller's position stays where it is
    std::vector<Bookmark> visible;
    visible.reserve(walk.recordCount());
    for (walk.moveFirst(); !walk.eof(); walk.moveNext())
        visible.push_back(walk.bookmark());
    Level level{std::move(name), rows.clone(), {}};
    level.children.resize(level.rows.recordCount());
    h.m_levels.push_back(std::move(level));
    h.m_top = std::move(visible);
    return h;
}

void Hierarchy::close()
{
    m_levels.clear();
    m_top.clear();
}

const std::string& Hierarchy::levelName(int level) const
{
    return m_levels.at(static_cast<std::size_t>(level)).name;
}

int Hierarchy::levelOf(std::string_view member) const
{
    if (member.empty())
        return m_levels.empty() ? -1 : 0;
    const auto same = [member](const std::string& name) {
        if (name.size() != member.size())
            return false;
        for (std::size_t i = 0; i < name.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(name[i]))
                != std::tolower(static_cast<unsigned char>(member[i])))
                return false;
        return true;
    };
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        if (same(m_levels[i].name))
            return static_cast<int>(i);
    return -1;
}

int Hierarchy::columnIndex(int level, std::string_view column) const
{
    return rows(level).columnIndex(column);
}

const Recordset& Hierarchy::rows(int level) const
{
    return m_levels.at(static_cast<std::size_t>(level)).rows;
}

std::span<const Bookmark> Hierarchy::topRows() const
{
    return m_top;
}

std::span<const Bookmark> Hierarchy::childRows(int level, Bookmark row) const
{
    const Level& l = m_levels.at(static_cast<std::size_t>(level));
    return l.children.at(row);
}

const Value& Hierarchy::value(int level, Bookmark row, int column) const
{
    return rows(level).valueAt(row, column);
}

} // namespace platform
