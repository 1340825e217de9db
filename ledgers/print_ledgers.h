// The multi-ledger print window: on its first timer tick it refreshes the
// lines' stored running balances (behind two wait labels), then offers the
// accounts (all, a main type or one of its sub types, a code range), the
// period and "every ledger on a new page", and prints AccLedgerMulti.
#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "ledgers/account_selection.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace app { class Parent; }

namespace ledgers {

class AccRangePicker;
class MultiLedgerSlices;

class PrintLedgers : public QDialog {
    Q_OBJECT

public:
    // A multi-ledger window on `main`'s connection and sign-in state; loads at
    // once (Form_Load). Needs main.Pelkconn open.
    explicit PrintLedgers(app::Parent& main, QWidget* parent = nullptr);
    ~PrintLedgers() override;

    // The default period, the main types, and the wait labels with Timer1
    // running; Print stays disabled until the refresh has ended.
    void Form_Load();
    // The one refresh of the stored balances (only while Timer1 runs): then
    // the options show and Print is enabled. A failed refresh is told and
    // rolled back; printing still works, since the print works its figures
    // out from the lines.
    void Timer1_Timer();
    // 0 All Accounts, 1 Main Account Type, 2 Range: enables and clears the
    // type and range controls as the choice asks.
    void LedgerOpt_Click(int index);
    void SubTypeOpt_Click();
    void PeriodOpt_Click();
    // Fills SubList with the sub types of the main type MainList's text
    // matches; empties SubList's text in every case.
    void MainList_Change();
    // The selection checks, each refusing with its message; then the ledgers
    // of the selection, worked out from the lines, shown as AccLedgerMulti.
    // A failed query is told and nothing is shown.
    void PrintBttn_Click();

    // The rows of the print being shown, read a slice of accounts at a time;
    // null once the report has ended.
    const MultiLedgerSlices* MultiLedgersQry() const { return m_multiLedgersQry.get(); }

private:
    std::optional<AccountSelection> checkedSelection();

    app::Parent& m_main;
    std::shared_ptr<const MultiLedgerSlices> m_multiLedgersQry;
    AccRangePicker* m_picker = nullptr;
    QTimer* m_timer = nullptr;           // Timer1
    QLabel* m_wait = nullptr;            // WaitLbl
    QLabel* m_wait2 = nullptr;           // WaitLbl2
    QFrame* m_frame = nullptr;           // LFrame
    QRadioButton* m_opt[3] = {};         // LedgerOpt_0 .. _2
    QComboBox* m_mainList = nullptr;     // MainList
    QCheckBox* m_subTypeOpt = nullptr;   // SubTypeOpt
    QComboBox* m_subList = nullptr;      // SubList
    QLineEdit* m_codeFrom = nullptr;
    QLineEdit* m_accFrom = nullptr;
    QLineEdit* m_codeTo = nullptr;
    QLineEdit* m_accTo = nullptr;
    QCheckBox* m_periodOpt = nullptr;    // PeriodOpt
    QDateEdit* m_from = nullptr;         // LedgerDt_0
    QDateEdit* m_to = nullptr;           // LedgerDt_1
    QCheckBox* m_newPageOpt = nullptr;   // NewPageOpt
    QPushButton* m_print = nullptr;      // PrintBttn
};

} // namespace ledgers
