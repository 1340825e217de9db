// The job ledger window: its layout, the job list, Display, Print and the
// grid's double-click.
#include "ledgers/job_ledgers.h"

#include <cassert>
#include <exception>
#include <stdexcept>

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "ledgers/ledger_grid.h"
#include "ledgers/window_parts.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/column_totals.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/name_list.h"
#include "platform/report/report_feed.h"
#include "platform/text/formats.h"
#include "reports/ledgers/job_ledger.h"

namespace ledgers {

namespace {
constexpr const char* kAmount = "0.00;(0.00)";
}

// The ledger grid's eight columns over the lines of one build.
class JobLedgerModel : public QAbstractTableModel {
public:
    enum Column { Date, TranNo, AccCode, AccName, Description, Debit, Credit, Profit, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setLines(std::vector<JobLedgerLine> lines)
    {
        beginResetModel();
        m_lines = std::move(lines);
        endResetModel();
    }
    const std::vector<JobLedgerLine>& lines() const { return m_lines; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::TextAlignmentRole) {
            const bool amount = index.column() >= Debit;
            return QVariant::fromValue(Qt::Alignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
        }
        if (role != Qt::DisplayRole)
            return {};
        const JobLedgerLine& l = m_lines[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case Date: {
            const auto date = platform::parseIsoDate(l.tranDate);
            return date ? platform::formatDate(*date, "dd-MM-yy") : QString::fromStdString(l.tranDate);
        }
        case TranNo: return QString::fromStdString(l.tranRefShort);
        case AccCode: return QString::number(l.accCode);
        case AccName: return QString::fromStdString(l.accName);
        case Description: return QString::fromStdString(l.desc);
        case Debit: return platform::formatMoneyQ(l.debit, kAmount);
        case Credit: return platform::formatMoneyQ(l.credit, kAmount);
        case Profit: return platform::formatMoneyQ(l.profit, kAmount);
        default: return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        switch (section) {
        case Date: return QStringLiteral("     Date");
        case TranNo: return QStringLiteral("  Tran. No.");
        case AccCode: return QStringLiteral("Account Code");
        case AccName: return QStringLiteral(" Account Name");
        case Description: return QStringLiteral(" Description");
        case Debit: return QStringLiteral("        Debit");
        case Credit: return QStringLiteral("        Credit");
        case Profit: return QStringLiteral("  Profit / (Loss)");
        default: return {};
        }
    }

private:
    std::vector<JobLedgerLine> m_lines;
};

JobLedgers::JobLedgers(app::Parent& main, QWidget* parent) : QWidget(parent), m_main(main)
{
    assert(main.Pelkconn);
    setObjectName(QStringLiteral("JobLedgers"));
    setWindowTitle(QStringLiteral("Job Ledgers"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(960, 600);

    auto* title = named(new QLabel(QStringLiteral("Job Ledgers"), this), "Label5");
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);

    m_jobList = new forms::NameList(this, "JobList", forms::NameList::Typing::FillIn);
    m_jobList->setMinimumWidth(360);
    auto* jobLabel = named(new QLabel(QStringLiteral("Job No. && Description"), this), "Label1");
    jobLabel->setBuddy(m_jobList);

    const char* captions[4] = {"Customer Name", "Job Incharge", "Estimated Cost of Job", "Value of Job"};
    auto* particulars = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "JobTxt_" + QByteArray::number(i);
        m_jobTxt[i] = readOnlyBox(this, name.constData(), Qt::AlignCenter);
        particulars->addWidget(new QLabel(QString::fromLatin1(captions[i]), this), 0, i);
        particulars->addWidget(m_jobTxt[i], 1, i);
    }

    m_view = named(new QPushButton(QStringLiteral("Display"), this), "ViewBttn");
    m_print = named(new QPushButton(QStringLiteral("Print"), this), "PrintBttn");

    m_model = new JobLedgerModel(this);
    m_grid = makeLedgerGrid(this, m_model);
    forms::showFiguresWhole(m_grid, {JobLedgerModel::Date, JobLedgerModel::TranNo, JobLedgerModel::AccCode,
                                     JobLedgerModel::Debit, JobLedgerModel::Credit, JobLedgerModel::Profit});
    m_grid->horizontalHeader()->setSectionResizeMode(JobLedgerModel::Description, QHeaderView::Stretch);
    forms::fitColumn(m_grid, JobLedgerModel::Date, 75);
    forms::fitColumn(m_grid, JobLedgerModel::TranNo, 85);
    forms::fitColumn(m_grid, JobLedgerModel::AccCode, forms::kSizedCode);
    forms::fitColumn(m_grid, JobLedgerModel::AccName, 160);
    for (int c : {JobLedgerModel::Debit, JobLedgerModel::Credit, JobLedgerModel::Profit})
        forms::fitColumn(m_grid, c, forms::kSizedAmount);

    m_line = CurrentLineBoxes::make(this);

    auto* totals = named(new QFrame(this), "LedgerTotals");
    totals->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_ttlLbl = named(new QLabel(QStringLiteral("Totals"), totals), "TtlLbl");
    m_totalDr = readOnlyBox(totals, "TotalDr", Qt::AlignRight);
    m_totalCr = readOnlyBox(totals, "TotalCr", Qt::AlignRight);
    m_balance = readOnlyBox(totals, "Balance", Qt::AlignRight);
    // The totals stand under the columns they sum up.
    new forms::UnderColumns(m_grid, totals,
                            {{m_totalDr, JobLedgerModel::Debit, JobLedgerModel::Debit},
                             {m_totalCr, JobLedgerModel::Credit, JobLedgerModel::Credit},
                             {m_balance, JobLedgerModel::Profit, JobLedgerModel::Profit}},
                            m_ttlLbl);

    auto* choice = new QHBoxLayout;
    choice->addWidget(jobLabel);
    choice->addWidget(m_jobList, 1);
    choice->addWidget(m_view);
    choice->addWidget(m_print);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(choice);
    layout->addLayout(particulars);
    layout->addWidget(m_grid, 1);
    layout->addWidget(totals);
    layout->addWidget(m_line.tranType);

    connect(m_jobList, &QComboBox::currentIndexChanged, this, &JobLedgers::JobList_Click);
    connect(m_view, &QPushButton::clicked, this, &JobLedgers::ViewBttn_Click);
    connect(m_print, &QPushButton::clicked, this, &JobLedgers::PrintBttn_Click);
    connect(m_grid, &QTableView::doubleClicked, this, &JobLedgers::LedgerGrid_DblClick);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showCurrentLine(current.isValid() ? current.row() : -1); });

    Form_Load();
}

JobLedgers::~JobLedgers() = default;

void JobLedgers::Form_Load()
{
    m_jobs.clear();
    try {
        m_jobs = listJobParticulars(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    m_choices.clear();
    const QSignalBlocker block(m_jobList);
    m_jobList->clear();
    for (const JobParticulars& j : m_jobs) {
        m_choices.push_back(j.choice);
        m_jobList->addItem(QString::fromStdString(j.choice.text), QVariant::fromValue<qlonglong>(j.choice.jobId));
    }
    m_jobList->setCurrentIndex(-1);
    m_jobList->setEditText(QString());
    m_chosenId = 0;
    showParticulars(nullptr);
    clearLedger();
}

const JobParticulars* JobLedgers::jobOf(std::int64_t jobId) const
{
    for (const JobParticulars& j : m_jobs)
        if (j.choice.jobId == jobId)
            return &j;
    return nullptr;
}

void JobLedgers::JobList_Click(int index)
{
    if (index < 0 || index >= m_jobList->count())
        return;
    m_chosenId = m_jobList->itemData(index).toLongLong();
    showParticulars(jobOf(m_chosenId));
}

void JobLedgers::showParticulars(const JobParticulars* job)
{
    if (!job) {
        for (QLineEdit* b : m_jobTxt)
            b->clear();
        return;
    }
    const auto amount = [](const std::optional<platform::Money>& m) {
        return m ? platform::formatMoneyQ(*m, kAmount) : QString();
    };
    forms::setLoadedText(m_jobTxt[0], QString::fromStdString(job->customerName));
    forms::setLoadedText(m_jobTxt[1], QString::fromStdString(job->jobIncharge));
    m_jobTxt[2]->setText(amount(job->estimatedCost));
    m_jobTxt[3]->setText(amount(job->valueOfWork));
}

std::optional<std::int64_t> JobLedgers::chosenJob()
{
    const auto job = jobChosen(m_jobList->currentText().toStdString(), m_choices, m_chosenId);
    if (!job) {
        forms::showFailure(this, {QStringLiteral("Select Job"), QStringLiteral("Select a valid job to view ledger."),
                                  QStringLiteral("JobList")});
        return std::nullopt;
    }
    // The boxes and the title follow the job the ledger is built for.
    m_chosenId = *job;
    showParticulars(jobOf(*job));
    return job;
}

void JobLedgers::ViewBttn_Click()
{
    if (const auto job = chosenJob())
        BuildJobLedger(*job);
}

void JobLedgers::PrintBttn_Click()
{
    const auto job = chosenJob();
    if (!job || !BuildJobLedger(*job))
        return;
    const JobParticulars* built = jobOf(*job);
    const ledger_reports::JobLedgerSource source{m_main.BizName, m_main.CurrencySymbol,
                                                 built ? QString::fromStdString(built->choice.text) : QString(),
                                                 m_balance->text()};
    try {
        JobLedgerQry = jobLedgerRows(m_model->lines());
        ledger_reports::makeJobLedger(JobLedgerQry, source)->show(this);
    } catch (const std::exception& e) {
        // Only a layout that cannot be made lands here; the ledger on screen stays as built.
        JobLedgerQry.close();
        forms::inform(this, QStringLiteral("Cannot Print"), QString::fromUtf8(e.what()));
    }
}

void JobLedgers::clearLedger()
{
    m_model->setLines({});
    JobLedgerQry.close();
    m_builtJobId = 0;
    for (QLineEdit* b : {m_totalDr, m_totalCr, m_balance})
        b->clear();
    showCurrentLine(-1);
}

bool JobLedgers::BuildJobLedger(std::int64_t jobId)
{
    clearLedger();
    JobLedger ledger;
    try {
        ledger = buildJobLedger(*m_main.Pelkconn, m_main.FYID, jobId);
    } catch (const std::overflow_error&) {
        forms::inform(this, QStringLiteral("Job Ledger"),
                      QStringLiteral("The ledger cannot be shown: its totals are too large to be added up."));
        return false;
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return false;
    }
    m_builtJobId = jobId;
    m_totalDr->setText(platform::formatMoneyQ(ledger.totals.totalDebit, kAmount));
    m_totalCr->setText(platform::formatMoneyQ(ledger.totals.totalCredit, kAmount));
    m_balance->setText(platform::formatMoneyQ(ledger.totals.profit, kAmount));
    m_model->setLines(std::move(ledger.lines));
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
    return true;
}

void JobLedgers::showCurrentLine(int row)
{
    const auto& lines = m_model->lines();
    if (row < 0 || row >= static_cast<int>(lines.size())) {
        m_line.clear();
        return;
    }
    const JobLedgerLine& l = lines[static_cast<std::size_t>(row)];
    m_line.show(l.tranRefLong, l.tranNo, l.tranType);
}

void JobLedgers::LedgerGrid_DblClick()
{
    m_line.openVoucher(m_main);
}

void JobLedgers::Form_Unload()
{
    JobLedgerQry.close();
}

void JobLedgers::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

} // namespace ledgers
