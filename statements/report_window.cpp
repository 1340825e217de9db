// Waiting for the preview window, the title label and the statements' captions.
#include "statements/report_window.h"

#include <stdexcept>

#include <QLabel>
#include <QWidget>

#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/data/hierarchy.h"
#include "platform/forms/messages.h"
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

void runPrint(QWidget* owner, platform::Hierarchy& rows, const std::function<void()>& print,
              const std::function<void()>& failed, std::function<void()> closed)
{
    try {
        print();
    } catch (const std::logic_error& e) {
        // A layout that cannot be made (a field or format the report does not know).
        rows.close();
        forms::inform(owner, QStringLiteral("Cannot Print"), QString::fromUtf8(e.what()));
        failed();
        return;
    } catch (const std::exception& e) {
        rows.close();
        forms::showError(owner, e);
        failed();
        return;
    }
    afterPreview(owner, std::move(closed));
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
