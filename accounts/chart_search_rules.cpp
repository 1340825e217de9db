// The chart search filter.
#include "accounts/chart_search_rules.h"

namespace accounts {

bool matchesSearch(const ChartSearchRow& row, const QString& text)
{
    return row.accL3.contains(text, Qt::CaseInsensitive) || row.accL2.contains(text, Qt::CaseInsensitive)
           || row.accL1.contains(text, Qt::CaseInsensitive);
}

std::vector<std::size_t> filterChart(const std::vector<ChartSearchRow>& rows, const QString& text)
{
    std::vector<std::size_t> kept;
    kept.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (matchesSearch(rows[i], text))
            kept.push_back(i);
    return kept;
}

} // namespace accounts
