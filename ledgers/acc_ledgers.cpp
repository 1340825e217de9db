// The account ledger window: its layout, load, Display, Print, Excel and the grid's double-click.
#include "ledgers/acc_ledgers.h"

#include <cassert>
#include <exception>

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "ledgers/account_code_rules.h"
#include "ledgers/account_pick_list.h"
#include "ledgers/balance.h"
#include "ledgers/ledger_grid.h"
#include "ledgers/ledger_export.h"
#include "ledgers/ledger_model.h"
#include "ledgers/ledger_rows.h"
#include "ledgers/ledger_store.h"
#include "ledgers/window_parts.h"
#include "main/default_period.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/column_totals.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/messages.h"
#include "platform/report/report_feed.h"
#include "platform/sheet/excel_export.h"
#include "platform/shell/environment.h"
#include "platform/text/formats.h"
#include "reports/ledgers/acc_ledger.h"

namespace ledgers {
namespace {

constexpr const char* kAmount = "0.00;(0.00)";

} // namespace

AccLedgers::AccLedgers(app::Parent& main, QWidget* parent) : QWidget(parent), m_main(main)
{
    assert(main.Pelkconn);
    setObjectName(QStringLiteral("AccLedgers"));
    setWindowTitle(QStringLiteral("Accounts Ledgers"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 600);

    auto* heading = named(new QLabel(QStringLiteral("Account Ledgers"), this), "HeadingLbl");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);

    m_code = named(new QLineEdit(this), "ACodeTxt");
    m_code->setFixedWidth(100);
    m_name = named(new QLineEdit(this), "Acc");
    m_dateOpt = named(new QCheckBox(QStringLiteral("Period From"), this), "DateOpt");
    m_from = forms::makeDatePicker(this, "LedgerDt_0");
    m_to = forms::makeDatePicker(this, "LedgerDt_1");
    for (QDateEdit* d : {m_from, m_to})
        d->setEnabled(false);
    m_ob1 = named(new QLabel(this), "OBLbl1");
    m_ob2 = named(new QLabel(this), "OBLbl2");
    m_ob3 = named(new QLabel(this), "OBLbl3");

    m_model = new LedgerModel(this);
    m_grid = makeLedgerGrid(this, m_model);
    forms::showFiguresWhole(m_grid, {LedgerModel::Date, LedgerModel::TranNo, LedgerModel::Debit, LedgerModel::Credit,
                                     LedgerModel::BalanceColumn});
    m_grid->horizontalHeader()->setSectionResizeMode(LedgerModel::Description, QHeaderView::Stretch);
    forms::fitColumn(m_grid, LedgerModel::Date, 80);
    forms::fitColumn(m_grid, LedgerModel::TranNo, 90);
    for (int c : {LedgerModel::Debit, LedgerModel::Credit, LedgerModel::BalanceColumn})
        forms::fitColumn(m_grid, c, forms::kSizedAmount);
    forms::fitColumn(m_grid, LedgerModel::Status, forms::kSizedStatus);

    m_line = CurrentLineBoxes::make(this);

    auto* totals = named(new QFrame(this), "LedgerTotals");
    totals->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_ttlLbl = named(new QLabel(totals), "TtlLbl");
    m_totalDr = readOnlyBox(totals, "TotalDr");
    m_totalCr = readOnlyBox(totals, "TotalCr");
    m_balance = readOnlyBox(totals, "Balance");
    m_status = readOnlyBox(totals, "Status", Qt::AlignLeft);
    // The totals stand under the columns they sum up.
    new forms::UnderColumns(m_grid, totals,
                            {{m_totalDr, LedgerModel::Debit, LedgerModel::Debit},
                             {m_totalCr, LedgerModel::Credit, LedgerModel::Credit},
                             {m_balance, LedgerModel::BalanceColumn, LedgerModel::BalanceColumn},
                             {m_status, LedgerModel::Status, LedgerModel::Status}},
                            m_ttlLbl);

    m_view = named(new QPushButton(QStringLiteral("Display"), this), "ViewBttn");
    m_print = named(new QPushButton(QStringLiteral("Print"), this), "PrintBttn");
    auto* excel = named(new QPushButton(QStringLiteral("Excel"), this), "ExcelBttn");
    auto* multi = named(new QPushButton(QStringLiteral("Multiple Ledgers"), this), "MultiBttn");
    sheet::makeWaitPic(this);

    auto* choice = new QGridLayout;
    choice->addWidget(new QLabel(QStringLiteral("Select Account"), this), 0, 0);
    choice->addWidget(m_code, 0, 1);
    choice->addWidget(m_name, 0, 2, 1, 3);
    choice->addWidget(m_dateOpt, 1, 0);
    choice->addWidget(m_from, 1, 1);
    choice->addWidget(new QLabel(QStringLiteral("To"), this), 1, 2, Qt::AlignRight);
    choice->addWidget(m_to, 1, 3);
    choice->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_line.tranType, 1);
    for (QPushButton* b : {m_view, m_print, excel, multi})
        buttons->addWidget(b);

    auto* broughtForward = new QHBoxLayout;
    broughtForward->addWidget(m_ob1, 1);
    broughtForward->addWidget(m_ob2);
    broughtForward->addWidget(m_ob3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(choice);
    layout->addLayout(broughtForward);
    layout->addWidget(m_grid, 1);
    layout->addWidget(totals);
    layout->addLayout(buttons);

    m_codeBox = new AccCodeBox(*main.Pelkconn, main.AccListRst, this, m_code, m_name);

    connect(m_dateOpt, &QCheckBox::toggled, this, &AccLedgers::DateOpt_Click);
    connect(m_view, &QPushButton::clicked, this, &AccLedgers::ViewBttn_Click);
    connect(m_print, &QPushButton::clicked, this, &AccLedgers::PrintBttn_Click);
    connect(excel, &QPushButton::clicked, this, &AccLedgers::ExcelBttn_Click);
    connect(multi, &QPushButton::clicked, this, &AccLedgers::MultiBttn_Click);
    connect(m_grid, &QTableView::doubleClicked, this, &AccLedgers::LedgerGrid_DblClick);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showCurrentLine(current.isValid() ? current.row() : -1); });

    Form_Load();
}

AccLedgers::~AccLedgers() = default;

void AccLedgers::Form_Load()
{
    m_ttlLbl->setText(QStringLiteral("Totals ") + m_main.CurrencySymbol);
    const app::Period period = app::defaultPeriod(shell::today(), m_main.FYStart, m_main.FYEnd);
    m_from->setDate(period.start);
    m_to->setDate(period.end);
    clearFigures();
    if (m_main.BOpen) {
        m_code->setText(m_main.AccCodeRef);
        m_dateOpt->setChecked(false);
        BuildLedger();
        m_main.BOpen = false;
    }
    m_codeBox->setCodeFocus(false);
    m_main.LOpen = false;
}


void AccLedgers::DateOpt_Click()
{
    const bool period = m_dateOpt->isChecked();
    m_from->setEnabled(period);
    m_to->setEnabled(period);
}

bool AccLedgers::accountChosen(const QString& noAccount)
{
    if (m_name->text().isEmpty()) {
        forms::showFailure(this, {QStringLiteral("Select Account"), noAccount, QStringLiteral("ACodeTxt")});
        return false;
    }
    // A period that ends before it starts is not refused: it lists no line and
    // shows the balance brought forward to its first day.
    return true;
}

void AccLedgers::MultiBttn_Click()
{
    m_main.openWindow(QStringLiteral("PrintLedgers"), true);
}

void AccLedgers::ViewBttn_Click()
{
    if (!accountChosen(QStringLiteral("Select a valid account to view ledger.")))
        return;
    BuildLedger();
    m_codeBox->hideList();
}

void AccLedgers::PrintBttn_Click()
{
    if (!accountChosen(QStringLiteral("Select a valid account to print ledger.")))
        return;
    // The print shows the ledger as it stands now, so a changed account or
    // period takes effect without Display. BuildLedger also closes the rows of
    // the last print, which AccLedger, having no end step, left open.
    if (!BuildLedger())
        return;
    m_codeBox->hideList();
    try {
        m_ledgerQry = ledgerRows(m_model->lines(), m_model->kinds(), m_builtCode, m_main.FYID);
        ledger_reports::makeAccLedger(m_ledgerQry, printSource())->show(this);
    } catch (const std::exception& e) {
        // Only a layout that cannot be made lands here (a field or format the
        // report does not know); the ledger on screen stays as built.
        m_ledgerQry.close();
        forms::inform(this, QStringLiteral("Cannot Print"), QString::fromUtf8(e.what()));
    }
}

void AccLedgers::ExcelBttn_Click()
{
    if (!accountChosen(QStringLiteral("Select a valid account to view ledger.")))
        return;
    // The export writes the ledger as it stands now, so a changed account or
    // period takes effect without Display.
    if (!BuildLedger())
        return;
    m_codeBox->hideList();
    LedgerSheet s;
    s.accName = m_name->text();
    if (m_dateOpt->isChecked())
        s.period = DateRange{m_from->date(), m_to->date()};
    s.today = shell::today();
    s.broughtForward = m_broughtForward;
    s.lines = m_model->lines();
    s.kinds = &m_model->kinds();
    s.totals = m_totals;
    sheet::ExcelExport(this, ledgerTable(s), QStringLiteral("Ledger ") + m_code->text());
}

ledger_reports::AccLedgerSource AccLedgers::printSource() const
{
    ledger_reports::AccLedgerSource s;
    s.bizName = m_main.BizName;
    s.user = m_main.UName;
    s.currencySymbol = m_main.CurrencySymbol;
    s.accCode = m_code->text();
    s.accName = m_name->text();
    if (m_dateOpt->isChecked())
        s.period = ledger_reports::AccLedgerSource::Period{m_from->date(), m_to->date()};
    s.broughtForwardText = m_ob1->text();
    if (m_broughtForward)
        s.broughtForward = balanceOf(*m_broughtForward).amount;
    s.broughtForwardStatus = m_ob3->text();
    s.closing = balanceOf(m_totals.closing).amount;
    s.closingStatus = m_status->text();
    return s;
}

void AccLedgers::clearFigures()
{
    m_model->clear();
    m_ledgerQry.close();
    m_builtCode = 0;
    m_broughtForward.reset();
    m_totals = {};
    for (QLabel* l : {m_ob1, m_ob2, m_ob3})
        l->clear();
    for (QLineEdit* b : {m_totalDr, m_totalCr, m_balance, m_status})
        b->clear();
    showCurrentLine(-1);
}

bool AccLedgers::BuildLedger()
{
    clearFigures();
    std::optional<DateRange> period;
    if (m_dateOpt->isChecked())
        period = DateRange{m_from->date(), m_to->date()};

    Ledger ledger;
    // A text that is no code names no account: its ledger is empty.
    if (const auto code = parseAccountCode(m_code->text().toStdString())) {
        try {
            ledger = buildLedger(*m_main.Pelkconn, m_main.FYID, *code, period);
        } catch (const std::exception& e) {
            forms::showError(this, e);
            return false;
        }
        m_builtCode = *code;
    }
    m_broughtForward = ledger.broughtForward;
    m_totals = ledger.totals;

    if (ledger.broughtForward) {
        const Balance bf = balanceOf(*ledger.broughtForward);
        m_ob1->setText(QStringLiteral("Balance Brought Forward  "));
        m_ob2->setText(platform::formatMoneyQ(bf.amount, "0.00"));
        m_ob3->setText(QString::fromLatin1(statusText(bf.side)));
    }
    const Balance closing = balanceOf(ledger.totals.closing);
    m_totalDr->setText(platform::formatMoneyQ(ledger.totals.totalDebit, kAmount));
    m_totalCr->setText(platform::formatMoneyQ(ledger.totals.totalCredit, kAmount));
    m_balance->setText(platform::formatMoneyQ(closing.amount, kAmount));
    m_status->setText(QString::fromLatin1(statusText(closing.side)));

    m_model->setLines(std::move(ledger.lines), std::move(ledger.kinds));
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
    return true;
}

void AccLedgers::showCurrentLine(int row)
{
    const auto& lines = m_model->lines();
    if (row < 0 || row >= static_cast<int>(lines.size())) {
        m_line.clear();
        return;
    }
    const LedgerLine& l = lines[static_cast<std::size_t>(row)];
    m_line.show(longReference(m_model->kinds(), l), l.tranNo, l.tranType);
}

void AccLedgers::LedgerGrid_DblClick()
{
    m_line.openVoucher(m_main);
}

} // namespace ledgers
