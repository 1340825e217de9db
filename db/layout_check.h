// Compares a database file's schema with the one this program makes for a new
// database (fillDelivered), object by object. Reads only; whether a difference
// refuses the file is the caller's decision.
#pragma once

#include <string>
#include <vector>

namespace platform { class Database; }

namespace db {

// One table, index, trigger or view of a schema. `definition` is equal for two
// objects exactly when they are made alike: a table by its columns (name,
// type, not null, default, key) in any order, its unique keys, its references
// and whether it has a rowid; an index, trigger or view by its SQL text with
// case, spacing, quoting and comments left out.
struct SchemaObject {
    std::string kind;         // "table", "index", "trigger" or "view"
    std::string name;         // as the schema spells it
    std::string definition;
};

// One row of a schema as SQLite keeps it: what a freshly made book holds,
// compared exactly.
struct StoredObject {
    std::string type;    // "table", "index", "trigger" or "view"
    std::string name;
    std::string table;   // tbl_name: the table an index or trigger belongs to
    std::string sql;     // the text SQLite made the object from; empty for SQLite's own indexes
    bool operator==(const StoredObject&) const = default;
};

// Every row of `db`'s sqlite_schema, SQLite's own (sqlite_sequence, the
// indexes of UNIQUE keys) included, in the order the objects were made.
// Throws platform::DbError.
std::vector<StoredObject> storedObjects(platform::Database& db);

// storedObjects of a new database of the current layout, made in memory by
// the code that makes the delivered file; worked out once per process.
// Throws platform::DbError.
const std::vector<StoredObject>& currentStoredObjects();

// Every object of `db`'s main schema but SQLite's own, in order of kind and
// name (names compared without case), tables first. Throws platform::DbError.
std::vector<SchemaObject> describeSchema(platform::Database& db);

// The schema of a new database of the current layout, made in memory by the
// code that makes the delivered file; worked out once per process.
// Throws platform::DbError.
const std::vector<SchemaObject>& currentLayout();

// How the schema of `db` departs from the current layout, one phrase per
// difference ("the table Jobs is missing", "the trigger X is not the one this
// version makes", "the table notes does not belong to it"): the missing and
// changed objects first, then the foreign ones, each in order of kind and
// name; empty when it is the current layout. Throws platform::DbError.
std::vector<std::string> layoutDifferences(platform::Database& db);

} // namespace db
