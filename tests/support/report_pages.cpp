// Reading laid-out pages and finding preview windows, for report and window tests.
#include "tests/support/report_pages.h"

#include <variant>

#include <QApplication>

#include "platform/report/preview.h"

namespace testing_support {

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
