// OpenVoucherFromLine.
#include "ledgers/open_voucher.h"

#include <QString>
#include <QWidget>

#include "main/parent.h"
#include "main/rights.h"
#include "main/voucher_kinds.h"
#include "platform/forms/window_host.h"

namespace ledgers {

void OpenVoucherFromLine(app::Parent& main, int tranType, std::int32_t tranNo)
{
    if (tranType == app::kOpeningBalanceType) {
        if (main.CheckRight(app::right::OpeningBalances))
            main.openWindow(QStringLiteral("OpeningBalancesAcc"), false);
        return;
    }
    const app::VoucherKind* kind = app::kindOfType(tranType);
    if (!kind || !main.CheckRight(kind->browseRight()))
        return;

    const QString form = QString::fromLatin1(kind->form);
    main.LedgerRef = tranNo;
    main.LOpen = true;
    // An open form keeps what it shows (the user may be typing there): it is
    // only brought to the front. A form that loaded consumed the hand-over; in
    // every other case (an open form, none registered) it must not be left for
    // whichever voucher form loads next, which would say "Record Not Found".
    main.openWindow(form, false);
    main.LOpen = false;
}

void OpenVoucherFromLine(app::Parent& main, const QString& lTranNo, const QString& lTranType)
{
    if (lTranNo.isEmpty())
        return;
    bool numberOk = false, typeOk = false;
    const int tranNo = lTranNo.toInt(&numberOk);
    const int tranType = lTranType.toInt(&typeOk);
    if (numberOk && typeOk)
        OpenVoucherFromLine(main, tranType, tranNo);
}

} // namespace ledgers
