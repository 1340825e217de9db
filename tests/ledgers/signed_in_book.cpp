// The signed-in hand-made book.
#include "tests/ledgers/signed_in_book.h"

#include "platform/report/preview.h"

namespace testing_support {

SignedInBook::SignedInBook()
{
    main = std::make_unique<app::Parent>(t.path());
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->PelkUser = 1;
    main->FYID = kYear;
    main->FYStart = QDate(2026, 7, 1);
    main->FYEnd = QDate(2027, 6, 30);
    main->CurrencySymbol = QStringLiteral("Rs");
    main->BizName = QStringLiteral("Tamsel Traders");
    main->UName = QStringLiteral("Ali");
    main->MDIForm_Load();
    main->AccTimer_Timer();
    messages.clear();
}

report::PreviewWindow* previewOver(QWidget& w)
{
    for (auto* p : w.findChildren<report::PreviewWindow*>())
        if (p->isVisible())
            return p;
    return nullptr;
}

} // namespace testing_support
