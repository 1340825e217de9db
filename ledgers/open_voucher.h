// From a line of a ledger-like grid to its voucher: the opening balances for
// an opening-balance line, else the voucher form of the line's kind, after the
// user-rights check. Used by the account ledger, the day book and the job ledger.
#pragma once

#include <cstdint>

#include <QString>

namespace app { class Parent; }

namespace ledgers {

// Opens voucher `tranNo` of type `tranType`:
// - 11: after CheckRight of the opening-balances right, the opening balances
//   window (modeless); LedgerRef and LOpen stay as they are.
// - one of the nine kinds: after CheckRight of the kind's browse right,
//   LedgerRef = tranNo and LOpen = true hand the voucher to the kind's form.
//   When that form is open it is only brought to the front and keeps what it
//   shows. Otherwise the form is opened modeless and loads the voucher. Either
//   way LOpen is clear afterwards, so no other form picks the hand-over up later.
// - any other type: nothing.
// A refused right shows CheckRight's message and opens nothing. A form
// nobody registered opens nothing.
void OpenVoucherFromLine(app::Parent& main, int tranType, std::int32_t tranNo);
// The same for a grid line's hidden boxes LTranNo and LTranType: nothing when
// the number is empty (no current line) or either text is no number.
void OpenVoucherFromLine(app::Parent& main, const QString& lTranNo, const QString& lTranType);

} // namespace ledgers
