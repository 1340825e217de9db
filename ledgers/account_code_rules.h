// What the account code box accepts as a code, and the pattern of its
// type-ahead filter. No widgets and no SQL here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledgers {

// The most characters the code box takes: accounts carry eight-digit codes.
inline constexpr int kAccountCodeLength = 8;
// The escape character of the type-ahead's LIKE pattern (see containsPattern).
inline constexpr char kLikeEscape = '\\';

// The code in `text` when it is numeric: one to eight decimal digits and
// nothing else (no blanks, sign, point or separators). Nothing otherwise, the
// empty text included.
std::optional<std::int64_t> parseAccountCode(std::string_view text);

// A LIKE pattern, for use with ESCAPE kLikeEscape, that matches any text
// containing `typed` as it stands: '%' and '_' in it match only themselves.
std::string containsPattern(std::string_view typed);

} // namespace ledgers
