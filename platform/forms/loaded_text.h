// Texts a window loads into single-line boxes: shown from their start. Qt's
// setText leaves the cursor after the text, so a text longer than its box would
// open scrolled to its end. What a box holds and may take stays to the windows.
#pragma once

class QLineEdit;
class QString;

namespace forms {

// Puts `text` into `box` as setText does, and shows it from its first
// character, the cursor before it.
void setLoadedText(QLineEdit* box, const QString& text);

// Shows the text `box` holds from its first character: for a box filled in
// another way, such as an editable combo box's when its entry is chosen in code.
void showStart(QLineEdit* box);

} // namespace forms
