// The signed-in main window of the tests.
#include "tests/support/signed_in_window.h"

#include <QTest>

#include "platform/report/preview.h"

namespace testing_support {

std::unique_ptr<app::Parent> signedInWindow(const QString& databasePath, const SignIn& as)
{
    auto main = std::make_unique<app::Parent>(databasePath);
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->PelkUser = as.user;
    main->FYID = as.fyId;
    main->FYStart = as.fyStart;
    main->FYEnd = as.fyEnd;
    main->CurrencySymbol = as.currency;
    main->BizName = as.business;
    main->UName = as.userName;
    main->MDIForm_Load();
    return main;
}

QString typeAndLeave(QComboBox* list, const QString& typed, QWidget* next)
{
    list->setFocus();
    QTest::keyClicks(list, typed);
    next->setFocus();
    return list->currentText();
}

report::PreviewWindow* previewOver(QWidget& w)
{
    for (auto* p : w.findChildren<report::PreviewWindow*>())
        if (p->isVisible())
            return p;
    return nullptr;
}

} // namespace testing_support
