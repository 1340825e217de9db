// The date picker every window uses: one display format, one pickable range
// and a calendar drop-down, so that no window narrows the dates on its own.
#pragma once

#include <QDate>

class QDateEdit;
class QWidget;

namespace forms {

// The range every picker accepts: wide enough that no stored date is moved
// to an edge when a window shows it.
inline constexpr int kFirstPickableYear = 1900;
inline constexpr int kLastPickableYear = 2099;
QDate firstPickableDate();
QDate lastPickableDate();

// A date picker named `objectName` under `parent`: "dd-MMM-yyyy", a calendar
// pop-up and the range above. The caller sets its date and whether it is enabled.
QDateEdit* makeDatePicker(QWidget* parent, const char* objectName);

} // namespace forms
