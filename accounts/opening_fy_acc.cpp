// The import window: the year list, the checks and the question, the import in
// one transaction, and the deferred reload of the opening-balance window.
#include "accounts/opening_fy_acc.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "accounts/opening_balances.h"
#include "accounts/opening_import_store.h"
#include "main/parent.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "platform/forms/messages.h"

namespace accounts {

OpeningFYAcc::OpeningFYAcc(app::Parent& main, OpeningBalancesAcc& target, QWidget* parent)
    : QDialog(parent), m_main(main), m_target(target)
{
    setObjectName(QStringLiteral("OpeningFYAcc"));
    setWindowTitle(QStringLiteral("Import Opening Balances"));

    auto* prompt = new QLabel(QStringLiteral("Select Financial Year to Import Balances from"), this);
    m_years = new QComboBox(this);
    m_years->setObjectName(QStringLiteral("FinYearList"));
    m_years->setEditable(true);
    m_years->setInsertPolicy(QComboBox::NoInsert);
    auto* note = new QLabel(QStringLiteral("NOTE: This will import all accounts balances from a previous year "
                                           "selected, irrespective of whether their opening balances have already "
                                           "been entered or not."),
                            this);
    note->setWordWrap(true);
    m_import = new QPushButton(QStringLiteral("Import Balances"), this);
    m_import->setObjectName(QStringLiteral("ImportBttn"));
    m_import->setAutoDefault(false);
    m_obTimer = new QTimer(this);
    m_obTimer->setObjectName(QStringLiteral("OBTimer"));
    m_obTimer->setInterval(1000);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_years);
    layout->addWidget(note);
    layout->addWidget(m_import, 0, Qt::AlignRight);
    resize(460, 200);

    connect(m_import, &QPushButton::clicked, this, &OpeningFYAcc::ImportBttn_Click);
    connect(m_obTimer, &QTimer::timeout, this, &OpeningFYAcc::OBTimer_Timer);

    Form_Load();
}

void OpeningFYAcc::Form_Load()
{
    m_years->clear();
    try {
        for (const app::YearRow& y : app::listYears(*m_main.Pelkconn))
            m_years->addItem(y.abbreviation, y.fyId);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    m_years->setCurrentIndex(-1);
    m_years->clearEditText();
}

int OpeningFYAcc::chosenYear() const
{
    const QString text = m_years->currentText();
    if (text.isEmpty())
        return 0;
    // The row picked, by its id: two years may share an abbreviation. Only a
    // text typed over the pick is looked up among the rows.
    int i = m_years->currentIndex();
    if (i < 0 || m_years->itemText(i) != text)
        i = m_years->findText(text, Qt::MatchFixedString);
    return i < 0 ? 0 : m_years->itemData(i).toInt();
}

void OpeningFYAcc::ImportBttn_Click()
{
    // A second click while the import finishes imports nothing more.
    if (!m_import->isEnabled() || m_obTimer->isActive())
        return;
    const QString title = QStringLiteral("Financial Year");
    const int year = chosenYear();
    if (year == 0) {
        forms::showFailure(this, {title, QStringLiteral("Select correct financial year."), QString()});
        return;
    }
    if (year == m_main.FYID) {
        forms::showFailure(this, {title, QStringLiteral("Opening balances cannot be imported to the same financial year."),
                                  QString()});
        return;
    }
    if (forms::ask(this, QStringLiteral("Import Confirmation"),
                   QStringLiteral("Are you sure, you want to import accounts balances?"), forms::Buttons::YesNo)
        != forms::Answer::Yes)
        return;

    m_import->setEnabled(false);
    m_target.holdForImport();
    bool stale = false;
    try {
        platform::Transaction tx(*m_main.Pelkconn);
        const std::int64_t tranNo = m_target.tranNo();
        // The year may have been cleared (or its voucher replaced) while the
        // window was open: the lines would go to a voucher no longer the year's.
        stale = tranNo == 0 || app::openingVoucherOf(tx.db(), m_main.FYID) != tranNo;
        if (!stale) {
            importOpeningLines(tx, year, tranNo);
            tx.commit();
        }
    } catch (const std::exception& e) {
        // Rolled back: the voucher's lines are as they were.
        forms::showError(this, e);
        giveBack();
        return;
    }
    if (stale) {
        forms::showFailure(this, {QStringLiteral("Cannot Import"),
                                  QStringLiteral("The opening balances of this year were cleared while the window "
                                                 "was open; they have been read again."),
                                  QString()});
        giveBack();
        return;
    }
    m_obTimer->start();
}

void OpeningFYAcc::giveBack()
{
    m_target.reloadAfterImport();
    m_import->setEnabled(true);
}

void OpeningFYAcc::OBTimer_Timer()
{
    if (!m_obTimer->isActive())
        return;
    m_obTimer->stop();
    m_target.reloadAfterImport();
    close();
}

void OpeningFYAcc::done(int result)
{
    if (m_obTimer->isActive()) {
        m_obTimer->stop();
        m_target.reloadAfterImport();
    }
    QDialog::done(result);
}

} // namespace accounts
