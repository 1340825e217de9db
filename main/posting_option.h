// "Voucher Posting Preferences": whether new vouchers start posted.
#pragma once

#include <QDialog>

class QCheckBox;

namespace app {

class Parent;

class PostingOption : public QDialog {
    Q_OBJECT

public:
    // The window on `main.Pelkconn`, which must be open; loads at once. A
    // database failure is shown and Save stays off.
    explicit PostingOption(Parent& main, QWidget* parent = nullptr);

    // Writes the tick, then (only once that succeeded) the sign-in state's
    // AutoPost; closes. Without a business row it says "Cannot Save"; a
    // failure leaves the window open.
    void SaveBttn_Click();
    // Closes without writing anything.
    void CancelBttn_Click();

private:
    Parent& m_main;
    QCheckBox* m_optCheck = nullptr;
};

} // namespace app
