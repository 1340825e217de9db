// The income statement window: its options, the check and the print.
#include "statements/income_statement.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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

IncomeStatement::IncomeStatement(app::Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("IncomeStatement"));
    setWindowTitle(QStringLiteral("Income Statement"));

    auto* title = titleLabel(this, "Label2", QStringLiteral("Income Statement"));
    auto* options = new QButtonGroup(this);
    const char* const captions[] = {"To &date", "&Upto", "For Period &From"};
    for (int i = 0; i < 3; ++i) {
        m_period[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        m_period[i]->setObjectName(QStringLiteral("Period_%1").arg(i));
        options->addButton(m_period[i], i);
    }
    m_period[0]->setChecked(true);
    connect(options, &QButtonGroup::idClicked, this, &IncomeStatement::Period_Click);

    m_dateUpto = forms::makeDatePicker(this, "DateUpto");
    m_dateFrom = forms::makeDatePicker(this, "DateFrom");
    m_dateTo = forms::makeDatePicker(this, "DateTo");
    auto* toLbl = new QLabel(QStringLiteral("To"), this);
    toLbl->setObjectName(QStringLiteral("Label1"));

    m_preview = new QPushButton(QStringLiteral("View"), this);
    m_preview->setObjectName(QStringLiteral("PreviewBttn"));
    m_preview->setAutoDefault(false);
    connect(m_preview, &QPushButton::clicked, this, &IncomeStatement::PreviewBttn_Click);

    auto* grid = new QGridLayout;
    grid->addWidget(m_period[0], 0, 0);
    grid->addWidget(m_period[1], 1, 0);
    grid->addWidget(m_dateUpto, 1, 1);
    grid->addWidget(m_period[2], 2, 0);
    grid->addWidget(m_dateFrom, 2, 1);
    grid->addWidget(toLbl, 2, 2);
    grid->addWidget(m_dateTo, 2, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addWidget(m_preview, 0, Qt::AlignRight);

    Period_Click(0);
    Form_Load();
}

void IncomeStatement::Form_Load()
{
    const app::Period period = app::defaultPeriod(shell::today(), m_main.FYStart, m_main.FYEnd);
    m_dateUpto->setDate(period.end);
    m_dateTo->setDate(period.end);
    m_dateFrom->setDate(period.start);
}

void IncomeStatement::Period_Click(int index)
{
    m_dateUpto->setEnabled(index == 1);
    m_dateFrom->setEnabled(index == 2);
    m_dateTo->setEnabled(index == 2);
}

void IncomeStatement::PreviewBttn_Click()
{
    const bool between = m_period[2]->isChecked();
    if (between && m_dateFrom->date() > m_dateTo->date()) {
        forms::showFailure(this, {QStringLiteral("Invalid Date"),
                                  QStringLiteral("The ending date should be greater than the beginning date."),
                                  QString()});
        return;
    }
    m_preview->setEnabled(false);
    // "To date" names today, so it counts the lines up to today: a voucher
    // dated later is not yet part of the period it names.
    StatementPeriod period{std::nullopt, shell::today()};
    PLSPeriod = periodEndedText(shell::today());
    if (m_period[1]->isChecked()) {
        period.to = m_dateUpto->date();
        PLSPeriod = periodEndedText(period.to);
    } else if (between) {
        period = {m_dateFrom->date(), m_dateTo->date()};
        PLSPeriod = periodBetweenText(m_dateFrom->date(), m_dateTo->date());
    }
    const auto buttonBack = [this] { m_preview->setEnabled(true); };
    runPrint(this, PLSRst, [this, &period] {
        PLSRst.close();
        PLSRst = incomeStatementRows(*m_main.Pelkconn, mainTypeFigures(*m_main.Pelkconn, m_main.FYID, period));
        statement_reports::IncStatement(PLSRst, statementSource(m_main, PLSPeriod))->show(this);
    }, buttonBack, buttonBack);
}

} // namespace statements
