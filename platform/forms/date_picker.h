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
// pop-up and the range above. Taking the focus selects the whole date; typed
// digits then fill the day, the month and the year in turn ("31" on
// 10-Dec-2026 gives 31-Dec-2026, "05032027" 05-Mar-2027), a separator moves
// to the next part. A typed date that is none (31-02, a month 13) or lies
// outside the range is not taken: once its year is typed, or when the box is
// left, the box shows again the date it had and a note under it (a label
// "DateRefusal" of the box's window) says why for a few seconds. The
// caller sets its date and whether it is enabled.
QDateEdit* makeDatePicker(QWidget* parent, const char* objectName);

} // namespace forms
