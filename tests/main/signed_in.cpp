// Signed-in main windows for the tests of the settings windows.
#include "tests/main/signed_in.h"

#include <QComboBox>
#include <QLineEdit>

#include "main/login_form.h"
#include "main/parent.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "platform/shell/launcher.h"
#include "tests/support/signed_in_window.h"
#include "tests/support/test_database.h"

namespace signed_in {

void setUpSeams()
{
    shell::setScreenWidthTwips(20000);
    shell::setToday(QDate(2026, 12, 10));
    shell::setStartHook([](const QString&, const QStringList&) { return false; });
    shell::setUrlHook([](const QUrl&) {});
    forms::WindowHost::setModalNonBlocking(true);
}

std::unique_ptr<app::Parent> mainWindow(testing_support::TestDatabase& t, int user, const QString& name)
{
    auto main = testing_support::signedInWindow(
        t.path(), {.user = user, .fyId = 1, .business = QStringLiteral("My Business"), .userName = name});
    main->ExitOpt = true;   // closing asks nothing
    return main;
}

std::unique_ptr<app::Parent> signIn(testing_support::TestDatabase& t, const QString& userName,
                                    const QString& password)
{
    app::LoginForm form(t.path());
    if (!form.Form_Load())
        return nullptr;
    auto* users = form.findChild<QComboBox*>(QStringLiteral("UserCombo"));
    users->setCurrentIndex(users->findText(userName));
    if (users->currentIndex() < 0)
        return nullptr;
    form.findChild<QLineEdit*>(QStringLiteral("PWD"))->setText(password);
    form.OkBttn_Click();
    std::unique_ptr<app::Parent> main(form.mainWindow());
    if (main) {
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->ExitOpt = true;
    }
    return main;
}

} // namespace signed_in
