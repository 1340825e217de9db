// Pieces the small settings and administration windows are built from: the
// bold title label, a button that Enter never presses by itself, a row of
// buttons at the right, and the report of a failed read or write.
#pragma once

#include <exception>
#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QString;
class QWidget;

namespace app {

// The window's title label: bold, four points larger.
QLabel* titleLabel(QWidget* window, const QString& text);
// A button named `objectName` with `caption`; it is no auto-default.
QPushButton* makeButton(QWidget* window, const QString& caption, const QString& objectName);
// The buttons at the right of a row.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);
// "Cannot Save": the one business row is missing, so the settings have nowhere to go.
void showNoCompanyRow(QWidget* window);
// Shows a failure of the database under "Database Error", or any other
// failure (the password library) under "Cannot Save" with its text.
void showError(QWidget* window, const std::exception& error);

} // namespace app
