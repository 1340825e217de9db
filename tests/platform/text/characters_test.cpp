#include "platform/text/characters.h"

#include <gtest/gtest.h>

using platform::characterCount;
using platform::cutToCharacters;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(CharacterCount, CountsCodePointsAsTheDatabaseDoes)
{
    struct Case { QString text; qsizetype count; };
    const Case cases[] = {
        {u(""), 0},
        {u("abc"), 3},
        {u("Rs\xF0\x9F\x98\x80"), 3},             // an emoji is one, not two
        {u("e\xCC\x81"), 2},                      // e and a combining acute: two code points
        {QString(QChar(0xD83D)), 1},              // a lone surrogate counts as one
        {u("\xF0\x9F\x98\x80\xF0\x9F\x98\x80"), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(characterCount(c.text), c.count);
    }
}

TEST(CutToCharacters, CutsWhereAWholeCharacterEnds)
{
    struct Case { const char* text; qsizetype limit; const char* kept; };
    const Case cases[] = {
        {"abc", 3, "abc"},                                       // fits
        {"abcd", 3, "abc"},
        {"ab\xF0\x9F\x98\x80", 3, "ab\xF0\x9F\x98\x80"},         // the emoji fits as one character
        {"abc\xF0\x9F\x98\x80", 3, "abc"},                       // no half emoji
        {"ab\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 3, "ab\xF0\x9F\x98\x80"},
        {"ae\xCC\x81", 2, "a"},                                  // the accent goes with its letter
        {"ae\xCC\x81x", 3, "ae\xCC\x81"},
        {"\xE2\x9D\xA4\xEF\xB8\x8F!", 1, ""},                    // heart and its variation selector
        {"abc", 0, ""},
        {"abc", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " / " << c.limit);
        EXPECT_EQ(cutToCharacters(u(c.text), c.limit), u(c.kept));
    }
}
