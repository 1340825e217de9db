// The table of voucher kinds.
#include "main/voucher_kinds.h"

#include <array>
#include <cstring>

namespace app {
namespace {
constexpr std::array kKinds = {
    VoucherKind{21, "PurchaseVoucher", 44},
    VoucherKind{25, "PurchaseReturnVoucher", 54},
    VoucherKind{31, "SaleVoucher", 64},
    VoucherKind{35, "SaleReturnVoucher", 74},
    VoucherKind{27, "CashPaymentVoucher", 84},
    VoucherKind{37, "CashReceiptVoucher", 94},
    VoucherKind{28, "BankPaymentVoucher", 104},
    VoucherKind{38, "BankReceiptVoucher", 114},
    VoucherKind{41, "GeneralJournal", 124},
};
}

std::span<const VoucherKind> voucherKinds()
{
    return kKinds;
}

const VoucherKind* kindOfType(int tranType)
{
    for (const auto& k : kKinds)
        if (k.tranType == tranType)
            return &k;
    return nullptr;
}

const VoucherKind* kindOfForm(const char* form)
{
    for (const auto& k : kKinds)
        if (std::strcmp(k.form, form) == 0)
            return &k;
    return nullptr;
}

} // namespace app
