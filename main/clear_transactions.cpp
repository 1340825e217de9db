// "Clear Transactions": the advice, the question and the clearing of one year.
#include "main/clear_transactions.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "main/parent.h"
#include "main/year_store.h"
#include "platform/data/database.h"
#include "platform/forms/messages.h"
#include "platform/shell/environment.h"

namespace app {

ClearTransactions::ClearTransactions(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("ClearTransactions"));
    setWindowTitle(QStringLiteral("Clear Transactions"));

    auto* title = new QLabel(QStringLiteral("Clear Transactions"), this);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);

    // A label without a buddy shows an ampersand as it is: one "&" on screen.
    const QString advice[] = {
        QStringLiteral("You can use this utility to clear all the transactions in your software. "
                       "This will let you start you software from scratch."),
        QStringLiteral("It is strongly advised that you take back-up of your latest data, "
                       "to save yourself from any mis-happenning."),
        QStringLiteral("After clearing, run \"Compact & Repair Data\" in Stowkeep, the back-up program, "
                       "to speed your database up."),
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(advice[i], this);
        label->setObjectName(QStringLiteral("Advice%1").arg(i + 1));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* clear = new QPushButton(QStringLiteral("Clear Transactions"), this);
    clear->setObjectName(QStringLiteral("ClearBttn"));
    clear->setAutoDefault(false);
    layout->addWidget(clear, 0, Qt::AlignCenter);
    connect(clear, &QPushButton::clicked, this, &ClearTransactions::ClearBttn_Click);
}

void ClearTransactions::ClearBttn_Click()
{
    const auto answer = forms::askBeforeDestroying(
        this, QStringLiteral("Confirmation"),
        QStringLiteral("Are you sure, you want to clear your transactions? This is an irreversible process and "
                       "you would not be able to recover your transactions once cleared."));
    if (answer != forms::Answer::Yes)
        return;
    try {
        if (!findYear(*m_main.Pelkconn, m_main.FYID)) {
            forms::showFailure(this, {QStringLiteral("Cannot Clear"),
                                      QStringLiteral("The signed-in financial year is no longer stored."),
                                      QString()});
            return;
        }
        platform::Transaction tx(*m_main.Pelkconn);
        clearYear(tx, m_main.FYID, Stamp{m_main.PelkUser, shell::now()});
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    accept();
}

} // namespace app
