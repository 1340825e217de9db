// SQL of the settings windows and the dashboard over the one BusinessInfo row:
// the company's nine details, the country and currency (with that country's
// row of Currencies), the posting option, the notice board, and the
// troubleshooting answers. Each function reads or writes only its own columns.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Database;
class Transaction;
}

namespace app {

// The company details in the order of the setup window's boxes.
inline constexpr std::size_t kCompanyFields = 9;
using CompanyDetails = std::array<std::string, kCompanyFields>;
// BusinessInfo's columns of those boxes, in the same order.
const std::array<const char*, kCompanyFields>& companyColumns();

// The stored details, or nothing when there is no business row. Throws platform::DbError.
std::optional<CompanyDetails> loadCompany(platform::Database& db);
// Writes the nine detail columns of the business row. Returns false, writing
// nothing, when there is no business row. Throws platform::DbError.
bool storeCompany(platform::Database& db, const CompanyDetails& details);

// One row of Currencies.
struct CountryRow {
    int serial = 0;
    std::string country;
    std::string symbol;
    std::string currencyName;
};
// Every country by name. Throws platform::DbError.
std::vector<CountryRow> listCountries(platform::Database& db);

struct BusinessCurrency {
    std::string country;
    std::string currencyName;
    std::string symbol;
};
// The business's country and currency, or nothing without a business row. Throws platform::DbError.
std::optional<BusinessCurrency> loadBusinessCurrency(platform::Database& db);
// Writes the business row's country, currency name and symbol, and the same
// name and symbol into Currencies row `serial`, within `tx`. Returns false
// when there is no business row or no such country row; the caller then
// drops `tx`. Throws platform::DbError (also for a symbol over 3 characters).
bool storeCurrency(platform::Transaction& tx, int serial, const BusinessCurrency& currency);

// Whether new vouchers start posted, or nothing without a business row. Throws platform::DbError.
std::optional<bool> loadPosting(platform::Database& db);
// Writes only Posting. Returns false when there is no business row. Throws platform::DbError.
bool storePosting(platform::Database& db, bool posting);

// The company notice board ("" without a business row). Throws platform::DbError.
std::string loadNoticeBoard(platform::Database& db);
// Writes only CoMemo. Returns false when there is no business row. Throws platform::DbError.
bool storeNoticeBoard(platform::Database& db, const std::string& text);

// A troubleshooting answer: its heading and its text, which is rich text.
struct HelpRow {
    int id = 0;
    std::string heading;
    std::string matter;
};
// The answer with `id`, or nothing. Throws platform::DbError.
std::optional<HelpRow> loadHelp(platform::Database& db, int id);

} // namespace app
