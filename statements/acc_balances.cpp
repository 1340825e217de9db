// The trial balance window: layout, selection, checks, ShowBalances, the print,
// the export and the way to a row's ledger.
#include "statements/acc_balances.h"

#include <algorithm>
#include <cassert>
#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "ledgers/account_code_rules.h"
#include "ledgers/account_pick_list.h"
#include "main/default_period.h"
#include "main/parent.h"
#include "main/rights.h"
#include "platform/data/database.h"
#include "platform/forms/column_totals.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/fit_text.h"
#include "platform/forms/name_list.h"
#include "platform/forms/window_host.h"
#include "platform/report/report_feed.h"
#include "platform/sheet/excel_export.h"
#include "platform/shell/environment.h"
#include "reports/statements/acc_bal_rpt.h"
#include "statements/balance_models.h"
#include "statements/balance_print.h"
#include "statements/report_window.h"
#include "statements/trial_balance_export.h"

namespace statements {
namespace {

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

forms::WholeTextBox* totalBox(QWidget* parent, const char* name)
{
    return named(new forms::WholeTextBox(parent), name);
}

QTableView* grid(QWidget* parent, const char* name, QAbstractItemModel* model)
{
    auto* view = named(new QTableView(parent), name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    return view;
}

// Sizes the code, amount and status columns of `view` for the widest figures
// they are meant to show whole (kSizedAmount; beyond it the delegate sets the
// figure smaller), and every column for its heading. The name takes the rest,
// and is elided where it is longer.
void sizeColumns(QTableView* view, std::initializer_list<int> amounts, std::initializer_list<int> statuses)
{
    QList<int> figures{0};
    figures.append(QList<int>(amounts));
    forms::showFiguresWhole(view, figures);
    forms::fitColumn(view, 0, forms::kSizedCode);
    for (int c : amounts)
        forms::fitColumn(view, c, forms::kSizedAmount);
    for (int c : statuses)
        forms::fitColumn(view, c, forms::kSizedStatus);
}

struct SelectionTexts {
    const char* view;
    const char* print;
    const char* exportTo;
    const char* of(AccBalances::Purpose p) const
    {
        return p == AccBalances::Purpose::View ? view : p == AccBalances::Purpose::Print ? print : exportTo;
    }
};
constexpr SelectionTexts kMainTypeTexts{"Select main account type to view balances.",
                                        "Select main account type to print balances.",
                                        "Select main account type to export balances."};
constexpr SelectionTexts kSubTypeTexts{"Select sub account type to view balances.",
                                       "Select sub account type to print balances.",
                                       "Select sub account type to export balances."};

} // namespace

AccBalances::AccBalances(app::Parent& main, QWidget* parent) : QWidget(parent), m_main(main)
{
    assert(main.Pelkconn);
    setObjectName(QStringLiteral("AccBalances"));
    setWindowTitle(QStringLiteral("Trial Balance"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(960, 640);

    auto* title = named(new QLabel(QStringLiteral("Trial Balance"), this), "TitleLbl");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    title->setFont(titleFont);

    m_allOpt = named(new QRadioButton(QStringLiteral("All Accounts"), this), "AllOpt");
    m_selectOpt = named(new QRadioButton(QStringLiteral("Main Account Type"), this), "SelectOpt");
    m_rangeOpt = named(new QRadioButton(QStringLiteral("Range"), this), "RangeOpt");
    auto* options = new QButtonGroup(this);
    for (QRadioButton* o : {m_allOpt, m_selectOpt, m_rangeOpt})
        options->addButton(o);
    m_acc = new forms::NameList(this, "Acc", forms::NameList::Typing::AsTyped);
    m_subTypeOpt = named(new QCheckBox(QStringLiteral("Sub Type"), this), "SubTypeOpt");
    m_subList = new forms::NameList(this, "SubList", forms::NameList::Typing::AsTyped);
    m_codeFrom = named(new QLineEdit(this), "CodeFrom");
    m_accFrom = named(new QLineEdit(this), "AccFrom");
    m_codeTo = named(new QLineEdit(this), "CodeTo");
    m_accTo = named(new QLineEdit(this), "AccTo");
    for (QLineEdit* code : {m_codeFrom, m_codeTo})
        code->setFixedWidth(100);

    auto* picture1 = named(new QGroupBox(this), "Picture1");
    m_trial6 = named(new QRadioButton(QStringLiteral("6 Columns"), picture1), "TrialOpt_0");
    m_trial2 = named(new QRadioButton(QStringLiteral("2 Columns"), picture1), "TrialOpt_1");
    auto* layouts = new QVBoxLayout(picture1);
    layouts->addWidget(m_trial6);
    layouts->addWidget(m_trial2);

    m_from = forms::makeDatePicker(this, "BalDt_0");
    m_to = forms::makeDatePicker(this, "BalDt_1");

    m_view = named(new QPushButton(QStringLiteral("Display"), this), "ViewBttn");
    m_view->setToolTip(QStringLiteral("View Balances"));
    m_print = named(new QPushButton(QStringLiteral("Print"), this), "PrintBttn");
    m_print->setToolTip(QStringLiteral("Print Balances"));
    m_excel = named(new QPushButton(QStringLiteral("Excel"), this), "ExcelBttn");
    m_excel->setToolTip(QStringLiteral("Export to Excel"));
    sheet::makeWaitPic(this);

    m_six = new SixColumnModel(this);
    m_two = new TwoColumnModel(this);
    m_grid6 = grid(this, "DetailGrid", m_six);
    m_grid2 = grid(this, "DetailGrid2", m_two);
    m_balCode = named(new QLineEdit(this), "BalCode");
    m_balCode2 = named(new QLineEdit(this), "BalCode2");
    m_balCode->hide();
    m_balCode2->hide();

    sizeColumns(m_grid6, {SixColumnModel::OBalance, SixColumnModel::Debits, SixColumnModel::Credits,
                          SixColumnModel::CBalance},
                {SixColumnModel::OStatus, SixColumnModel::CStatus});
    sizeColumns(m_grid2, {TwoColumnModel::Debits, TwoColumnModel::Credits}, {});

    // The totals stand under the columns they add up; a balance box spans its
    // balance and status columns, so those are made wide enough together for
    // the widest balance the boxes are sized for.
    m_totals6 = named(new QFrame(this), "LedgerTotals");
    m_totals6->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_ttlLbl = named(new QLabel(m_totals6), "TtlLbl");
    forms::WholeTextBox* openBalance = totalBox(m_totals6, "OpenBalance");
    m_openBalance = openBalance;
    m_totalDr = totalBox(m_totals6, "TotalDr");
    m_totalCr = totalBox(m_totals6, "TotalCr");
    m_closeBalance = totalBox(m_totals6, "CloseBalance");
    const int balanceWidth = openBalance->widthFor(forms::kSizedBalance);
    for (int c : {SixColumnModel::OBalance, SixColumnModel::CBalance})
        m_grid6->setColumnWidth(c, std::max(m_grid6->columnWidth(c),
                                            balanceWidth - m_grid6->columnWidth(SixColumnModel::OStatus)));
    new forms::UnderColumns(m_grid6, m_totals6,
                            {{m_openBalance, SixColumnModel::OBalance, SixColumnModel::OStatus},
                             {m_totalDr, SixColumnModel::Debits, SixColumnModel::Debits},
                             {m_totalCr, SixColumnModel::Credits, SixColumnModel::Credits},
                             {m_closeBalance, SixColumnModel::CBalance, SixColumnModel::CStatus}},
                            m_ttlLbl);

    m_totals2 = named(new QFrame(this), "LedgerTotals2");
    m_totals2->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_tDr = totalBox(m_totals2, "TDr");
    m_tCr = totalBox(m_totals2, "TCr");
    new forms::UnderColumns(m_grid2, m_totals2,
                            {{m_tDr, TwoColumnModel::Debits, TwoColumnModel::Debits},
                             {m_tCr, TwoColumnModel::Credits, TwoColumnModel::Credits}},
                            new QLabel(QStringLiteral("Totals"), m_totals2));

    auto* choice = new QGridLayout;
    choice->addWidget(m_allOpt, 0, 0);
    choice->addWidget(m_selectOpt, 1, 0);
    choice->addWidget(m_acc, 1, 1, 1, 2);
    choice->addWidget(m_subTypeOpt, 1, 3);
    choice->addWidget(m_subList, 1, 4);
    choice->addWidget(m_rangeOpt, 2, 0);
    choice->addWidget(new QLabel(QStringLiteral("From"), this), 2, 1, Qt::AlignRight);
    choice->addWidget(m_codeFrom, 2, 2);
    choice->addWidget(m_accFrom, 2, 3, 1, 2);
    choice->addWidget(new QLabel(QStringLiteral("To"), this), 3, 1, Qt::AlignRight);
    choice->addWidget(m_codeTo, 3, 2);
    choice->addWidget(m_accTo, 3, 3, 1, 2);
    choice->addWidget(picture1, 0, 5, 4, 1);
    choice->setColumnStretch(4, 1);

    auto* dates = new QHBoxLayout;
    dates->addWidget(new QLabel(QStringLiteral("For Period From"), this));
    dates->addWidget(m_from);
    dates->addWidget(new QLabel(QStringLiteral("To"), this));
    dates->addWidget(m_to);
    dates->addStretch(1);
    for (QPushButton* b : {m_view, m_print, m_excel})
        dates->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(choice);
    layout->addLayout(dates);
    layout->addWidget(m_grid6, 1);
    layout->addWidget(m_grid2, 1);
    layout->addWidget(m_totals6);
    layout->addWidget(m_totals2);

    m_picker = new ledgers::AccRangePicker(*main.Pelkconn, main.AccListRst, this, m_codeFrom, m_accFrom,
                                           m_codeTo, m_accTo);

    connect(m_acc, &QComboBox::currentTextChanged, this, &AccBalances::Acc_Change);
    connect(m_allOpt, &QRadioButton::toggled, this, [this](bool on) { if (on) AllOpt_Click(); });
    connect(m_selectOpt, &QRadioButton::toggled, this, [this](bool on) { if (on) SelectOpt_Click(); });
    connect(m_rangeOpt, &QRadioButton::toggled, this, [this](bool on) { if (on) RangeOpt_Click(); });
    connect(m_subTypeOpt, &QCheckBox::toggled, this, &AccBalances::SubTypeOpt_Click);
    connect(m_trial6, &QRadioButton::toggled, this, [this](bool on) { if (on) TrialOpt_Click(0); });
    connect(m_trial2, &QRadioButton::toggled, this, [this](bool on) { if (on) TrialOpt_Click(1); });
    connect(m_view, &QPushButton::clicked, this, &AccBalances::ViewBttn_Click);
    connect(m_print, &QPushButton::clicked, this, &AccBalances::PrintBttn_Click);
    connect(m_excel, &QPushButton::clicked, this, &AccBalances::ExcelBttn_Click);
    connect(m_grid6, &QTableView::doubleClicked, this, &AccBalances::DetailGrid_DblClick);
    connect(m_grid2, &QTableView::doubleClicked, this, &AccBalances::DetailGrid2_DblClick);
    connect(m_grid6->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const auto code = m_six->codeAt(current.isValid() ? current.row() : -1);
                m_balCode->setText(code ? QString::number(*code) : QString());
            });
    connect(m_grid2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const auto code = m_two->codeAt(current.isValid() ? current.row() : -1);
                m_balCode2->setText(code ? QString::number(*code) : QString());
            });

    m_allOpt->setChecked(true);
    m_trial2->setChecked(true);
    Form_Load();
}

AccBalances::~AccBalances() = default;

void AccBalances::Form_Load()
{
    m_acc->clear();
    try {
        for (const MainTypeEntry& t : mainTypes(*m_main.Pelkconn))
            m_acc->addItem(QString::fromStdString(t.text), QVariant::fromValue<qint64>(t.typeId));
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    m_acc->setCurrentIndex(-1);
    m_acc->clearEditText();
    m_ttlLbl->setText(QStringLiteral("Totals ") + m_main.CurrencySymbol);
    m_from->setDate(m_main.FYStart);
    m_to->setDate(app::defaultPeriod(shell::today(), m_main.FYStart, m_main.FYEnd).end);
    m_picker->setCodeFocus(false);
    ShowBalances();
}


std::optional<std::int64_t> AccBalances::matchedMainType() const
{
    const int i = forms::exactEntry(m_acc);
    if (i < 0)
        return std::nullopt;
    return m_acc->itemData(i).value<qint64>();
}

std::optional<std::int64_t> AccBalances::matchedSubType() const
{
    const int i = forms::exactEntry(m_subList);
    if (i < 0)
        return std::nullopt;
    return m_subList->itemData(i).value<qint64>();
}

void AccBalances::Acc_Change()
{
    if (const auto typeId = matchedMainType()) {
        m_subList->clear();
        try {
            for (const SubTypeEntry& s : subTypesOf(*m_main.Pelkconn, *typeId))
                m_subList->addItem(QString::fromStdString(s.name), QVariant::fromValue<qint64>(s.level2Id));
        } catch (const std::exception& e) {
            forms::showError(this, e);
        }
    }
    m_subList->setCurrentIndex(-1);
    m_subList->clearEditText();
}

void AccBalances::AllOpt_Click()
{
    m_acc->setEnabled(false);
    m_acc->setCurrentIndex(-1);
    m_acc->clearEditText();
    m_subTypeOpt->setChecked(false);
    m_subTypeOpt->setEnabled(false);
    m_subList->setEnabled(false);
    m_subList->setCurrentIndex(-1);
    m_subList->clearEditText();
    for (QLineEdit* b : {m_codeFrom, m_codeTo, m_accFrom, m_accTo})
        b->setEnabled(false);
}

void AccBalances::SelectOpt_Click()
{
    m_acc->setEnabled(true);
    m_subTypeOpt->setEnabled(true);
    m_subList->setEnabled(m_subTypeOpt->isChecked());
    for (QLineEdit* b : {m_codeFrom, m_codeTo, m_accFrom, m_accTo})
        b->setEnabled(false);
}

void AccBalances::RangeOpt_Click()
{
    AllOpt_Click();
    for (QLineEdit* b : {m_codeFrom, m_codeTo, m_accFrom, m_accTo})
        b->setEnabled(true);
}

void AccBalances::SubTypeOpt_Click()
{
    m_subList->setEnabled(m_subTypeOpt->isChecked());
}

void AccBalances::TrialOpt_Click(int index)
{
    const bool six = index == 0;
    m_grid6->setVisible(six);
    m_totals6->setVisible(six);
    m_grid2->setVisible(!six);
    m_totals2->setVisible(!six);
}

std::optional<forms::Problem> AccBalances::checkSelection(Purpose purpose) const
{
    if (m_selectOpt->isChecked() && !m_subTypeOpt->isChecked() && !matchedMainType())
        return forms::Problem{QStringLiteral("Select Main Account Type"),
                              QString::fromLatin1(kMainTypeTexts.of(purpose)), QStringLiteral("Acc")};
    if (m_selectOpt->isChecked() && m_subTypeOpt->isChecked() && !matchedSubType())
        return forms::Problem{QStringLiteral("Select Sub Account Type"),
                              QString::fromLatin1(kSubTypeTexts.of(purpose)), QStringLiteral("SubList")};
    if (m_rangeOpt->isChecked() && m_accFrom->text().isEmpty())
        return forms::Problem{QStringLiteral("Select Account Code"),
                              QStringLiteral("Select account code to start from."), QStringLiteral("CodeFrom")};
    if (m_rangeOpt->isChecked() && m_accTo->text().isEmpty())
        return forms::Problem{QStringLiteral("Select Account Code"),
                              QStringLiteral("Select account code to end at."), QStringLiteral("CodeTo")};
    return std::nullopt;
}

bool AccBalances::choiceIsValid(Purpose purpose)
{
    if (const auto problem = checkSelection(purpose)) {
        forms::showFailure(this, *problem);
        return false;
    }
    // Nothing checks the dates: a from date after the to date gives the
    // closing sums less the larger opening sums as the period's figures.
    return true;
}

void AccBalances::ViewBttn_Click()
{
    if (choiceIsValid(Purpose::View))
        ShowBalances();
}

void AccBalances::PrintBttn_Click()
{
    if (!choiceIsValid(Purpose::Print))
        return;
    setCommandsEnabled(false);
    // The print is fed by a run of its own for the selection and dates as they
    // stand, so rows, group sums and totals agree whatever the grids show.
    runPrint(this, PrintBalances, [this] {
        const TrialBalance tb = trialBalance(*m_main.Pelkconn, m_main.FYID, m_from->date(), m_to->date(), selection());
        if (m_rangeOpt->isChecked())
            PrintRangeBalances(tb);
        else
            PrintGroupedBalances(tb);
    }, [this] { setCommandsEnabled(true); }, [this] { ShowBalances(); });
}

namespace {

statement_reports::AccBalSource printSource(const app::Parent& main, bool all, const QDate& from, const QDate& to,
                                            const BalanceTotals& totals)
{
    statement_reports::AccBalSource s;
    s.bizName = main.BizName;
    s.user = main.UName;
    s.currencySymbol = main.CurrencySymbol;
    s.allAccounts = all;
    s.from = from;
    s.to = to;
    s.openingText = QString::fromStdString(balanceTotalText(totals.opening));
    s.closingText = QString::fromStdString(balanceTotalText(totals.closing));
    return s;
}

} // namespace

void AccBalances::PrintGroupedBalances(const TrialBalance& tb)
{
    PrintBalances.close();
    const PrintColumns columns = m_trial6->isChecked() ? PrintColumns::Six : PrintColumns::Two;
    BalancePrint print = groupedBalancePrint(tb, chartGroups(*m_main.Pelkconn), selection(), columns);
    PrintBalances = std::move(print.rows);
    const auto source = printSource(m_main, m_allOpt->isChecked(), m_from->date(), m_to->date(), print.totals);
    if (columns == PrintColumns::Six)
        statement_reports::AccBalRpt(PrintBalances, source)->show(this);
    else
        statement_reports::AccBalRpt2(PrintBalances, source)->show(this);
}

void AccBalances::PrintRangeBalances(const TrialBalance& tb)
{
    PrintBalances.close();
    const PrintColumns columns = m_trial6->isChecked() ? PrintColumns::Six : PrintColumns::Two;
    BalancePrint print = rangeBalancePrint(tb, columns);
    PrintBalances = std::move(print.rows);
    const auto source = printSource(m_main, false, m_from->date(), m_to->date(), print.totals);
    if (columns == PrintColumns::Six)
        statement_reports::AccBalRptRange(PrintBalances, source)->show(this);
    else
        statement_reports::AccBalRptRange2(PrintBalances, source)->show(this);
}

void AccBalances::ExcelBttn_Click()
{
    // The export writes what a fresh Display shows, for the dates as they are now.
    if (!choiceIsValid(Purpose::Export) || !ShowBalances())
        return;
    const BalanceRows& rows = m_six->rows();
    const std::span<const AccountFigures> shown = rows ? std::span<const AccountFigures>(*rows)
                                                       : std::span<const AccountFigures>();
    try {
        sheet::ExcelExport(this,
                           m_trial6->isChecked() ? sixColumnTable(shown, m_from->date(), m_to->date())
                                                 : twoColumnTable(shown, m_to->date()),
                           QStringLiteral("Trial Balance"));
    } catch (const std::overflow_error&) {
        forms::inform(this, QStringLiteral("Cannot Export"), QStringLiteral("The totals are too large."));
    }
}

AccountSelection AccBalances::selection() const
{
    if (m_selectOpt->isChecked()) {
        if (m_subTypeOpt->isChecked())
            return AccountSelection::subType(matchedSubType().value_or(0));
        return AccountSelection::mainType(matchedMainType().value_or(0));
    }
    if (m_rangeOpt->isChecked()) {
        const auto from = ledgers::parseAccountCode(m_codeFrom->text().toStdString());
        const auto to = ledgers::parseAccountCode(m_codeTo->text().toStdString());
        return AccountSelection::range(from.value_or(0), to.value_or(0));
    }
    return AccountSelection::all();
}

void AccBalances::setCommandsEnabled(bool on)
{
    m_view->setEnabled(on);
    m_print->setEnabled(on);
    m_excel->setEnabled(on);
}

void AccBalances::clearFigures()
{
    m_six->setRows(nullptr);
    m_two->setRows(nullptr);
    m_balCode->clear();
    m_balCode2->clear();
    for (QLineEdit* b : {m_openBalance, m_totalDr, m_totalCr, m_closeBalance, m_tDr, m_tCr})
        b->clear();
}

bool AccBalances::ShowBalances()
{
    setCommandsEnabled(false);
    clearFigures();
    TrialBalance tb;
    try {
        tb = trialBalance(*m_main.Pelkconn, m_main.FYID, m_from->date(), m_to->date(), selection());
    } catch (const std::exception& e) {
        forms::showError(this, e);
        setCommandsEnabled(true);
        return false;
    }
    auto rows = std::make_shared<const std::vector<AccountFigures>>(std::move(tb.rows));
    m_six->setRows(rows);
    m_two->setRows(rows);
    if (m_six->rowCount() > 0)
        m_grid6->setCurrentIndex(m_six->index(0, 0));
    if (m_two->rowCount() > 0)
        m_grid2->setCurrentIndex(m_two->index(0, 0));

    const BalanceTotals& t = tb.totals;
    m_openBalance->setText(QString::fromStdString(balanceTotalText(t.opening)));
    m_totalDr->setText(QString::fromStdString(amountTotalText(t.debits)));
    m_totalCr->setText(QString::fromStdString(amountTotalText(t.credits)));
    m_closeBalance->setText(QString::fromStdString(balanceTotalText(t.closing)));
    m_tDr->setText(QString::fromStdString(amountTotalText(t.twoColumnDebit)));
    m_tCr->setText(QString::fromStdString(amountTotalText(t.twoColumnCredit)));
    setCommandsEnabled(true);
    return true;
}

void AccBalances::DetailGrid_DblClick()
{
    openLedger(m_balCode->text());
}

void AccBalances::DetailGrid2_DblClick()
{
    openLedger(m_balCode2->text());
}

void AccBalances::openLedger(const QString& code)
{
    if (code.isEmpty() || !m_main.CheckRight(app::right::Ledgers))
        return;
    m_main.AccCodeRef = code;
    m_main.BOpen = true;
    const QString ledger = QStringLiteral("AccLedgers");
    // The ledger builds the handed-over account only when it loads, so an
    // open one is closed first and loaded afresh.
    if (QWidget* open = m_main.host().find(ledger)) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(open->parentWidget()))
            delete frame;
        else
            delete open;
    }
    m_main.openWindow(ledger, false);
    // A ledger that loaded took the hand-over; if none did, it must not wait
    // for the next ledger the user opens from the menu.
    m_main.BOpen = false;
}

} // namespace statements
