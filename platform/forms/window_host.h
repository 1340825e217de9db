// Opens windows by name, once each: modeless ones inside the main window's
// MDI area (then given the focus), modal ones blocking until they close.
// Tests switch modal windows to a non-blocking show.
#pragma once

#include <functional>
#include <map>

#include <QPointer>
#include <QString>

class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace forms {

class WindowHost {
public:
    explicit WindowHost(QMdiArea* area);

    // Shows the window named `name`, made by `make` the first time (or again
    // after it was closed), inside the MDI area at its top-left corner, and
    // gives it the focus.
    // The window is deleted when closed. Returns it.
    QWidget* showModeless(const QString& name, const std::function<QWidget*()>& make);
    // The open window named `name`, or null.
    QWidget* find(const QString& name) const;
    // Closes every window this host opened.
    void closeAll();

    // Runs `dialog` modally and returns its result; with the test switch on,
    // shows it modally and returns -1 at once. The caller owns the dialog.
    static int runModal(QDialog* dialog);
    // Test switch: modal windows return at once instead of blocking.
    static void setModalNonBlocking(bool on);

private:
    QMdiArea* m_area;
    std::map<QString, QPointer<QMdiSubWindow>> m_open;
};

} // namespace forms
