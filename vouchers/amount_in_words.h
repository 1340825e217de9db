// An amount spelled in English words with its cents as a fraction of 100, as
// the voucher form shows it under the lines and stores it with the voucher.
// The currency's name and the closing " only." are the caller's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/text/money.h"

namespace vouchers {

// The words spell whole amounts below this many cents (1,000,000,000,000,000.00);
// a larger amount has no words and cannot be saved.
inline constexpr std::int64_t kWordsLimitCents = 100'000'000'000'000'000;

// The amount in words: the whole part in English ("one thousand, two hundred
// thirty-four"), then "and " and the two digits of the cents over 100
// ("and 50/100"). Groups are joined by ", " when a lower group is written and
// by a single blank when all lower groups are zero; a whole part of 0 reads
// "zero". Nothing for a negative amount or one of kWordsLimitCents or more,
// which the words do not spell.
std::optional<std::string> amountInWords(platform::Money amount);

// The text that stands for an amount the words cannot spell.
inline constexpr const char* kWordsError = "#Error#";

} // namespace vouchers
