// Stowkeep: the back-up program, started on its own or by the main program in
// the folder the main program runs in, whose DB/tamselstd.MDB it works on.
#include <QApplication>
#include <QDir>

#include "backup/back_up.h"
#include "platform/forms/window_face.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stowkeep"));
    forms::useWindowFace();
    backup::BackUp window(QDir::currentPath());
    window.show();
    return app.exec();
}
