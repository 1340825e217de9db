// The printing preferences window: nine ticks, saved to BusinessInfo and then
// to the sign-in state.
#include "vouchers/vouch_print_opt.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/forms/messages.h"
#include "vouchers/print_layout_store.h"
#include "vouchers/voucher_printing.h"
#include "vouchers/voucher_rules.h"

namespace vouchers {

VouchPrintOpt::VouchPrintOpt(app::Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("VouchPrintOpt"));
    setWindowTitle(QStringLiteral("Voucher Printing Preferences"));

    auto* title = new QLabel(QStringLiteral("Voucher Printing Preferences"), this);
    title->setObjectName(QStringLiteral("Label2"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);

    // The business name the preferences belong to; kept, not shown.
    m_comName = new QLineEdit(this);
    m_comName->setObjectName(QStringLiteral("ComName"));
    m_comName->hide();

    auto* rows = new QGridLayout;
    const auto flags = printLayoutFlags();
    for (std::size_t i = 0; i < m_optCheck.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* kind = new QLabel(QString::fromUtf8(kindTexts(flags[i].tranType).caption), this);
        kind->setObjectName(QStringLiteral("KindLbl%1").arg(row));
        m_optCheck[i] = new QCheckBox(QStringLiteral("Display description for every account in printed voucher "), this);
        m_optCheck[i]->setObjectName(QStringLiteral("OptCheck%1").arg(row));
        rows->addWidget(kind, row, 0);
        rows->addWidget(m_optCheck[i], row, 1);
    }

    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("SaveBttn"));
    save->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBttn"));
    cancel->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &VouchPrintOpt::SaveBttn_Click);
    connect(cancel, &QPushButton::clicked, this, &VouchPrintOpt::CancelBttn_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(rows);
    layout->addLayout(buttons);

    Form_Load();
}

void VouchPrintOpt::Form_Load()
{
    PrintLayouts stored{};
    // Ticks that could not be read would show as cleared, and saving them
    // would overwrite the stored preferences: Save stays off until a load works.
    auto* save = findChild<QPushButton*>(QStringLiteral("SaveBttn"));
    save->setEnabled(false);
    try {
        stored = loadPrintLayouts(*m_main.Pelkconn);
        m_comName->setText(
            QString::fromStdString(m_main.Pelkconn->scalar("SELECT Name FROM BusinessInfo ORDER BY rowid LIMIT 1")
                                       .toText()));
        save->setEnabled(true);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    for (std::size_t i = 0; i < m_optCheck.size(); ++i)
        m_optCheck[i]->setChecked(stored[i]);
}

void VouchPrintOpt::SaveBttn_Click()
{
    PrintLayouts ticked{};
    for (std::size_t i = 0; i < m_optCheck.size(); ++i)
        ticked[i] = m_optCheck[i]->isChecked();
    try {
        platform::Transaction tx(*m_main.Pelkconn);
        if (!storePrintLayouts(tx, ticked)) {
            forms::showFailure(this, {QStringLiteral("Cannot Save"),
                                      QStringLiteral("The company details are not stored, so the preferences "
                                                     "cannot be kept."),
                                      QString()});
            return;
        }
        tx.commit();
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    // Only what is stored reaches the sign-in state: the next print and the
    // next sign-in agree.
    const auto flags = printLayoutFlags();
    for (std::size_t i = 0; i < ticked.size(); ++i)
        m_main.*flags[i].flag = ticked[i];
    accept();
}

void VouchPrintOpt::CancelBttn_Click()
{
    reject();
}

} // namespace vouchers
