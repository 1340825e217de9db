// The nine voucher kinds, the one table of them: their type codes, forms,
// blocks of rights, captions, menu entries and print-layout flags; and the
// interface an open voucher form offers to windows that want it to show a
// voucher. The menus, the voucher forms, the sign-in, the printing and every
// window that opens a voucher from a line read the kinds here.
#pragma once

#include <cstdint>
#include <span>

namespace app {

inline constexpr int kOpeningBalanceType = 11;

class Parent;

// What a kind's form shows beyond its name.
struct KindTexts {
    const char* caption;        // the window's title, "Purchase Voucher"
    const char* heading;        // Label2, the caption in capitals
    const char* searchWindow;   // the window "Find" opens, "FindPV"
    const char* chartButton;    // the caption of CA: "Accounts", "Account" on cash receipts
};

struct VoucherKind {
    int tranType;         // Transactions.TranType
    const char* form;     // the form's window name
    int baseRight;        // b: browse; b - 2 open, b + 2 delete, b + 4 post
    KindTexts texts;
    int menuIndex;            // the entry's index in the Vouchers menu; it needs the open right
    const char* menuCaption;  // "&Purchase Voucher"
    // The print-layout flag: the BusinessInfo column that keeps it and the
    // sign-in state's copy. True prints Voucher1 (with the lines'
    // descriptions), false Voucher2.
    const char* flagColumn;   // "PV" ... "GJV"
    bool Parent::*printFlag;  // PVType ... GJVType
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
