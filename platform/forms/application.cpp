// Windows catch their own errors at the slot; this only stops the ones that slip past.
#include "platform/forms/application.h"

#include <exception>

#include "platform/forms/messages.h"
#include "platform/forms/window_face.h"

namespace forms {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    useWindowFace();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showError(activeWindow(), e);
    }
    return true;
}

} // namespace forms
