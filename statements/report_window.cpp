// Waiting for the preview window, the title label and the statements' captions.
#include "statements/report_window.h"

#include <QLabel>
#include <QWidget>

#include "main/parent.h"
#include "platform/report/preview.h"

namespace statements {

void afterPreview(QWidget* owner, std::function<void()> then)
{
    for (report::PreviewWindow* preview : owner->findChildren<report::PreviewWindow*>(Qt::FindDirectChildrenOnly))
        if (preview->isVisible()) {
            QObject::connect(preview, &QDialog::finished, owner, [then = std::move(then)](int) { then(); });
            return;
        }
    then();
}

QLabel* titleLabel(QWidget* parent, const char* objectName, const QString& text)
{
    auto* title = new QLabel(text, parent);
    title->setObjectName(QLatin1String(objectName));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);
    return title;
}

statement_reports::StatementSource statementSource(const app::Parent& main, const QString& period)
{
    return {main.BizName, main.UName, main.CurrencySymbol, period};
}

} // namespace statements
