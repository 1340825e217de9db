# Writes SQL files into a C++ source as raw string literals: FILES and NAMES
# are comma-separated lists of the same length, each file becoming the
# function of its name.
string(REPLACE "," ";" FILES "${FILES}")
string(REPLACE "," ";" NAMES "${NAMES}")
list(LENGTH FILES count)
math(EXPR last "${count} - 1")
set(body "")
foreach(i RANGE ${last})
    list(GET FILES ${i} file)
    list(GET NAMES ${i} name)
    file(READ ${file} text)
    string(APPEND body "std::string_view ${name}() { return R\"TAMSELSQL(${text})TAMSELSQL\"; }\n")
endforeach()
file(WRITE ${OUT}
"// Generated from the SQL files of db/; do not edit.\n"
"#include <string_view>\n"
"namespace db {\n"
"${body}"
"}\n")
