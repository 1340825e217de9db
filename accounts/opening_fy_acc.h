// "Import Opening Balances": carries another year's closing balances of the
// balance-sheet accounts into this year's opening-balance voucher, for the
// opening-balance window that opened it, which it holds and then reloads.
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class QTimer;

namespace app { class Parent; }

namespace accounts {

class OpeningBalancesAcc;

class OpeningFYAcc : public QDialog {
    Q_OBJECT

public:
    // The import into `target`'s voucher, on `main.Pelkconn`, which must be
    // open. Loads at once (Form_Load). `target` must outlive the window.
    OpeningFYAcc(app::Parent& main, OpeningBalancesAcc& target, QWidget* parent = nullptr);

    // Lists the financial years in FinYearList. A database failure is shown
    // and leaves the list empty.
    void Form_Load();
    // Refuses a text that is no year ("Select correct financial year.") and the
    // signed-in year, asks "Are you sure, you want to import accounts
    // balances?", then holds the opening-balance window and writes the lines
    // in one transaction, after checking that the window's voucher is still
    // the year's; then starts OBTimer. A failure writes nothing, is told, and
    // gives the opening-balance window back at once. Runs once while an import
    // is under way.
    void ImportBttn_Click();
    // Acts only while OBTimer runs, and stops it: the opening-balance window
    // reloads its lines, and this window closes.
    void OBTimer_Timer();

    // However the window is closed (Esc, its close box, the tick): an import
    // still waiting for its tick reloads the opening-balance window at once,
    // which would otherwise stay held with no lines.
    void done(int result) override;

private:
    // The FYID of the row picked in the list; for a text typed over it, of
    // the first row whose abbreviation it is (letters in any case); else 0.
    int chosenYear() const;
    void giveBack();

    app::Parent& m_main;
    OpeningBalancesAcc& m_target;
    QComboBox* m_years = nullptr;
    QPushButton* m_import = nullptr;
    QTimer* m_obTimer = nullptr;
};

} // namespace accounts
