// The nine voucher kinds: their type codes, forms and blocks of rights, and
// the interface an open voucher form offers to windows that want it to show a
// voucher. Shared by the menus, the voucher forms and every window that opens
// a voucher from a line.
#pragma once

#include <cstdint>
#include <span>

namespace app {

inline constexpr int kOpeningBalanceType = 11;

struct VoucherKind {
    int tranType;         // Transactions.TranType
    const char* form;     // the form's window name
    int baseRight;        // b: browse; b - 2 open, b + 2 delete, b + 4 post
    int openRight() const { return baseRight - 2; }
    int browseRight() const { return baseRight; }
    int deleteRight() const { return baseRight + 2; }
    int postRight() const { return baseRight + 4; }
};

// The nine kinds in menu order: purchase, purchase return, sale, sale return,
// cash payment, cash receipt, bank payment, bank receipt, general journal.
std::span<const VoucherKind> voucherKinds();
// The kind of type code `tranType`, or null (11 and unknown codes have none).
const VoucherKind* kindOfType(int tranType);
// The kind whose form is named `form`, or null.
const VoucherKind* kindOfForm(const char* form);

// What an open voucher form offers: show the saved voucher `tranNo` (of the
// form's own kind) as if the user had browsed to it. Implemented by the voucher form.
class VoucherView {
public:
    virtual ~VoucherView() = default;
    virtual void EditingRecord(std::int32_t tranNo) = 0;
};

} // namespace app
