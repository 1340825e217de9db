// The multi-ledger print window: its layout, the refresh and the print.
#include "ledgers/print_ledgers.h"

#include <cassert>
#include <exception>
#include <memory>
#include <utility>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ledgers/account_code_rules.h"
#include "ledgers/account_pick_list.h"
#include "ledgers/multi_ledger_store.h"
#include "ledgers/window_parts.h"
#include "main/default_period.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/messages.h"
#include "platform/forms/name_list.h"
#include "platform/report/report_feed.h"
#include "platform/shell/environment.h"
#include "reports/ledgers/acc_ledger_multi.h"

namespace ledgers {
namespace {

void emptyCombo(QComboBox* combo)
{
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

} // namespace

PrintLedgers::PrintLedgers(app::Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    assert(main.Pelkconn);
    setObjectName(QStringLiteral("PrintLedgers"));
    setWindowTitle(QStringLiteral("Print Accounts Ledgers"));

    auto* heading = named(new QLabel(QStringLiteral("Print Accounts Ledgers"), this), "HeadingLbl");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);
    m_wait = named(new QLabel(QStringLiteral("Updating Ledgers, Please Wait ......"), this), "WaitLbl");
    m_wait2 = named(new QLabel(QStringLiteral("(This may take a few minutes.)"), this), "WaitLbl2");

    m_frame = named(new QFrame(this), "LFrame");
    const char* optNames[] = {"LedgerOpt_0", "LedgerOpt_1", "LedgerOpt_2"};
    const char* optTexts[] = {"All Accounts", "Main Account Type", "Range"};
    auto* options = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_opt[i] = named(new QRadioButton(QString::fromLatin1(optTexts[i]), m_frame), optNames[i]);
        options->addButton(m_opt[i], i);
    }
    m_mainList = new forms::NameList(m_frame, "MainList", forms::NameList::Typing::AsTyped);
    m_subTypeOpt = named(new QCheckBox(QStringLiteral("Sub Type"), m_frame), "SubTypeOpt");
    m_subList = new forms::NameList(m_frame, "SubList", forms::NameList::Typing::AsTyped);
    m_codeFrom = named(new QLineEdit(m_frame), "CodeFrom");
    m_accFrom = named(new QLineEdit(m_frame), "AccFrom");
    m_codeTo = named(new QLineEdit(m_frame), "CodeTo");
    m_accTo = named(new QLineEdit(m_frame), "AccTo");
    for (QLineEdit* code : {m_codeFrom, m_codeTo})
        code->setFixedWidth(100);
    m_periodOpt = named(new QCheckBox(QStringLiteral("For Period From"), m_frame), "PeriodOpt");
    m_from = forms::makeDatePicker(m_frame, "LedgerDt_0");
    m_to = forms::makeDatePicker(m_frame, "LedgerDt_1");
    m_newPageOpt = named(new QCheckBox(QStringLiteral("Start Printing of Every Ledger on New Page"), m_frame),
                         "NewPageOpt");
    m_print = named(new QPushButton(QStringLiteral("Print"), this), "PrintBttn");

    auto* grid = new QGridLayout(m_frame);
    grid->addWidget(m_opt[0], 0, 0);
    grid->addWidget(m_opt[1], 1, 0);
    grid->addWidget(m_mainList, 1, 1, 1, 3);
    grid->addWidget(m_subTypeOpt, 2, 0, Qt::AlignRight);
    grid->addWidget(m_subList, 2, 1, 1, 3);
    grid->addWidget(m_opt[2], 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("From"), m_frame), 4, 0, Qt::AlignRight);
    grid->addWidget(m_codeFrom, 4, 1);
    grid->addWidget(m_accFrom, 4, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("To"), m_frame), 5, 0, Qt::AlignRight);
    grid->addWidget(m_codeTo, 5, 1);
    grid->addWidget(m_accTo, 5, 2, 1, 2);
    grid->addWidget(m_periodOpt, 6, 0);
    grid->addWidget(m_from, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("To"), m_frame), 6, 2, Qt::AlignRight);
    grid->addWidget(m_to, 6, 3);
    grid->addWidget(m_newPageOpt, 7, 0, 1, 4);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_wait);
    layout->addWidget(m_wait2);
    layout->addWidget(m_frame, 1);
    layout->addStretch();   // holds the wait labels together while the options are hidden
    layout->addLayout(buttons);
    resize(620, 420);

    m_picker = new AccRangePicker(*main.Pelkconn, main.AccListRst, this, m_codeFrom, m_accFrom, m_codeTo, m_accTo);
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(200);

    connect(m_timer, &QTimer::timeout, this, &PrintLedgers::Timer1_Timer);
    connect(options, &QButtonGroup::idToggled, this, [this](int id, bool on) { if (on) LedgerOpt_Click(id); });
    connect(m_subTypeOpt, &QCheckBox::toggled, this, &PrintLedgers::SubTypeOpt_Click);
    connect(m_periodOpt, &QCheckBox::toggled, this, &PrintLedgers::PeriodOpt_Click);
    connect(m_mainList, &QComboBox::currentTextChanged, this, &PrintLedgers::MainList_Change);
    connect(m_print, &QPushButton::clicked, this, &PrintLedgers::PrintBttn_Click);

    Form_Load();
}

PrintLedgers::~PrintLedgers() = default;

void PrintLedgers::Form_Load()
{
    m_picker->setCodeFocus(false);
    const app::Period period = app::defaultPeriod(shell::today(), m_main.FYStart, m_main.FYEnd);
    m_from->setDate(period.start);
    m_to->setDate(period.end);
    m_mainList->clear();
    try {
        for (const MainTypeEntry& t : mainTypes(*m_main.Pelkconn))
            m_mainList->addItem(QString::fromStdString(t.text), QVariant::fromValue<qint64>(t.typeId));
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    m_opt[0]->setChecked(true);
    LedgerOpt_Click(0);
    PeriodOpt_Click();
    m_wait->show();
    m_wait2->show();
    m_frame->hide();
    m_print->setEnabled(false);
    m_timer->start();
}

void PrintLedgers::Timer1_Timer()
{
    if (!m_timer->isActive())
        return;
    m_timer->stop();
    try {
        refreshStoredBalances(*m_main.Pelkconn, m_main.FYID);
    } catch (const std::exception& e) {
        // The stored values stay as they were; the print does not read them.
        forms::showError(this, e);
    }
    m_wait->hide();
    m_wait2->hide();
    m_frame->show();
    m_print->setEnabled(true);
}

void PrintLedgers::LedgerOpt_Click(int index)
{
    const bool mainType = index == 1;
    const bool range = index == 2;
    if (!mainType) {
        emptyCombo(m_mainList);
        m_subTypeOpt->setChecked(false);
        m_subList->clear();
    }
    m_mainList->setEnabled(mainType);
    m_subTypeOpt->setEnabled(mainType);
    m_subList->setEnabled(false);
    for (QLineEdit* box : {m_codeFrom, m_codeTo, m_accFrom, m_accTo})
        box->setEnabled(range);
}

void PrintLedgers::SubTypeOpt_Click()
{
    m_subList->setEnabled(m_subTypeOpt->isChecked());
}

void PrintLedgers::PeriodOpt_Click()
{
    m_from->setEnabled(m_periodOpt->isChecked());
    m_to->setEnabled(m_periodOpt->isChecked());
}

void PrintLedgers::MainList_Change()
{
    if (const int i = forms::exactEntry(m_mainList); i >= 0) {
        m_subList->clear();
        try {
            for (const SubTypeEntry& s : subTypesOf(*m_main.Pelkconn, m_mainList->itemData(i).value<qint64>()))
                m_subList->addItem(QString::fromStdString(s.name), QVariant::fromValue<qint64>(s.level2Id));
        } catch (const std::exception& e) {
            forms::showError(this, e);
        }
    }
    emptyCombo(m_subList);
}

std::optional<AccountSelection> PrintLedgers::checkedSelection()
{
    if (m_opt[1]->isChecked()) {
        if (m_subTypeOpt->isChecked()) {
            const int i = forms::exactEntry(m_subList);
            if (i < 0) {
                forms::showFailure(this, {QStringLiteral("Select Account Type"),
                                          QStringLiteral("Select correct sub account type to print ledgers."), {}});
                return std::nullopt;
            }
            return AccountSelection::subType(m_subList->itemData(i).value<qint64>());
        }
        const int i = forms::exactEntry(m_mainList);
        if (i < 0) {
            forms::showFailure(this, {QStringLiteral("Select Account Type"),
                                      QStringLiteral("Select correct main account type to print ledgers."), {}});
            return std::nullopt;
        }
        return AccountSelection::mainType(m_mainList->itemData(i).value<qint64>());
    }
    if (m_opt[2]->isChecked()) {
        if (m_accFrom->text().isEmpty()) {
            forms::showFailure(this, {QStringLiteral("Select Account Code"),
                                      QStringLiteral("Select account code to start from."), QStringLiteral("CodeFrom")});
            return std::nullopt;
        }
        if (m_accTo->text().isEmpty()) {
            forms::showFailure(this, {QStringLiteral("Select Account Code"),
                                      QStringLiteral("Select account code to end at."), QStringLiteral("CodeTo")});
            return std::nullopt;
        }
        // The order of the two codes is not checked: a reversed range holds no account.
        const auto from = parseAccountCode(m_codeFrom->text().toStdString());
        const auto to = parseAccountCode(m_codeTo->text().toStdString());
        return AccountSelection::range(from.value_or(0), to.value_or(0));
    }
    return AccountSelection::all();
}

void PrintLedgers::PrintBttn_Click()
{
    const auto selection = checkedSelection();
    if (!selection)
        return;
    std::optional<DateRange> period;
    ledger_reports::AccLedgerMultiSource source{m_main.BizName, m_main.UName, m_main.CurrencySymbol, {},
                                                m_newPageOpt->isChecked()};
    if (m_periodOpt->isChecked()) {
        period = DateRange{m_from->date(), m_to->date()};
        source.period = ledger_reports::AccLedgerSource::Period{m_from->date(), m_to->date()};
    }
    m_multiLedgersQry.reset();
    // The figures are worked out from the lines as each slice of accounts is
    // read; the first page needs only the first slice.
    try {
        auto rows = std::make_shared<const MultiLedgerSlices>(*m_main.Pelkconn, m_main.FYID, *selection, period);
        m_multiLedgersQry = rows;
        // The report lets go of its rows when it ends, unless a later print
        // holds others by then.
        const auto end = [this, shown = rows.get()] {
            if (m_multiLedgersQry.get() == shown)
                m_multiLedgersQry.reset();
        };
        ledger_reports::makeAccLedgerMulti(std::move(rows), source, end)->show(this);
    } catch (const platform::DbError& e) {
        m_multiLedgersQry.reset();
        forms::showError(this, e);
    } catch (const std::exception& e) {
        // Only a layout that cannot be made lands here.
        m_multiLedgersQry.reset();
        forms::inform(this, QStringLiteral("Cannot Print"), QString::fromUtf8(e.what()));
    }
}

} // namespace ledgers
