// Reads one userrights row; the operator's column name comes from a fixed list,
// never from input.
#include "main/rights.h"

#include <array>

#include "platform/data/database.h"
#include "platform/data/recordset.h"

namespace app {

std::optional<std::string> operatorColumn(int userId)
{
    static constexpr std::array<const char*, 9> kColumns = {
        "operator1", "operator2", "operator3", "operator4", "operator5",
        "operator6", "operator7", "operator8", "operator9"};
    if (userId < 2 || userId > 10)
        return std::nullopt;
    return kColumns[static_cast<std::size_t>(userId - 2)];
}

RightRow loadRight(platform::Database& db, int rightId, int userId)
{
    const auto rs = platform::Recordset::open(
        db, "SELECT * FROM userrights WHERE RightID = ?", {rightId});
    RightRow row;
    if (rs.eof())
        return row;
    row.rightType = rs["RightType"].toText();
    if (const auto column = operatorColumn(userId))
        row.notAllowed = rs[*column].toInt() == 1;
    return row;
}

} // namespace app
