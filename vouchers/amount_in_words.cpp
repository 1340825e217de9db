// Spelling an amount in English words, group of three digits by group.
#include "vouchers/amount_in_words.h"

#include <array>
#include <string_view>
#include <utility>

namespace vouchers {
namespace {

constexpr std::array<std::string_view, 10> kUnits = {
    "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
constexpr std::array<std::string_view, 10> kTeens = {
    "ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr std::array<std::string_view, 10> kTens = {
    "", "ten", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};
constexpr std::array<std::string_view, 5> kGroups = {"", "thousand", "million", "billion", "trillion"};

// One group of three digits (1 to 999), each word followed by a blank; tens
// and units are joined by "-".
std::string groupWords(int value)
{
    const int hundreds = value / 100;
    const int tens = value / 10 % 10;
    const int units = value % 10;
    std::string s;
    if (hundreds > 0) {
        s += kUnits[hundreds];
        s += " hundred ";
    }
    if (tens == 1) {
        s += kTeens[units];
        s += ' ';
        return s;
    }
    if (tens > 0) {
        s += kTens[tens];
        s += units != 0 ? '-' : ' ';
    }
    if (units > 0) {
        s += kUnits[units];
        s += ' ';
    }
    return s;
}

} // namespace

std::optional<std::string> amountInWords(platform::Money amount)
{
    const std::int64_t cents = amount.cents();
    if (cents < 0 || cents >= kWordsLimitCents)
        return std::nullopt;

    std::int64_t whole = cents / 100;
    const int fraction = static_cast<int>(cents % 100);

    // Built from the units group upwards, each group put in front of what the
    // lower groups wrote; a group name is followed by ", " only when some lower
    // group was written.
    std::string words;
    if (whole == 0)
        words = "zero ";
    bool lowerWritten = false;
    for (std::size_t group = 0; whole > 0; ++group, whole /= 1000) {
        const int value = static_cast<int>(whole % 1000);
        if (value == 0)
            continue;
        std::string piece = groupWords(value);
        if (group > 0) {
            piece += kGroups[group];
            piece += lowerWritten ? ", " : " ";
        }
        lowerWritten = true;
        words.insert(0, piece);
    }

    std::string result = std::move(words);
    result += "and ";
    result += static_cast<char>('0' + fraction / 10);
    result += static_cast<char>('0' + fraction % 10);
    result += "/100";
    return result;
}

} // namespace vouchers
