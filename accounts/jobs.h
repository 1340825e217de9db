// The job register "Job Card": the jobs in a grid, the sixteen boxes of the
// chosen job, New, Save, Cancel and the printed job card. Jobs are never
// deleted here. Which jobs vouchers may carry is the voucher form's business.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QDialog>

#include "accounts/job_rules.h"
#include "platform/data/recordset.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace app { class Parent; }

namespace accounts {

class JobsModel;

class Jobs : public QDialog {
    Q_OBJECT

public:
    // The register on the main window's connection `main.Pelkconn`, which must
    // be open; loads at once (Form_Load).
    explicit Jobs(app::Parent& main, QWidget* parent = nullptr);
    ~Jobs() override;

    // Reads the jobs in JobNo order and shows the first. A database failure is
    // shown and leaves the register empty.
    void Form_Load();
    // Shows the job of the grid's row `row` in the boxes; edits not saved are
    // dropped, never written. Nothing while a new job is pending.
    void Grid_RowColChange(int row);
    // "New": begins a new job (today's date, not completed, empty boxes) and
    // disables New, the grid and Job Card until it is saved or cancelled.
    void AddBttn_Click();
    // "Save": checks the number and the amounts ("Cannot Save", nothing written,
    // the state kept) and stores the new job or the edited current one in one
    // write, then shows it in the reloaded grid. Nothing without a current job.
    void SaveBttn_Click();
    // "Cancel": drops a pending new job or unsaved edits and shows the first job.
    void CancelBttn_Click();
    // "Job Card": opens JobCardRst on the current job and shows JobCardRpt
    // modally, which closes it when it ends. Nothing while a new job is pending
    // or without a current job; a failed query is told.
    void JobCard_Click();
    // Closing drops whatever is pending; nothing is written.
    void Form_QueryUnload();
    // Closes JobCardRst should a job card still hold it.
    void Form_Unload();

    // The job being printed; the job card closes it when it ends.
    platform::Recordset JobCardRst;

    bool adding() const { return m_adding; }
    // The JobID of the job the boxes show; 0 while adding or with no job.
    std::int64_t currentJobId() const;

protected:
    void done(int result) override;

private:
    void reload(std::int64_t selectId);
    void showJob(const JobRecord& job);
    void clearBoxes();
    JobEntry readBoxes() const;
    void setBrowsing(bool browsing);

    app::Parent& m_main;
    std::vector<JobRecord> m_jobs;   // in grid order
    int m_row = -1;                  // the grid row the boxes show; -1 for none
    bool m_adding = false;
    bool m_showing = false;          // the grid's current row set by the program

    JobsModel* m_model = nullptr;
    QLineEdit* m_jobId = nullptr;           // JobID (hidden)
    QLineEdit* m_docNo = nullptr;           // DocNo
    QDateEdit* m_trDate = nullptr;          // TrDate
    QPlainTextEdit* m_desc = nullptr;       // Desc
    QLineEdit* m_orderNo = nullptr;         // OrderNo
    QLineEdit* m_delDate = nullptr;         // DelDate
    QLineEdit* m_partyName = nullptr;       // PartyNameTxt
    QPlainTextEdit* m_partyAddress = nullptr;
    QLineEdit* m_partyTel = nullptr;
    QLineEdit* m_partyContact = nullptr;
    QLineEdit* m_estCost = nullptr;         // EstCost
    QLineEdit* m_jobValue = nullptr;        // JobValue
    QLineEdit* m_jobEmp = nullptr;          // JobEmp
    QLineEdit* m_compDate = nullptr;        // CompDate
    QCheckBox* m_completeOpt = nullptr;     // CompleteOpt
    QLineEdit* m_delRef = nullptr;          // DelRef
    QPlainTextEdit* m_remarks = nullptr;    // Remarks
    QTableView* m_grid = nullptr;           // Grid
    QPushButton* m_addBttn = nullptr;
    QPushButton* m_saveBttn = nullptr;
    QPushButton* m_cancelBttn = nullptr;
    QPushButton* m_jobCard = nullptr;
};

} // namespace accounts
