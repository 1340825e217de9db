# Writes the two SQL files into a C++ source as raw string literals.
file(READ ${SCHEMA} schema_text)
file(READ ${ROWS} rows_text)
file(WRITE ${OUT}
"// Generated from db/schema.sql and db/delivered_rows.sql; do not edit.\n"
"#include <string_view>\n"
"namespace db {\n"
"std::string_view schemaSql() { return R\"TAMSELSQL(${schema_text})TAMSELSQL\"; }\n"
"std::string_view deliveredRowsSql() { return R\"TAMSELSQL(${rows_text})TAMSELSQL\"; }\n"
"}\n")
