// The account ledger window: one account's counted lines of the signed-in year,
// whole or for a period, with the balance brought forward, the running balance
// and status per line and the totals; a double-click opens a line's voucher and
// Print shows the ledger as the report AccLedger, Excel exports it, and
// "Multiple Ledgers" opens the multi-ledger print.
#pragma once

#include <cstdint>
#include <optional>

#include <QWidget>

#include "ledgers/ledger_grid.h"
#include "ledgers/ledger_rules.h"
#include "platform/data/recordset.h"
#include "platform/text/money.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QTableView;

namespace app { class Parent; }
namespace ledger_reports { struct AccLedgerSource; }

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
    // Refuses an empty account name ("Select Account", focus to the code box);
    // else builds the ledger and hides the account list. A period that ends
    // before it starts lists no line and shows the balance brought forward to
    // its first day. A failed query is reported.
    void ViewBttn_Click();
    // The same check ("Select a valid account to print ledger."), then builds
    // the ledger afresh and shows it as the report AccLedger over LedgerQry,
    // modally. A failed query or a report that cannot be laid out is told, and
    // nothing is shown.
    void PrintBttn_Click();
    // The same check as Display, then builds the ledger afresh and exports it
    // (ExcelExport) as built: the brought-forward line, the lines and the
    // totals. A failed build exports nothing.
    void ExcelBttn_Click();
    // Shows the multi-ledger print PrintLedgers modally.
    void MultiBttn_Click();
    // Opens the voucher of the grid's current line (OpenVoucherFromLine);
    // nothing without a current line.
    void LedgerGrid_DblClick();

    // The rows of the last build, as the grid shows them.
    LedgerModel* ledgerModel() const { return m_model; }
    // The rows the last print showed; AccLedger leaves them open, and the
    // next build closes them. Closed before the first print.
    const platform::Recordset& LedgerQry() const { return m_ledgerQry; }
    AccCodeBox* codeBox() const { return m_codeBox; }

private:
    // Builds the ledger of the account in ACodeTxt for the choice of DateOpt and
    // LedgerDt, and closes LedgerQry. Reports a failed query, leaves the grid
    // empty and returns false.
    bool BuildLedger();
    // The account check of Display, Print and Excel: an empty account name is
    // refused with `noAccount`, the focus to the code box, and false returned.
    bool accountChosen(const QString& noAccount);
    // What AccLedger reads from the window, as the last build left it.
    ledger_reports::AccLedgerSource printSource() const;
    void showCurrentLine(int row);
    void clearFigures();

    app::Parent& m_main;
    LedgerModel* m_model = nullptr;
    platform::Recordset m_ledgerQry;
    // The figures of the last build that the report needs as amounts.
    std::int64_t m_builtCode = 0;
    std::optional<platform::Money> m_broughtForward;
    LedgerTotals m_totals;
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
    CurrentLineBoxes m_line;            // TranType, LTranNo, LTranType (hidden)
    QLabel* m_ttlLbl = nullptr;         // TtlLbl
    QLineEdit* m_totalDr = nullptr;     // TotalDr
    QLineEdit* m_totalCr = nullptr;     // TotalCr
    QLineEdit* m_balance = nullptr;     // Balance
    QLineEdit* m_status = nullptr;      // Status
    QPushButton* m_view = nullptr;      // ViewBttn
    QPushButton* m_print = nullptr;     // PrintBttn
};

} // namespace ledgers
