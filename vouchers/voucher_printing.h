// Printing vouchers through the main window's VoucherRst: the kinds'
// print-layout flags and the showing of Voucher1 or Voucher2. Shared by the
// voucher form, the batch print and the printing preferences; the layouts and
// the query are in reports/vouchers.
#pragma once

#include <functional>
#include <span>

namespace app { class Parent; }
namespace platform {
class Database;
class Hierarchy;
}

class QString;
class QWidget;

namespace vouchers {

// One kind's print-layout flag, as the table of kinds (main/voucher_kinds.h)
// holds it: the member of the sign-in state and the BusinessInfo column that
// keep it. True prints Voucher1 (with the lines' descriptions), false Voucher2.
struct PrintLayoutFlag {
    int tranType;
    bool app::Parent::*flag;   // PVType ... GJVType
    const char* column;        // "PV" ... "GJV"
};
// The nine flags in the kinds' menu order (purchase, purchase return, sale,
// sale return, cash payment, cash receipt, bank payment, bank receipt,
// general journal), which is also the order of the preferences' boxes.
std::span<const PrintLayoutFlag> printLayoutFlags();

// Prints vouchers of kind `docType`: sets main.DocType, opens main.VoucherRst
// with `open` on main.Pelkconn (closing what it held first), and shows Voucher1
// or Voucher2, as the kind's flag says, modally over `parent`, captioned from
// the sign-in state. The report closes VoucherRst when its window closes.
// Returns false when the data cannot be opened or laid out, or holds no
// voucher (`nothing` then says why, under "Nothing to Print"); the reason has
// been shown over `parent` and VoucherRst is closed. Throws
// std::invalid_argument for a code without a voucher form.
bool printVouchers(app::Parent& main, QWidget* parent, int docType,
                   const std::function<platform::Hierarchy(platform::Database&)>& open, const QString& nothing);

} // namespace vouchers
