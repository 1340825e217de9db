// The line grid's rules: what may be edited when, the strict readings of codes
// and amounts, the limits, the totals texts and the type-ahead pattern.
#include "accounts/line_grid_rules.h"

#include <limits>

#include <gtest/gtest.h>

using accounts::SubTranRow;
using platform::Money;
namespace column = accounts::column;

namespace {

SubTranRow line(std::optional<std::int64_t> code, std::optional<std::int64_t> debitCents,
                std::optional<std::int64_t> creditCents)
{
    SubTranRow r;
    r.accCode = code;
    if (debitCents)
        r.debit = Money::fromCents(*debitCents);
    if (creditCents)
        r.credit = Money::fromCents(*creditCents);
    return r;
}

} // namespace

TEST(LineGridColumns, AllowEditingByColumnAndWhatTheLineHolds)
{
    const QString noDesc = QStringLiteral("Select account before entering description.");
    const QString noAmount = QStringLiteral("Select account before entering amount.");
    struct Case {
        const char* name;
        SubTranRow row;
        int column;
        bool allowed;
        QString message;
    };
    const Case cases[] = {
        {"code on a blank line", line({}, {}, {}), column::Code, true, {}},
        {"code on a line with an account", line(20001001, 500, {}), column::Code, true, {}},
        {"name never, blank line", line({}, {}, {}), column::Name, false, {}},
        {"name never, with account", line(20001001, {}, {}), column::Name, false, {}},
        {"description needs an account", line({}, {}, {}), column::Desc, false, noDesc},
        {"description with an account", line(20001001, {}, {}), column::Desc, true, {}},
        {"debit needs an account", line({}, {}, {}), column::Debit, false, noAmount},
        {"credit needs an account", line({}, {}, {}), column::Credit, false, noAmount},
        {"no account and other amount filled: message all the same", line({}, {}, 100), column::Debit, false,
         noAmount},
        {"debit while credit empty", line(20001001, {}, {}), column::Debit, true, {}},
        {"debit refused while credit filled", line(20001001, {}, 100), column::Debit, false, {}},
        {"debit refused while credit is 0.00", line(20001001, {}, 0), column::Debit, false, {}},
        {"credit refused while debit is 0.00", line(20001001, 0, {}), column::Credit, false, {}},
        {"credit while debit empty", line(20001001, {}, {}), column::Credit, true, {}},
        {"debit on a debit line", line(20001001, 100, {}), column::Debit, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto verdict = accounts::mayEdit(c.row, c.column);
        EXPECT_EQ(verdict.allowed, c.allowed);
        EXPECT_EQ(verdict.message, c.message);
    }
    EXPECT_EQ(accounts::selectAccountTitle(), QStringLiteral("Select Account"));
}

TEST(LineGridCode, ReadsDigitsOnly)
{
    struct Case {
        const char* text;
        std::optional<std::int64_t> code;
    };
    const Case cases[] = {
        {"20001001", 20001001},
        {"0020001001", 20001001},   // leading zeros do not matter
        {"7", 7},
        {"", {}},
        {"+20001001", {}},
        {"-20001001", {}},
        {" 20001001", {}},
        {"20001001 ", {}},
        {"20,001,001", {}},
        {"2000.1001", {}},
        {"1e3", {}},
        {"&H10", {}},
        {"abc", {}},
        {"9223372036854775807", 9223372036854775807},
        {"9223372036854775808", {}},   // does not fit
        {"\xd9\xa1\xd9\xa2", {}},      // Arabic-Indic digits are no code
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(accounts::parseAccountCode(QString::fromUtf8(c.text)), c.code);
    }
}

TEST(LineGridAmount, ReadsStrictNonNegativeAmountsOfAtMostFourteenCharacters)
{
    struct Case {
        const char* text;
        bool accepted;
        std::optional<std::int64_t> cents;   // when accepted; empty: the cell is emptied
    };
    const Case cases[] = {
        {"", true, {}},
        {"150", true, 15000},
        {"0", true, 0},
        {"0.00", true, 0},
        {"12.5", true, 1250},
        {".5", true, 50},
        {"12345678901.50", true, 1234567890150},    // 14 characters
        {"12345678901234", true, 1234567890123400},  // 14 digits
        {"123456789012.50", false, {}},             // 15 characters
        {"123456789012345", false, {}},
        {"1.005", false, {}},
        {"1.2.3", false, {}},
        {"-5", false, {}},
        {"-0.50", false, {}},
        {"+5", false, {}},
        {"1e3", false, {}},
        {"&H10", false, {}},
        {"(5)", false, {}},
        {"1,000", false, {}},
        {" 5", false, {}},
        {"5 ", false, {}},
        {".", false, {}},
        {"abc", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto cell = accounts::readAmountCell(QString::fromUtf8(c.text));
        ASSERT_EQ(cell.has_value(), c.accepted);
        if (!cell)
            continue;
        if (c.cents)
            EXPECT_EQ(cell->amount, Money::fromCents(*c.cents));
        else
            EXPECT_FALSE(cell->amount.has_value());
    }
}

TEST(LineGridDescription, FitsTwoHundredFiftyCharacters)
{
    EXPECT_TRUE(accounts::descriptionFits(QString()));
    EXPECT_TRUE(accounts::descriptionFits(QString(250, QLatin1Char('d'))));
    EXPECT_FALSE(accounts::descriptionFits(QString(251, QLatin1Char('d'))));
    // Characters, not UTF-16 units: 250 emoji fit, as they fit the box and the column.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_TRUE(accounts::descriptionFits(emoji.repeated(250)));
    EXPECT_FALSE(accounts::descriptionFits(emoji.repeated(251)));
    EXPECT_EQ(accounts::descriptionRefusal(emoji.repeated(250)), QString());
}

TEST(LineGridAmountText, ShowsBracketsForNegativesAndNothingForNone)
{
    EXPECT_EQ(accounts::amountText(std::nullopt), QString());
    EXPECT_EQ(accounts::amountText(Money{}), QStringLiteral("0.00"));
    EXPECT_EQ(accounts::amountText(Money::fromCents(123456)), QStringLiteral("1234.56"));
    EXPECT_EQ(accounts::amountText(Money::fromCents(-500)), QStringLiteral("(5.00)"));
}

TEST(LineGridTotals, SumsExactlyAndShowsTheAbsoluteDifference)
{
    struct Case {
        const char* name;
        std::vector<SubTranRow> lines;
        const char* debit;
        const char* credit;
        const char* difference;
    };
    const Case cases[] = {
        {"no lines", {}, "0.00", "0.00", ""},
        {"150 against 100", {line(1, 15000, {}), line(2, {}, 10000), line({}, {}, {})}, "150.00", "100.00",
         "There is a difference of Rs. 50.00 in totals."},
        {"credits above debits", {line(1, 1, {}), line(2, {}, 10000)}, "0.01", "100.00",
         "There is a difference of Rs. 99.99 in totals."},
        // Ten times 0.10 is exactly 1.00: no drift as with floating point.
        {"cents add up exactly",
         {line(1, 10, {}), line(1, 10, {}), line(1, 10, {}), line(1, 10, {}), line(1, 10, {}), line(1, 10, {}),
          line(1, 10, {}), line(1, 10, {}), line(1, 10, {}), line(1, 10, {}), line(2, {}, 100)},
         "1.00", "1.00", ""},
        {"one cent apart", {line(1, 100, {}), line(2, {}, 99)}, "1.00", "0.99",
         "There is a difference of Rs. 0.01 in totals."},
        {"zeros count as nothing", {line(1, 0, {}), line(2, {}, 0)}, "0.00", "0.00", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto totals = accounts::totalsOf(c.lines);
        ASSERT_TRUE(totals);
        EXPECT_EQ(accounts::totalText(totals->debit), QString::fromUtf8(c.debit));
        EXPECT_EQ(accounts::totalText(totals->credit), QString::fromUtf8(c.credit));
        EXPECT_EQ(accounts::differenceText(*totals), QString::fromUtf8(c.difference));
    }
}

TEST(LineGridTotals, GiveNothingWhenASumDoesNotFit)
{
    const std::int64_t big = std::numeric_limits<std::int64_t>::max() / 2 + 1;
    EXPECT_FALSE(accounts::totalsOf({line(1, big, {}), line(2, big, {})}));
    // Each side fits, their difference does not.
    EXPECT_FALSE(accounts::totalsOf({line(1, big, {}), line(2, {}, -big)}));
}

TEST(LineGridSave, KeepsOnlyLinesWithAnAccountInOrder)
{
    const auto kept = accounts::linesWithAccount(
        {line({}, 100, {}), line(20001001, 200, {}), line({}, {}, {}), line(20001002, {}, 300)});
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].accCode, 20001001);
    EXPECT_EQ(kept[1].accCode, 20001002);
}

TEST(LineGridTypeAhead, TakesEveryTypedCharacterLiterally)
{
    struct Case {
        const char* typed;
        const char* pattern;
    };
    const Case cases[] = {
        {"cash", "%cash%"},
        {"100%", "%100\\%%"},
        {"a_b", "%a\\_b%"},
        {"c:\\x", "%c:\\\\x%"},
        {"O'Brien", "%O'Brien%"},   // a quote needs nothing: the pattern is bound
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(accounts::containsPattern(QString::fromUtf8(c.typed)), QString::fromUtf8(c.pattern));
    }
}
