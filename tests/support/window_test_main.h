// Test support: the main() of a window test. As QTEST_MAIN, and the windows
// draw with the programs' own face, so that what a test measures on screen does
// not depend on the fonts the machine happens to have.
#pragma once

#include <QApplication>
#include <QTest>

#include "platform/forms/window_face.h"

#define WINDOW_TEST_MAIN(TestObject)                     \
    int main(int argc, char* argv[])                     \
    {                                                    \
        QApplication app(argc, argv);                    \
        app.setAttribute(Qt::AA_Use96Dpi, true);         \
        forms::useWindowFace();                          \
        TestObject tc;                                   \
        QTEST_SET_MAIN_SOURCE_PATH                       \
        return QTest::qExec(&tc, argc, argv);            \
    }
