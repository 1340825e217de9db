// The posting preference: one tick over BusinessInfo.Posting.
#include "main/posting_option.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "main/business_store.h"
#include "main/parent.h"
#include "main/window_parts.h"
#include "platform/data/database.h"
#include "platform/forms/messages.h"

namespace app {

PostingOption::PostingOption(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("PostingOption"));
    setWindowTitle(QStringLiteral("Voucher Posting Preferences"));

    // Two states only: a greyed third state would have no stored meaning.
    m_optCheck = new QCheckBox(QStringLiteral("Automatically post vouchers, when saved."), this);
    m_optCheck->setObjectName(QStringLiteral("OptCheck"));
    m_optCheck->setTristate(false);
    auto* save = makeButton(this, QStringLiteral("Save"), QStringLiteral("SaveBttn"));
    auto* cancel = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn"));
    connect(save, &QPushButton::clicked, this, &PostingOption::SaveBttn_Click);
    connect(cancel, &QPushButton::clicked, this, &PostingOption::CancelBttn_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(this, QStringLiteral("Voucher Posting Preferences")));
    layout->addWidget(m_optCheck);
    layout->addLayout(buttonRow({save, cancel}));

    save->setEnabled(false);
    try {
        m_optCheck->setChecked(loadPosting(*m_main.Pelkconn).value_or(false));
        save->setEnabled(true);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void PostingOption::SaveBttn_Click()
{
    const bool ticked = m_optCheck->isChecked();
    try {
        if (!storePosting(*m_main.Pelkconn, ticked)) {
            showNoCompanyRow(this);
            return;
        }
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    m_main.AutoPost = ticked;
    accept();
}

void PostingOption::CancelBttn_Click()
{
    reject();
}

} // namespace app
