// The voucher search rules: the kinds' texts, the checks of "FInd" in their
// order, the criteria they give, the literal description pattern and the sorts.
#include "vouchers/voucher_search_rules.h"

#include <gtest/gtest.h>

#include "main/voucher_kinds.h"

using platform::Money;
using namespace vouchers;

TEST(SearchTexts, EveryKindHasItsWindowWithTheCaptionsAsShown)
{
    for (const auto& kind : app::voucherKinds()) {
        SCOPED_TRACE(kind.form);
        const SearchTexts& t = searchTexts(kind.tranType);
        EXPECT_EQ(t.tranType, kind.tranType);
        EXPECT_EQ(std::string(t.window).substr(0, 4), "Find");
    }
    EXPECT_STREQ(searchTexts(41).caption, "Find Genral Journal");
    EXPECT_STREQ(searchTexts(41).heading, "General Journal Vouchers");
    EXPECT_STREQ(searchTexts(37).window, "FindCRV");
    EXPECT_STREQ(searchTexts(25).caption, "Find Purchase Return Voucher");
    EXPECT_THROW(searchTexts(11), std::invalid_argument);
}

TEST(CheckSearch, RefusesInTheOrderOfTheBoxesWithMessageAndFocus)
{
    struct Case {
        const char* name;
        SearchInput input;
        const char* message;   // nullptr: accepted
        const char* focus;
    };
    auto with = [](auto set) {
        SearchInput in;
        set(in);
        return in;
    };
    const Case cases[] = {
        {"nothing ticked", {}, nullptr, ""},
        {"unticked boxes are not read", with([](SearchInput& in) { in.docNo = "x"; in.amount = "y"; }), nullptr, ""},
        {"empty number", with([](SearchInput& in) { in.byDocNo = true; }), "Give correct voucher no. to find.",
         "VoucherNo"},
        {"number with a blank", with([](SearchInput& in) { in.byDocNo = true; in.docNo = " 5"; }),
         "Give correct voucher no. to find.", "VoucherNo"},
        {"number with a point", with([](SearchInput& in) { in.byDocNo = true; in.docNo = "5.0"; }),
         "Give correct voucher no. to find.", "VoucherNo"},
        {"number in exponent form", with([](SearchInput& in) { in.byDocNo = true; in.docNo = "1e3"; }),
         "Give correct voucher no. to find.", "VoucherNo"},
        {"number before description and amount",
         with([](SearchInput& in) { in.byDocNo = in.byDesc = in.byAmount = true; in.docNo = "-1"; }),
         "Give correct voucher no. to find.", "VoucherNo"},
        {"period ending before it starts",
         with([](SearchInput& in) {
             in.byPeriod = in.byDesc = true;
             in.from = QDate(2026, 12, 2);
             in.to = QDate(2026, 12, 1);
         }),
         "The ending date should be greater than the beginning date.", "Dt1"},
        {"a reversed period unticked is not read",
         with([](SearchInput& in) { in.from = QDate(2026, 12, 2); in.to = QDate(2026, 12, 1); }), nullptr, ""},
        {"a period of one day",
         with([](SearchInput& in) { in.byPeriod = true; in.from = in.to = QDate(2026, 12, 1); }), nullptr, ""},
        {"empty description", with([](SearchInput& in) { in.byDesc = true; }),
         "Give a part of description to find.", "Desc"},
        {"description before amount",
         with([](SearchInput& in) { in.byDesc = in.byAmount = true; in.amount = "x"; }),
         "Give a part of description to find.", "Desc"},
        {"empty amount", with([](SearchInput& in) { in.byAmount = true; }), "Give amount in numeric to find.",
         "AmtBox"},
        {"amount with a separator", with([](SearchInput& in) { in.byAmount = true; in.amount = "1,000"; }),
         "Give amount in numeric to find.", "AmtBox"},
        {"amount in exponent form", with([](SearchInput& in) { in.byAmount = true; in.amount = "1e3"; }),
         "Give amount in numeric to find.", "AmtBox"},
        {"amount with a third decimal", with([](SearchInput& in) { in.byAmount = true; in.amount = "150.005"; }),
         "Give amount in numeric to find.", "AmtBox"},
        {"a blank description is text", with([](SearchInput& in) { in.byDesc = true; in.desc = " "; }), nullptr,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SearchCheck check = checkSearch(c.input);
        if (!c.message) {
            EXPECT_TRUE(check.criteria.has_value());
            EXPECT_FALSE(check.problem.has_value());
            continue;
        }
        ASSERT_TRUE(check.problem.has_value());
        EXPECT_FALSE(check.criteria.has_value());
        EXPECT_EQ(check.problem->title, QStringLiteral("Cannot Find"));
        EXPECT_EQ(check.problem->message, QString::fromUtf8(c.message));
        EXPECT_EQ(check.problem->focus, QString::fromUtf8(c.focus));
    }
}

TEST(CheckSearch, GivesExactlyTheTickedCriteria)
{
    SearchInput in;
    in.docNo = "12";
    in.desc = QStringLiteral("rent");
    in.amount = "150";
    in.from = QDate{2026, 12, 1};
    in.to = QDate{2026, 12, 31};
    in.posted = true;
    in.cancelled = false;

    SearchCriteria none = *checkSearch(in).criteria;
    EXPECT_FALSE(none.docNo || none.from || none.to || none.descPart || none.posted || none.cancelled || none.amount);

    in.byDocNo = in.byPeriod = in.byDesc = in.byPosted = in.byCancel = in.byAmount = true;
    const SearchCriteria all = *checkSearch(in).criteria;
    EXPECT_EQ(all.docNo, 12);
    EXPECT_EQ(all.from, QDate(2026, 12, 1));
    EXPECT_EQ(all.to, QDate(2026, 12, 31));
    EXPECT_EQ(all.descPart, QStringLiteral("rent"));
    EXPECT_EQ(all.posted, true);
    EXPECT_EQ(all.cancelled, false);
    EXPECT_EQ(all.amount, Money::fromCents(15000));

    in.docNo = "007";
    in.amount = "150.5";
    EXPECT_EQ(checkSearch(in).criteria->docNo, 7);
    EXPECT_EQ(checkSearch(in).criteria->amount, Money::fromCents(15050));
}

TEST(ContainsPattern, EscapesEveryPatternCharacter)
{
    EXPECT_EQ(containsPattern("rent"), "%rent%");
    EXPECT_EQ(containsPattern("50%"), "%50\\%%");
    EXPECT_EQ(containsPattern("a_b"), "%a\\_b%");
    EXPECT_EQ(containsPattern("c:\\x"), "%c:\\\\x%");
    EXPECT_EQ(containsPattern("it's"), "%it's%");
    // Any one character for each letter LIKE cannot compare without regard to case.
    EXPECT_EQ(containsPattern("M\u00fcller \u0394\U0001F600"), "%M_ller __%");
}

TEST(SortListed, ByNumberOrByDateWithTheDaysVouchersByNumber)
{
    std::vector<ListedVoucher> rows{
        {1, 3, "2026-12-02"}, {2, 1, "2026-12-05"}, {3, 4, "2026-12-02"}, {4, 2, "2026-11-30"}};
    auto numbers = [&] {
        std::vector<std::int64_t> n;
        for (const auto& r : rows)
            n.push_back(r.docNo);
        return n;
    };
    sortListed(rows, SearchOrder::ByDate);
    EXPECT_EQ(numbers(), (std::vector<std::int64_t>{2, 3, 4, 1}));
    sortListed(rows, SearchOrder::ByNumber);
    EXPECT_EQ(numbers(), (std::vector<std::int64_t>{1, 2, 3, 4}));

    EXPECT_EQ(orderOfColumn(0), SearchOrder::ByNumber);
    EXPECT_EQ(orderOfColumn(1), SearchOrder::ByDate);
    for (int column : {2, 3, 4, 5, -1})
        EXPECT_FALSE(orderOfColumn(column).has_value()) << column;
}
