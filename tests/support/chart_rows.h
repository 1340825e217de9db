// Test support: a chart of accounts written from a short table, each row's
// level told by the length of its code (3, 5 or 8 digits).
#pragma once

#include <cstdint>
#include <initializer_list>

namespace platform { class Database; }

namespace testing_support {

struct ChartRow {
    std::int64_t code;
    const char* name;
};

// Writes `rows` in order: a 3-digit code is a main type of the nature whose
// range holds it (10 for 100 to 199, 20 for 200 to 299, 30 for 300 to 399), a
// 5-digit code a sub type of its first 3 digits, an 8-digit code an account of
// its first 5. Throws platform::DbError.
void addChart(platform::Database& db, std::initializer_list<ChartRow> rows);

} // namespace testing_support
