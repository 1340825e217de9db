// DateTyping: the day, the month and the year filled in turn from typed digits.
#include "platform/text/date_typing.h"

namespace platform {

DateTyping::DateTyping(QDate shown) : m_shown{shown} {}

bool DateTyping::type(QChar c)
{
    if (m_part == Done)
        return false;
    QString& digits = m_digits[m_part];
    if (c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char(' ')) {
        if (digits.isEmpty())
            return true;   // a separator right after a part moved on by itself
        m_part = static_cast<Part>(m_part + 1);
        return true;
    }
    if (!c.isDigit() || c.unicode() > 0x7f)
        return false;
    digits += c;
    // A first digit that no second digit can follow (a day from 4, a month from 2) ends the part at once.
    const bool full = (m_part == Day && (digits.size() == 2 || digits[0] > QLatin1Char('3')))
                      || (m_part == Month && (digits.size() == 2 || digits[0] > QLatin1Char('1')))
                      || (m_part == Year && digits.size() == 4);
    if (full)
        m_part = static_cast<Part>(m_part + 1);
    return true;
}

std::optional<QDate> DateTyping::date() const
{
    if (!m_shown.isValid())
        return std::nullopt;
    const int day = m_digits[Day].isEmpty() ? m_shown.day() : m_digits[Day].toInt();
    const int month = m_digits[Month].isEmpty() ? m_shown.month() : m_digits[Month].toInt();
    const int year = m_digits[Year].size() == 4 ? m_digits[Year].toInt() : m_shown.year();
    if (!QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

} // namespace platform
