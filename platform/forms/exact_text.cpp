// The given text beside the document: the document holds each of its line breaks
// as a block break, and what the document and the given text share at both ends
// is taken from the given text.
#include "platform/forms/exact_text.h"

#include <algorithm>
#include <vector>

#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <QVariant>

namespace forms {
namespace {

constexpr const char* kGiven = "exactTextGiven";

bool isBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator;
}

// The document's characters, a block break as U+2029.
QString documentText(const QTextDocument* doc)
{
    QString text;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b != doc->begin())
            text += QChar::ParagraphSeparator;
        text += b.text();
    }
    return text;
}

} // namespace

void setExactText(QPlainTextEdit* box, const QString& text)
{
    box->setProperty(kGiven, text);
    box->setPlainText(text);
}

QString exactText(const QPlainTextEdit* box)
{
    const QString given = box->property(kGiven).toString();
    // `given` as the document holds it, and where each of its characters starts in `given`.
    QString held;
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i < given.size();) {
        starts.push_back(i);
        if (given.at(i) == QLatin1Char('\r') && i + 1 < given.size() && given.at(i + 1) == QLatin1Char('\n')) {
            held += QChar::ParagraphSeparator;
            i += 2;
        } else {
            held += isBreak(given.at(i)) ? QChar(QChar::ParagraphSeparator) : given.at(i);
            ++i;
        }
    }
    starts.push_back(given.size());

    const QString shown = documentText(box->document());
    const qsizetype shortest = std::min(held.size(), shown.size());
    qsizetype prefix = 0;
    while (prefix < shortest && held.at(prefix) == shown.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix && held.at(held.size() - 1 - suffix) == shown.at(shown.size() - 1 - suffix))
        ++suffix;
    QString edited = shown.mid(prefix, shown.size() - prefix - suffix);
    edited.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return given.left(starts[prefix]) + edited + given.mid(starts[held.size() - suffix]);
}

} // namespace forms
