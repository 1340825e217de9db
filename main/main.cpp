// Tamselstd: starts with the sign-in window on the database in the working folder.
#include "main/book_lock.h"
#include "main/login_form.h"
#include "main/login_store.h"
#include "main/window_catalog.h"
#include "platform/forms/application.h"
#include "platform/forms/messages.h"
#include "platform/report/print_faces.h"

int main(int argc, char* argv[])
{
    forms::Application app(argc, argv);
    forms::Application::setApplicationName(QStringLiteral("Tamsel Standard"));

    app::registerWindows();

    // Loaded before any print measures; without them the prints still work.
    const report::LoadedFaces& faces = report::loadPrintFaces();
    if (!faces.missing.isEmpty())
        forms::inform(nullptr, QStringLiteral("Print Faces Missing"), report::missingFacesText(faces));

    // Held until the program ends, so the back-up program cannot replace the
    // book under it; while that program works on the book, nothing starts.
    const auto bookLock = app::lockBookForRun(QString::fromLatin1(app::kDatabasePath));
    if (!bookLock)
        return 1;

    auto* login = new app::LoginForm(QString::fromLatin1(app::kDatabasePath));
    login->setAttribute(Qt::WA_DeleteOnClose);
    if (!login->Form_Load()) {
        delete login;
        return 1;
    }
    login->show();
    return app.exec();
}
