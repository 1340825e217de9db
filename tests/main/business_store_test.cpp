// The business row's stores: each writes only its own columns, values are
// bound (quotes and all), a missing row is reported, and the currency goes
// into the business row and one country's row together.
#include "main/business_store.h"

#include <gtest/gtest.h>

#include "platform/data/database.h"
#include "tests/support/test_database.h"

using testing_support::TestDatabase;

namespace {

// Every column of the business row, as one text.
std::string wholeRow(platform::Database& db)
{
    std::string sql = "SELECT ''";
    const char* const columns[] = {"Name", "Address", "Telephones", "Fax", "Email", "Website", "NTN",
                                   "SalesTaxReg", "Description", "Country", "CurrencyName", "CCode", "UserID",
                                   "FYID", "PV", "PRV", "SV", "SRV", "CPV", "CRV", "BPV", "BRV", "GJV",
                                   "Posting", "CoMemo"};
    for (const char* c : columns)
        sql += std::string(" || '|' || COALESCE(") + c + ", 'null')";
    return db.scalar(sql + " FROM BusinessInfo")
        .toText();
}

std::string countryRow(platform::Database& db, int serial)
{
    return db.scalar("SELECT Country || '|' || \"CCode\u00a0\u00a0\" || '|' || \"Curency\u00a0\u00a0\" "
                     "FROM Currencies WHERE Serial = ?",
                     {serial})
        .toText();
}

int serialOf(platform::Database& db, const char* country)
{
    return static_cast<int>(db.scalar("SELECT Serial FROM Currencies WHERE Country = ?", {country}).toInt());
}

} // namespace

TEST(StoreCompany, WritesTheNineDetailsAndNothingElse)
{
    TestDatabase t;
    t.db().exec("UPDATE BusinessInfo SET CoMemo = 'board', Posting = 0, Country = 'Kenya'");
    const std::string before = wholeRow(t.db());
    const app::CompanyDetails details = {"O'Neil & Sons", "2 Quay", "555", "556", "www.x", "a@x", "N1", "G2",
                                         "Rope \"and\" twine"};
    ASSERT_TRUE(app::storeCompany(t.db(), details));
    EXPECT_EQ(app::loadCompany(t.db()), details);
    const std::string after = wholeRow(t.db());
    // The part after the nine details is untouched.
    const auto tail = [](const std::string& row) {
        std::size_t pos = 0;
        for (int i = 0; i < 10; ++i)   // the leading separator and the nine details
            pos = row.find('|', pos) + 1;
        return row.substr(pos);
    };
    EXPECT_EQ(tail(after), tail(before));
    EXPECT_NE(after, before);
}

TEST(BusinessStores, WithoutABusinessRowNothingIsWrittenAndTheCallerIsTold)
{
    TestDatabase t;
    t.db().exec("DELETE FROM BusinessInfo");
    const int kenya = serialOf(t.db(), "Kenya");
    const std::string kenyaRow = countryRow(t.db(), kenya);
    EXPECT_EQ(app::loadCompany(t.db()), std::nullopt);
    EXPECT_FALSE(app::storeCompany(t.db(), {}));
    EXPECT_EQ(app::loadPosting(t.db()), std::nullopt);
    EXPECT_FALSE(app::storePosting(t.db(), true));
    EXPECT_FALSE(app::storeNoticeBoard(t.db(), "x"));
    EXPECT_EQ(app::loadBusinessCurrency(t.db()), std::nullopt);
    {
        platform::Transaction tx(t.db());
        EXPECT_FALSE(app::storeCurrency(tx, kenya, {"Kenya", "Bob", "B"}));
    }
    EXPECT_EQ(countryRow(t.db(), kenya), kenyaRow);
    EXPECT_EQ(t.db().scalar("SELECT COUNT(*) FROM BusinessInfo").toInt(), 0);
}

TEST(StoreCurrency, WritesTheBusinessRowAndOnlyThatCountrysRowWithQuotesAsTyped)
{
    TestDatabase t;
    const int kenya = serialOf(t.db(), "Kenya");
    const int japan = serialOf(t.db(), "Japan");
    const std::string japanRow = countryRow(t.db(), japan);
    t.db().exec("UPDATE BusinessInfo SET Name = 'kept', Posting = 1");
    {
        platform::Transaction tx(t.db());
        ASSERT_TRUE(app::storeCurrency(tx, kenya, {"Kenya", "Shillings' (K)", "K'S"}));
        tx.commit();
    }
    EXPECT_EQ(countryRow(t.db(), kenya), "Kenya|K'S|Shillings' (K)");
    EXPECT_EQ(countryRow(t.db(), japan), japanRow);
    const auto stored = app::loadBusinessCurrency(t.db());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->country, "Kenya");
    EXPECT_EQ(stored->currencyName, "Shillings' (K)");
    EXPECT_EQ(stored->symbol, "K'S");
    EXPECT_EQ(t.db().scalar("SELECT Name || Posting FROM BusinessInfo").toText(), "kept1");

    // A fourth character is refused by the database itself, and the transaction then writes neither row.
    {
        platform::Transaction tx(t.db());
        EXPECT_THROW(app::storeCurrency(tx, japan, {"Japan", "Yen", "JPYX"}), platform::DbError);
    }
    EXPECT_EQ(countryRow(t.db(), japan), japanRow);
    EXPECT_EQ(app::loadBusinessCurrency(t.db())->country, "Kenya");
}

TEST(ListCountries, ListsEveryCountryByNameWithItsCurrency)
{
    TestDatabase t;
    const auto countries = app::listCountries(t.db());
    ASSERT_GT(countries.size(), 1u);
    for (std::size_t i = 1; i < countries.size(); ++i)
        EXPECT_LT(countries[i - 1].country, countries[i].country);
    const auto us = std::find_if(countries.begin(), countries.end(),
                                 [](const app::CountryRow& c) { return c.country == "United States"; });
    ASSERT_NE(us, countries.end());
    EXPECT_EQ(us->symbol, "$");
    EXPECT_EQ(us->currencyName, "US Dollars");
}

TEST(LoadHelp, ReadsTheAnswerOfAnIdAndNothingForAnUnknownOne)
{
    TestDatabase t;
    for (int id = 1; id <= 7; ++id) {
        const auto help = app::loadHelp(t.db(), id);
        ASSERT_TRUE(help) << id;
        EXPECT_FALSE(help->heading.empty());
        EXPECT_FALSE(help->matter.empty());
    }
    EXPECT_EQ(app::loadHelp(t.db(), 7)->heading, "The chart of accounts");
    EXPECT_EQ(app::loadHelp(t.db(), 0), std::nullopt);
}
