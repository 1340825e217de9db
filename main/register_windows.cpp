// Every window the menus open, registered by name. The only place that knows
// all parts of the program, so that the main window depends on none of them.
#include "main/window_catalog.h"

#include "accounts/modify_accounts.h"
#include "accounts/opening_balances.h"
#include "ledgers/acc_ledgers.h"
#include "ledgers/daily_journal.h"
#include "ledgers/print_ledgers.h"
#include "main/clear_transactions.h"
#include "main/financial_years.h"
#include "main/voucher_kinds.h"
#include "statements/acc_balances.h"
#include "vouchers/print_vouchers.h"
#include "vouchers/vouch_print_opt.h"
#include "vouchers/voucher_form.h"

namespace app {

void registerWindows()
{
    registerWindow("ModifyAccounts", [](Parent& m) { return new accounts::ModifyAccounts(m); });
    registerWindow("FinancialYears", [](Parent& m) { return new FinancialYears(m); });
    registerWindow("ClearTransactions", [](Parent& m) { return new ClearTransactions(m); });
    registerWindow("OpeningBalancesAcc", [](Parent& m) { return new accounts::OpeningBalancesAcc(m); });
    registerWindow("AccLedgers", [](Parent& m) { return new ledgers::AccLedgers(m); });
    registerWindow("DailyJournal", [](Parent& m) { return new ledgers::DailyJournal(m); });
    registerWindow("PrintLedgers", [](Parent& m) { return new ledgers::PrintLedgers(m); });
    registerWindow("AccBalances", [](Parent& m) { return new statements::AccBalances(m); });
    registerWindow("VouchPrintOpt", [](Parent& m) { return new vouchers::VouchPrintOpt(m); });
    registerWindow("PrintVouchers", [](Parent& m) { return new vouchers::PrintVouchers(m); });
    // The nine voucher forms, one window class parameterised by the kind.
    for (const VoucherKind& kind : voucherKinds())
        registerWindow(QString::fromUtf8(kind.form),
                       [&kind](Parent& m) { return vouchers::makeVoucherForm(m, kind); });
}

} // namespace app
