// The date picker factory and its keyboard entry: the focus selects the whole
// date, and typed digits fill the day, the month and the year in turn.
#include "platform/forms/date_picker.h"

#include <optional>

#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>

#include "platform/text/date_typing.h"

namespace forms {
namespace {

// The box alone would take typed digits only into the section under the
// cursor (and none into the month's name), so a click and "31" did nothing.
class TypedDateKeys : public QObject {
public:
    explicit TypedDateKeys(QDateEdit* edit) : QObject(edit), m_edit(edit) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_edit)
            return false;
        switch (event->type()) {
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
        m_typing.reset();
        m_edit->selectAll();
        mouse->accept();
        return true;
    }

    bool typed(QKeyEvent* key)
    {
        const QString text = key->text();
        if (text.size() != 1 || m_edit->isReadOnly() || (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))) {
            m_typing.reset();   // arrows, F4, Backspace and the like keep their own meaning
            return false;
        }
        const QChar c = text[0];
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
        if (d && *d >= m_edit->minimumDate() && *d <= m_edit->maximumDate())
            m_edit->setDate(*d);
        static constexpr QDateTimeEdit::Section kSections[] = {
            QDateTimeEdit::DaySection, QDateTimeEdit::MonthSection, QDateTimeEdit::YearSection,
            QDateTimeEdit::YearSection};
        m_edit->setSelectedSection(kSections[m_typing->part()]);
        key->accept();
        return true;
    }

    QDateEdit* m_edit;
    std::optional<platform::DateTyping> m_typing;
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
