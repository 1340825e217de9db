// The trial balance window: six or two columns for all accounts, a main type,
// a sub type or a code range, with the totals; a double-click on a row opens
// that account's ledger; Print shows the balances in one of the four printed
// trial balances, and Excel exports what it shows.
#pragma once

#include <optional>

#include <QWidget>

#include "platform/data/hierarchy.h"
#include "platform/forms/messages.h"
#include "statements/trial_balance_store.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShowEvent;
class QTableView;

namespace app { class Parent; }
namespace ledgers { class AccRangePicker; }

namespace statements {

class SixColumnModel;
class TwoColumnModel;

class AccBalances : public QWidget {
    Q_OBJECT

public:
    // Which button asked for the selection checks: each has its own messages.
    enum class Purpose { View, Print, Export };

    // A trial-balance window on `main`'s connection and sign-in state; loads at
    // once (Form_Load), showing all accounts in two columns. Needs main.Pelkconn open.
    explicit AccBalances(app::Parent& main, QWidget* parent = nullptr);
    ~AccBalances() override;

    // Main types, the totals caption, the from date at the year's start and the
    // to date of DefaultPeriod, then ShowBalances.
    void Form_Load();
    // Fills SubList with the sub types of the main type the text of Acc
    // matches; empties SubList's text in every case.
    void Acc_Change();
    // All accounts: the main type, sub type and range controls are disabled,
    // their texts cleared and "Sub Type" unticked.
    void AllOpt_Click();
    // One main type: its combo and "Sub Type" are enabled, the sub-type combo
    // while "Sub Type" is ticked; the range boxes are disabled.
    void SelectOpt_Click();
    // A code range: as AllOpt_Click, with the four range boxes enabled.
    void RangeOpt_Click();
    // Enables the sub-type combo while "Sub Type" is ticked.
    void SubTypeOpt_Click();
    // 0: six columns with their totals; 1: two columns. Queries nothing.
    void TrialOpt_Click(int index);
    // Runs the selection checks, each refusing with its message and moving
    // the focus; then ShowBalances. The dates are not checked.
    void ViewBttn_Click();
    // Runs the selection checks with the print messages; then, with the
    // buttons off until the preview closes, prints a fresh run of the
    // balances for the selection and dates: grouped (AccBalRpt or
    // AccBalRpt2) for all accounts, a main type or a sub type, else by range
    // (AccBalRptRange or AccBalRptRange2), as the layout chosen says. After
    // the preview the balances are shown again. A failed query or layout is
    // told and gives the buttons back.
    void PrintBttn_Click();
    // The same checks as Display (with their export messages), then
    // ShowBalances afresh and the export (ExcelExport) of the layout chosen:
    // six or two columns. A failed rebuild exports nothing.
    void ExcelBttn_Click();
    // Opens the ledger of the current row's account (right 240): nothing
    // without a current row.
    void DetailGrid_DblClick();
    void DetailGrid2_DblClick();

    // The first failed selection check for `purpose`, or nothing.
    std::optional<forms::Problem> checkSelection(Purpose purpose) const;

    // The rows the printed balances read, from the print until its report ends.
    platform::Hierarchy PrintBalances;

protected:

private:
    // Queries the chosen accounts and refills both grids and all totals, with
    // the command buttons disabled meanwhile. A failed query is reported,
    // leaves both grids empty and the buttons usable, and returns false.
    bool ShowBalances();
    // The two ways of printing; each opens PrintBalances from `tb` and shows
    // its report.
    void PrintGroupedBalances(const TrialBalance& tb);
    void PrintRangeBalances(const TrialBalance& tb);
    // The selection checks for `purpose`, shared by Display, Print and Excel:
    // tells the first failure, moving the focus, and returns false.
    bool choiceIsValid(Purpose purpose);
    AccountSelection selection() const;
    void setCommandsEnabled(bool on);
    void clearFigures();
    void openLedger(const QString& code);
    std::optional<std::int64_t> matchedMainType() const;
    std::optional<std::int64_t> matchedSubType() const;

    app::Parent& m_main;
    SixColumnModel* m_six = nullptr;
    TwoColumnModel* m_two = nullptr;
    ledgers::AccRangePicker* m_picker = nullptr;

    QRadioButton* m_allOpt = nullptr;
    QRadioButton* m_selectOpt = nullptr;
    QRadioButton* m_rangeOpt = nullptr;
    QComboBox* m_acc = nullptr;
    QCheckBox* m_subTypeOpt = nullptr;
    QComboBox* m_subList = nullptr;
    QLineEdit* m_codeFrom = nullptr;
    QLineEdit* m_codeTo = nullptr;
    QLineEdit* m_accFrom = nullptr;
    QLineEdit* m_accTo = nullptr;
    QRadioButton* m_trial6 = nullptr;     // TrialOpt_0
    QRadioButton* m_trial2 = nullptr;     // TrialOpt_1
    QDateEdit* m_from = nullptr;          // BalDt_0
    QDateEdit* m_to = nullptr;            // BalDt_1
    QPushButton* m_view = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_excel = nullptr;
    QTableView* m_grid6 = nullptr;        // DetailGrid
    QTableView* m_grid2 = nullptr;        // DetailGrid2
    QLineEdit* m_balCode = nullptr;       // BalCode (hidden)
    QLineEdit* m_balCode2 = nullptr;      // BalCode2 (hidden)
    QFrame* m_totals6 = nullptr;          // LedgerTotals
    QFrame* m_totals2 = nullptr;          // LedgerTotals2
    QLabel* m_ttlLbl = nullptr;
    QLineEdit* m_openBalance = nullptr;
    QLineEdit* m_totalDr = nullptr;
    QLineEdit* m_totalCr = nullptr;
    QLineEdit* m_closeBalance = nullptr;
    QLineEdit* m_tDr = nullptr;
    QLineEdit* m_tCr = nullptr;
};

} // namespace statements
