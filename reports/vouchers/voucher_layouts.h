// The printed voucher, one voucher a page: Voucher1 prints each line's
// description under its account name, Voucher2 does not. Choosing the layout
// and opening the data are the printing windows' work.
#pragma once

#include <QString>

#include "platform/report/layout.h"

namespace report { class ReportFeed; }

namespace reports {

enum class VoucherLayout { Voucher1, Voucher2 };

// The layout `which`, captioned "Voucher", over the two levels of the voucher
// print query: a group header per voucher, a detail row per line and a group
// footer with the totals, the amount in words and the signatures, which ends
// the page. Captions filled at initialisation are left empty.
report::Report voucherLayout(VoucherLayout which);

// What the initialisation puts into a voucher layout.
struct VoucherCaptions {
    QString bizName;          // CoName
    QString bizAdd;           // CoAdd
    QString bizTel;           // CoTel
    QString currencySymbol;   // in "Debit (" ... ")" and "Credit (" ... ")"
    QString heading;          // VLabel, the kind's printed heading
    QString userName;         // PrintByLbl, the name alone
};

// DataReport_Initialize of Voucher1 and Voucher2: fills the captions of
// Section4 and PrintByLbl of Section5. Throws std::out_of_range for a layout
// without those controls.
void initialiseVoucher(report::ReportFeed& feed, const VoucherCaptions& captions);

} // namespace reports
