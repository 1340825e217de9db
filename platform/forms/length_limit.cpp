// A validator that cuts what does not fit at a whole character, and a watch on a
// document that does the same for boxes of several lines.
#include "platform/forms/length_limit.h"

#include <algorithm>
#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
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

// Takes a typed character or a paste from the keyboard that does not fit before
// the box does, and inserts only what fits: the box then never has to cut a
// text it took, which would cost it its undo steps (QLineEdit forgets them
// whenever its validator changes a text). The validator below stays for what
// comes another way (a set text, a drop, the context menu, an input method).
class LengthLimitKeys : public QObject {
public:
    LengthLimitKeys(QLineEdit* box, int limit) : QObject(box), m_limit{limit} { box->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* box = static_cast<QLineEdit*>(watched);
        const auto* key = static_cast<const QKeyEvent*>(event);
        QString inserted;
        if (key->matches(QKeySequence::Paste))
            inserted = QApplication::clipboard()->text();
        else if (!key->text().isEmpty() && key->text().at(0).isPrint()
                 && !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            inserted = key->text();
        if (inserted.isEmpty() || box->isReadOnly())
            return false;
        const QString text = box->text();
        const qsizetype from = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
        const qsizetype to = box->hasSelectedText() ? from + box->selectedText().size() : from;
        const Cut cut = fitInsertion(text.left(from), inserted, text.mid(to), m_limit);
        if (cut.to == cut.from)
            return false;   // it all fits: the box takes it as ever
        const QString fits = inserted.left(std::max<qsizetype>(0, cut.from - from));
        if (fits.isEmpty() && !box->hasSelectedText())
            return true;    // nothing fits: refused, the box as it was
        box->insert(fits);
        return true;
    }

private:
    int m_limit;
};

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
    // `pos` is the cursor after the change, so the new text ends there: the
    // shared end is looked for after it and the shared start before it, so
    // that a character the box already held is never taken for a new one.
    QString cut(const QString& input, int& pos) const
    {
        const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
        qsizetype suffix = 0;
        const qsizetype longestSuffix = std::min(input.size() - cursor, m_last.size());
        while (suffix < longestSuffix
               && input.at(input.size() - 1 - suffix) == m_last.at(m_last.size() - 1 - suffix))
            ++suffix;
        if (suffix > 0 && input.at(input.size() - suffix).isLowSurrogate())
            --suffix;
        qsizetype prefix = 0;
        const qsizetype longestPrefix = std::min(cursor, m_last.size() - suffix);
        while (prefix < longestPrefix && input.at(prefix) == m_last.at(prefix))
            ++prefix;
        // Never part a surrogate pair between the shared start and the new text.
        if (prefix > 0 && input.at(prefix - 1).isHighSurrogate())
            --prefix;
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
    new LengthLimitKeys(box, limit);
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
        // Remove only what does not fit, so the text around the insertion
        // stays as it was, as a part of the insertion's own undo step: undoing
        // it then undoes the shortened insertion, instead of bringing back a
        // text too long that would be cut again at once.
        change->cutting = true;
        QTextCursor c(doc);
        c.joinPreviousEditBlock();
        c.setPosition(static_cast<int>(cut.from));
        c.setPosition(static_cast<int>(cut.to), QTextCursor::KeepAnchor);
        c.removeSelectedText();
        c.endEditBlock();
        change->cutting = false;
    });
}

int lengthLimit(const QWidget* box)
{
    const QVariant limit = box->property(kLimit);
    return limit.isValid() ? limit.toInt() : -1;
}

} // namespace forms
