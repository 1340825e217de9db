// The windows' face: one family and size for both programs and their tests.
#include "platform/forms/window_face.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QString>

namespace forms {

namespace {

constexpr const char* kFamily = "DejaVu Sans";
constexpr int kPoints = 9;   // what the desktop gives a sans face when asked for none

} // namespace

void useWindowFace()
{
    const QString family = QString::fromLatin1(kFamily);
    if (!QFontDatabase::families().contains(family)) {
        // fonts-dejavu-core's files, where set-up installs them.
        for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
            QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/") +
                                              QString::fromLatin1(file));
    }
    if (QFontDatabase::families().contains(family))
        QApplication::setFont(QFont(family, kPoints));
}

} // namespace forms
