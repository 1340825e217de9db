// The entries, captions, indexes and rights of the main window's five menus;
// the voucher kinds' entries come from their table.
#include "main/menu_table.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "main/rights.h"
#include "main/voucher_kinds.h"

namespace app {
namespace {

constexpr auto A = Guard::Administrator;
constexpr auto R = Guard::Right;
constexpr auto N = Guard::None;

constexpr std::array kTitles = {
    MenuTitle{Menu::Gen, "&Administration", "Gen"},
    MenuTitle{Menu::Maintain, "&Maintain", "Maintain"},
    MenuTitle{Menu::VouchMod, "&Vouchers", "VouchMod"},
    MenuTitle{Menu::Reports, "&Reports", "Reports"},
    MenuTitle{Menu::Hlp, "A&bout", "Hlp"},
};

constexpr std::array kEntries = {
    MenuEntry{Menu::Gen, 10, "&Welcome Screen", Guard::Welcome, 0,
              "You do not have access to welcome screen.", "Navigation", Opens::Modeless},
    MenuEntry{Menu::Gen, 20, "Company &Setup", A, 0,
              "You do not have access to edit business details.", "CompanyInfo", Opens::Modal},
    MenuEntry{Menu::Gen, 40, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Gen, 50, "&User Logins", A, 0,
              "You do not have access to edit user logins.", "UserLogins", Opens::Modal},
    MenuEntry{Menu::Gen, 60, "User Ri&ghts", A, 0,
              "You do not have access to edit user rights.", "UserRights", Opens::Modal},
    MenuEntry{Menu::Gen, 70, "&Passwords", N, 0, nullptr, "Password", Opens::Modal},
    MenuEntry{Menu::Gen, 80, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Gen, 90, "&Financial Years", A, 0,
              "You do not have access to edit financial years.", "FinancialYears", Opens::Modal},
    MenuEntry{Menu::Gen, 95, "Clear Transactions", A, 0,
              "You do not have access to clear transactions.", "ClearTransactions", Opens::Modal},
    MenuEntry{Menu::Gen, 100, "&Currency", A, 0,
              "You do not have access to edit currency settings.", "CurrencySettings", Opens::Modal},
    MenuEntry{Menu::Gen, 110, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Gen, 120, "&Stowkeep", N, 0, nullptr, nullptr, Opens::Backup},
    MenuEntry{Menu::Gen, 130, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Gen, 140, "E&xit", N, 0, nullptr, nullptr, Opens::Exit},

    MenuEntry{Menu::Maintain, 10, "&Chart of Accounts", R, right::ChartOfAccounts, nullptr,
              "ModifyAccounts", Opens::Modal},
    MenuEntry{Menu::Maintain, 20, "&Accounts Opening Balances", R, right::OpeningBalances, nullptr,
              "OpeningBalancesAcc", Opens::Modeless},
    MenuEntry{Menu::Maintain, 40, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Maintain, 50, "Posting Pr&eferences", R, right::PostingPreferences, nullptr,
              "PostingOption", Opens::Modal},
    MenuEntry{Menu::Maintain, 60, "Printing Pre&ferences", R, right::PrintingPreferences, nullptr,
              "VouchPrintOpt", Opens::Modal},
    MenuEntry{Menu::Maintain, 70, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Maintain, 80, "Jobs", R, right::Jobs, nullptr, "Jobs", Opens::Modal},

    // The kinds' entries come from the table of kinds (voucher_kinds.h); the
    // separators between them are kept here.
    MenuEntry{Menu::VouchMod, 30, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::VouchMod, 60, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::VouchMod, 90, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::VouchMod, 120, "-", N, 0, nullptr, nullptr, Opens::Nothing},

    MenuEntry{Menu::Reports, 10, "&Journal Report", R, right::DayBook, nullptr, "DailyJournal",
              Opens::Modeless},
    MenuEntry{Menu::Reports, 20, "Print &Vouchers", R, right::PrintVouchers, nullptr, "PrintVouchers",
              Opens::Modal},
    MenuEntry{Menu::Reports, 30, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Reports, 35, "Job Ledgers", R, right::Jobs, nullptr, "JobLedgers", Opens::Modeless},
    MenuEntry{Menu::Reports, 40, "&View Accounts Ledgers", R, right::Ledgers, nullptr, "AccLedgers",
              Opens::Modeless},
    MenuEntry{Menu::Reports, 50, "&Print Accounts Ledger", R, right::Ledgers, nullptr, "PrintLedgers",
              Opens::Modal},
    MenuEntry{Menu::Reports, 60, "&Trial Balance", R, right::TrialBalance, nullptr, "AccBalances",
              Opens::Modeless},
    MenuEntry{Menu::Reports, 70, "-", N, 0, nullptr, nullptr, Opens::Nothing},
    MenuEntry{Menu::Reports, 80, "&Income Statement", R, right::IncomeStatement, nullptr,
              "IncomeStatement", Opens::Modal},
    MenuEntry{Menu::Reports, 90, "&Balance Sheet", R, right::BalanceSheet, nullptr, "BalanceSheet",
              Opens::Modal},

    MenuEntry{Menu::Hlp, 10, "&About Tamsel Standard", N, 0, nullptr, "About", Opens::Modal},
};

// The table above with an entry for each voucher kind, each menu's entries by index.
const std::vector<MenuEntry>& allEntries()
{
    static const std::vector<MenuEntry> entries = [] {
        std::vector<MenuEntry> all(kEntries.begin(), kEntries.end());
        for (const VoucherKind& k : voucherKinds())
            all.push_back({Menu::VouchMod, k.menuIndex, k.menuCaption, R, k.openRight(), nullptr, k.form,
                           Opens::Modeless});
        std::stable_sort(all.begin(), all.end(), [](const MenuEntry& a, const MenuEntry& b) {
            return std::pair(static_cast<int>(a.menu), a.index) < std::pair(static_cast<int>(b.menu), b.index);
        });
        return all;
    }();
    return entries;
}

} // namespace

std::span<const MenuTitle> menuTitles()
{
    return kTitles;
}

std::span<const MenuEntry> menuEntries()
{
    return allEntries();
}

const MenuEntry* findEntry(Menu menu, int index)
{
    for (const auto& e : allEntries())
        if (e.menu == menu && e.index == index)
            return &e;
    return nullptr;
}

} // namespace app
