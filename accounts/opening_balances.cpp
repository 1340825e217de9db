// "Accounts Opening Balances": loads the year's opening lines into the line
// grid, searches them by account name, saves them in one transaction, prints
// and exports them, and opens the import.
#include "accounts/opening_balances.h"

#include <algorithm>
#include <stdexcept>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "accounts/opening_balance_export.h"
#include "accounts/opening_balance_rules.h"
#include "accounts/opening_balance_store.h"
#include "accounts/opening_fy_acc.h"
#include "accounts/voucher_line_grid.h"
#include "main/parent.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/messages.h"
#include "platform/forms/window_host.h"
#include "platform/sheet/excel_export.h"
#include "platform/shell/environment.h"
#include "reports/accounts/acc_ob.h"

namespace accounts {
namespace {

using forms::twipsToPixels;

QPushButton* button(QWidget* parent, const char* name, const char* caption, int leftTwips, int topTwips)
{
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    // Never narrower than its caption, whatever the font.
    b->setGeometry(twipsToPixels(leftTwips), twipsToPixels(topTwips),
                   std::max(twipsToPixels(1455), b->sizeHint().width()), twipsToPixels(420));
    b->setAutoDefault(false);
    return b;
}

} // namespace

OpeningBalancesAcc::OpeningBalancesAcc(app::Parent& main, QWidget* parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("OpeningBalancesAcc"));
    setWindowTitle(QStringLiteral("Accounts Opening Balances"));

    auto* heading = new QLabel(QStringLiteral("ACCOUNTS OPENING BALANCES"), this);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    heading->setFont(big);
    heading->move(twipsToPixels(480), twipsToPixels(240));
    heading->adjustSize();

    m_tranNoBox = new QLineEdit(this);
    m_tranNoBox->setObjectName(QStringLiteral("TranNo"));
    m_tranNoBox->setReadOnly(true);
    m_tranNoBox->hide();

    auto* searchLabel = new QLabel(QStringLiteral("Search Account"), this);
    searchLabel->move(twipsToPixels(480), twipsToPixels(1320));
    searchLabel->adjustSize();
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("SearchBox"));
    m_search->setGeometry(twipsToPixels(2000), twipsToPixels(1260), twipsToPixels(4500), twipsToPixels(360));
    m_find = button(this, "FindBttn", "Find Next", 6600, 1230);

    m_lines = new VoucherLineGrid(main, openingBalanceGrid(), this);
    // Sized so the window, with its frame, fits the main window's area on a screen 768 pixels high.
    m_lines->setGeometry(twipsToPixels(480), twipsToPixels(1800), twipsToPixels(13935), twipsToPixels(6075) + 40);

    constexpr int kButtonsTop = 8500;
    m_save = button(this, "SaveBttn", "Save", 480, kButtonsTop);
    m_save->setToolTip(QStringLiteral("CTRL+S"));
    m_cancel = button(this, "CancelBttn", "Cancel", 2040, kButtonsTop);
    m_print = button(this, "PrintBill", "Print", 3600, kButtonsTop);
    m_excel = button(this, "ExcelBttn", "Excel", 5160, kButtonsTop);
    m_excel->setToolTip(QStringLiteral("Export to Excel"));
    m_import = button(this, "ImportBal", "Import Balances", 6720, kButtonsTop);
    m_printTimer = new QTimer(this);
    m_printTimer->setObjectName(QStringLiteral("PrintTimer"));
    m_printTimer->setInterval(1000);
    m_exportTimer = new QTimer(this);
    m_exportTimer->setObjectName(QStringLiteral("ExportTimer"));
    m_exportTimer->setInterval(1000);
    sheet::makeWaitPic(this);

    resize(twipsToPixels(480 * 2 + 13935), twipsToPixels(kButtonsTop + 900));

    connect(m_save, &QPushButton::clicked, this, &OpeningBalancesAcc::SaveBttn_Click);
    connect(m_cancel, &QPushButton::clicked, this, &OpeningBalancesAcc::CancelBttn_Click);
    connect(m_find, &QPushButton::clicked, this, &OpeningBalancesAcc::FindBttn_Click);
    connect(m_print, &QPushButton::clicked, this, &OpeningBalancesAcc::PrintBill_Click);
    connect(m_printTimer, &QTimer::timeout, this, &OpeningBalancesAcc::PrintTimer_Timer);
    connect(m_excel, &QPushButton::clicked, this, &OpeningBalancesAcc::ExcelBttn_Click);
    connect(m_exportTimer, &QTimer::timeout, this, &OpeningBalancesAcc::ExportTimer_Timer);
    connect(m_import, &QPushButton::clicked, this, &OpeningBalancesAcc::ImportBal_Click);
    // The window sees every key before its controls, the grid's cell editors
    // (made and dropped as cells are edited) included.
    qApp->installEventFilter(this);

    Form_Load();
}

OpeningBalancesAcc::~OpeningBalancesAcc()
{
    qApp->removeEventFilter(this);
}

void OpeningBalancesAcc::Form_Load()
{
    m_tranNo = 0;
    m_loaded.clear();
    std::vector<SubTranRow> lines;
    try {
        auto& db = *m_main.Pelkconn;
        if (const auto stored = app::openingVoucherOf(db, m_main.FYID)) {
            m_tranNo = *stored;
        } else {
            // Every year owns one; a year that lost it gets it back here
            // rather than leaving the lines without a voucher to belong to.
            platform::Transaction tx(db);
            m_tranNo = app::ensureOpeningVoucher(tx, m_main.FYID, {m_main.PelkUser, shell::now()});
            tx.commit();
        }
        lines = loadOpeningLines(db, m_tranNo);
        m_accountCount = countOpeningAccounts(db);
    } catch (const std::invalid_argument&) {
        m_tranNo = 0;   // the signed-in year is not stored: nothing to edit
    } catch (const std::exception& e) {
        m_tranNo = 0;
        forms::showError(this, e);
    }
    m_tranNoBox->setText(m_tranNo ? QString::number(m_tranNo) : QString());
    m_loaded = lines;
    showLines(std::move(lines));
    setButtons(true);
}

void OpeningBalancesAcc::showLines(std::vector<SubTranRow> lines)
{
    const std::size_t blanks = m_tranNo ? blankRowsNeeded(lines.size(), m_accountCount) : 0;
    m_lines->setLines(std::move(lines));
    m_lines->addBlankRows(blanks);
    if (!m_lines->lines().empty())
        m_lines->grid()->setCurrentCell(0, column::Code);
    TotalValue();
}

void OpeningBalancesAcc::setButtons(bool enabled)
{
    const bool haveVoucher = m_tranNo != 0;
    m_lines->findChild<QPushButton*>(QStringLiteral("CA"))->setEnabled(enabled);
    m_save->setEnabled(enabled && haveVoucher);
    m_cancel->setEnabled(enabled);
    m_print->setEnabled(enabled && haveVoucher);
    m_excel->setEnabled(enabled && haveVoucher);
    m_import->setEnabled(enabled && haveVoucher);
}

void OpeningBalancesAcc::TotalValue()
{
    m_lines->TotalValue();
}

bool OpeningBalancesAcc::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_S && (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        if (m_save->isEnabled())
            SaveOpeningBalances();
        return true;
    }
    return false;
}

bool OpeningBalancesAcc::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w))) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (Form_KeyDown(key->key(), key->modifiers()))
                return true;
        }
    } else if (event->type() == QEvent::KeyRelease && watched == m_search) {
        SearchBox_KeyUp();
    }
    return QWidget::eventFilter(watched, event);
}


void OpeningBalancesAcc::SaveBttn_Click()
{
    SaveOpeningBalances();
}

bool OpeningBalancesAcc::SaveOpeningBalances()
{
    if (!m_tranNo)
        return false;
    // A cell still being typed in counts as typed; a refused text stays behind.
    m_lines->grid()->commitEdit();
    setButtons(false);
    auto& db = *m_main.Pelkconn;
    try {
        if (app::openingVoucherOf(db, m_main.FYID) != m_tranNo) {
            // The year was cleared (or its voucher replaced) while the window
            // was open: its lines would belong to a voucher that is gone.
            forms::showFailure(this, {QStringLiteral("Cannot Save"),
                                      QStringLiteral("The opening balances of this year were cleared while this "
                                                     "window was open; they have been read again."),
                                      QString()});
            Form_Load();
            return false;
        }
        // A line whose account was deleted meanwhile is named, and nothing is
        // written, rather than the whole save failing on the chart's key.
        if (m_lines->refuseLineOffChart()) {
            setButtons(true);
            return false;
        }
        const OpeningSave plan = planOpeningSave(m_loaded, m_lines->lines());
        if (!plan.empty()) {
            platform::Transaction tx(db);
            saveOpeningLines(tx, m_tranNo, plan);
            tx.commit();
        }
        m_loaded = loadOpeningLines(db, m_tranNo);
    } catch (const std::exception& e) {
        // Nothing was written; the edits stay in the grid to be corrected.
        forms::showError(this, e);
        setButtons(true);
        return false;
    }
    showLines(m_loaded);
    setButtons(true);
    return true;
}

void OpeningBalancesAcc::CancelBttn_Click()
{
    m_lines->grid()->commitEdit();
    Form_Load();
}

void OpeningBalancesAcc::goToLine(int row)
{
    auto* grid = m_lines->grid();
    const int col = grid->currentColumn() >= 0 ? grid->currentColumn() : column::Code;
    // No match leaves no line current, as a search past the last line does.
    grid->setCurrentCell(row, col);
    if (row >= 0)
        grid->scrollTo(grid->model()->index(row, col));
}

void OpeningBalancesAcc::SearchBox_KeyUp()
{
    const QString text = m_search->text();
    if (text.isEmpty() || m_lines->lines().empty())
        return;
    goToLine(findLine(m_lines->lines(), text, 0));
}

void OpeningBalancesAcc::FindBttn_Click()
{
    const QString text = m_search->text();
    if (text.isEmpty() || m_lines->lines().empty())
        return;
    goToLine(findNextLine(m_lines->lines(), text, m_lines->grid()->currentRow()));
    m_lines->grid()->setFocus(Qt::OtherFocusReason);
}

void OpeningBalancesAcc::PrintBill_Click()
{
    // Lines that could not be saved are not printed as if they were.
    if (!m_print->isEnabled() || !SaveOpeningBalances())
        return;
    m_printTimer->start();
}

void OpeningBalancesAcc::PrintTimer_Timer()
{
    if (!m_printTimer->isActive())
        return;
    // Stopped before anything can fail, and before the preview's own event
    // loop could let it tick a second print.
    m_printTimer->stop();
    AOB.close();
    try {
        AOB = openOpeningBalancesPrint(*m_main.Pelkconn, m_main.FYID, m_tranNo);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    account_reports::AccOB(AOB, {m_main.BizName, m_main.UName, m_main.CurrencySymbol, m_main.FYStart})->show(this);
}

void OpeningBalancesAcc::ExcelBttn_Click()
{
    // Only saved lines are exported: lines that could not be saved are not
    // shown as if they were.
    if (!m_excel->isEnabled() || !SaveOpeningBalances())
        return;
    m_exportTimer->start();
}

void OpeningBalancesAcc::ExportTimer_Timer()
{
    if (!m_exportTimer->isActive())
        return;
    m_exportTimer->stop();
    std::vector<SubTranRow> lines;
    try {
        lines = loadOpeningLines(*m_main.Pelkconn, m_tranNo);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    try {
        sheet::ExcelExport(this, openingBalanceTable(lines, m_main.FYStart), QStringLiteral("Accounts Opening Balance"));
    } catch (const std::overflow_error&) {
        forms::inform(this, QStringLiteral("Cannot Export"), QStringLiteral("The totals of the lines are too large."));
    }
}

void OpeningBalancesAcc::ImportBal_Click()
{
    // The import reloads the lines when it ends: unsaved edits are saved
    // first, and nothing is imported when they cannot be.
    if (!m_import->isEnabled() || !SaveOpeningBalances())
        return;
    auto* import = new OpeningFYAcc(m_main, *this, this);
    import->setAttribute(Qt::WA_DeleteOnClose);
    forms::WindowHost::runModal(import);
}

void OpeningBalancesAcc::holdForImport()
{
    setButtons(false);
    m_lines->setLines({});
    TotalValue();
}

void OpeningBalancesAcc::reloadAfterImport()
{
    Form_Load();
}

} // namespace accounts
