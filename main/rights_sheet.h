// The rights table as the rights window edits it: every row of userrights
// with its nine operator columns, toggled in memory and written back, only the
// changed cells, in one transaction.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace platform {
class Database;
class Transaction;
}

namespace app {

inline constexpr int kOperatorColumns = 9;

struct RightsRow {
    int rightId = 0;
    std::string rightType;
    // refused[k] is column "operator" k + 1, the user with id k + 2: true refuses.
    std::array<bool, kOperatorColumns> refused{};
};

// One cell to write: operator `userId`'s column of right `rightId`.
struct RightChange {
    int rightId = 0;
    int userId = 0;
    bool refused = false;
};

class RightsSheet {
public:
    // Reads every row by right id; drops any pending toggle. Throws platform::DbError.
    void load(platform::Database& db);

    const std::vector<RightsRow>& rows() const { return m_rows; }
    // Flips operator `userId`'s cell of row `row` (by position). Returns false,
    // changing nothing, for a row out of range or a user who is no operator.
    bool toggle(std::size_t row, int userId);
    // The cells that differ from what was read, in row order.
    std::vector<RightChange> changes() const;
    bool hasChanges() const { return !changes().empty(); }
    // Writes the changed cells within `tx`. The sheet keeps them pending until
    // markSaved(), so a failed commit loses nothing. Throws platform::DbError.
    void save(platform::Transaction& tx) const;
    // After a commit: what is shown is now what is stored.
    void markSaved() { m_stored = m_rows; }

private:
    std::vector<RightsRow> m_rows;
    std::vector<RightsRow> m_stored;
};

} // namespace app
