// The day book window: its layout, load, Display, Print and the grid's double-click.
#include "ledgers/daily_journal.h"

#include <cassert>
#include <exception>

#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ledgers/day_book_store.h"
#include "ledgers/open_voucher.h"
#include "ledgers/window_parts.h"
#include "main/default_period.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/messages.h"
#include "platform/report/report_feed.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "reports/ledgers/gj.h"

namespace ledgers {
namespace {

constexpr const char* kAmount = "0.00;(0.00)";

} // namespace

DailyJournal::DailyJournal(app::Parent& main, QWidget* parent) : QWidget(parent), m_main(main)
{
    assert(main.Pelkconn);
    setObjectName(QStringLiteral("DailyJournal"));
    setWindowTitle(QStringLiteral("Journal Report"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(980, 600);

    auto* heading = named(new QLabel(QStringLiteral("Journal Report"), this), "Label2");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);

    m_from = forms::makeDatePicker(this, "LedgerDt_0");
    m_to = forms::makeDatePicker(this, "LedgerDt_1");
    auto* view = named(new QPushButton(QStringLiteral("Display"), this), "ViewBttn");
    auto* print = named(new QPushButton(QStringLiteral("Print"), this), "PrintBttn");

    m_model = new DayBookModel(this);
    m_grid = named(new QTableView(this), "GJGrid");
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    forms::showFiguresWhole(m_grid, {DayBookModel::TranNo, DayBookModel::Date, DayBookModel::AccCode,
                                     DayBookModel::Debit, DayBookModel::Credit});
    m_grid->verticalHeader()->hide();
    // Fixed row heights: a year of lines shows without measuring each, and
    // only the rows on the screen are read.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setSectionResizeMode(DayBookModel::Description, QHeaderView::Stretch);
    forms::fitColumn(m_grid, DayBookModel::TranNo, 90);
    forms::fitColumn(m_grid, DayBookModel::Date, 75);
    forms::fitColumn(m_grid, DayBookModel::AccCode, 90);
    forms::fitColumn(m_grid, DayBookModel::AccName, 200);
    for (int c : {DayBookModel::Debit, DayBookModel::Credit})
        forms::fitColumn(m_grid, c, forms::kSizedAmount);

    m_tranType = named(new QLabel(this), "TranType");
    m_lTranNo = named(new QLineEdit(this), "LTranNo");
    m_lTranType = named(new QLineEdit(this), "LTranType");
    m_lTranNo->hide();
    m_lTranType->hide();

    auto* totals = named(new QFrame(this), "LedgerTotals");
    totals->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_ttlLbl = named(new QLabel(totals), "TtlLbl");
    m_totalDr = readOnlyBox(totals, "TotalDr");
    m_totalCr = readOnlyBox(totals, "TotalCr");
    // As wide as the columns they add up, which end the grid as they end the row.
    m_totalDr->setFixedWidth(m_grid->columnWidth(DayBookModel::Debit));
    m_totalCr->setFixedWidth(m_grid->columnWidth(DayBookModel::Credit));
    auto* totalsRow = new QHBoxLayout(totals);
    totalsRow->addWidget(m_tranType, 1);
    totalsRow->addWidget(m_ttlLbl);
    totalsRow->addWidget(m_totalDr);
    totalsRow->addWidget(m_totalCr);

    auto* period = new QHBoxLayout;
    period->addWidget(named(new QLabel(QStringLiteral("For Period From"), this), "Label1"));
    period->addWidget(m_from);
    period->addWidget(named(new QLabel(QStringLiteral("To"), this), "Label4"));
    period->addWidget(m_to);
    period->addStretch(1);
    period->addWidget(view);
    period->addWidget(print);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(period);
    layout->addWidget(m_grid, 1);
    layout->addWidget(totals);

    connect(view, &QPushButton::clicked, this, &DailyJournal::ViewBttn_Click);
    connect(print, &QPushButton::clicked, this, &DailyJournal::PrintBttn_Click);
    connect(m_grid, &QTableView::doubleClicked, this, &DailyJournal::GJGrid_DblClick);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showCurrentLine(current.isValid() ? current.row() : -1); });

    Form_Load();
}

DailyJournal::~DailyJournal() = default;

void DailyJournal::Form_Load()
{
    m_ttlLbl->setText(QStringLiteral("Totals ") + m_main.CurrencySymbol);
    const app::Period period = app::defaultPeriod(shell::today(), m_main.FYStart, m_main.FYEnd);
    m_from->setDate(period.start);
    m_to->setDate(period.end);
    m_main.LOpen = false;
}

void DailyJournal::ViewBttn_Click()
{
    BuildDayBook();
}

void DailyJournal::PrintBttn_Click()
{
    if (!BuildDayBook())
        return;
    // Print shows the dates as they stand, even without Display after a change.
    try {
        m_gjQry = std::make_shared<const DayBookSlices>(*m_main.Pelkconn, m_main.FYID, m_from->date(), m_to->date());
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    ledger_reports::GJSource source{m_main.BizName, m_main.UName, m_main.CurrencySymbol, m_from->date(),
                                    m_to->date(), m_gjQry->totals().debits, m_gjQry->totals().credits};
    try {
        ledger_reports::makeGJ(m_gjQry, source)->show(this);
    } catch (const std::exception& e) {
        // Only a layout that cannot be made lands here; the list on screen stays.
        m_gjQry.reset();
        forms::inform(this, QStringLiteral("Cannot Print"), QString::fromUtf8(e.what()));
    }
}

bool DailyJournal::BuildDayBook()
{
    m_gjQry.reset();
    m_totals.reset();
    m_totalDr->clear();
    m_totalCr->clear();
    try {
        m_totals = m_model->open(*m_main.Pelkconn, m_main.FYID, m_from->date(), m_to->date());
    } catch (const std::exception& e) {
        m_model->clear();
        showCurrentLine(-1);
        forms::showError(this, e);
        return false;
    }
    m_totalDr->setText(platform::formatMoneyQ(m_totals->debits, kAmount));
    m_totalCr->setText(platform::formatMoneyQ(m_totals->credits, kAmount));
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
    else
        showCurrentLine(-1);
    return true;
}

void DailyJournal::showCurrentLine(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_tranType->clear();
        m_lTranNo->clear();
        m_lTranType->clear();
        return;
    }
    try {
        const DayBookLine& l = m_model->line(row);
        m_tranType->setText(QString::fromStdString(l.tranRefLong));
        m_lTranNo->setText(QString::number(l.tranNo));
        m_lTranType->setText(QString::number(l.tranType));
    } catch (const std::exception&) {
        // A day that can no longer be read names no voucher; the next Display
        // tells the failure.
        m_tranType->clear();
        m_lTranNo->clear();
        m_lTranType->clear();
    }
}

void DailyJournal::GJGrid_DblClick()
{
    OpenVoucherFromLine(m_main, m_lTranNo->text(), m_lTranType->text());
}

} // namespace ledgers
