// Reading laid-out pages, row by row or as a list of texts, and finding preview windows.
#include "tests/support/page_rows.h"

#include <algorithm>
#include <map>
#include <utility>
#include <variant>

#include <QApplication>

#include "platform/report/preview.h"

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


QStringList pageTexts(const report::Document& doc, std::size_t page)
{
    QStringList out;
    for (const auto& item : doc.pages.at(page).items)
        if (const auto* t = std::get_if<report::TextRun>(&item))
            out << t->text;
    return out;
}

QStringList documentTexts(const report::Document& doc)
{
    QStringList out;
    for (std::size_t page = 0; page < doc.pages.size(); ++page)
        out << pageTexts(doc, page);
    return out;
}

report::PreviewWindow* openPreview()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<report::PreviewWindow*>(w); p && p->isVisible())
            return p;
    return nullptr;
}

void closePreviews()
{
    while (auto* p = openPreview())
        p->close();
}

} // namespace testing_support
