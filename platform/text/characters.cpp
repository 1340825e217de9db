// Character counts in code points and cuts at grapheme boundaries.
#include "platform/text/characters.h"

#include <QTextBoundaryFinder>

namespace platform {

qsizetype characterCount(const QString& text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

QString cutToCharacters(const QString& text, qsizetype limit)
{
    if (limit <= 0)
        return {};
    if (characterCount(text) <= limit)
        return text;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype kept = 0;        // UTF-16 units of the whole characters that fit
    qsizetype counted = 0;     // their code points
    qsizetype start = 0;
    for (qsizetype end = graphemes.toNextBoundary(); end > 0; end = graphemes.toNextBoundary()) {
        counted += characterCount(text.mid(start, end - start));
        if (counted > limit)
            break;
        kept = end;
        start = end;
    }
    return text.left(kept);
}

} // namespace platform
