// Number and date formats as the windows and reports name them ("0.00;(0.00)",
// "#,##0;(#,##0)", "mmm d, yyyy", "MM-dd-yyyy"), and the ISO texts the database
// stores. Month names are English whatever the machine's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QDate>
#include <QDateTime>
#include <QString>

#include "platform/text/money.h"

namespace platform {

// Formats `amount` with a pattern of one or two sections, "positive;negative"
// (a zero uses the first). Each section is literal text around one number
// made of '#', '0', ',' (grouping by thousands) and '.' followed by the
// decimal places; the negative section shows the absolute value. One section
// alone puts a '-' before negatives. Fewer than two decimal places round the
// cents half away from zero. Throws std::invalid_argument for a pattern
// without a number or with more than two decimal places.
std::string formatMoney(Money amount, std::string_view pattern);
QString formatMoneyQ(Money amount, std::string_view pattern);

// Formats `date` with tokens d, dd, ddd, dddd, m, mm, mmm, mmmm, yy, yyyy,
// read without regard to case ("MMMM dd, yyyy" and "mmmm dd, yyyy" agree);
// anything else is copied. An invalid date gives "".
QString formatDate(const QDate& date, std::string_view pattern);

// "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS", as stored.
std::string isoDate(const QDate& date);
std::string isoDateTime(const QDateTime& when);
// Reads "YYYY-MM-DD" (a stored date; a time after it is ignored); nothing for
// other text or an impossible date.
std::optional<QDate> parseIsoDate(std::string_view text);

// The number of `text` made of 1 to `maxDigits` ASCII digits and nothing else
// ("007" is 7); nothing for an empty text, blanks, signs, points, exponents or
// more digits. `maxDigits` must be at most 18, so the number fits.
std::optional<std::int64_t> parseDigits(std::string_view text, int maxDigits);

} // namespace platform
