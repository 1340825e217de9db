// The chart search's rows and its filter in plain C++: which accounts stay
// listed for the text typed into the search box. No widgets, no SQL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <QString>

namespace accounts {

// One account with its sub type and main type, each shown as its code and
// name joined by two blanks ("10101001  Cash"); a missing name leaves the code.
struct ChartSearchRow {
    std::int64_t accCode = 0;
    QString accL3;
    std::int64_t typeId = 0;
    QString accL1;
    std::int64_t level2Id = 0;
    QString accL2;
};

// True when `text` occurs in the account's, the sub type's or the main type's
// code-and-name column, literally (no character is a pattern) and without
// regard to case. An empty text keeps every row.
bool matchesSearch(const ChartSearchRow& row, const QString& text);
// The positions in `rows` of the rows matchesSearch keeps, in order.
std::vector<std::size_t> filterChart(const std::vector<ChartSearchRow>& rows, const QString& text);

} // namespace accounts
