// Every window the menus open, registered by name. The only place that knows
// all parts of the program, so that the main window depends on none of them.
#include "main/window_catalog.h"

#include "accounts/jobs.h"
#include "accounts/modify_accounts.h"
#include "accounts/opening_balances.h"
#include "ledgers/acc_ledgers.h"
#include "ledgers/daily_journal.h"
#include "ledgers/job_ledgers.h"
#include "ledgers/print_ledgers.h"
#include "main/about.h"
#include "main/clear_transactions.h"
#include "main/company_info.h"
#include "main/currency_settings.h"
#include "main/financial_years.h"
#include "main/password.h"
#include "main/posting_option.h"
#include "main/user_logins.h"
#include "main/user_rights.h"
#include "main/voucher_kinds.h"
#include "statements/acc_balances.h"
#include "statements/balance_sheet.h"
#include "statements/income_statement.h"
#include "vouchers/print_vouchers.h"
#include "vouchers/vouch_print_opt.h"
#include "vouchers/voucher_form.h"
#include "vouchers/voucher_search.h"
#include "vouchers/voucher_search_rules.h"

namespace app {

void registerWindows()
{
    registerWindow("ModifyAccounts", [](Parent& m) { return new accounts::ModifyAccounts(m); });
    registerWindow("FinancialYears", [](Parent& m) { return new FinancialYears(m); });
    registerWindow("About", [](Parent& m) { return new About(m); });
    registerWindow("CompanyInfo", [](Parent& m) { return new CompanyInfo(m); });
    registerWindow("CurrencySettings", [](Parent& m) { return new CurrencySettings(m); });
    registerWindow("PostingOption", [](Parent& m) { return new PostingOption(m); });
    registerWindow("UserLogins", [](Parent& m) { return new UserLogins(m); });
    registerWindow("UserRights", [](Parent& m) { return new UserRights(m); });
    registerWindow("Password", [](Parent& m) { return new Password(m); });
    registerWindow("ClearTransactions", [](Parent& m) { return new ClearTransactions(m); });
    registerWindow("Jobs", [](Parent& m) { return new accounts::Jobs(m); });
    registerWindow("OpeningBalancesAcc", [](Parent& m) { return new accounts::OpeningBalancesAcc(m); });
    registerWindow("AccLedgers", [](Parent& m) { return new ledgers::AccLedgers(m); });
    registerWindow("JobLedgers", [](Parent& m) { return new ledgers::JobLedgers(m); });
    registerWindow("DailyJournal", [](Parent& m) { return new ledgers::DailyJournal(m); });
    registerWindow("PrintLedgers", [](Parent& m) { return new ledgers::PrintLedgers(m); });
    registerWindow("AccBalances", [](Parent& m) { return new statements::AccBalances(m); });
    registerWindow("IncomeStatement", [](Parent& m) { return new statements::IncomeStatement(m); });
    registerWindow("BalanceSheet", [](Parent& m) { return new statements::BalanceSheet(m); });
    registerWindow("VouchPrintOpt", [](Parent& m) { return new vouchers::VouchPrintOpt(m); });
    registerWindow("PrintVouchers", [](Parent& m) { return new vouchers::PrintVouchers(m); });
    // The nine voucher forms, one window class parameterised by the kind.
    for (const VoucherKind& kind : voucherKinds())
        registerWindow(QString::fromUtf8(kind.form),
                       [&kind](Parent& m) { return vouchers::makeVoucherForm(m, kind); });
    // The nine search windows their forms' "Find" opens, one design over the kind.
    for (const VoucherKind& kind : voucherKinds())
        registerWindow(QString::fromUtf8(vouchers::searchTexts(kind.tranType).window),
                       [&kind](Parent& m) { return vouchers::makeVoucherSearch(m, kind); });
}

} // namespace app
