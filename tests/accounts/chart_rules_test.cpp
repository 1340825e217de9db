// The chart's code scheme and the editor's save and delete checks, without a
// window or a database.
#include "accounts/chart_rules.h"

#include <gtest/gtest.h>

using accounts::ChartLevel;
using accounts::ChartProblem;
using accounts::NatureRange;

namespace {

const NatureRange kNonCurrentAssets{100, 199};

std::string describe(const std::optional<std::int64_t>& code)
{
    return code ? std::to_string(*code) : "none";
}

void expectProblem(const std::optional<ChartProblem>& got, const char* title, const char* message,
                   const char* focus)
{
    if (!*message) {
        EXPECT_FALSE(got.has_value()) << got->message;
        return;
    }
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->title, title);
    EXPECT_EQ(got->message, message);
    EXPECT_EQ(got->focus, focus);
}

} // namespace

TEST(ChartProposal, MainTypeStartsTheNatureThenFollowsItsHighestUpToEndAt)
{
    struct Case { std::optional<std::int64_t> highest, proposed; };
    const Case cases[] = {
        {std::nullopt, 100},          // an empty nature starts at StartAt
        {100, 101},
        {150, 151},                   // codes below the highest are never offered again
        {198, 199},                   // EndAt itself is allowed
        {199, std::nullopt},          // at EndAt the nature is full
        {205, std::nullopt},          // above EndAt counts as full as well
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("highest " + describe(c.highest));
        EXPECT_EQ(accounts::proposeMainType(kNonCurrentAssets, c.highest), c.proposed);
    }
}

TEST(ChartProposal, SubTypeAndAccountFollowTheHighestOfTheirParentUntilItIsFull)
{
    struct Case { ChartLevel level; std::int64_t parent; std::optional<std::int64_t> highest, proposed; };
    const Case cases[] = {
        {ChartLevel::SubType, 100, std::nullopt, 10001},    // first sub type of main type 100
        {ChartLevel::SubType, 101, std::nullopt, 10101},
        {ChartLevel::SubType, 101, 10101, 10102},
        {ChartLevel::SubType, 101, 10150, 10151},
        {ChartLevel::SubType, 101, 10198, 10199},            // freed 10199 comes back
        {ChartLevel::SubType, 101, 10199, std::nullopt},     // full
        {ChartLevel::SubType, 999, 99998, 99999},
        {ChartLevel::Account, 10001, std::nullopt, 10001001},
        {ChartLevel::Account, 10101, 10101001, 10101002},
        {ChartLevel::Account, 10101, 10101099, 10101100},    // 99 is no limit for accounts
        {ChartLevel::Account, 10101, 10101998, 10101999},
        {ChartLevel::Account, 10101, 10101999, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.parent) + " highest " + describe(c.highest));
        const auto got = c.level == ChartLevel::SubType ? accounts::proposeSubType(c.parent, c.highest)
                                                        : accounts::proposeAccount(c.parent, c.highest);
        EXPECT_EQ(got, c.proposed);
    }
}

TEST(ChartCode, ReadsDigitsOnly)
{
    struct Case { const char* text; std::optional<std::int64_t> code; };
    const Case cases[] = {
        {"101", 101},
        {"007", 7},
        {"999999999999999999", 999999999999999999},   // 18 digits
        {"", std::nullopt},
        {"1a1", std::nullopt},
        {" 101", std::nullopt},
        {"101 ", std::nullopt},
        {"-101", std::nullopt},
        {"+101", std::nullopt},
        {"1.0", std::nullopt},
        {"1000000000000000000", std::nullopt},        // 19 digits would overflow soon after
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(accounts::parseCode(c.text), c.code);
    }
}

TEST(ChartCode, RangeCaptionShowsBothEnds)
{
    EXPECT_EQ(accounts::rangeCaption({450, 499}), "(Value From  450  To  499)");
}

TEST(ChartMainTypeSave, RefusesInOrderAndAsksForTheCodeOnlyWhenAllElsePassed)
{
    struct Case {
        const char* what;
        bool adding, hasRows, nature;
        const char* code;
        const char* name;
        std::optional<std::int64_t> ownCode;
        const char* message;   // empty: accepted
        const char* focus;
        bool asked;            // whether the stored codes were looked up
    };
    const char* const range = "Value of main type code for this account type nature must be from 100 to 199";
    const char* const taken = "A main account type is already present with the same code. Give a different code.";
    const Case cases[] = {
        {"nothing stored, no add", false, false, true, "150", "Land", std::nullopt,
         "Click on Add Button before adding record.", "CatCodeTxt", false},
        {"nature matches nothing, all else wrong too", true, false, false, "", "", std::nullopt,
         "Select correct nature of account type to save.", "FSList", false},
        {"no code, no name", true, false, true, "", "", std::nullopt, "Enter main type code to save.", "MainCode",
         false},
        {"two digits", true, false, true, "15", "Land", std::nullopt, "Give 3 digit main type code to save.",
         "MainCode", false},
        {"four digits", true, false, true, "1500", "Land", std::nullopt, "Give 3 digit main type code to save.",
         "MainCode", false},
        {"not digits", true, false, true, "1a5", "Land", std::nullopt, "Give 3 digit main type code to save.",
         "MainCode", false},
        {"below StartAt, no name", true, false, true, "099", "", std::nullopt, range, "MainCode", false},
        {"above EndAt", true, false, true, "200", "Land", std::nullopt, range, "MainCode", false},
        {"StartAt", true, false, true, "100", "Land", std::nullopt, "", "", true},
        {"EndAt", true, false, true, "199", "Land", std::nullopt, "", "", true},
        {"no name", true, true, true, "150", "", std::nullopt, "Enter main account type to save.", "CatCodeTxt",
         false},
        {"new code taken", true, true, true, "123", "Land", std::nullopt, taken, "MainCode", true},
        {"new code equal to the row shown before Add", true, true, true, "123", "Land", 123, taken, "MainCode",
         true},
        {"stored row keeps its own code", false, true, true, "123", "Land", 123, "", "", false},
        {"stored row given another's code", false, true, true, "123", "Land", 140, taken, "MainCode", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        accounts::MainTypeSave save;
        save.adding = c.adding;
        save.hasRows = c.hasRows;
        if (c.nature)
            save.nature = kNonCurrentAssets;
        save.code = c.code;
        save.name = c.name;
        save.ownCode = c.ownCode;
        bool asked = false;
        const auto got = accounts::checkMainTypeSave(save, [&asked](std::int64_t code) {
            asked = true;
            return code == 123;   // the one stored code
        });
        expectProblem(got, "Cannot Save", c.message, c.focus);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(ChartChildSave, RefusesInOrderWithTheLevelsMessages)
{
    struct Case {
        ChartLevel level;
        bool adding, hasRows;
        std::optional<std::int64_t> code;
        const char* name;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {ChartLevel::SubType, false, false, std::nullopt, "", "Click on Add Button before adding record.",
         "SubCatCodeTxt"},
        {ChartLevel::SubType, true, false, std::nullopt, "",
         "You have added maximum number of sub account types in the selected main account type.", "SubCatCodeTxt"},
        {ChartLevel::SubType, true, true, 10102, "", "Enter sub account type to save.", "SubCatCodeTxt"},
        {ChartLevel::SubType, true, false, 10101, "Cash", "", ""},
        {ChartLevel::SubType, false, true, 10101, "Cash at bank", "", ""},   // a rename
        {ChartLevel::Account, false, false, std::nullopt, "", "Click on Add Button before adding record.", ""},
        {ChartLevel::Account, true, true, std::nullopt, "",
         "You have added maximum number of accounts in the selected sub account type.", "AccCodeTxt"},
        {ChartLevel::Account, true, false, 10101001, "", "Enter account name to save.", "AccCodeTxt"},
        {ChartLevel::Account, true, false, 10101001, "Petty cash", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.level == ChartLevel::SubType ? "sub type " : "account ") + describe(c.code)
                     + " '" + c.name + "'");
        expectProblem(accounts::checkChildSave(c.level, {c.adding, c.hasRows, c.code, c.name}), "Cannot Save",
                      c.message, c.focus);
    }
}

TEST(ChartDelete, RefusesMissingOrUsedRowsAndAsksOtherwise)
{
    struct Case { ChartLevel level; bool hasRow, inUse; const char* title; const char* message; };
    const Case cases[] = {
        {ChartLevel::MainType, false, false, "No Main Account Type", "There is no main account type to be deleted."},
        {ChartLevel::MainType, true, true, "Cannot Delete",
         "There have been sub account types present in this main account type. Delete them before deleting it."},
        {ChartLevel::MainType, true, false, "", ""},
        {ChartLevel::SubType, false, false, "No Sub Account Type", "There is no sub account type to be deleted."},
        {ChartLevel::SubType, true, true, "Cannot Delete",
         "There have been accounts present in this sub account type. Delete them before deleting it."},
        {ChartLevel::SubType, true, false, "", ""},
        {ChartLevel::Account, false, false, "No Account Found", "There is no account to be deleted."},
        {ChartLevel::Account, true, true, "Cannot Delete",
         "There have been ledger entries recorded for the selected account, Petty cash."},
        {ChartLevel::Account, true, false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.level) << " row " << c.hasRow << " used " << c.inUse);
        expectProblem(accounts::checkDelete(c.level, c.hasRow, c.inUse, "Petty cash"), c.title, c.message, "");
    }
}

TEST(ChartDelete, AsksWithTheLevelsQuestion)
{
    struct Case { ChartLevel level; const char* text; };
    const Case cases[] = {
        {ChartLevel::MainType, "Are you sure, you want to delete this selected main account type?"},
        {ChartLevel::SubType, "Are you sure, you want to delete this selected sub account type?"},
        {ChartLevel::Account, "Are you sure, you want to delete this selected account, Petty cash?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto q = accounts::deleteQuestion(c.level, "Petty cash");
        EXPECT_EQ(q.title, "Delete Confirmation");
        EXPECT_EQ(q.text, c.text);
    }
}
