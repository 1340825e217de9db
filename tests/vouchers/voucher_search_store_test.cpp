// The voucher search SQL on a delivered database: the kind's vouchers of the
// year, each criterion and their combination, literal descriptions, vouchers
// whose users are missing, and the details of a listed voucher.
#include "vouchers/voucher_search_store.h"

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/support/test_database.h"
#include "tests/vouchers/book.h"

using platform::Money;
using testing_support::TestDatabase;
using namespace vouchers;

namespace {

constexpr KindYear kJournal{41, 1};

// Journal vouchers 1 to 8 of year 1, and vouchers of another kind and year
// that share their numbers, dates and descriptions and must never be listed.
struct SearchBook {
    TestDatabase t;
    platform::Database& db = t.db();

    SearchBook()
    {
        book::addChartAndYear(db);
        const book::VoucherRow rows[] = {
            {1, "2026-07-01", "Office rent July", 15000, 1, 0},
            {2, "2026-11-30", "Paid 50% advance", 15000, 0, 0},
            {3, "2026-12-01", "Paid 50 in advance", 9999, 1, 1},
            {4, "2026-12-01", "Bill_no 7 it's settled", 15050, 0, 1},
            {5, "2026-12-02", "Billxno 7 its settled", 15000, 1, 0},
            {6, "2027-06-30", "Path C:\\books\\rent", 100, 0, 0},
            {7, "2026-12-02", "OFFICE RENT December", 1000, 0, 0},
            {8, "2026-12-03", nullptr, 15000, 0, 0},
            {1, "2026-12-01", "Office rent July", 15000, 1, 0, 21},
            {2, "2027-07-01", "Office rent July", 15000, 1, 0, 41, 2},
        };
        for (const auto& v : rows)
            book::addVoucherRow(db, v);
    }

    std::vector<std::int64_t> numbers(const SearchCriteria& c)
    {
        std::vector<std::int64_t> n;
        for (const auto& row : listVouchers(db, kJournal, c))
            n.push_back(row.docNo);
        return n;
    }
};

using Numbers = std::vector<std::int64_t>;

SearchCriteria period(QDate from, QDate to)
{
    SearchCriteria c;
    c.from = from;
    c.to = to;
    return c;
}

SearchCriteria described(const char* part)
{
    SearchCriteria c;
    c.descPart = QString::fromUtf8(part);
    return c;
}

} // namespace

TEST(ListVouchers, WithoutCriteriaListsTheKindsVouchersOfTheYearByNumber)
{
    SearchBook b;
    const auto rows = listVouchers(b.db, kJournal, {});
    ASSERT_EQ(rows.size(), 8u);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].docNo, static_cast<std::int64_t>(i + 1));
    EXPECT_EQ(rows[3].date, "2026-12-01");
    EXPECT_EQ(b.numbers({}), (Numbers{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(listVouchers(b.db, {31, 1}, {}).empty());
    EXPECT_EQ(listVouchers(b.db, {41, 2}, {}).size(), 1u);
}

TEST(ListVouchers, EachCriterionNarrowsTheList)
{
    SearchBook b;
    struct Case {
        const char* name;
        SearchCriteria criteria;
        Numbers expected;
    };
    auto make = [](auto set) {
        SearchCriteria c;
        set(c);
        return c;
    };
    const Case cases[] = {
        {"number", make([](SearchCriteria& c) { c.docNo = 4; }), {4}},
        {"number of none", make([](SearchCriteria& c) { c.docNo = 99; }), {}},
        {"one day, inclusive", period({2026, 12, 1}, {2026, 12, 1}), {3, 4}},
        {"first and last day included", period({2026, 11, 30}, {2026, 12, 2}), {2, 3, 4, 5, 7}},
        {"the year's ends", period({2026, 7, 1}, {2027, 6, 30}), {1, 2, 3, 4, 5, 6, 7, 8}},
        {"a period backwards", period({2026, 12, 2}, {2026, 12, 1}), {}},
        {"amount 150 exactly", make([](SearchCriteria& c) { c.amount = Money::fromCents(15000); }), {1, 2, 5, 8}},
        {"posted", make([](SearchCriteria& c) { c.posted = true; }), {1, 3, 5}},
        {"un-posted", make([](SearchCriteria& c) { c.posted = false; }), {2, 4, 6, 7, 8}},
        {"cancelled", make([](SearchCriteria& c) { c.cancelled = true; }), {3, 4}},
        {"valid", make([](SearchCriteria& c) { c.cancelled = false; }), {1, 2, 5, 6, 7, 8}},
        {"all together",
         make([](SearchCriteria& c) {
             c.from = QDate{2026, 11, 1};
             c.to = QDate{2026, 12, 31};
             c.amount = Money::fromCents(15000);
             c.posted = false;
             c.cancelled = false;
         }),
         {2, 8}},
        {"together, nothing left",
         make([](SearchCriteria& c) {
             c.docNo = 1;
             c.posted = false;
         }),
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(b.numbers(c.criteria), c.expected);
    }
}

TEST(ListVouchers, FindsTheDescriptionTextLiterallyAnywhereWithoutRegardToCase)
{
    SearchBook b;
    const std::pair<const char*, Numbers> cases[] = {
        {"rent", {1, 6, 7}},              // start, end and middle; capitals alike
        {"OFFICE rent", {1, 7}},
        {"50%", {2}},                     // not "50 in advance"
        {"%", {2}},
        {"_no", {4}},                     // not "xno"
        {"it's", {4}},
        {"'", {4}},
        {"C:\\books\\", {6}},
        {"\\", {6}},
        {"December rent", {}},
    };
    for (const auto& [part, expected] : cases) {
        SCOPED_TRACE(part);
        EXPECT_EQ(b.numbers(described(part)), expected);
    }
}

TEST(ListVouchers, FindsADescriptionWithoutRegardToCaseBeyondLatinLetters)
{
    SearchBook b;
    book::addVoucherRow(b.db, {9, "2026-12-04", "Caf\u00e9 M\u00fcller, \u00c9cole \u0394elta", 500});
    const std::pair<const char*, Numbers> cases[] = {
        {"caf\u00c9 m\u00dcLLER", {9}},
        {"\u00e9cole", {9}},
        {"\u03b4elta", {9}},
        {"\u00fc", {9}},
        {"_", {4}},               // the letters stand for themselves, no pattern
        {"caf\u00e8", {}},       // another letter, not a wildcard
    };
    for (const auto& [part, expected] : cases) {
        SCOPED_TRACE(part);
        EXPECT_EQ(b.numbers(described(part)), expected);
    }
}

TEST(VoucherDetails, ReadsTheRowWithItsUsersAndListsVouchersWhoseUsersAreMissing)
{
    SearchBook b;
    b.t.addUser(3, "clerk", "");
    const std::int64_t byClerk = book::addVoucherRow(b.db, {9, "2026-12-04", "edited by the clerk", 2550, 1, 1, 41, 1, 1, 3});
    const std::int64_t nobody = book::addVoucherRow(b.db, {10, "2026-12-04", "imported", 0, 0, 0, 41, 1, 0, 0});

    const auto listed = b.numbers({});
    EXPECT_EQ(listed.back(), 10);
    EXPECT_EQ(listed.size(), 10u);

    VoucherDetailsReader reader(b.db);
    const auto d = reader.read(byClerk);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->docNo, 9);
    EXPECT_EQ(d->date, QDate(2026, 12, 4));
    EXPECT_EQ(d->desc, "edited by the clerk");
    EXPECT_EQ(d->amount, Money::fromCents(2550));
    EXPECT_TRUE(d->posted);
    EXPECT_TRUE(d->cancelled);
    EXPECT_EQ(d->addedBy, "Administrator");
    EXPECT_EQ(d->editedBy, "clerk");
    EXPECT_EQ(d->timeAdded, "2026-12-01 10:00:00");
    EXPECT_EQ(d->timeEdited, "2026-12-02 11:30:00");

    const auto n = reader.read(nobody);
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(n->addedBy, "");
    EXPECT_EQ(n->editedBy, "");
    EXPECT_FALSE(n->posted);

    b.db.exec("DELETE FROM Transactions WHERE TranNo = ?", {nobody});
    EXPECT_FALSE(reader.read(nobody).has_value());
    EXPECT_TRUE(reader.read(byClerk).has_value());   // the statement is usable again after a miss
}
