// Year ids, the end-after-start check and the abbreviation.
#include "main/year_rules.h"

namespace app {

std::optional<int> nextYearId(int highestId)
{
    if (highestId >= kHighestYearId)
        return std::nullopt;
    return highestId < 0 ? 1 : highestId + 1;
}

std::optional<forms::Problem> checkCanAddYear(int highestId)
{
    if (nextYearId(highestId))
        return std::nullopt;
    return forms::Problem{QStringLiteral("Cannot Add"),
                          QStringLiteral("No more financial years can be added: the last year id, %1, is in use.")
                              .arg(kHighestYearId),
                          QString()};
}

std::optional<forms::Problem> checkYearDates(const QDate& start, const QDate& end)
{
    if (start.isValid() && end.isValid() && end > start)
        return std::nullopt;
    return forms::Problem{QStringLiteral("Invalid Date"),
                          QStringLiteral("The ending date should be greater than the beginning date."), QString()};
}

QString yearAbbreviation(const QDate& start, const QDate& end)
{
    return QStringLiteral("%1-%2")
        .arg(start.year(), 4, 10, QLatin1Char('0'))
        .arg(end.year() % 100, 2, 10, QLatin1Char('0'));
}

QDate openingVoucherDate(const QDate& start)
{
    return start.addDays(-1);
}

} // namespace app
