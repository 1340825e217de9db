// The date picker factory and its keyboard entry: the focus selects the whole
// date, and typed digits fill the day, the month and the year in turn.
#include "platform/forms/date_picker.h"

#include <algorithm>
#include <optional>

#include <QBasicTimer>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QTimerEvent>
#include <QToolTip>

#include "platform/text/date_typing.h"

namespace forms {
namespace {

// The box alone would take typed digits only into the section under the
// cursor (and none into the month's name), so a click and "31" did nothing.
class TypedDateKeys : public QObject {
public:
    explicit TypedDateKeys(QDateEdit* edit) : QObject(edit), m_edit(edit) {}
    ~TypedDateKeys() override { delete m_note; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_edit)
            return false;
        switch (event->type()) {
        case QEvent::FocusOut:
            // Left with typed parts that make no date the box can take.
            if (m_typing && !takeable(m_typing->date()))
                refuse();
            m_typing.reset();
            return false;
        case QEvent::FocusIn:
            m_typing.reset();
            // After the focus event, so a click that gave the focus does not
            // put the cursor back over the selection.
            QTimer::singleShot(0, m_edit, [edit = m_edit] { edit->selectAll(); });
            return false;
        case QEvent::KeyPress:
            return typed(static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return clickedIntoTheText(static_cast<QMouseEvent*>(event));
        default:
            return false;
        }
    }

private:
    // A click into the text of a picker with a calendar pop-up would step the
    // date one day back (the box takes the edit field for its down arrow), so
    // such a click only selects the date; the arrow still opens the calendar.
    bool clickedIntoTheText(QMouseEvent* mouse)
    {
        QStyleOptionComboBox opt;
        opt.initFrom(m_edit);
        opt.editable = true;
        opt.subControls = QStyle::SC_All;
        const QRect arrow =
            m_edit->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, m_edit);
        if (mouse->button() != Qt::LeftButton || arrow.contains(mouse->position().toPoint()))
            return false;
        if (m_typing && !takeable(m_typing->date()))
            refuse();
        m_typing.reset();
        m_edit->selectAll();
        mouse->accept();
        return true;
    }

    bool typed(QKeyEvent* key)
    {
        const QString text = key->text();
        if (text.size() != 1 || m_edit->isReadOnly() || (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
            || text[0] == QLatin1Char('\t')) {
            // Tab, arrows, F4, Backspace and the like keep their own meaning;
            // they end a typing that made no date first.
            if (m_typing && !takeable(m_typing->date()))
                refuse();
            m_typing.reset();
            return false;
        }
        const QChar c = text[0];
        hideNote();
        if (!m_typing)
            m_typing.emplace(m_edit->date());
        if (!m_typing->type(c)) {
            m_typing.emplace(m_edit->date());   // a full date typed: the next digit starts again
            if (!m_typing->type(c)) {
                m_typing.reset();
                return false;
            }
        }
        const std::optional<QDate> d = m_typing->date();
        if (takeable(d)) {
            m_edit->setDate(*d);
        } else if (m_typing->part() == platform::DateTyping::Done) {
            refuse();
            m_typing.reset();
            m_edit->selectAll();
            key->accept();
            return true;
        }
        static constexpr QDateTimeEdit::Section kSections[] = {
            QDateTimeEdit::DaySection, QDateTimeEdit::MonthSection, QDateTimeEdit::YearSection,
            QDateTimeEdit::YearSection};
        m_edit->setSelectedSection(kSections[m_typing->part()]);
        key->accept();
        return true;
    }

    bool takeable(const std::optional<QDate>& d) const
    {
        return d && *d >= m_edit->minimumDate() && *d <= m_edit->maximumDate();
    }

    // A typed date that is none, or one outside the range, is not taken: the
    // box goes back to the date it showed before the typing and says why in a
    // tip at the box (no message box).
    void refuse()
    {
        const QDate shown = m_typing->shown();
        const bool outside = m_typing->date().has_value();
        m_edit->setDate(shown);
        const QString stays = shown.toString(QStringLiteral("dd-MMM-yyyy"));
        const QString why = outside ? QStringLiteral("Dates run from %1 to %2; it stays %3.")
                                          .arg(kFirstPickableYear).arg(kLastPickableYear).arg(stays)
                                    : QStringLiteral("No such date; it stays %1.").arg(stays);
        showNote(why);
    }

    // The reason shows under the box for a few seconds, or until the box is
    // typed into again; unlike a tool tip it outlives a key or the focus moving on.
    void showNote(const QString& why)
    {
        QWidget* top = m_edit->window();
        if (!m_note) {
            m_note = new QLabel(top);
            m_note->setObjectName(QStringLiteral("DateRefusal"));
            m_note->setPalette(QToolTip::palette());
            m_note->setAutoFillBackground(true);
            m_note->setFrameShape(QFrame::Box);
            m_note->setMargin(2);
        }
        m_note->setText(why);
        // One line where the window has the room; else wrapped to the
        // window's width, so that no word of the reason is cut off.
        m_note->setWordWrap(false);
        m_note->setMinimumWidth(0);
        m_note->setMaximumWidth(QWIDGETSIZE_MAX);
        m_note->adjustSize();
        if (m_note->width() > top->width()) {
            m_note->setWordWrap(true);
            m_note->setFixedWidth(top->width());
            m_note->setFixedHeight(m_note->heightForWidth(top->width()));
        }
        QPoint at = m_edit->mapTo(top, QPoint(0, m_edit->height()));
        at.setX(std::max(0, std::min(at.x(), top->width() - m_note->width())));
        if (at.y() + m_note->height() > top->height())
            at.setY(m_edit->mapTo(top, QPoint(0, 0)).y() - m_note->height());
        m_note->move(at);
        m_note->raise();
        m_note->show();
        m_noteTimer.start(kNoteMs, this);
    }

    void hideNote()
    {
        m_noteTimer.stop();
        if (m_note)
            m_note->hide();
    }

    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() == m_noteTimer.timerId())
            hideNote();
    }

    static constexpr int kNoteMs = 5000;
    QDateEdit* m_edit;
    std::optional<platform::DateTyping> m_typing;
    QPointer<QLabel> m_note;   // a child of the box's window, made at the first refusal
    QBasicTimer m_noteTimer;
};

} // namespace

QDate firstPickableDate()
{
    return QDate(kFirstPickableYear, 1, 1);
}

QDate lastPickableDate()
{
    return QDate(kLastPickableYear, 12, 31);
}

QDateEdit* makeDatePicker(QWidget* parent, const char* objectName)
{
    auto* d = new QDateEdit(parent);
    d->setObjectName(QLatin1String(objectName));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd-MMM-yyyy"));
    d->setDateRange(firstPickableDate(), lastPickableDate());
    d->installEventFilter(new TypedDateKeys(d));
    return d;
}

} // namespace forms
