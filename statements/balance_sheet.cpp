// The balance sheet window: its options, TempBS, the timer and the print.
#include "statements/balance_sheet.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "main/default_period.h"
#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/messages.h"
#include "platform/report/report_feed.h"
#include "platform/shell/environment.h"
#include "reports/statements/statement_layouts.h"
#include "statements/report_window.h"
#include "statements/statement_store.h"

namespace statements {

BalanceSheet::BalanceSheet(app::Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("BalanceSheet"));
    setWindowTitle(QStringLiteral("Balance Sheet"));

    auto* title = titleLabel(this, "Label2", QStringLiteral("Balance Sheet"));
    auto* options = new QButtonGroup(this);
    const char* const captions[] = {"&To date", "On &Date"};
    for (int i = 0; i < 2; ++i) {
        m_period[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        m_period[i]->setObjectName(QStringLiteral("Period_%1").arg(i));
        options->addButton(m_period[i], i);
    }
    m_period[0]->setChecked(true);
    connect(options, &QButtonGroup::idClicked, this, &BalanceSheet::Period_Click);
    m_dateOn = forms::makeDatePicker(this, "DateOn");

    m_preview = new QPushButton(QStringLiteral("View"), this);
    m_preview->setObjectName(QStringLiteral("PreviewBttn"));
    m_preview->setAutoDefault(false);
    connect(m_preview, &QPushButton::clicked, this, &BalanceSheet::PreviewBttn_Click);

    // A child of the window, so it dies with it.
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setSingleShot(true);
    m_timer2->setInterval(1500);
    connect(m_timer2, &QTimer::timeout, this, &BalanceSheet::Timer2_Timer);

    auto* grid = new QGridLayout;
    grid->addWidget(m_period[0], 0, 0);
    grid->addWidget(m_period[1], 1, 0);
    grid->addWidget(m_dateOn, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addWidget(m_preview, 0, Qt::AlignRight);

    Period_Click(0);
    Form_Load();
}

void BalanceSheet::Form_Load()
{
    m_dateOn->setDate(app::defaultPeriod(shell::today(), m_main.FYStart, m_main.FYEnd).end);
}

void BalanceSheet::Period_Click(int index)
{
    m_dateOn->setEnabled(index == 1);
}

void BalanceSheet::PreviewBttn_Click()
{
    m_preview->setEnabled(false);
    // "To date" names today, so it counts the lines up to today, not the
    // vouchers of the year dated later.
    const QDate on = m_period[1]->isChecked() ? m_dateOn->date() : shell::today();
    BalOnDate = asOnText(on);
    try {
        const auto rows = balanceSheetRows(mainTypeFigures(*m_main.Pelkconn, m_main.FYID, {std::nullopt, on}));
        platform::Transaction tx(*m_main.Pelkconn);
        writeTempBS(tx, rows);
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        m_preview->setEnabled(true);
        return;
    }
    m_timer2->start();
}

void BalanceSheet::Timer2_Timer()
{
    m_timer2->stop();
    const auto buttonBack = [this] { m_preview->setEnabled(true); };
    runPrint(this, BSRptRst, [this] {
        BSRptRst.close();
        BSRptRst = balanceSheetReportRows(*m_main.Pelkconn);
        statement_reports::BalSheet(BSRptRst, statementSource(m_main, BalOnDate))->show(this);
    }, buttonBack, buttonBack);
}

} // namespace statements
