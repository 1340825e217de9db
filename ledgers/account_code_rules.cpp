// Code parsing and the type-ahead pattern.
#include "ledgers/account_code_rules.h"

#include "platform/text/formats.h"

namespace ledgers {

std::optional<std::int64_t> parseAccountCode(std::string_view text)
{
    return platform::parseDigits(text, kAccountCodeLength);
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
