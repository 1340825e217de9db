// The back-up program's window.
#include "backup/stowkeep_window.h"

namespace backup {

StowkeepWindow::StowkeepWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Stowkeep"));
    setWindowTitle(QStringLiteral("Stowkeep"));
    resize(480, 320);
}

} // namespace backup
