// Tests for password hashing: exact-case matching, salting, and refusing values
// that are no hash of ours.
#include "platform/data/password_hash.h"

#include <string>

#include <gtest/gtest.h>

using platform::hashPassword;
using platform::passwordMatches;

TEST(PasswordMatches, AcceptsOnlyTheExactPassword)
{
    const std::string stored = hashPassword("Secret1");
    struct Case { const char* tried; bool expected; };
    const Case cases[] = {
        {"Secret1", true},
        {"secret1", false},
        {"SECRET1", false},
        {"Secret1 ", false},
        {"Secret", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tried);
        EXPECT_EQ(passwordMatches(c.tried, stored), c.expected);
    }
}

TEST(PasswordMatches, EmptyPasswordMatchesOnlyEmpty)
{
    const std::string stored = hashPassword("");
    EXPECT_TRUE(passwordMatches("", stored));
    EXPECT_FALSE(passwordMatches(" ", stored));
    EXPECT_FALSE(passwordMatches("a", stored));
}

TEST(HashPassword, IsSaltedAndNeverThePlainText)
{
    const std::string first = hashPassword("Secret1");
    const std::string second = hashPassword("Secret1");
    EXPECT_EQ(first.find("Secret1"), std::string::npos);
    EXPECT_EQ(first.rfind("$argon2id$", 0), 0u);
    EXPECT_NE(first, second);
    EXPECT_TRUE(passwordMatches("Secret1", second));
}

TEST(PasswordMatches, JunkStoredValueNeverMatches)
{
    const std::string good = hashPassword("Secret1");
    std::string tampered = good;
    tampered.back() = tampered.back() == 'A' ? 'B' : 'A';
    const std::string cases[] = {
        "",
        "Secret1",   // a plain password left in the column
        "$argon2id$",
        "$argon2id$v=19$m=65536,t=2,p=1$garbage$garbage",
        good.substr(0, good.size() - 4),
        tampered,
        good + std::string(200, 'x'),
    };
    for (const auto& stored : cases) {
        SCOPED_TRACE(stored);
        EXPECT_FALSE(passwordMatches("Secret1", stored));
    }
}
