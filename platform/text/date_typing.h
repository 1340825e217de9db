// Typing a date from the keyboard: digits fill the day, the month and the
// year in turn over the date shown. Plain values; the date picker feeds it keys.
#pragma once

#include <optional>

#include <QDate>
#include <QString>

namespace platform {

class DateTyping {
public:
    enum Part { Day, Month, Year, Done };

    // Typing over `shown`, the date the box showed when typing began; the
    // parts not typed yet keep their values from it.
    explicit DateTyping(QDate shown);

    // Takes one typed character. A digit goes to the current part: the day
    // after two digits (or one from 4 to 9) and the month after two (or one
    // from 2 to 9) move on by themselves, the year takes four. A separator
    // ('-', '/', '.', space) ends a part that has digits. Returns false, and
    // changes nothing, for any other character and once the year is complete.
    bool type(QChar c);

    // The date the typed parts make over the shown date, or nothing while
    // they make no valid date (31 typed for a 30-day month, a day of 0). The
    // year counts once its four digits are typed.
    std::optional<QDate> date() const;

    // The part the next digit goes to.
    Part part() const { return m_part; }
    // The date shown when typing began.
    QDate shown() const { return m_shown; }

private:
    QDate m_shown;
    Part m_part = Day;
    QString m_digits[3];
};

} // namespace platform
