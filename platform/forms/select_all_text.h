// SelectAllText: a text box that takes the focus selects its whole text, by
// keyboard and by mouse alike.
#pragma once

class QLineEdit;
class QPlainTextEdit;

namespace forms {

// Makes `box` select its whole text whenever it takes the focus. The selection
// is made once the focus event is over, since a mouse click that gave the
// focus would otherwise place the cursor over it.
void selectAllOnFocus(QLineEdit* box);
// The same for a box of several lines.
void selectAllOnFocus(QPlainTextEdit* box);

} // namespace forms
