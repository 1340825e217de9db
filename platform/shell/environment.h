// Today's date, the time and the screen's width, through a seam that tests set.
#pragma once

#include <optional>

#include <QDate>
#include <QDateTime>

namespace shell {

// Today's date without the time of day: the machine's, unless a test set one.
QDate today();
// The current date and time: the machine's, unless a test set one.
QDateTime now();
// The primary screen's width in twips (15 twips a pixel): the machine's,
// unless a test set one. 0 when there is no screen.
int screenWidthTwips();

// Test seams: a value replaces the machine's; nothing gives it back.
void setToday(std::optional<QDate> day);
void setNow(std::optional<QDateTime> when);
void setScreenWidthTwips(std::optional<int> twips);

} // namespace shell
