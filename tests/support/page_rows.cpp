// Rows of texts of a laid-out page.
#include "tests/support/page_rows.h"

#include <algorithm>
#include <map>
#include <utility>

namespace testing_support {

std::vector<QStringList> rowsOf(const report::Page& page)
{
    std::map<report::Twips, std::vector<std::pair<report::Twips, QString>>> byTop;
    for (const auto& item : page.items)
        if (const auto* t = std::get_if<report::TextRun>(&item))
            byTop[t->rect.top].emplace_back(t->rect.left, t->text);
    std::vector<QStringList> rows;
    for (auto& [top, texts] : byTop) {
        std::sort(texts.begin(), texts.end());
        QStringList row;
        for (const auto& [left, text] : texts)
            row << text;
        rows.push_back(row);
    }
    return rows;
}

} // namespace testing_support
