// The voucher form's rules: serial numbers, the words line, the lines a save
// writes, the job box, the save checks in their order, the posting table and
// the delete checks.
#include "vouchers/voucher_rules.h"

#include <gtest/gtest.h>

#include <QString>

#include "main/voucher_kinds.h"
#include "vouchers/amount_in_words.h"

using accounts::SubTranRow;
using platform::Money;
using namespace vouchers;

TEST(KindTexts, GiveEveryKindItsCaptionHeadingAndSearchWindow)
{
    for (const auto& kind : app::voucherKinds()) {
        SCOPED_TRACE(kind.form);
        const KindTexts& t = kindTexts(kind.tranType);
        EXPECT_EQ(QString::fromUtf8(t.heading), QString::fromUtf8(t.caption).toUpper());
        EXPECT_TRUE(QString::fromUtf8(t.searchWindow).startsWith(QStringLiteral("Find")));
        EXPECT_STREQ(t.chartButton, kind.tranType == 37 ? "Account" : "Accounts");
    }
    EXPECT_STREQ(kindTexts(41).searchWindow, "FindGJV");
    EXPECT_STREQ(kindTexts(27).caption, "Cash Payment Voucher");
    EXPECT_THROW(kindTexts(app::kOpeningBalanceType), std::invalid_argument);
}

TEST(ParseDocNo, ReadsDigitsOnlyAsTheNumberTheyAre)
{
    struct Case { const char* text; std::optional<std::int64_t> number; };
    const Case cases[] = {
        {"1", 1}, {"007", 7}, {"0", 0}, {"9999999999", 9'999'999'999},
        {"", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt}, {"5.0", std::nullopt},
        {"1e1", std::nullopt}, {"-5", std::nullopt}, {"+5", std::nullopt}, {"1,000", std::nullopt},
        {"12345678901", std::nullopt}, {"0x1A", std::nullopt}, {"\xd9\xa5", std::nullopt},   // Arabic-Indic five
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseDocNo(c.text), c.number);
    }
}

TEST(ProposeDocNo, StartsAtOneAndFollowsTheHighest)
{
    EXPECT_EQ(proposeDocNo(std::nullopt), 1);
    EXPECT_EQ(proposeDocNo(0), 1);
    EXPECT_EQ(proposeDocNo(5), 6);
    EXPECT_EQ(proposeDocNo(9'999'999'998), 9'999'999'999);
    EXPECT_EQ(proposeDocNo(9'999'999'999), std::nullopt);   // the box holds ten digits
}

TEST(WordsLine, PutsTheCurrencyBeforeAndOnlyAfterTheWords)
{
    EXPECT_EQ(wordsLine(QStringLiteral("Rupees"), Money::fromCents(123450)),
              QStringLiteral("Rupees one thousand, two hundred thirty-four and 50/100 only."));
    EXPECT_EQ(wordsLine(QStringLiteral("Rupees"), Money{}), QStringLiteral("Rupees zero and 00/100 only."));
    EXPECT_EQ(wordsLine(QStringLiteral("Dirhams"), Money::fromCents(kWordsLimitCents)),
              QStringLiteral("Dirhams #Error# only."));
    EXPECT_EQ(storedWords(Money::fromCents(15000)), "one hundred fifty and 00/100 only.");
    EXPECT_EQ(storedWords(Money::fromCents(kWordsLimitCents)), std::nullopt);
}

TEST(LinesToStore, DropsBlankRowsAndLendsTheVoucherDescription)
{
    std::vector<SubTranRow> rows(5);
    rows[0] = {0, 10101001, QStringLiteral("Cash"), QString(), Money::fromCents(500), std::nullopt};
    rows[2] = {7, 10101002, QStringLiteral("Bank"), QStringLiteral("own words"), std::nullopt,
               Money::fromCents(500)};
    rows[3].desc = QStringLiteral("typed on a row without account");
    const auto lines = linesToStore(rows, QStringLiteral("March rent"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].accCode, 10101001);
    EXPECT_EQ(lines[0].desc, QStringLiteral("March rent"));
    EXPECT_EQ(lines[1].serial, 7);
    EXPECT_EQ(lines[1].desc, QStringLiteral("own words"));
    EXPECT_EQ(lines[1].credit, Money::fromCents(500));
}

TEST(JobIdFor, AcceptsAnEmptyBoxOrAnOpenJobsText)
{
    const std::vector<Job> jobs = {{4, "12 (Fit-out)"}, {9, "15 (Roof)"}, {11, "15 (Roof)"}};
    struct Case { const char* text; std::int64_t kept; std::optional<std::int64_t> id; };
    const Case cases[] = {
        {"", 0, 0},
        {"", 3, 3},                       // a completed job stays on its voucher
        {"12 (Fit-out)", 3, 4},           // a chosen job replaces it
        {"12 (FIT-OUT)", 0, 4},
        {"15 (Roof)", 0, 9},              // the first of two alike
        {"12", 0, std::nullopt},
        {"12 (Fit-out) ", 0, std::nullopt},
        {"Roof", 3, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(jobIdFor(c.text, jobs, c.kept), c.id);
    }
    EXPECT_EQ(jobText("12", "Fit-out"), "12 (Fit-out)");
}

TEST(JobIdFor, KeepsTheChosenOfTwoJobsWithOneText)
{
    const std::vector<Job> jobs = {{4, "12 (Fit-out)"}, {9, "15 (Roof)"}, {11, "15 (Roof)"}};
    struct Case { const char* text; std::int64_t chosen; std::optional<std::int64_t> id; };
    const Case cases[] = {
        {"15 (Roof)", 11, 11},
        {"15 (roof)", 11, 11},
        {"15 (Roof)", 9, 9},
        {"12 (Fit-out)", 11, 4},    // the text moved on from the chosen entry
        {"15 (Roof)", 5, 9},        // a chosen id that is no open job: by text
        {"", 11, 0},                // an emptied box stores no job
        {"Roof", 11, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " / " << c.chosen);
        EXPECT_EQ(jobIdFor(c.text, jobs, 0, c.chosen), c.id);
    }
}

namespace {

const QDate kStart{2026, 7, 1};
const QDate kEnd{2027, 6, 30};

SaveRequest saveable()
{
    SaveRequest r;
    r.docNo = 3;
    r.date = QDate{2026, 12, 10};
    r.yearStart = kStart;
    r.yearEnd = kEnd;
    r.totals = accounts::LineTotals{Money::fromCents(1000), Money::fromCents(1000), Money{}};
    return r;
}

accounts::LineTotals totals(std::int64_t debit, std::int64_t credit)
{
    return {Money::fromCents(debit), Money::fromCents(credit), Money::fromCents(debit - credit).abs()};
}

} // namespace

TEST(CheckSave, RefusesInTheFormsOrderWithTheFirstFailingCheck)
{
    // Everything wrong at once; mending one fault at a time shows the next check's message.
    SaveRequest r = saveable();
    r.docNoTaken = true;
    r.date = kStart.addDays(-1);
    r.jobKnown = false;
    r.totals = totals(1001, 1000);

    struct Step { const char* message; const char* focus; std::function<void(SaveRequest&)> mend; };
    const Step steps[] = {
        {"This Vocuher No. already exists. Saving this would create duplicate values.", "DocNo",
         [](SaveRequest& s) { s.docNoTaken = false; }},
        {"Transaction date cannot be before starting date of financial year.", "",
         [](SaveRequest& s) { s.date = kEnd.addDays(1); }},
        {"Transaction date cannot be after ending date of financial year.", "",
         [](SaveRequest& s) { s.date = kEnd; s.docNo = std::nullopt; }},
        {"Serial number must be a numeric figure.", "", [](SaveRequest& s) { s.docNo = 3; }},
        {"Select a correct job or leave it blank if you do not want to save a job reference.", "",
         [](SaveRequest& s) { s.jobKnown = true; }},
        {"Totals of debits and credits must be equal.", "",
         [](SaveRequest& s) { s.totals = totals(kWordsLimitCents, kWordsLimitCents); }},
        {"The total is too large to be written in words: a voucher's total must be less than "
         "1,000,000,000,000,000.00.",
         "", [](SaveRequest& s) { s.totals = totals(kWordsLimitCents - 1, kWordsLimitCents - 1); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.message);
        const auto problem = checkSave(r);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->title, QStringLiteral("Cannot Save"));
        EXPECT_EQ(problem->message, QString::fromUtf8(step.message));
        EXPECT_EQ(problem->focus, QString::fromUtf8(step.focus));
        step.mend(r);
    }
    EXPECT_FALSE(checkSave(r).has_value());
}

TEST(CheckSave, AcceptsTheYearsBoundsAndAVoucherWithoutLines)
{
    for (const QDate& d : {kStart, kEnd}) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        SaveRequest r = saveable();
        r.date = d;
        EXPECT_FALSE(checkSave(r).has_value());
    }
    SaveRequest empty = saveable();
    empty.totals = totals(0, 0);
    EXPECT_FALSE(checkSave(empty).has_value());
}

TEST(CheckSave, LooksUpNoDuplicateForANumberThatIsNotNumeric)
{
    SaveRequest r = saveable();
    r.docNo = std::nullopt;
    r.docNoTaken = true;   // a stale answer must not be taken for this text
    ASSERT_TRUE(checkSave(r).has_value());
    EXPECT_EQ(checkSave(r)->message, QStringLiteral("Serial number must be a numeric figure."));
}

TEST(CheckSave, TakesSumsThatDoNotAddUpAsTooLargeForWords)
{
    SaveRequest r = saveable();
    r.totals = std::nullopt;
    ASSERT_TRUE(checkSave(r).has_value());
    EXPECT_TRUE(checkSave(r)->message.startsWith(QStringLiteral("The total is too large")));
}

TEST(SaveStart, AsksOnlyWhenAPostedVoucherIsEditedByOneWhoMayNotPost)
{
    struct Row { bool adding, posted, mayPost, autoPost; SaveStart start; };
    const Row rows[] = {
        // adding: always straight to the save
        {true, false, false, false, SaveStart::Save},
        {true, true, false, false, SaveStart::Save},
        {true, true, true, true, SaveStart::Save},
        // editing, not posted
        {false, false, false, false, SaveStart::Save},
        {false, false, true, false, SaveStart::Save},
        // editing, posted, may post
        {false, true, true, false, SaveStart::Save},
        {false, true, true, true, SaveStart::Save},
        // editing, posted, may not post, posted automatically
        {false, true, false, true, SaveStart::Save},
        // editing, posted, may not post, not posted automatically
        {false, true, false, false, SaveStart::AskToUnpost},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "adding " << r.adding << " posted " << r.posted << " mayPost "
                                        << r.mayPost << " autoPost " << r.autoPost);
        EXPECT_EQ(saveStart(r.adding, r.posted, r.mayPost, r.autoPost), r.start);
    }
    EXPECT_EQ(unpostQuestion(), QStringLiteral("Editing this voucher would require this voucher to be posted "
                                               "again. Do you want to continue?"));
}

TEST(PrintStart, PrintsAnUntouchedSavedVoucherAsStoredAndSavesAnythingElseFirst)
{
    struct Row { bool adding, changed, posted, mayPost, autoPost; PrintStart start; };
    const Row rows[] = {
        // a saved voucher as it was opened: never saved again, never asked about
        {false, false, true, false, false, PrintStart::PrintAsStored},
        {false, false, false, true, true, PrintStart::PrintAsStored},
        // a new voucher is always saved first
        {true, false, false, false, false, PrintStart::SaveFirst},
        {true, true, true, false, false, PrintStart::SaveFirst},
        // a changed voucher starts as "Save" does
        {false, true, false, false, false, PrintStart::SaveFirst},
        {false, true, true, true, false, PrintStart::SaveFirst},
        {false, true, true, false, true, PrintStart::SaveFirst},
        {false, true, true, false, false, PrintStart::AskToUnpost},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "adding " << r.adding << " changed " << r.changed << " posted "
                                        << r.posted << " mayPost " << r.mayPost << " autoPost " << r.autoPost);
        EXPECT_EQ(printStart(r.adding, r.changed, r.posted, r.mayPost, r.autoPost), r.start);
    }
}

TEST(ShownVoucher, ChangesWithAnyFieldOrLine)
{
    accounts::SubTranRow line;
    line.accCode = 10101001;
    line.debit = Money::fromCents(500);
    const ShownVoucher opened{"7", QDate(2026, 12, 1), "rent", "", false, true, {line, {}}};
    EXPECT_EQ(opened, opened);
    auto changed = [&](auto edit) {
        ShownVoucher v = opened;
        edit(v);
        return v != opened;
    };
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.docNo = "8"; }));
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.date = v.date.addDays(1); }));
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.desc += "."; }));
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.job = "12 (Fit-out)"; }));
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.cancelled = true; }));
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.posted = false; }));
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.lines[0].debit = Money::fromCents(501); }));
    EXPECT_TRUE(changed([](ShownVoucher& v) { v.lines[1].desc = "typed"; }));
}

TEST(CheckSerialRange, RefusesNonNumbersThenARangeThatEndsBelowItsStart)
{
    const QString notNumeric = QStringLiteral("The document no. must be a numeric.");
    const QString reversed = QStringLiteral("The ending document no. cannot be less than the starting document no.");
    struct Case { const char* from; const char* to; QString message; };
    const Case cases[] = {
        {"5", "5", {}},
        {"1", "12", {}},
        {"007", "7", {}},
        {"5", "4", reversed},
        {"10", "9", reversed},
        {"", "4", notNumeric},
        {"5", "", notNumeric},
        {"", "", notNumeric},
        {"x", "1", notNumeric},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        const auto problem = checkSerialRange(c.from, c.to);
        if (c.message.isEmpty()) {
            EXPECT_FALSE(problem.has_value());
            continue;
        }
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->title, QStringLiteral("Invalid Document No."));
        EXPECT_EQ(problem->message, c.message);
        EXPECT_EQ(problem->focus, QStringLiteral("SerialFrom"));
    }
}

TEST(CheckDelete, RefusesWhileAddingOrWithoutAnOpenVoucher)
{
    const auto adding = checkDelete(true, true);
    ASSERT_TRUE(adding.has_value());
    EXPECT_EQ(adding->title, QStringLiteral("No Record Found"));
    EXPECT_EQ(adding->message, QStringLiteral("Select a record to be deleted."));
    const auto none = checkDelete(false, false);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->title, QStringLiteral("No Record Found"));
    EXPECT_EQ(none->message, QStringLiteral("There is no record to be deleted."));
    EXPECT_FALSE(checkDelete(false, true).has_value());
    EXPECT_EQ(deleteQuestion(7),
              QStringLiteral("Are you sure, you want to delete this Voucher No. 7? Deleting this voucher will "
                             "remove all the ledger entries in accounts relating to this transaction."));
}
