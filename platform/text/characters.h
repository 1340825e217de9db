// How long a text is as the limits of the boxes and the database count it, and
// where a text that is too long is cut. Widgets are left to platform/forms.
#pragma once

#include <QString>

namespace platform {

// A character, for every limit of this program, is one Unicode code point:
// what SQLite's length() counts in the CHECK constraints of db/schema.sql, so a
// text a box accepts is never refused by the database. An emoji such as U+1F600
// is one character although it takes two UTF-16 units. Texts are cut only where
// a person sees a character end (a grapheme boundary), so an accent, a
// variation selector or a joined emoji is kept whole or dropped whole.

// The number of characters in `text`; a lone surrogate counts as one.
qsizetype characterCount(const QString& text);

// The longest start of `text` that holds at most `limit` characters and ends
// where a person sees a character end; `text` itself when it fits, empty
// when `limit` is 0 or less or the first character alone is longer.
QString cutToCharacters(const QString& text, qsizetype limit);

} // namespace platform
