// The BusinessInfo row, Currencies and HelpIndex for the settings windows and the dashboard.
#include "main/business_store.h"

#include "platform/data/database.h"

namespace app {
namespace {

// Every query reads and writes the first row only; a second row is never touched.
constexpr const char* kTheRow = " WHERE rowid = (SELECT MIN(rowid) FROM BusinessInfo)";

std::string theRow(const std::string& head)
{
    return head + kTheRow;
}

} // namespace

const std::array<const char*, kCompanyFields>& companyColumns()
{
    static constexpr std::array<const char*, kCompanyFields> kColumns = {
        "Name", "Address", "Telephones", "Fax", "Website", "Email", "NTN", "SalesTaxReg", "Description"};
    return kColumns;
}

std::optional<CompanyDetails> loadCompany(platform::Database& db)
{
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < kCompanyFields; ++i)
        sql += std::string(i ? ", " : "") + companyColumns()[i];
    platform::Statement st(db, theRow(sql + " FROM BusinessInfo"));
    if (!st.step())
        return std::nullopt;
    CompanyDetails details;
    for (std::size_t i = 0; i < kCompanyFields; ++i)
        details[i] = st.column(static_cast<int>(i)).toText();   // null shows empty
    return details;
}

bool storeCompany(platform::Database& db, const CompanyDetails& details)
{
    std::string sql = "UPDATE BusinessInfo SET ";
    platform::Params values;
    for (std::size_t i = 0; i < kCompanyFields; ++i) {
        sql += std::string(i ? ", " : "") + companyColumns()[i] + " = ?";
        values.emplace_back(details[i]);
    }
    return db.exec(theRow(sql), values) == 1;
}

std::vector<CountryRow> listCountries(platform::Database& db)
{
    // The two reference columns end in two no-break spaces.
    platform::Statement st(db, "SELECT Serial, Country, \"CCode\u00a0\u00a0\", \"Curency\u00a0\u00a0\" "
                               "FROM Currencies ORDER BY Country, Serial");
    std::vector<CountryRow> out;
    while (st.step())
        out.push_back({static_cast<int>(st.columnInt64(0)), st.column(1).toText(), st.column(2).toText(),
                       st.column(3).toText()});
    return out;
}

std::optional<BusinessCurrency> loadBusinessCurrency(platform::Database& db)
{
    platform::Statement st(db, theRow("SELECT Country, CurrencyName, CCode FROM BusinessInfo"));
    if (!st.step())
        return std::nullopt;
    return BusinessCurrency{st.column(0).toText(), st.column(1).toText(), st.column(2).toText()};
}

bool storeCurrency(platform::Transaction& tx, int serial, const BusinessCurrency& currency)
{
    platform::Database& db = tx.db();
    if (db.exec(theRow("UPDATE BusinessInfo SET Country = ?, CurrencyName = ?, CCode = ?"),
                {currency.country, currency.currencyName, currency.symbol})
        != 1)
        return false;
    return db.exec("UPDATE Currencies SET \"CCode\u00a0\u00a0\" = ?, \"Curency\u00a0\u00a0\" = ? WHERE Serial = ?",
                   {currency.symbol, currency.currencyName, serial})
           == 1;
}

std::optional<bool> loadPosting(platform::Database& db)
{
    platform::Statement st(db, theRow("SELECT Posting FROM BusinessInfo"));
    if (!st.step())
        return std::nullopt;
    return st.column(0).toInt() == 1;
}

bool storePosting(platform::Database& db, bool posting)
{
    return db.exec(theRow("UPDATE BusinessInfo SET Posting = ?"), {posting ? 1 : 0}) == 1;
}

std::string loadNoticeBoard(platform::Database& db)
{
    return db.scalar(theRow("SELECT CoMemo FROM BusinessInfo")).toText();
}

bool storeNoticeBoard(platform::Database& db, const std::string& text)
{
    return db.exec(theRow("UPDATE BusinessInfo SET CoMemo = ?"), {text}) == 1;
}

std::optional<HelpRow> loadHelp(platform::Database& db, int id)
{
    platform::Statement st(db, "SELECT ID, Heading, Matter FROM HelpIndex WHERE ID = ?");
    st.bind(1, id);
    if (!st.step())
        return std::nullopt;
    return HelpRow{id, st.column(1).toText(), st.column(2).toText()};
}

} // namespace app
