// The table of voucher kinds.
#include "main/voucher_kinds.h"

#include <array>
#include <cstring>

#include "main/parent.h"

namespace app {
namespace {
// In menu order, which is also the order of the batch print's kinds and of
// the printing preferences' boxes.
constexpr std::array kKinds = {
    VoucherKind{21, "PurchaseVoucher", 44, {"Purchase Voucher", "PURCHASE VOUCHER", "FindPV", "Accounts"},
                10, "&Purchase Voucher", "PV", &Parent::PVType},
    VoucherKind{25, "PurchaseReturnVoucher", 54,
                {"Purchase Return Voucher", "PURCHASE RETURN VOUCHER", "FindPRV", "Accounts"}, 20,
                "Purchase &Return Voucher", "PRV", &Parent::PRVType},
    VoucherKind{31, "SaleVoucher", 64, {"Sale Voucher", "SALE VOUCHER", "FindSV", "Accounts"}, 40,
                "&Sales Voucher", "SV", &Parent::SVType},
    VoucherKind{35, "SaleReturnVoucher", 74, {"Sale Return Voucher", "SALE RETURN VOUCHER", "FindSRV", "Accounts"},
                50, "Sale Return &Voucher", "SRV", &Parent::SRVType},
    VoucherKind{27, "CashPaymentVoucher", 84, {"Cash Payment Voucher", "CASH PAYMENT VOUCHER", "FindCPV", "Accounts"},
                70, "&Cash Payment Voucher", "CPV", &Parent::CPVType},
    VoucherKind{37, "CashReceiptVoucher", 94, {"Cash Receipt Voucher", "CASH RECEIPT VOUCHER", "FindCRV", "Account"},
                80, "C&ash Receipt Voucher", "CRV", &Parent::CRVType},
    VoucherKind{28, "BankPaymentVoucher", 104, {"Bank Payment Voucher", "BANK PAYMENT VOUCHER", "FindBPV", "Accounts"},
                100, "&Bank Payment Voucher", "BPV", &Parent::BPVType},
    VoucherKind{38, "BankReceiptVoucher", 114, {"Bank Receipt Voucher", "BANK RECEIPT VOUCHER", "FindBRV", "Accounts"},
                110, "Ban&k Receipt Voucher", "BRV", &Parent::BRVType},
    VoucherKind{41, "GeneralJournal", 124,
                {"General Journal Voucher", "GENERAL JOURNAL VOUCHER", "FindGJV", "Accounts"}, 130,
                "&General Journal Voucher", "GJV", &Parent::GJVType},
};
} // namespace

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
