// The voucher line grid: the editable lines of a voucher with the account pick
// list, the "Accounts" button and the totals, placed and driven by the opening
// balances and the voucher forms. Loading and saving the lines is theirs.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "accounts/line_grid_rules.h"
#include "platform/data/recordset.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace app { class Parent; }
namespace forms {
class DataGrid;
class DataList;
} // namespace forms

namespace accounts {

// What differs between the hosting windows.
struct LineGridParams {
    // First visible row (0 at the top) at which the pick list opens above the
    // code cell instead of under it.
    int listAboveFromRow = 10;
    std::array<QString, column::Count> captions;
    int listWidthTwips = 7995;
    int listHeightTwips = 3660;
    QString accountsCaption = QStringLiteral("Accounts");
    // Run after amount edits, row deletes and Esc; empty runs TotalValue().
    std::function<void()> totals;
};
// The values of the opening balances and of the voucher forms (totals left to the host).
LineGridParams openingBalanceGrid();
LineGridParams voucherFormGrid();

class VoucherLineGrid : public QWidget {
    Q_OBJECT

public:
    // The grid, its list over all accounts (queried on main.Pelkconn; without a
    // connection it stays empty) and the totals, with no lines yet. Needs main
    // for its account list AccListRst, the rights check and the chart editor.
    VoucherLineGrid(app::Parent& main, LineGridParams params, QWidget* parent = nullptr);
    ~VoucherLineGrid() override;

    // Replaces the lines; the current cell goes to the first line. The totals
    // are left for the host to run.
    void setLines(std::vector<SubTranRow> lines);
    // Appends `count` blank lines.
    void addBlankRows(std::size_t count);
    // Every line, blank ones included.
    const std::vector<SubTranRow>& lines() const;
    // The lines with an account code, in order: what a save writes.
    std::vector<SubTranRow> linesToSave() const;

    forms::DataGrid* grid() const { return m_grid; }

    // Whether a line holds an account the chart no longer has, as after it was
    // deleted in the chart editor while the lines were typed. If one does, its
    // code becomes the current cell and the refusal names the line and the
    // account (accountGoneProblem): what a host checks before it writes its
    // lines, so that such a save writes nothing. Throws platform::DbError.
    bool refuseLineOffChart();
    // Yes while the grid or the list holds the focus.
    bool codeFocus() const { return m_codeFocus; }

    // The opening balances' totals: DTot and CTot as "0.00" and the difference line.
    void TotalValue();

    // --- handlers; the grid and the list call them, hosts and tests may too ---
    // The code cell places and shows the list (above the cell from the
    // threshold row on) and is always edited; the name never; the description
    // and the amounts as mayEdit() says, with its message under "Select Account".
    void Grid_BeforeColEdit(int column, bool& cancel);
    // Refuses, silently, a code that is no account (then fills the name from
    // AccListRst otherwise), any name, a description over 250 characters, and
    // an amount readAmountCell() refuses or whose total would not fit.
    void Grid_BeforeColUpdate(int column, const QString& oldValue, const QString& newText, bool& cancel);
    // Runs the totals routine after a debit or credit went in.
    void Grid_AfterColUpdate(int column);
    // Runs the totals routine.
    void Grid_AfterDelete();
    // Esc runs the totals routine; Down or Up while the list shows moves the
    // focus into it, on the code AccCodeTxt shows, and goes no further.
    void Grid_KeyDown(int key, Qt::KeyboardModifiers shift, bool& cancel);
    // Enter turns on grid navigation and becomes Tab; any other character turns
    // control navigation back on.
    void Grid_KeyPress(QChar& key);
    // In the code column, requeries the list on the cell's text (all accounts
    // for an empty text); a code cell holding nothing and not edited changes nothing.
    void Grid_KeyUp(int key, Qt::KeyboardModifiers shift);
    // Leaving the code column hides the list and, while CodeFocus, unfilters it.
    void Grid_RowColChange(int previousRow, int previousColumn);
    // CodeFocus on; off with the hide timer started.
    void Grid_GotFocus();
    void Grid_LostFocus();
    // Moves AccCodes to the selected row, so AccCodeTxt shows its code.
    void AccCodeList_Click();
    // Takes AccCodes' current account into the current line, when the list has
    // rows; gives the grid the focus either way.
    void AccCodeList_DblClick();
    // Tab or Enter take the selected account (when one is) and return to the
    // grid; Esc returns to the grid taking nothing; other keys are the list's.
    void AccCodeList_KeyDown(int key, Qt::KeyboardModifiers shift, bool& cancel);
    // CodeFocus on; off with the list hidden at once.
    void AccCodeList_GotFocus();
    void AccCodeList_LostFocus();
    // Hides the list and stops itself once CodeFocus is off.
    void IListTimer_Timer();
    // Right 12, then the chart editor "ModifyAccounts", modal; the rights
    // check's own message is the only one on a refusal.
    void CA_Click();

private:
    class Lines;

    void runTotals();
    // Shows why a cell refused what was typed beside the grid and at the cell; empty clears it.
    void showRefusal(const QString& why);
    // Requeries AccCodes with all accounts (empty text) or those containing
    // `typed`; a failure leaves the list as it was.
    void requeryAccCodes(const QString& typed);
    void showAccCodeTxt();
    void placeList();
    // Fills the current line's code and name from AccCodes' current row.
    void takeAccount();
    QWidget* form();

    app::Parent& m_main;
    LineGridParams m_params;
    Lines* m_lines = nullptr;
    forms::DataGrid* m_grid = nullptr;
    QPointer<forms::DataList> m_list;
    QLineEdit* m_accCodeTxt = nullptr;
    QTimer* m_listTimer = nullptr;
    QPushButton* m_ca = nullptr;
    QLineEdit* m_dTot = nullptr;
    QLineEdit* m_cTot = nullptr;
    QLabel* m_diffLbl = nullptr;
    // Why the last cell edit was refused; empty once an edit is taken.
    QLabel* m_refusalLbl = nullptr;
    platform::Recordset m_accCodes;   // AccCodes: the rows of the list
    bool m_codeFocus = false;
};

} // namespace accounts
