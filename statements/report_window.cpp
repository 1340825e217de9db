// Waiting for the preview window.
#include "statements/report_window.h"

#include <QWidget>

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

} // namespace statements
