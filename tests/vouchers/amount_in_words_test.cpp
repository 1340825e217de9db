// The amount in words: the examples of the voucher form, every group's teens,
// tens and hundreds, the group separators, the cents and the limits.
#include "vouchers/amount_in_words.h"

#include <gtest/gtest.h>

using platform::Money;
using vouchers::amountInWords;

namespace {

struct Case {
    std::int64_t cents;
    const char* words;
};

void expectWords(const Case* begin, const Case* end)
{
    for (const Case* c = begin; c != end; ++c) {
        SCOPED_TRACE(testing::Message() << c->cents << " cents");
        const auto words = amountInWords(Money::fromCents(c->cents));
        ASSERT_TRUE(words.has_value());
        EXPECT_EQ(*words, c->words);
    }
}

} // namespace

TEST(AmountInWords, SpellsTheFormsExamples)
{
    const Case cases[] = {
        {0, "zero and 00/100"},
        {707, "seven and 07/100"},
        {1500, "fifteen and 00/100"},
        {2100, "twenty-one and 00/100"},
        {11000, "one hundred ten and 00/100"},
        {11500, "one hundred fifteen and 00/100"},
        {15000, "one hundred fifty and 00/100"},
        {100000, "one thousand and 00/100"},
        {101000, "one thousand, ten and 00/100"},
        {101500, "one thousand, fifteen and 00/100"},
        {123450, "one thousand, two hundred thirty-four and 50/100"},
        {20000000, "two hundred thousand and 00/100"},
        {100100000, "one million, one thousand and 00/100"},
        {250000075, "two million, five hundred thousand and 75/100"},
        {99999999999999999,
         "nine hundred ninety-nine trillion, nine hundred ninety-nine billion, nine hundred ninety-nine million, "
         "nine hundred ninety-nine thousand, nine hundred ninety-nine and 99/100"},
    };
    expectWords(std::begin(cases), std::end(cases));
}

TEST(AmountInWords, SpellsTeensTensAndHundredsInEveryGroup)
{
    const Case cases[] = {
        // units group
        {1000, "ten and 00/100"},
        {1900, "nineteen and 00/100"},
        {4000, "forty and 00/100"},
        {9900, "ninety-nine and 00/100"},
        {10100, "one hundred one and 00/100"},
        {90000, "nine hundred and 00/100"},
        // thousands
        {1100000, "eleven thousand and 00/100"},
        {8000000, "eighty thousand and 00/100"},
        {7300000, "seventy-three thousand and 00/100"},
        {50500000, "five hundred five thousand and 00/100"},
        // millions
        {1200000000, "twelve million and 00/100"},
        {3000000000, "thirty million and 00/100"},
        {60000000000, "six hundred million and 00/100"},
        // billions
        {1300000000000, "thirteen billion and 00/100"},
        {5500000000000, "fifty-five billion and 00/100"},
        // trillions
        {1400000000000000, "fourteen trillion and 00/100"},
        {70000000000000000, "seven hundred trillion and 00/100"},
        {10000000000000000, "one hundred trillion and 00/100"},
    };
    expectWords(std::begin(cases), std::end(cases));
}

TEST(AmountInWords, JoinsGroupsWithACommaOnlyWhenALowerGroupIsWritten)
{
    const Case cases[] = {
        {100000000, "one million and 00/100"},
        {100000100, "one million, one and 00/100"},
        {200300000000, "two billion, three million and 00/100"},
        {200000400000, "two billion, four thousand and 00/100"},
        {100000000000000, "one trillion and 00/100"},
        {100000000000100, "one trillion, one and 00/100"},
        {101001001001100, "one trillion, ten billion, ten million, ten thousand, eleven and 00/100"},
        {1200000001000, "twelve billion, ten and 00/100"},
    };
    expectWords(std::begin(cases), std::end(cases));
}

TEST(AmountInWords, TakesTheCentsAsTwoDigitsOfTheExactAmount)
{
    const Case cases[] = {
        {1, "zero and 01/100"},
        {5, "zero and 05/100"},
        {10, "zero and 10/100"},
        {99, "zero and 99/100"},
        // 0.29 and 1.15 are the amounts that double arithmetic turns into 28 and 14 cents.
        {29, "zero and 29/100"},
        {115, "one and 15/100"},
        {100000001, "one million and 01/100"},
    };
    expectWords(std::begin(cases), std::end(cases));
}

TEST(AmountInWords, SpellsNothingBelowZeroOrFromAQuadrillionOn)
{
    for (const std::int64_t cents : {std::int64_t{-1}, std::int64_t{-100}, vouchers::kWordsLimitCents,
                                     vouchers::kWordsLimitCents + 1, INT64_MAX, INT64_MIN}) {
        SCOPED_TRACE(cents);
        EXPECT_FALSE(amountInWords(Money::fromCents(cents)).has_value());
    }
    EXPECT_TRUE(amountInWords(Money::fromCents(vouchers::kWordsLimitCents - 1)).has_value());
}
