// The text of a box of several lines exactly as stored or typed. QPlainTextEdit's
// toPlainText turns no-break spaces into spaces and every line break into "\n";
// these two calls keep them. Limits stay to length_limit.
#pragma once

class QPlainTextEdit;
class QString;

namespace forms {

// Shows `text` in `box` and keeps it as the text the box was given.
void setExactText(QPlainTextEdit* box, const QString& text);

// The text `box` shows, character for character: no-break spaces and line
// separators (U+2028) as they are. Where the text is as setExactText gave it,
// its own line breaks come back as they were ("\r\n", "\n", "\r" or U+2029);
// a break typed or pasted in since is "\n". So a text saved unedited is the
// text loaded, whatever its breaks.
QString exactText(const QPlainTextEdit* box);

} // namespace forms
