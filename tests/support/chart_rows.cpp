// Chart rows for tests, through bound statements.
#include "tests/support/chart_rows.h"

#include <stdexcept>

#include "platform/data/database.h"

namespace testing_support {

void addChart(platform::Database& db, std::initializer_list<ChartRow> rows)
{
    for (const ChartRow& r : rows) {
        if (r.code >= 100 && r.code <= 399)
            db.exec("INSERT INTO AccLevel1 (TypeID, Type, NatureID) VALUES (?, ?, ?)",
                    {r.code, r.name, r.code / 100 * 10});
        else if (r.code >= 10000 && r.code <= 99999)
            db.exec("INSERT INTO AccLevel2 (Level2ID, L2AccName, TypeID) VALUES (?, ?, ?)",
                    {r.code, r.name, r.code / 100});
        else if (r.code >= 10000000 && r.code <= 99999999)
            db.exec("INSERT INTO AccLevel3 (AccCode, AccName, Level1ID, Level2ID) VALUES (?, ?, ?, ?)",
                    {r.code, r.name, r.code / 100000, r.code / 1000});
        else
            throw std::invalid_argument("no chart level has a code like " + std::to_string(r.code));
    }
}

} // namespace testing_support
