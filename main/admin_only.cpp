// Closing an administrator's window that someone else opened.
#include "main/admin_only.h"

#include <QDialog>
#include <QTimer>

#include "main/parent.h"
#include "main/rights.h"
#include "platform/forms/messages.h"

namespace app {

bool refusedToOperator(QDialog* window, const Parent& main, Menu menu, int index)
{
    if (main.PelkUser == kAdministrator)
        return false;
    const MenuEntry* entry = findEntry(menu, index);
    forms::inform(window, QStringLiteral("Not Allowed"),
                  QString::fromUtf8(entry && entry->refusal ? entry->refusal : "You do not have access."));
    window->setEnabled(false);
    // The window is being built: it closes once it is shown.
    QTimer::singleShot(0, window, &QDialog::reject);
    return true;
}

} // namespace app
