// "Job Card": the register's grid and boxes, New, Save, Cancel and the job card.
// Edits live in the boxes only: a job is written by Save and by nothing else.
#include "accounts/jobs.h"

#include <algorithm>
#include <cassert>
#include <exception>
#include <initializer_list>

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "accounts/job_store.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/exact_text.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/select_all_text.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "reports/accounts/job_card_rpt.h"

namespace accounts {

// The register's grid: eight columns over the jobs the window holds.
class JobsModel : public QAbstractTableModel {
public:
    enum Column { JobNo, JobDate, Description, Customer, Value, Completion, Status, Remarks, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setJobs(const std::vector<JobRecord>* jobs)
    {
        beginResetModel();
        m_jobs = jobs;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_jobs ? 0 : static_cast<int>(m_jobs->size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || !m_jobs)
            return {};
        if (role == Qt::TextAlignmentRole && index.column() == Value)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        if (role != Qt::DisplayRole)
            return {};
        const JobRecord& j = (*m_jobs)[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case JobNo: return QString::number(j.jobNo);
        case JobDate: return platform::formatDate(j.jobDate, "dd-mm-yyyy");
        // A grid row is one line high: the description's first line stands for it.
        case Description: return j.jobDesc.section(QLatin1Char('\n'), 0, 0);
        case Customer: return j.customerName;
        case Value: return amountGridText(j.valueOfWork);
        case Completion: return typedDateGridText(j.completionDate);
        case Status: return statusText(j.completed);
        case Remarks: return j.remarks.section(QLatin1Char('\n'), 0, 0);
        default: return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        switch (section) {
        case JobNo: return QStringLiteral("  Job No.");
        case JobDate: return QStringLiteral(" Job Date");
        case Description: return QStringLiteral("Description");
        case Customer: return QStringLiteral("Customer");
        case Value: return QStringLiteral("   Value of Job");
        case Completion: return QStringLiteral("Completion Date");
        case Status: return QStringLiteral("     Status");
        case Remarks: return QStringLiteral("Remarks");
        default: return {};
        }
    }

private:
    const std::vector<JobRecord>* m_jobs = nullptr;
};

namespace {

constexpr int kLongText = kJobTextLength;
constexpr int kShortText = 100;

QLineEdit* lineBox(QWidget* parent, const char* name, int maxLength)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        forms::limitLength(box, maxLength);
    forms::selectAllOnFocus(box);
    return box;
}

// A box of several lines holding at most kLongText characters: what is typed
// or pasted beyond that is cut off at once.
QPlainTextEdit* linesBox(QWidget* parent, const char* name)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setTabChangesFocus(true);
    box->setFixedHeight(52);
    forms::selectAllOnFocus(box);
    forms::limitLength(box, kLongText);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

Jobs::Jobs(app::Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    assert(main.Pelkconn);
    setObjectName(QStringLiteral("Jobs"));
    setWindowTitle(QStringLiteral("Job Card"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("JOBS"), this);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() * 3 / 2);
    heading->setFont(big);

    m_jobId = lineBox(this, "JobID", 0);
    m_jobId->setReadOnly(true);
    m_jobId->hide();
    m_docNo = lineBox(this, "DocNo", kJobNoDigits);
    m_trDate = forms::makeDatePicker(this, "TrDate");
    m_desc = linesBox(this, "Desc");
    m_orderNo = lineBox(this, "OrderNo", kLongText);
    m_delDate = lineBox(this, "DelDate", kLongText);
    m_estCost = lineBox(this, "EstCost", kLongText);
    m_jobValue = lineBox(this, "JobValue", kLongText);
    m_jobEmp = lineBox(this, "JobEmp", kLongText);
    m_compDate = lineBox(this, "CompDate", kLongText);
    m_completeOpt = new QCheckBox(QStringLiteral("Job Completed "), this);
    m_completeOpt->setObjectName(QStringLiteral("CompleteOpt"));
    m_delRef = lineBox(this, "DelRef", kLongText);
    m_remarks = linesBox(this, "Remarks");
    for (QLineEdit* amount : {m_estCost, m_jobValue})
        amount->setAlignment(Qt::AlignRight);

    auto* customer = new QGroupBox(QStringLiteral("Customer"), this);
    customer->setObjectName(QStringLiteral("CustomerFrame"));
    m_partyName = lineBox(customer, "PartyNameTxt", 0);
    m_partyAddress = linesBox(customer, "PartyAddress");
    m_partyTel = lineBox(customer, "PartyTel", kShortText);
    m_partyContact = lineBox(customer, "PartyContact", kShortText);
    auto* party = new QGridLayout(customer);
    const auto partyRow = [&](int row, const char* caption, QWidget* box) {
        party->addWidget(new QLabel(QString::fromUtf8(caption), customer), row, 0, Qt::AlignTop);
        party->addWidget(box, row, 1);
    };
    partyRow(0, "Name", m_partyName);
    partyRow(1, "Address", m_partyAddress);
    partyRow(2, "Telephone", m_partyTel);
    partyRow(3, "Contact", m_partyContact);

    auto* left = new QGridLayout;
    const auto leftRow = [&](int row, const char* caption, QWidget* box) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(box);
        left->addWidget(label, row, 0, Qt::AlignTop);
        left->addWidget(box, row, 1);
    };
    leftRow(0, "Job No", m_docNo);
    leftRow(1, "Date", m_trDate);
    leftRow(2, "Job Description", m_desc);
    leftRow(3, "Order No. && Date", m_orderNo);
    leftRow(4, "Exp. Delivery Date", m_delDate);
    leftRow(5, "Job Incharge", m_jobEmp);

    auto* right = new QGridLayout;
    const auto rightRow = [&](int row, const char* caption, QWidget* box) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(box);
        right->addWidget(label, row, 0, Qt::AlignTop);
        right->addWidget(box, row, 1);
    };
    rightRow(0, "Estimated Cost", m_estCost);
    rightRow(1, "Value of Job", m_jobValue);
    rightRow(2, "Completion Date", m_compDate);
    right->addWidget(m_completeOpt, 3, 1);
    rightRow(4, "Delivery Ref. && Dt", m_delRef);
    rightRow(5, "Remarks", m_remarks);

    auto* details = new QHBoxLayout;
    details->addLayout(left, 1);
    details->addWidget(customer, 1);
    details->addLayout(right, 1);

    m_model = new JobsModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    forms::showFiguresWhole(m_grid, {JobsModel::JobNo, JobsModel::JobDate, JobsModel::Value});
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(JobsModel::Description, QHeaderView::Stretch);
    forms::fitColumn(m_grid, JobsModel::JobNo, 80);
    forms::fitColumn(m_grid, JobsModel::Value, 110);
    forms::fitColumn(m_grid, JobsModel::Completion, 115);

    m_addBttn = button(this, "AddBttn", "New");
    m_saveBttn = button(this, "SaveBttn", "Save");
    m_cancelBttn = button(this, "CancelBttn", "Cancel");
    m_jobCard = button(this, "JobCard", "Job Card");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {m_addBttn, m_saveBttn, m_cancelBttn, m_jobCard})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_jobId);
    layout->addLayout(details);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);
    resize(1000, 640);

    // Tab walks the boxes in the order a save writes their columns.
    QWidget* order[] = {m_docNo,  m_trDate,   m_desc,   m_orderNo,  m_delDate,     m_partyName, m_partyAddress,
                        m_partyTel, m_partyContact, m_estCost, m_jobValue, m_jobEmp, m_compDate, m_completeOpt,
                        m_delRef, m_remarks,  m_addBttn, m_saveBttn, m_cancelBttn, m_jobCard,  m_grid};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    connect(m_addBttn, &QPushButton::clicked, this, &Jobs::AddBttn_Click);
    connect(m_saveBttn, &QPushButton::clicked, this, &Jobs::SaveBttn_Click);
    connect(m_cancelBttn, &QPushButton::clicked, this, &Jobs::CancelBttn_Click);
    connect(m_jobCard, &QPushButton::clicked, this, &Jobs::JobCard_Click);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_showing)
                    Grid_RowColChange(current.isValid() ? current.row() : -1);
            });

    Form_Load();
}

Jobs::~Jobs() = default;

void Jobs::Form_Load()
{
    reload(0);
    setBrowsing(true);
}

std::int64_t Jobs::currentJobId() const
{
    if (m_adding || m_row < 0 || m_row >= static_cast<int>(m_jobs.size()))
        return 0;
    return m_jobs[static_cast<std::size_t>(m_row)].jobId;
}

void Jobs::reload(std::int64_t selectId)
{
    m_showing = true;
    m_model->setJobs(nullptr);
    m_jobs.clear();
    m_row = -1;
    try {
        m_jobs = listJobs(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    m_model->setJobs(&m_jobs);
    if (!m_jobs.empty()) {
        const auto chosen = std::find_if(m_jobs.begin(), m_jobs.end(),
                                         [&](const JobRecord& j) { return j.jobId == selectId; });
        m_row = chosen == m_jobs.end() ? 0 : static_cast<int>(chosen - m_jobs.begin());
        m_grid->setCurrentIndex(m_model->index(m_row, 0));
    }
    m_showing = false;
    if (m_row >= 0)
        showJob(m_jobs[static_cast<std::size_t>(m_row)]);
    else
        clearBoxes();
}

void Jobs::showJob(const JobRecord& j)
{
    m_jobId->setText(QString::number(j.jobId));
    m_docNo->setText(QString::number(j.jobNo));
    m_trDate->setDate(j.jobDate.isValid() ? j.jobDate : shell::today());
    forms::setExactText(m_desc, j.jobDesc);
    forms::setLoadedText(m_orderNo, j.orderRefDate);
    forms::setLoadedText(m_delDate, j.expDeliveryDate);
    forms::setLoadedText(m_partyName, j.customerName);
    forms::setExactText(m_partyAddress, j.address);
    forms::setLoadedText(m_partyTel, j.telephone);
    forms::setLoadedText(m_partyContact, j.contact);
    m_estCost->setText(amountBoxText(j.estimatedCost));
    m_jobValue->setText(amountBoxText(j.valueOfWork));
    forms::setLoadedText(m_jobEmp, j.jobIncharge);
    forms::setLoadedText(m_compDate, j.completionDate);
    m_completeOpt->setChecked(j.completed);
    forms::setLoadedText(m_delRef, j.deliveryRefDate);
    forms::setExactText(m_remarks, j.remarks);
}

void Jobs::clearBoxes()
{
    for (QLineEdit* b : {m_jobId, m_docNo, m_orderNo, m_delDate, m_partyName, m_partyTel, m_partyContact,
                         m_estCost, m_jobValue, m_jobEmp, m_compDate, m_delRef})
        b->clear();
    for (QPlainTextEdit* b : {m_desc, m_partyAddress, m_remarks})
        forms::setExactText(b, QString());
    m_trDate->setDate(shell::today());
    m_completeOpt->setChecked(false);
}

JobEntry Jobs::readBoxes() const
{
    JobEntry e;
    e.jobNo = m_docNo->text();
    e.estimatedCost = m_estCost->text();
    e.valueOfWork = m_jobValue->text();
    JobRecord& r = e.rest;
    r.jobId = currentJobId();
    r.jobDate = m_trDate->date();
    r.jobDesc = forms::exactText(m_desc);
    r.orderRefDate = m_orderNo->text();
    r.expDeliveryDate = m_delDate->text();
    r.customerName = m_partyName->text();
    r.address = forms::exactText(m_partyAddress);
    r.telephone = m_partyTel->text();
    r.contact = m_partyContact->text();
    r.jobIncharge = m_jobEmp->text();
    r.completionDate = m_compDate->text();
    r.completed = m_completeOpt->isChecked();
    r.deliveryRefDate = m_delRef->text();
    r.remarks = forms::exactText(m_remarks);
    return e;
}

void Jobs::setBrowsing(bool browsing)
{
    m_addBttn->setEnabled(browsing);
    m_grid->setEnabled(browsing);
    // With no job shown and none begun there is nothing to edit, save or print:
    // the boxes wait for "New" rather than take typing that would go nowhere.
    const bool haveJob = !browsing || currentJobId() != 0;
    m_jobCard->setEnabled(browsing && haveJob);
    m_saveBttn->setEnabled(haveJob);
    for (QWidget* box : std::initializer_list<QWidget*>{
             m_docNo, m_trDate, m_desc, m_orderNo, m_delDate, m_partyName, m_partyAddress, m_partyTel, m_partyContact,
             m_estCost, m_jobValue, m_jobEmp, m_compDate, m_completeOpt, m_delRef, m_remarks})
        box->setEnabled(haveJob);
}

void Jobs::Grid_RowColChange(int row)
{
    if (m_adding || row < 0 || row >= static_cast<int>(m_jobs.size()))
        return;
    m_row = row;
    showJob(m_jobs[static_cast<std::size_t>(row)]);
}

void Jobs::AddBttn_Click()
{
    if (m_adding)
        return;
    m_adding = true;
    setBrowsing(false);
    clearBoxes();
    m_docNo->setFocus();
}

void Jobs::SaveBttn_Click()
{
    if (!m_adding && currentJobId() == 0)
        return;   // an empty register, nothing begun: nothing to store
    const JobCheck check = checkJob(readBoxes());
    if (check.problem) {
        forms::showFailure(this, *check.problem);
        return;
    }
    std::int64_t savedId = check.record->jobId;
    try {
        platform::Transaction tx(*m_main.Pelkconn);
        if (m_adding)
            savedId = addJob(tx, *check.record);
        else
            updateJob(tx, *check.record);
        tx.commit();
    } catch (const std::exception& e) {
        // Nothing was written; the job stays pending so the user can correct it.
        forms::showError(this, e);
        return;
    }
    m_adding = false;
    reload(savedId);
    setBrowsing(true);
}

void Jobs::CancelBttn_Click()
{
    m_adding = false;
    reload(0);
    setBrowsing(true);
}

void Jobs::JobCard_Click()
{
    const std::int64_t jobId = currentJobId();
    if (jobId == 0)
        return;
    JobCardRst.close();
    try {
        JobCardRst = platform::Recordset::open(*m_main.Pelkconn, "SELECT * FROM Jobs WHERE JobID = ?", {jobId});
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    const account_reports::JobCardCaptions captions{m_main.BizName, m_main.BizAdd, m_main.BizTel, m_main.BizEMail,
                                                    m_main.UName};
    try {
        account_reports::JobCardRpt(JobCardRst, captions)->show(this);
    } catch (const std::exception& e) {
        // Only a layout that cannot be made lands here; the report closed the job.
        forms::inform(this, QStringLiteral("Cannot Print"), QString::fromUtf8(e.what()));
    }
}

void Jobs::Form_QueryUnload()
{
    // Edits live in the boxes only, so dropping them writes nothing.
    m_adding = false;
}

void Jobs::Form_Unload()
{
    JobCardRst.close();
}

void Jobs::done(int result)
{
    Form_QueryUnload();
    Form_Unload();
    QDialog::done(result);
}

} // namespace accounts
