// The opening balances' rules: blank lines, the save plan and the search.
#include "accounts/opening_balance_rules.h"

#include <gtest/gtest.h>

using accounts::SubTranRow;
using platform::Money;

namespace {

SubTranRow line(std::int64_t serial, std::optional<std::int64_t> code, const char* name,
                std::optional<std::int64_t> debit = {}, std::optional<std::int64_t> credit = {},
                const char* desc = "Balance Brought Forward")
{
    SubTranRow r;
    r.serial = serial;
    r.accCode = code;
    r.accName = QString::fromUtf8(name);
    r.desc = QString::fromUtf8(desc);
    if (debit)
        r.debit = Money::fromCents(*debit);
    if (credit)
        r.credit = Money::fromCents(*credit);
    return r;
}

} // namespace

TEST(BlankRowsNeeded, FillsUpToTheAccountsPlus500)
{
    struct Case { std::size_t lines; std::int64_t accounts; std::size_t blanks; };
    const Case cases[] = {
        {0, 3, 503},
        {2, 3, 501},
        {503, 3, 0},     // exactly full
        {900, 3, 0},     // more lines than that: none added
        {0, 0, 500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines, " << c.accounts << " accounts");
        EXPECT_EQ(accounts::blankRowsNeeded(c.lines, c.accounts), c.blanks);
    }
}

TEST(PlanOpeningSave, DropsBlankLinesAndWritesOnlyWhatChanged)
{
    const std::vector<SubTranRow> loaded = {
        line(11, 20101001, "Cash", 10000),
        line(12, 20101002, "Bank", {}, 5000),
        line(13, 20101003, "Stock", 700),
        line(14, 20101004, "Loan", {}, 100, "imported"),
    };
    std::vector<SubTranRow> edited = {
        line(11, 20101001, "Cash", 10000, {}, "typed over"),   // only the description: it is replaced anyway
        line(12, 20101002, "Bank", {}, 6000),                   // amount changed
        // 13 deleted from the grid
        line(14, 20101004, "Loan", {}, 100, "imported"),        // stored with another description
        line(0, 20101005, "Capital", {}, {}, "new"),            // a new line without amounts is kept
        line(0, std::nullopt, "", {}, {}),                      // blank
        line(0, std::nullopt, "", 300, {}),                     // no code: dropped whatever it holds
    };
    const auto plan = accounts::planOpeningSave(loaded, edited);

    ASSERT_EQ(plan.inserts.size(), 1u);
    EXPECT_EQ(plan.inserts[0].accCode, 20101005);
    EXPECT_EQ(plan.inserts[0].desc, "Balance Brought Forward");
    EXPECT_FALSE(plan.inserts[0].debit || plan.inserts[0].credit);

    ASSERT_EQ(plan.updates.size(), 2u);
    EXPECT_EQ(plan.updates[0].serial, 12);
    EXPECT_EQ(plan.updates[0].credit, Money::fromCents(6000));
    EXPECT_EQ(plan.updates[1].serial, 14);
    EXPECT_EQ(plan.updates[1].desc, "Balance Brought Forward");

    EXPECT_EQ(plan.deletes, (std::vector<std::int64_t>{13}));
}

TEST(PlanOpeningSave, AnUntouchedGridWritesNothing)
{
    const std::vector<SubTranRow> loaded = {line(5, 20101001, "Cash", 1), line(6, 20101002, "Bank", {}, 1)};
    std::vector<SubTranRow> edited = loaded;
    edited.resize(edited.size() + 500);   // the blank lines
    EXPECT_TRUE(accounts::planOpeningSave(loaded, edited).empty());
    EXPECT_TRUE(accounts::planOpeningSave({}, std::vector<SubTranRow>(503)).empty());
}

TEST(FindLine, FindsNamesContainingTheTextAndWrapsToTheTop)
{
    const std::vector<SubTranRow> lines = {
        line(1, 1, "Cash in Hand"), line(2, 2, "Sales"), line(3, 3, "Petty CASH"),
        line(4, 4, "100% Margin"), line(0, std::nullopt, ""), line(5, 5, "Cashew stock"),
    };
    struct Case { const char* text; int current; int first; int next; };
    const Case cases[] = {
        // text, current line for Find Next, first match from the top, Find Next result
        {"cash", 0, 0, 2},
        {"cash", 2, 0, 5},
        {"cash", 5, 0, -1},     // past the last match: no current line
        {"cash", -1, 0, 0},     // and then the wrap starts at the top again
        {"sales", -1, 1, 1},
        {"sales", 1, 1, -1},
        {"%", -1, 3, 3},        // taken literally, not as a pattern
        {"_", -1, -1, -1},
        {"'", -1, -1, -1},      // a quote finds nothing and breaks nothing
        {"", -1, -1, -1},       // an empty text matches nothing, not the blank lines
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" from " << c.current);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(accounts::findLine(lines, text, 0), c.first);
        EXPECT_EQ(accounts::findNextLine(lines, text, c.current), c.next);
    }
}
