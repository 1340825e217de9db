// The administrator's window "Currency Settings": the business's country and
// its currency name and symbol, written into the business row and into that
// country's row of the reference table, then into the sign-in state.
#pragma once

#include <vector>

#include <QDialog>

#include "main/business_store.h"

class QComboBox;
class QLineEdit;

namespace app {

class Parent;

class CurrencySettings : public QDialog {
    Q_OBJECT

public:
    // The window on `main.Pelkconn`, which must be open. Refused, and closed at
    // once, for anyone but the administrator. Loads at once.
    explicit CurrencySettings(Parent& main, QWidget* parent = nullptr);

    // Lists the countries and shows the business's stored country, name and
    // symbol. A database failure is shown and Save stays off.
    void Form_Load();
    // A country was picked: proposes its currency name and symbol, which the
    // user may still edit.
    void CountryList_Change();
    // Refuses when no country is shown. Otherwise writes the business row and
    // the shown country's Currencies row in one transaction, then (after the
    // commit) CurrencyName and CurrencySymbol of the sign-in state; closes.
    // Without a business row it says "Cannot Save"; a failure leaves the
    // window open and writes nothing.
    void SaveBttn_Click();
    // Closes without writing anything.
    void CancelBttn_Click();

private:
    Parent& m_main;
    bool m_refused = false;
    std::vector<CountryRow> m_countries;   // in list order

    QComboBox* m_countryList = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_symbol = nullptr;
    QLineEdit* m_serial = nullptr;
};

} // namespace app
