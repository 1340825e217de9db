// The account ledger window: one account's counted lines of the signed-in year,
// whole or for a period, with the balance brought forward, the running balance
// and status per line and the totals; a double-click opens a line's voucher.
// Its print, spreadsheet export and "Multiple Ledgers" come later (shown disabled).
#pragma once

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QTableView;

namespace app { class Parent; }

namespace ledgers {

class AccCodeBox;
class LedgerModel;

class AccLedgers : public QWidget {
    Q_OBJECT

public:
    // A ledger window on `main`'s connection and sign-in state; loads at once
    // (Form_Load). Needs main.Pelkconn open.
    explicit AccLedgers(app::Parent& main, QWidget* parent = nullptr);
    ~AccLedgers() override;

    // Totals caption, the default period, the hand-over from the trial balance
    // (BOpen with AccCodeRef: the whole-year ledger of that account, then BOpen
    // is cleared) and the clearing of a voucher hand-over still pending (LOpen).
    void Form_Load();
    // Enables the two date pickers while "Period From" is ticked.
    void DateOpt_Click();
    // Refuses an empty account name ("Select Account") and a period that ends
    // before it starts ("Invalid Date"), each moving the focus; else builds the
    // ledger and hides the account list. A failed query is reported.
    void ViewBttn_Click();
    // Opens the voucher of the grid's current line (OpenVoucherFromLine);
    // nothing without a current line.
    void LedgerGrid_DblClick();

    // The rows of the last build, as the grid shows them.
    LedgerModel* LedgerQry() const { return m_model; }
    AccCodeBox* codeBox() const { return m_codeBox; }

protected:

private:
    // Builds the ledger of the account in ACodeTxt for the choice of DateOpt and
    // LedgerDt. Reports a failed query and leaves the grid empty.
    void BuildLedger();
    void showCurrentLine(int row);
    void clearFigures();

    app::Parent& m_main;
    LedgerModel* m_model = nullptr;
    AccCodeBox* m_codeBox = nullptr;

    QLineEdit* m_code = nullptr;        // ACodeTxt
    QLineEdit* m_name = nullptr;        // Acc
    QCheckBox* m_dateOpt = nullptr;     // DateOpt
    QDateEdit* m_from = nullptr;        // LedgerDt_0
    QDateEdit* m_to = nullptr;          // LedgerDt_1
    QLabel* m_ob1 = nullptr;            // OBLbl1 .. OBLbl3
    QLabel* m_ob2 = nullptr;
    QLabel* m_ob3 = nullptr;
    QTableView* m_grid = nullptr;       // LedgerGrid
    QLabel* m_tranType = nullptr;       // TranType
    QLineEdit* m_lTranNo = nullptr;     // LTranNo (hidden)
    QLineEdit* m_lTranType = nullptr;   // LTranType (hidden)
    QLabel* m_ttlLbl = nullptr;         // TtlLbl
    QLineEdit* m_totalDr = nullptr;     // TotalDr
    QLineEdit* m_totalCr = nullptr;     // TotalCr
    QLineEdit* m_balance = nullptr;     // Balance
    QLineEdit* m_status = nullptr;      // Status
    QPushButton* m_view = nullptr;      // ViewBttn
};

} // namespace ledgers
