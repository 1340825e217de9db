// Stowkeep: the back-up program, started on its own or by the main program.
#include <QApplication>

#include "backup/stowkeep_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stowkeep"));
    backup::StowkeepWindow window;
    window.show();
    return app.exec();
}
