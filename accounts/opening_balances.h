// The window "Accounts Opening Balances": the lines of the signed-in year's
// opening-balance voucher in the voucher line grid, with search, "Find Next",
// save, cancel, print, the spreadsheet export and the import from another year
// (OpeningFYAcc, which holds and reloads this window).
#pragma once

#include <cstdint>
#include <vector>

#include <QWidget>

#include "accounts/line_grid_rules.h"
#include "platform/data/hierarchy.h"

class QEvent;
class QShowEvent;
class QLineEdit;
class QPushButton;
class QTimer;

namespace app { class Parent; }

namespace accounts {

class VoucherLineGrid;

class OpeningBalancesAcc : public QWidget {
    Q_OBJECT

public:
    // The window for the signed-in year `main.FYID` on `main.Pelkconn`, which
    // must be open. Loads at once (Form_Load).
    explicit OpeningBalancesAcc(app::Parent& main, QWidget* parent = nullptr);
    ~OpeningBalancesAcc() override;

    // Finds the year's opening-balance voucher (writing one when the year has
    // none), counts the accounts, loads the lines, adds the blank lines up to
    // accounts + 500 and shows the totals. A database failure is shown and
    // leaves the grid empty with Save disabled.
    void Form_Load();
    // Ctrl+S (Ctrl alone) anywhere in the window saves. Returns true when the key was used.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Saves the lines (SaveOpeningBalances).
    void SaveBttn_Click();
    // Drops every unsaved edit: the lines are read again, with their blank lines and totals.
    void CancelBttn_Click();
    // Moves to the first line whose account name contains the search text. An
    // empty text changes nothing, so no edit is lost.
    void SearchBox_KeyUp();
    // Moves to the next line whose account name contains the search text, past
    // the last one starting over at the top; the grid takes the focus.
    void FindBttn_Click();
    // The totals under the grid: DTot, CTot and the difference line.
    void TotalValue();
    // Saves the lines and, when they were written, starts PrintTimer, so the
    // window repaints before the print is built.
    void PrintBill_Click();
    // Acts only while PrintTimer runs, and stops it first (one shot): opens AOB
    // afresh on the year's opening balances and shows the report AccOB
    // modally; the report closes AOB when it ends. A failure to read the data
    // is shown, and the window stays as it was.
    void PrintTimer_Timer();

    // Saves the lines and, when they were written, starts ExportTimer, so the
    // window repaints before the export runs.
    void ExcelBttn_Click();
    // Acts only while ExportTimer runs, and stops it first (one shot, so a
    // failed export is not repeated): reads the saved lines afresh and exports
    // them (ExcelExport) with their totals. A failure is told.
    void ExportTimer_Timer();
    // Saves the lines and, when they were written, opens the import of
    // another year's balances (OpeningFYAcc) modally.
    void ImportBal_Click();
    // For the import: disables the buttons and shows no lines until
    // reloadAfterImport, so nothing can be saved over the lines it writes.
    void holdForImport();
    // After the import (or its failure): reads the year's voucher and its lines
    // afresh, with the blank lines and totals, and enables the buttons again.
    void reloadAfterImport();

    // The opening balances being printed, from PrintTimer_Timer until the report ends.
    platform::Hierarchy AOB;

    // The voucher whose lines are edited; 0 when none could be read.
    std::int64_t tranNo() const { return m_tranNo; }
    VoucherLineGrid* lineGrid() const { return m_lines; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Checks that the window's voucher is still the year's and that every
    // line's account is still in the chart (else names the first line that is
    // not, moves to it and writes nothing), writes the lines in one
    // transaction and shows them as stored. A failure is shown and keeps
    // the edits in the grid. Returns whether the lines were written.
    bool SaveOpeningBalances();
    // Shows `lines` with the blank lines and the totals.
    void showLines(std::vector<SubTranRow> lines);
    void setButtons(bool enabled);
    void goToLine(int row);

    app::Parent& m_main;
    std::int64_t m_tranNo = 0;
    std::int64_t m_accountCount = 0;          // NoofAcc, counted at load
    std::vector<SubTranRow> m_loaded;         // the lines as stored, for the save plan

    VoucherLineGrid* m_lines = nullptr;
    QLineEdit* m_tranNoBox = nullptr;
    QLineEdit* m_search = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_excel = nullptr;
    QPushButton* m_import = nullptr;
    QTimer* m_printTimer = nullptr;
    QTimer* m_exportTimer = nullptr;
};

} // namespace accounts
