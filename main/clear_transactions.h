// The administrator's window "Clear Transactions": after a confirmation it
// deletes every voucher of the signed-in year and gives the year a new, empty
// opening-balance voucher. The back-up itself is the back-up program's.
#pragma once

#include <QDialog>

namespace app {

class Parent;

class ClearTransactions : public QDialog {
    Q_OBJECT

public:
    // The window for the signed-in year `main.FYID` on `main.Pelkconn`, which
    // must be open; the new voucher is stamped with `main.PelkUser`.
    explicit ClearTransactions(Parent& main, QWidget* parent = nullptr);

    // Asks "Confirmation"; on Yes deletes the year's vouchers with their lines
    // and writes its new opening-balance voucher, dated from the year's stored
    // start, in one transaction, then closes. No writes nothing. A failure is
    // shown, writes nothing and leaves the window open.
    void ClearBttn_Click();

private:
    Parent& m_main;
};

} // namespace app
