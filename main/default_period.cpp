// DefaultPeriod.
#include "main/default_period.h"

namespace app {

Period defaultPeriod(const QDate& today, const QDate& fyStart, const QDate& fyEnd)
{
    if (fyStart <= today && today <= fyEnd)
        return {today, today};
    return {fyStart, fyEnd};
}

} // namespace app
