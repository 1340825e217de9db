// The chart-of-accounts editor "Chart of Accounts": three panels for main types,
// sub types and accounts, each adding, renaming and deleting one row at a time.
// Code proposals and checks are in chart_rules, SQL in chart_store, the printed
// chart in reports/accounts; the chart search (chart_search) positions it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QDialog>

#include "platform/data/hierarchy.h"
#include "platform/data/recordset.h"

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace platform { class Database; }

namespace app { class Parent; }

namespace accounts {

struct ChartProblem;

class ModifyAccounts : public QDialog {
    Q_OBJECT

public:
    // The editor on the main window's connection `main.Pelkconn`, which must be
    // open. Loads at once (Form_Load); a database failure is shown and leaves
    // the window empty but usable.
    explicit ModifyAccounts(app::Parent& main, QWidget* parent = nullptr);
    ~ModifyAccounts() override;

    // Loads natures and main types, shows the first main type with its first
    // sub type and that sub type's accounts, clears the adding states and sets
    // the panels.
    void Form_Load();
    // Sees every key before the control with the focus. Only while the accounts
    // panel is enabled: Ctrl+N (Ctrl alone) adds an account, Ctrl+S saves it,
    // Esc (any modifiers) cancels. Returns true when the key was used.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Drops any pending new row and unsaved edit: nothing of them is written.
    void Form_QueryUnload();
    // Releases the lists and re-arms the main window's AccTimer, so that the
    // shared account list is read afresh. Runs once, however the window closes.
    void Form_Unload();

    // --- main types ---
    // Begins a new main type: blank boxes, the code box unlocked, the nature
    // list enabled and focused; everything that would leave the row disabled.
    void AddBttn_Click();
    // Checks and writes the shown main type (new, or renamed); refusals are shown.
    void SaveBttn_Click();
    // Asks and deletes the shown main type, unless it has sub types.
    void DelBttn_Click();
    // Drops the pending new main type or unsaved edits and shows the list again.
    void CancelBttn_Click();
    // While adding: shows the chosen nature's range and proposes its next code;
    // text that names no nature empties the code and the range.
    void FSList_Change();
    // Lists the sub types of the code in MainCode (none for an empty code).
    void MainCode_Change();
    // Shows the main type picked in L1List; unsaved edits of the one shown are dropped.
    void L1List_Click();

    // --- sub types ---
    void AddBttn2_Click();     // begins a new sub type with the proposed code
    void SaveBttn2_Click();    // checks and writes the shown sub type
    void DelBttn2_Click();     // asks and deletes the shown sub type, unless it has accounts
    void CancelBttn2_Click();  // drops the pending sub type or unsaved edits
    // Lists the accounts of the code in SubCode (none for an empty code).
    void SubCode_Change();
    void L2List_Click();       // shows the sub type picked in L2List

    // --- accounts ---
    void AddBttn3_Click();     // begins a new account with the proposed code
    void SaveBttn3_Click();    // checks and writes the shown account
    void DelBttn3_Click();     // asks and deletes the shown account, unless voucher lines use it
    void CancelBttn3_Click();  // drops the pending account or unsaved edits
    void L3List_Click();       // shows the account picked in L3List
    // "Find": the chart search, modal; only while no new row is pending.
    void FindBttn_Click();
    // Shows main type `typeId`, its sub type `level2Id` and that sub type's
    // account `accCode`, each marked in its list, as the chart search picks
    // them. The main types are read afresh first, which drops unsaved edits.
    // A code no longer stored leaves its level (and those below) on its first
    // row. Returns true when the account is shown. Does nothing while a new
    // row is pending.
    bool showAccountOf(std::int64_t typeId, std::int64_t level2Id, std::int64_t accCode);

    // --- printing ---
    // Prints the chart through AccList: `index` 0 the whole chart, 1 the main
    // type shown (with all its sub types and accounts), 2 the sub type shown
    // (under its main type, with its accounts). Opens CARst afresh (closing
    // one still open) and shows the report modally; the report closes CARst
    // when it ends. A failure to read the chart is shown, and nothing prints.
    void PrintBttn_Click(int index);

    // The chart being printed, from PrintBttn_Click until the report ends.
    platform::Hierarchy CARst;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void setPanels();

    void reloadMainTypes(std::optional<std::int64_t> select);
    void reloadSubTypes(std::optional<std::int64_t> select);
    void reloadAccounts(std::optional<std::int64_t> select);
    void showMainType();
    void showSubType();
    void showAccount();
    std::optional<std::int64_t> chosenNature() const;
    bool refuse(const std::optional<ChartProblem>& problem);
    void refuse(const ChartProblem& problem);

    app::Parent& m_main;
    platform::Database& m_db;
    bool m_unloaded = false;

    platform::Recordset m_mainTypes;   // MainTypeRst
    platform::Recordset m_subTypes;    // SubTypeRst: of the shown main type
    platform::Recordset m_accounts;    // AccRst: of the shown sub type
    platform::Recordset m_natures;     // FSRst

    bool AddingMainType = false;
    bool AddingSubType = false;
    bool AddingAccount = false;

    QGroupBox* m_l1Frame = nullptr;
    QListWidget* m_l1List = nullptr;
    QLineEdit* m_mainCode = nullptr;
    QComboBox* m_fsList = nullptr;
    QLabel* m_valueLbl = nullptr;
    QLineEdit* m_catCodeTxt = nullptr;
    QPushButton* m_addBttn = nullptr;
    QPushButton* m_saveBttn = nullptr;
    QPushButton* m_delBttn = nullptr;
    QPushButton* m_cancelBttn = nullptr;

    QGroupBox* m_l2Frame = nullptr;
    QListWidget* m_l2List = nullptr;
    QLineEdit* m_subCode = nullptr;
    QLineEdit* m_subCatCodeTxt = nullptr;
    QPushButton* m_addBttn2 = nullptr;
    QPushButton* m_saveBttn2 = nullptr;
    QPushButton* m_delBttn2 = nullptr;
    QPushButton* m_cancelBttn2 = nullptr;

    QGroupBox* m_l3Frame = nullptr;
    QListWidget* m_l3List = nullptr;
    QLineEdit* m_accCode = nullptr;
    QLineEdit* m_accCodeTxt = nullptr;
    QPushButton* m_addBttn3 = nullptr;
    QPushButton* m_saveBttn3 = nullptr;
    QPushButton* m_delBttn3 = nullptr;
    QPushButton* m_cancelBttn3 = nullptr;
    QPushButton* m_findBttn = nullptr;
    QLabel* m_scFrame = nullptr;

    std::array<QPushButton*, 3> m_printBttn{};   // PrintBttn(0..2), one per panel
};

} // namespace accounts
