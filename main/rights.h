// The user-rights look-up: one row of userrights, read afresh at every check.
// The refusing check with its message lives on the main window (Parent::CheckRight).
#pragma once

#include <optional>
#include <string>

namespace platform { class Database; }

namespace app {

inline constexpr int kAdministrator = 1;

// Right ids that are tested outside the voucher kinds' blocks.
namespace right {
inline constexpr int Welcome = 2;
inline constexpr int NoticeBoard = 4;
inline constexpr int ChartOfAccounts = 12;
inline constexpr int OpeningBalances = 14;
inline constexpr int PostingPreferences = 18;
inline constexpr int PrintingPreferences = 20;
inline constexpr int Jobs = 30;
inline constexpr int DayBook = 180;
inline constexpr int PrintVouchers = 184;
inline constexpr int Ledgers = 240;
inline constexpr int TrialBalance = 248;
inline constexpr int IncomeStatement = 252;
inline constexpr int BalanceSheet = 254;
} // namespace right

// The userrights column of an operator: "operator1" for user 2 up to
// "operator9" for user 10; nothing for the administrator or an unknown user.
std::optional<std::string> operatorColumn(int userId);

// One right as the probe holds it: its description and whether the user's
// column says "not allowed". A missing row reads as allowed, with an empty text.
struct RightRow {
    std::string rightType;
    bool notAllowed = false;
};

// Reads right `rightId` for `userId` from the database, now. The
// administrator (and any user without a column) is never refused, but the row
// is still read for its text. Throws platform::DbError.
RightRow loadRight(platform::Database& db, int rightId, int userId);

} // namespace app
