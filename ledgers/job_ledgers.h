// The job ledger window "Job Ledgers": one job's counted income and expense
// lines of the signed-in year with the running profit or loss and the totals;
// a double-click opens a line's voucher and Print shows the report JobLedger.
// It writes nothing. Everything follows the chosen job's id, not its text.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QWidget>

#include "ledgers/job_ledger_store.h"
#include "ledgers/ledger_grid.h"
#include "platform/data/recordset.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace app { class Parent; }

namespace ledgers {

class JobLedgerModel;

class JobLedgers : public QWidget {
    Q_OBJECT

public:
    // A job ledger window on `main`'s connection and sign-in state; loads at
    // once (Form_Load). Needs main.Pelkconn open.
    explicit JobLedgers(app::Parent& main, QWidget* parent = nullptr);
    ~JobLedgers() override;

    // Reads every job into JobList; a database failure is told and leaves the
    // list empty.
    void Form_Load();
    // The job at `index` of JobList was chosen: its four particulars are shown.
    void JobList_Click(int index);
    // Refuses a text that names no job of the list ("Select Job", focus on
    // JobList); else builds the chosen job's ledger. A failed query is told and
    // leaves the ledger empty.
    void ViewBttn_Click();
    // The same check, then builds the ledger afresh and shows it as JobLedger
    // over JobLedgerQry, modally. Nothing is shown when the build failed.
    void PrintBttn_Click();
    // Opens the voucher of the grid's current line (OpenVoucherFromLine);
    // nothing without a current line.
    void LedgerGrid_DblClick();
    // Closes JobLedgerQry.
    void Form_Unload();

    // The rows the last print showed, with the running profit in Balance;
    // JobLedger leaves them open and the next build closes them.
    platform::Recordset JobLedgerQry;

    JobLedgerModel* ledgerModel() const { return m_model; }
    // The job of the last build; 0 before the first or after a failed one.
    std::int64_t builtJobId() const { return m_builtJobId; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The job JobList names, by its chosen id; tells "Select Job" and gives
    // nothing when the text names none.
    std::optional<std::int64_t> chosenJob();
    // Builds job `jobId`'s ledger and shows its totals. False, with the ledger
    // left empty and the failure told, when it could not be built.
    bool BuildJobLedger(std::int64_t jobId);
    void showParticulars(const JobParticulars* job);
    void showCurrentLine(int row);
    void clearLedger();
    const JobParticulars* jobOf(std::int64_t jobId) const;

    app::Parent& m_main;
    std::vector<JobParticulars> m_jobs;   // in JobList order
    std::vector<JobChoice> m_choices;     // the same, as the box offers them
    std::int64_t m_chosenId = 0;          // the job last chosen in JobList
    std::int64_t m_builtJobId = 0;
    JobLedgerModel* m_model = nullptr;

    QComboBox* m_jobList = nullptr;       // JobList
    QLineEdit* m_jobTxt[4] = {};          // JobTxt(0) to JobTxt(3)
    QPushButton* m_view = nullptr;        // ViewBttn
    QPushButton* m_print = nullptr;       // PrintBttn
    QTableView* m_grid = nullptr;         // LedgerGrid
    CurrentLineBoxes m_line;              // TranType, LTranNo, LTranType (hidden)
    QLabel* m_ttlLbl = nullptr;           // TtlLbl
    QLineEdit* m_totalDr = nullptr;       // TotalDr
    QLineEdit* m_totalCr = nullptr;       // TotalCr
    QLineEdit* m_balance = nullptr;       // Balance
};

} // namespace ledgers
