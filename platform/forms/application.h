// The QApplication both programs run: a last guard that turns an error escaping
// an event handler into a message instead of ending the program with a trace.
#pragma once

#include <QApplication>

namespace forms {

class Application : public QApplication {
    Q_OBJECT

public:
    // Also sets the windows' face (window_face.h).
    Application(int& argc, char** argv);
    // Delivers the event; a std::exception that escapes a handler is shown as
    // forms::showError shows it and the event counts as handled.
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace forms
