// A table is described through SQLite's pragmas rather than its CREATE text:
// a column added by an upgrade (ALTER TABLE) leaves the text of an upgraded
// file unlike a new one's although the table is the same. Indexes, triggers
// and views have no such path, so their text is compared, made canonical.
#include "db/layout_check.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>
#include <utility>

#include "db/delivered.h"
#include "platform/data/database.h"

namespace db {
namespace {

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool isWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

// The SQL text as tokens joined by single spaces: comments dropped, words and
// quoted names lower-cased without their quotes, string literals kept as they
// are. Two texts that SQLite reads alike but for layout and case come out equal.
std::string canonicalSql(std::string_view sql)
{
    std::string out;
    const auto add = [&](std::string_view token) {
        if (!out.empty())
            out += ' ';
        out += token;
    };
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            while (i < sql.size() && sql[i] != '\n')
                ++i;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const std::size_t end = sql.find("*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            std::size_t j = i + 1;
            std::string body;
            for (; j < sql.size(); ++j) {
                if (sql[j] == close) {
                    if (close != ']' && j + 1 < sql.size() && sql[j + 1] == close) {   // a doubled quote
                        body += sql[++j];
                        continue;
                    }
                    break;
                }
                body += sql[j];
            }
            i = std::min(j + 1, sql.size());
            if (c == '\'')
                add("'" + body + "'");   // a literal: its case and spaces matter
            else
                add(lower(body));
        } else if (isWordChar(c)) {
            std::size_t j = i;
            while (j < sql.size() && isWordChar(sql[j]))
                ++j;
            add(lower(sql.substr(i, j - i)));
            i = j;
        } else {
            add(sql.substr(i, 1));
            ++i;
        }
    }
    return out;
}

std::vector<std::string> rowsAsText(platform::Database& db, std::string_view sql, const std::string& table)
{
    std::vector<std::string> rows;
    platform::Statement st(db, sql);
    st.bind(1, table);
    while (st.step()) {
        std::string row;
        for (int c = 0; c < st.columnCount(); ++c)
            row += (st.columnIsNull(c) ? std::string("null") : canonicalSql(st.column(c).toText())) + "|";
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string tableDefinition(platform::Database& db, const std::string& table)
{
    std::string text = "rowid " + db.scalar("SELECT wr = 0 FROM pragma_table_list WHERE schema = 'main' AND name = ?",
                                             {table}).toText() + "\n";
    for (const auto& column : rowsAsText(db, "SELECT name, type, \"notnull\", dflt_value, pk, hidden"
                                             " FROM pragma_table_xinfo(?)", table))
        text += "column " + column + "\n";
    // The unique keys, by their columns: SQLite's own names for them count the
    // constraints of the table and say nothing of what they hold.
    for (const auto& key : rowsAsText(db, "SELECT l.origin, (SELECT group_concat(name, ',') FROM"
                                          " (SELECT name FROM pragma_index_info(l.name) ORDER BY seqno))"
                                          " FROM pragma_index_list(?) l WHERE l.origin IN ('u', 'pk')", table))
        text += "unique " + key + "\n";
    for (const auto& reference : rowsAsText(db, "SELECT \"table\", group_concat(\"from\" || '>' || \"to\", ','),"
                                                " on_update, on_delete FROM"
                                                " (SELECT * FROM pragma_foreign_key_list(?) ORDER BY id, seq) GROUP BY id", table))
        text += "references " + reference + "\n";
    return text;
}

std::map<std::string, const SchemaObject*> byKey(const std::vector<SchemaObject>& objects)
{
    std::map<std::string, const SchemaObject*> keyed;
    for (const auto& object : objects)
        keyed.emplace(object.kind + " " + lower(object.name), &object);
    return keyed;
}

} // namespace

std::vector<SchemaObject> describeSchema(platform::Database& db)
{
    std::vector<SchemaObject> objects;
    {
        platform::Statement st(db, "SELECT type, name, sql FROM sqlite_schema"
                                   " WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"
                                   " AND type IN ('table', 'index', 'trigger', 'view')");
        while (st.step())
            objects.push_back({st.column(0).toText(), st.column(1).toText(), st.column(2).toText()});
    }
    for (auto& object : objects)
        object.definition = object.kind == "table" ? tableDefinition(db, object.name) : canonicalSql(object.definition);
    // Tables first: a missing table takes its indexes and triggers with it.
    const auto rank = [](const std::string& kind) { return kind == "table" ? 0 : kind == "index" ? 1 : kind == "trigger" ? 2 : 3; };
    std::sort(objects.begin(), objects.end(), [&](const SchemaObject& a, const SchemaObject& b) {
        return std::pair(rank(a.kind), lower(a.name)) < std::pair(rank(b.kind), lower(b.name));
    });
    return objects;
}

std::vector<StoredObject> storedObjects(platform::Database& db)
{
    std::vector<StoredObject> objects;
    platform::Statement st(db, "SELECT type, name, tbl_name, coalesce(sql, '') FROM sqlite_schema ORDER BY rowid");
    while (st.step())
        objects.push_back({st.column(0).toText(), st.column(1).toText(), st.column(2).toText(), st.column(3).toText()});
    return objects;
}

const std::vector<StoredObject>& currentStoredObjects()
{
    static const std::vector<StoredObject> objects = [] {
        platform::Database fresh = platform::Database::createEmpty(":memory:");
        fillLayout(fresh);
        return storedObjects(fresh);
    }();
    return objects;
}

const std::vector<SchemaObject>& currentLayout()
{
    static const std::vector<SchemaObject> layout = [] {
        platform::Database fresh = platform::Database::createEmpty(":memory:");
        fillDelivered(fresh, "2000-01-01", "2000-01-01 00:00:00");
        return describeSchema(fresh);
    }();
    return layout;
}

std::vector<std::string> layoutDifferences(platform::Database& db)
{
    const std::vector<SchemaObject>& expected = currentLayout();
    const std::vector<SchemaObject> present = describeSchema(db);
    const auto expectedByKey = byKey(expected);
    const auto presentByKey = byKey(present);
    std::vector<std::string> differences;
    for (const auto& object : expected) {
        const auto it = presentByKey.find(object.kind + " " + lower(object.name));
        if (it == presentByKey.end())
            differences.push_back("the " + object.kind + " " + object.name + " is missing");
        else if (it->second->definition != object.definition)
            differences.push_back("the " + object.kind + " " + object.name + " is not the one this version makes");
    }
    for (const auto& object : present)
        if (!expectedByKey.contains(object.kind + " " + lower(object.name)))
            differences.push_back("the " + object.kind + " " + object.name + " does not belong to it");
    return differences;
}

} // namespace db
