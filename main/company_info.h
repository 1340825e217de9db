// The administrator's window "Company Setup": the company's nine details, and
// after a save the sign-in state's report headings built from them.
#pragma once

#include <array>

#include <QDialog>

#include "main/business_store.h"

class QLineEdit;

namespace app {

class Parent;

class CompanyInfo : public QDialog {
    Q_OBJECT

public:
    // The window on `main.Pelkconn`, which must be open. Refused, and closed at
    // once, for anyone but the administrator. Loads at once.
    explicit CompanyInfo(Parent& main, QWidget* parent = nullptr);

    // Places the window at the screen's top-left corner and fills the boxes.
    // A database failure is shown and Save stays off, so nothing read wrongly
    // can be written back.
    void Form_Load();
    // Writes the nine boxes, then (only once that succeeded) the sign-in
    // state's BizName, BizAdd, BizTel and BizEMail; closes. Without a business
    // row it says "Cannot Save"; a failure leaves the window open.
    void SaveBttn_Click();
    // Closes without writing anything.
    void CancelBttn_Click();

private:
    Parent& m_main;
    bool m_refused = false;
    std::array<QLineEdit*, kCompanyFields> m_info{};
};

} // namespace app
