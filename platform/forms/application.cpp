// Windows catch their own errors at the slot; this only stops the ones that slip past.
#include "platform/forms/application.h"

#include <exception>

#include "platform/data/database.h"
#include "platform/forms/messages.h"

namespace forms {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const platform::DbError& e) {
        showDbFailure(activeWindow(), e);
    } catch (const std::exception& e) {
        inform(activeWindow(), QStringLiteral("Unexpected Error"), QString::fromUtf8(e.what()));
    }
    return true;
}

} // namespace forms
