// The stamp is built from the clock's fields, not a locale's format, so that
// "am"/"pm" and the separators are the same on every machine.
#include "backup/backup_rules.h"

#include <cstdio>

#include <QDateTime>

namespace backup {

std::string timeStamp(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    char text[80];
    std::snprintf(text, sizeof text, "Tamsel Data Back-Up (Date %02d-%02d-%02d) (Time %02d-%02d-%02d %s)",
                  d.day(), d.month(), d.year() % 100, hour12, t.minute(), t.second(),
                  t.hour() < 12 ? "am" : "pm");
    return text;
}

std::string safetyCopyName(const std::string& stamp, int n)
{
    return n <= 1 ? stamp + ".MDB" : stamp + " (" + std::to_string(n) + ").MDB";
}

} // namespace backup
