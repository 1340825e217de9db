// "Voucher Printing Preferences": per kind, whether the printed voucher shows
// each line's description (Voucher1) or not (Voucher2). Printing itself is
// voucher_printing.h's.
#pragma once

#include <array>

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace app { class Parent; }

namespace vouchers {

class VouchPrintOpt : public QDialog {
    Q_OBJECT

public:
    // The window on `main.Pelkconn`, which must be open; loads at once.
    explicit VouchPrintOpt(app::Parent& main, QWidget* parent = nullptr);

    // Ticks the boxes as stored. A database failure is shown; the boxes stay clear.
    void Form_Load();
    // "Save": writes the nine ticks to the database, then (only once that
    // succeeded) into the sign-in state, so the next print follows them; closes.
    // A failure is shown, changes nothing and leaves the window open.
    void SaveBttn_Click();
    // "Cancel": closes without writing anything.
    void CancelBttn_Click();

private:
    app::Parent& m_main;
    QLineEdit* m_comName = nullptr;
    std::array<QCheckBox*, 9> m_optCheck{};
};

} // namespace vouchers
