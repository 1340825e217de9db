// "Company Setup": nine boxes over the business row.
#include "main/company_info.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "main/admin_only.h"
#include "main/login_rules.h"
#include "main/parent.h"
#include "main/window_parts.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/select_all_text.h"

namespace app {
namespace {

struct Box {
    const char* label;
    int maxLength;
};
constexpr std::array<Box, kCompanyFields> kBoxes = {{{"Business Name", 100},
                                                     {"Address", 150},
                                                     {"Phone(s)", 100},
                                                     {"Fax", 100},
                                                     {"Website", 100},
                                                     {"E-Mail", 100},
                                                     {"N.T.N.", 100},
                                                     {"G.S.T. Regn. No.", 100},
                                                     {"Deals In", 200}}};

} // namespace

CompanyInfo::CompanyInfo(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("CompanyInfo"));
    setWindowTitle(QStringLiteral("Company Setup"));

    auto* fields = new QGridLayout;
    for (std::size_t i = 0; i < kCompanyFields; ++i) {
        const int row = static_cast<int>(i);
        m_info[i] = new QLineEdit(this);
        m_info[i]->setObjectName(QStringLiteral("Info%1").arg(row));
        forms::limitLength(m_info[i], kBoxes[i].maxLength);
        forms::selectAllOnFocus(m_info[i]);
        fields->addWidget(new QLabel(QString::fromLatin1(kBoxes[i].label), this), row, 0);
        fields->addWidget(m_info[i], row, 1);
    }
    auto* save = makeButton(this, QStringLiteral("Save"), QStringLiteral("SaveBttn"));
    auto* cancel = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn"));
    connect(save, &QPushButton::clicked, this, &CompanyInfo::SaveBttn_Click);
    connect(cancel, &QPushButton::clicked, this, &CompanyInfo::CancelBttn_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(this, QStringLiteral("My Company")));
    layout->addLayout(fields);
    layout->addLayout(buttonRow({save, cancel}));
    resize(560, 380);

    m_refused = refusedToOperator(this, m_main, Menu::Gen, 20);
    if (!m_refused)
        Form_Load();
}

void CompanyInfo::Form_Load()
{
    move(0, 0);
    auto* save = findChild<QPushButton*>(QStringLiteral("SaveBttn"));
    save->setEnabled(false);
    try {
        if (const auto details = loadCompany(*m_main.Pelkconn))
            for (std::size_t i = 0; i < kCompanyFields; ++i)
                forms::setLoadedText(m_info[i], QString::fromStdString((*details)[i]));
        save->setEnabled(true);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void CompanyInfo::SaveBttn_Click()
{
    if (m_refused)
        return;
    CompanyDetails details;
    for (std::size_t i = 0; i < kCompanyFields; ++i)
        details[i] = m_info[i]->text().toStdString();
    try {
        if (!storeCompany(*m_main.Pelkconn, details)) {
            showNoCompanyRow(this);
            return;
        }
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    // The headings of every report printed from now on.
    m_main.BizName = m_info[0]->text();
    m_main.BizAdd = m_info[1]->text();
    m_main.BizTel = bizTel(m_info[2]->text(), m_info[3]->text());
    m_main.BizEMail = bizEMail(m_info[5]->text());
    accept();
}

void CompanyInfo::CancelBttn_Click()
{
    reject();
}

} // namespace app
