// The windows the main window can open by name. Each part of the program
// registers its windows at start (register_windows.cpp); the main window's menus
// stay disabled for names nobody registered.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace app {

class Parent;

// Makes the window; for a modal entry it must be a QDialog. The main window
// sets the parent and shows it.
using WindowFactory = std::function<QWidget*(Parent& main)>;

// Registers (or replaces) the factory for `name`.
void registerWindow(const QString& name, WindowFactory make);
// The factory for `name`, or null when none is registered.
const WindowFactory* findWindow(const QString& name);
// Forgets every registration (tests).
void clearWindows();

// Registers every window of the program; called once by main().
void registerWindows();

} // namespace app
