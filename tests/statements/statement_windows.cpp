// The statement windows' test fixture.
#include "tests/statements/statement_windows.h"

#include "platform/report/preview.h"
#include "platform/text/formats.h"

namespace testing_support {

StatementWindows::StatementWindows()
{
    main = std::make_unique<app::Parent>(t.path());
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->FYID = kYear;
    main->FYStart = QDate(2026, 7, 1);
    main->FYEnd = QDate(2027, 6, 30);
    main->MDIForm_Load();
    main->BizName = QStringLiteral("Tamsel Traders");
    main->UName = QStringLiteral("Ali");
    main->CurrencySymbol = QStringLiteral("Rs");
    messages.clear();
}

report::PreviewWindow* openPreview(QWidget& w)
{
    for (auto* p : w.findChildren<report::PreviewWindow*>())
        if (p->isVisible())
            return p;
    return nullptr;
}

QString whole(platform::Money m)
{
    return platform::formatMoneyQ(m, "#,##0;(#,##0)");
}

} // namespace testing_support
