// "Financial Years": the list, the two date pickers and the save of a year with
// its opening-balance voucher.
#include "main/financial_years.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "main/parent.h"
#include "main/year_rules.h"
#include "platform/data/database.h"
#include "platform/forms/date_picker.h"
#include "platform/forms/messages.h"
#include "platform/shell/environment.h"

namespace app {

FinancialYears::FinancialYears(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("FinancialYears"));
    setWindowTitle(QStringLiteral("Financial Years"));

    auto* title = new QLabel(QStringLiteral("Financial Years"), this);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("FYList"));

    const char* labels[2] = {"Starting Date", "Ending Date"};
    auto* fields = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        m_dates[i] = forms::makeDatePicker(this, i == 0 ? "FYDate0" : "FYDate1");
        fields->addWidget(new QLabel(QString::fromLatin1(labels[i]), this), i, 0);
        fields->addWidget(m_dates[i], i, 1);
        connect(m_dates[i], &QDateEdit::dateChanged, this, [this, i] {
            if (!m_showing)
                FYDate_Change(i);
        });
    }
    m_abbreviation = new QLineEdit(this);
    m_abbreviation->setObjectName(QStringLiteral("FYAbbreviation"));
    m_abbreviation->setReadOnly(true);
    fields->addWidget(new QLabel(QStringLiteral("Abbreviation"), this), 2, 0);
    fields->addWidget(m_abbreviation, 2, 1);
    m_fid = new QLineEdit(this);
    m_fid->setObjectName(QStringLiteral("FID"));
    m_fid->setVisible(false);

    m_add = new QPushButton(QStringLiteral("Add"), this);
    m_add->setObjectName(QStringLiteral("AddBttn"));
    m_add->setToolTip(QStringLiteral("Add New Financial Year"));
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setObjectName(QStringLiteral("SaveBttn"));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelBttn"));
    // Enter in a picker must not press a button behind the user's back.
    for (QPushButton* b : {m_add, m_save, m_cancel})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_add);
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);

    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(m_list);
    body->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(body);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        if (!m_showing)
            FYList_Click();
    });
    connect(m_add, &QPushButton::clicked, this, &FinancialYears::AddBttn_Click);
    connect(m_save, &QPushButton::clicked, this, &FinancialYears::SaveBttn_Click);
    connect(m_cancel, &QPushButton::clicked, this, &FinancialYears::CancelBttn_Click);

    Form_Load();
}

void FinancialYears::Form_Load()
{
    fillList(0);
    setBrowsing();
}

void FinancialYears::fillList(int selectId)
{
    m_showing = true;
    m_list->clear();
    m_years.clear();
    m_current.reset();
    try {
        m_years = listYears(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        m_showing = false;
        forms::showError(this, e);
        return;
    }
    int row = m_years.empty() ? -1 : 0;
    for (int i = 0; i < static_cast<int>(m_years.size()); ++i) {
        auto* item = new QListWidgetItem(m_years[i].abbreviation, m_list);
        item->setData(Qt::UserRole, m_years[i].fyId);
        if (m_years[i].fyId == selectId)
            row = i;
    }
    m_list->setCurrentRow(row);
    m_showing = false;
    if (row >= 0)
        showYear(m_years[row]);
}

void FinancialYears::showYear(const YearRow& year)
{
    m_showing = true;
    m_current = year;
    m_edited[0] = m_edited[1] = false;
    m_dates[0]->setDate(year.start);
    m_dates[1]->setDate(year.end);
    m_abbreviation->setText(year.abbreviation);
    m_fid->setText(QString::number(year.fyId));
    m_showing = false;
}

void FinancialYears::setBrowsing()
{
    m_state = State::Browsing;
    m_list->setEnabled(true);
    m_add->setEnabled(true);
    m_save->setEnabled(true);
    m_cancel->setEnabled(true);
}

void FinancialYears::FYList_Click()
{
    if (m_state != State::Browsing)
        return;
    const int row = m_list->currentRow();
    if (row >= 0 && row < static_cast<int>(m_years.size()))
        showYear(m_years[row]);
}

void FinancialYears::AddBttn_Click()
{
    int highest = 0;
    try {
        highest = highestYearId(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    if (const auto problem = checkCanAddYear(highest)) {
        forms::showFailure(this, *problem);
        return;
    }
    m_list->setEnabled(false);
    m_add->setEnabled(false);
    m_state = State::Adding;
    m_current.reset();
    m_showing = true;
    m_dates[0]->setDate(shell::today());
    m_dates[1]->setDate(shell::today());
    m_showing = false;
    m_abbreviation->clear();
    m_fid->setText(QString::number(*nextYearId(highest)));
}

void FinancialYears::FYDate_Change(int index)
{
    m_edited[index] = true;   // either picker locks the window alike
    m_list->setEnabled(false);
    m_add->setEnabled(false);
    if (m_state == State::Browsing && m_current)
        m_state = State::Editing;
}

void FinancialYears::SaveBttn_Click()
{
    // Browsing with no year at all (an empty table) leaves nothing to store.
    if (m_state != State::Adding && !m_current)
        return;
    const bool adding = m_state == State::Adding;
    const QDate start = adding || m_edited[0] ? m_dates[0]->date() : m_current->start;
    const QDate end = adding || m_edited[1] ? m_dates[1]->date() : m_current->end;
    if (const auto problem = checkYearDates(start, end)) {
        forms::showFailure(this, *problem);
        return;
    }
    const YearRow year{m_fid->text().toInt(), start, end, yearAbbreviation(start, end)};
    m_abbreviation->setText(year.abbreviation);

    m_add->setEnabled(false);
    m_save->setEnabled(false);
    m_cancel->setEnabled(false);
    try {
        platform::Transaction tx(*m_main.Pelkconn);
        const Stamp stamp{m_main.PelkUser, shell::now()};
        if (m_state == State::Adding)
            addYear(tx, year, stamp);
        else
            updateYear(tx, year, stamp);
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        // Nothing was written: the user may correct the dates or cancel.
        m_add->setEnabled(m_state == State::Browsing);
        m_save->setEnabled(true);
        m_cancel->setEnabled(true);
        return;
    }
    m_state = State::Browsing;
    fillList(year.fyId);
    setBrowsing();
}

void FinancialYears::CancelBttn_Click()
{
    m_state = State::Browsing;
    m_current.reset();
    m_list->setEnabled(true);
    m_add->setEnabled(true);
    reject();
}

} // namespace app
