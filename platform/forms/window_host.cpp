// Single-instance windows in the MDI area, and the modal run that tests bypass.
#include "platform/forms/window_host.h"

#include <QDialog>
#include <QMdiArea>
#include <QMargins>
#include <QMdiSubWindow>
#include <QWidget>

namespace forms {
namespace {
bool g_modalNonBlocking = false;
}

WindowHost::WindowHost(QMdiArea* area) : m_area{area} {}

QWidget* WindowHost::showModeless(const QString& name, const std::function<QWidget*()>& make)
{
    QMdiSubWindow* sub = nullptr;
    if (auto it = m_open.find(name); it != m_open.end() && it->second)
        sub = it->second;
    if (!sub) {
        QWidget* w = make();
        w->setObjectName(name);
        const bool sized = w->testAttribute(Qt::WA_Resized);
        const QSize size = w->size();
        sub = m_area->addSubWindow(w);
        // A window that chose its size keeps it; the frame adds its borders.
        if (sized) {
            sub->ensurePolished();
            const QMargins frame = sub->contentsMargins();
            sub->resize(size.grownBy(frame));
        }
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // Every window of the frame opens at its top-left corner; once shown,
        // it stays where the user moves it.
        sub->move(0, 0);
        m_open[name] = sub;
    }
    sub->show();
    sub->widget()->show();
    m_area->setActiveSubWindow(sub);
    sub->widget()->setFocus(Qt::OtherFocusReason);
    return sub->widget();
}

QWidget* WindowHost::find(const QString& name) const
{
    if (auto it = m_open.find(name); it != m_open.end() && it->second)
        return it->second->widget();
    return nullptr;
}

void WindowHost::closeAll()
{
    for (auto& [name, sub] : m_open)
        if (sub)
            sub->close();
    m_open.clear();
}

int WindowHost::runModal(QDialog* dialog)
{
    if (g_modalNonBlocking) {
        dialog->setModal(true);
        dialog->show();
        return -1;
    }
    return dialog->exec();
}

void WindowHost::setModalNonBlocking(bool on)
{
    g_modalNonBlocking = on;
}

} // namespace forms
