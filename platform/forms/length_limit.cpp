// A validator that cuts what does not fit at a whole character, and a watch on a
// document that does the same for boxes of several lines.
#include "platform/forms/length_limit.h"

#include <algorithm>
#include <memory>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>
#include <QVariant>

#include "platform/text/characters.h"

namespace forms {
namespace {

constexpr const char* kLimit = "lengthLimit";

// What to remove from `before` + `inserted` + `after` so that it holds at most
// `limit` characters: the end of `inserted` that finds no room, or, when the
// rest alone is too long, the end of the whole text. UTF-16 offsets, [from, to).
struct Cut {
    qsizetype from = 0;
    qsizetype to = 0;
};
Cut fitInsertion(const QString& before, const QString& inserted, const QString& after, qsizetype limit)
{
    const qsizetype room = limit - platform::characterCount(before) - platform::characterCount(after);
    if (room < 0) {
        const QString whole = before + inserted + after;
        return {platform::cutToCharacters(whole, limit).size(), whole.size()};
    }
    return {before.size() + platform::cutToCharacters(inserted, room).size(), before.size() + inserted.size()};
}

// Sees each new text of the box before the box takes it. It cannot refuse an
// over-long text (QLineEdit keeps a refused setText), so it cuts it instead:
// what the last accepted text and the new one share at both ends is kept, and
// what is new in between is cut to the room left.
class LengthLimit : public QValidator {
public:
    LengthLimit(QLineEdit* box, int limit) : QValidator(box), m_limit{limit}, m_inner{box->validator()}
    {
        m_last = box->text();
        QObject::connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { m_last = text; });
    }

    State validate(QString& input, int& pos) const override
    {
        if (platform::characterCount(input) > m_limit)
            input = cut(input, pos);
        if (m_inner)
            return m_inner->validate(input, pos);
        return Acceptable;
    }

    void fixup(QString& input) const override
    {
        if (m_inner)
            m_inner->fixup(input);
    }

private:
    QString cut(const QString& input, int& pos) const
    {
        qsizetype prefix = 0;
        const qsizetype shortest = std::min(input.size(), m_last.size());
        while (prefix < shortest && input.at(prefix) == m_last.at(prefix))
            ++prefix;
        // Never part a surrogate pair between the shared start and the new text.
        if (prefix > 0 && input.at(prefix - 1).isHighSurrogate())
            --prefix;
        qsizetype suffix = 0;
        while (suffix < shortest - prefix
               && input.at(input.size() - 1 - suffix) == m_last.at(m_last.size() - 1 - suffix))
            ++suffix;
        if (suffix > 0 && input.at(input.size() - suffix).isLowSurrogate())
            --suffix;
        const Cut cut = fitInsertion(input.left(prefix), input.mid(prefix, input.size() - prefix - suffix),
                                     input.right(suffix), m_limit);
        pos = static_cast<int>(cut.from);
        return input.left(cut.from) + input.mid(cut.to);
    }

    int m_limit;
    QPointer<const QValidator> m_inner;
    QString m_last;
};

// The characters of a document's range, a block break as "\n".
QString rangeText(QTextDocument* doc, int from, int to)
{
    QTextCursor c(doc);
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    return c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

} // namespace

void limitLength(QLineEdit* box, int limit)
{
    box->setProperty(kLimit, limit);
    box->setValidator(new LengthLimit(box, limit));
}

void limitLength(QPlainTextEdit* box, int limit)
{
    box->setProperty(kLimit, limit);
    QTextDocument* doc = box->document();
    // The document tells where it changed while it changes, and may be edited
    // again only once the change is over, when the box says its text changed.
    struct Change {
        int at = 0;
        int added = 0;
        bool cutting = false;
    };
    auto change = std::make_shared<Change>();
    QObject::connect(doc, &QTextDocument::contentsChange, box, [change](int at, int, int added) {
        change->at = at;
        change->added = added;
    });
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [doc, limit, change] {
        if (change->cutting)
            return;
        const int end = doc->characterCount() - 1;   // less the document's closing break
        if (platform::characterCount(rangeText(doc, 0, end)) <= limit)
            return;
        const int from = std::clamp(change->at, 0, end);
        const int to = std::clamp(change->at + change->added, from, end);
        const Cut cut = fitInsertion(rangeText(doc, 0, from), rangeText(doc, from, to), rangeText(doc, to, end), limit);
        // Remove only what does not fit, so the text around the insertion and
        // its undo steps stay as they were.
        change->cutting = true;
        QTextCursor c(doc);
        c.setPosition(static_cast<int>(cut.from));
        c.setPosition(static_cast<int>(cut.to), QTextCursor::KeepAnchor);
        c.removeSelectedText();
        change->cutting = false;
    });
}

int lengthLimit(const QWidget* box)
{
    const QVariant limit = box->property(kLimit);
    return limit.isValid() ? limit.toInt() : -1;
}

} // namespace forms
