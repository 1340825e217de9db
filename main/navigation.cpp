// The dashboard's caption.
#include "main/navigation.h"

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

} // namespace app
