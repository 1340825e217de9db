// The type-ahead query: matches anywhere in code and name, wildcards typed as text.
#include "ledgers/account_list_store.h"

#include <gtest/gtest.h>

#include "tests/ledgers/hand_book.h"
#include "tests/support/test_database.h"

namespace acc = testing_support::acc;

TEST(AccountsMatching, FindsTheTypedTextAnywhereInCodeAndName)
{
    testing_support::TestDatabase t;
    testing_support::HandBook book(t.db());
    struct Case { const char* typed; std::vector<std::int64_t> codes; };
    const Case cases[] = {
        {"", {acc::Cash, acc::Bank, acc::Customer, acc::Sales, acc::Rent, acc::Idle}},
        {"2010100", {acc::Cash, acc::Bank}},
        {"CASH", {acc::Cash}},                  // letters in any case
        {"01  Cash", {acc::Cash}},              // across code and name
        {"50%", {acc::Bank}},                   // a typed % is a percent sign
        {"%", {acc::Bank}},
        {"r_A", {acc::Customer}},               // a typed _ is an underscore
        {"_", {acc::Customer}},
        {"e_", {}},
        {"O'Neil", {}},                         // a quote breaks nothing
        {"zzz", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::vector<std::int64_t> got;
        for (const auto& e : ledgers::accountsMatching(t.db(), c.typed))
            got.push_back(e.code);
        EXPECT_EQ(got, c.codes);
    }
    const auto bank = ledgers::accountsMatching(t.db(), "Bank");
    ASSERT_EQ(bank.size(), 1u);
    EXPECT_EQ(bank[0].name, "Bank 50% Account");
}
