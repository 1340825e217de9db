// Code parsing and the type-ahead pattern.
#include "ledgers/account_code_rules.h"

namespace ledgers {

std::optional<std::int64_t> parseAccountCode(std::string_view text)
{
    if (text.empty() || text.size() > static_cast<std::size_t>(kAccountCodeLength))
        return std::nullopt;
    std::int64_t code = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        code = code * 10 + (c - '0');
    }
    return code;
}

std::string containsPattern(std::string_view typed)
{
    std::string pattern = "%";
    for (char c : typed) {
        if (c == '%' || c == '_' || c == kLikeEscape)
            pattern += kLikeEscape;
        pattern += c;
    }
    pattern += '%';
    return pattern;
}

} // namespace ledgers
