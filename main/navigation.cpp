// The dashboard's caption and place.
#include "main/navigation.h"

#include <QMdiSubWindow>

#include "main/parent.h"

namespace app {

Navigation::Navigation(Parent& main, QWidget* parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("Navigation"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 420);
    Form_Load();
}

void Navigation::Form_Load()
{
    setWindowTitle(QStringLiteral("Account Dashboard - ") + m_main.UName);
}

void Navigation::placeTopLeft()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->move(0, 0);
}

} // namespace app
