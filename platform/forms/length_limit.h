// Length limits of text boxes, counted in characters as platform/text/characters
// counts them (code points, the database's own count). What is typed stays to the
// windows.
#pragma once

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace forms {

// Makes `box` hold at most `limit` characters (platform::characterCount), in
// place of QLineEdit::setMaxLength, which counts UTF-16 units and can keep half
// an emoji. A typed character that does not fit is refused; a paste or a set
// text that does not fit is cut where a whole character ends
// (platform::cutToCharacters), keeping the text around it; the box never holds
// half a character. A validator `box` already has still judges the text after
// the cut; a validator set afterwards replaces the limit, so set it first.
void limitLength(QLineEdit* box, int limit);
// The same for a box of several lines; a line break counts as one character.
void limitLength(QPlainTextEdit* box, int limit);

// The limit limitLength set on `box`, or -1 when it has none.
int lengthLimit(const QWidget* box);

} // namespace forms
