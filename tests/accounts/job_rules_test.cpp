// The job register's rules: the number, the amounts, the save check and the grid's texts.
#include "accounts/job_rules.h"

#include <gtest/gtest.h>

using accounts::JobEntry;
using platform::Money;

TEST(ParseJobNo, TakesOneToEightDigitsOnly)
{
    struct Case {
        const char* text;
        std::optional<std::int64_t> number;
    };
    const Case cases[] = {
        {"1", 1}, {"007", 7}, {"12345678", 12345678}, {"00000000", 0},
        {"", std::nullopt}, {"123456789", std::nullopt}, {"abc", std::nullopt}, {"1.5", std::nullopt},
        {" 5", std::nullopt}, {"5 ", std::nullopt}, {"-5", std::nullopt}, {"+5", std::nullopt},
        {"1e3", std::nullopt}, {"\xd9\xa3", std::nullopt},   // an Arabic-Indic digit is no ASCII digit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(accounts::parseJobNo(c.text), c.number);
    }
}

TEST(ParseJobAmount, EmptyIsNoAmountAndTextIsRefused)
{
    struct Case {
        const char* text;
        bool accepted;
        std::optional<std::int64_t> cents;
    };
    const Case cases[] = {
        {"", true, std::nullopt}, {"   ", true, std::nullopt}, {"1250", true, 125000}, {"12.5", true, 1250},
        {" 12.50 ", true, 1250}, {"-3.07", true, -307}, {"0", true, 0},
        {"abc", false, {}}, {"12.505", false, {}}, {"1,250.00", false, {}}, {"12 50", false, {}},
        {"99999999999999999999", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = accounts::parseJobAmount(QString::fromUtf8(c.text));
        ASSERT_EQ(parsed.has_value(), c.accepted);
        if (c.accepted) {
            ASSERT_EQ(parsed->has_value(), c.cents.has_value());
            if (c.cents) {
                EXPECT_EQ(**parsed, Money::fromCents(*c.cents));
            }
        }
    }
}

TEST(CheckJob, RefusesTheFirstBadBoxAndOtherwiseGivesTheRecord)
{
    struct Case {
        const char* name;
        const char* jobNo;
        const char* cost;
        const char* value;
        const char* message;   // null: accepted
        const char* focus;
    };
    const Case cases[] = {
        {"letters", "abc", "", "", "Job No. must be a numeric figure.", "DocNo"},
        {"point", "1.5", "", "", "Job No. must be a numeric figure.", "DocNo"},
        {"nine digits", "123456789", "", "", "Job No. must be a numeric figure.", "DocNo"},
        {"empty", "", "", "", "Job No. must be a numeric figure.", "DocNo"},
        {"number first", "x", "abc", "abc", "Job No. must be a numeric figure.", "DocNo"},
        {"text in the cost", "12", "ten", "", "Estimated Cost must be an amount, such as 1250.00.", "EstCost"},
        {"text in the value", "12", "10", "a lot", "Value of Job must be an amount, such as 1250.00.", "JobValue"},
        {"all good", "12", "10", "20.5", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JobEntry e;
        e.jobNo = QString::fromUtf8(c.jobNo);
        e.estimatedCost = QString::fromUtf8(c.cost);
        e.valueOfWork = QString::fromUtf8(c.value);
        e.rest.jobDesc = QStringLiteral("Fit-out");
        const auto check = accounts::checkJob(e);
        if (c.message) {
            ASSERT_TRUE(check.problem);
            EXPECT_FALSE(check.record);
            EXPECT_EQ(check.problem->title, QStringLiteral("Cannot Save"));
            EXPECT_EQ(check.problem->message, QString::fromUtf8(c.message));
            EXPECT_EQ(check.problem->focus, QString::fromUtf8(c.focus));
        } else {
            ASSERT_FALSE(check.problem);
            ASSERT_TRUE(check.record);
            EXPECT_EQ(check.record->jobNo, 12);
            EXPECT_EQ(check.record->estimatedCost, Money::fromCents(1000));
            EXPECT_EQ(check.record->valueOfWork, Money::fromCents(2050));
            EXPECT_EQ(check.record->jobDesc, QStringLiteral("Fit-out"));
        }
    }
}

TEST(JobTexts, AmountsShowFormattedAndTheBoxReadsBack)
{
    for (const std::int64_t cents : {0LL, 5LL, 125000LL, -307LL, 123456789012LL}) {
        SCOPED_TRACE(cents);
        const QString box = accounts::amountBoxText(Money::fromCents(cents));
        EXPECT_EQ(accounts::parseJobAmount(box), std::optional<std::optional<Money>>(Money::fromCents(cents)));
    }
    EXPECT_EQ(accounts::amountBoxText(Money::fromCents(125000)), QStringLiteral("1250.00"));
    EXPECT_EQ(accounts::amountGridText(Money::fromCents(125000)), QStringLiteral("1,250.00"));
    EXPECT_EQ(accounts::amountGridText(Money::fromCents(-307)), QStringLiteral("(3.07)"));
    EXPECT_EQ(accounts::amountGridText(std::nullopt), QString());
    EXPECT_EQ(accounts::amountBoxText(std::nullopt), QString());
}

TEST(JobTexts, TypedDatesShowAsDayMonthYearAndOtherTextAsTyped)
{
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"2026-12-10", "10-12-2026"}, {"5/1/2027", "05-01-2027"}, {"05-01-2027", "05-01-2027"},
        {"31.12.2026", "31-12-2026"}, {"next week", "next week"}, {"2026-02-30", "2026-02-30"}, {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(accounts::typedDateGridText(QString::fromUtf8(c.typed)), QString::fromUtf8(c.shown));
    }
    EXPECT_EQ(accounts::statusText(true), QStringLiteral("Completed"));
    EXPECT_EQ(accounts::statusText(false), QString());
}
