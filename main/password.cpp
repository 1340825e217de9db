// The password window: the user, the old password and the new one twice.
#include "main/password.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "main/parent.h"
#include "main/rights.h"
#include "main/user_store.h"
#include "main/window_parts.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/messages.h"

namespace app {
namespace {

constexpr int kPasswordLength = 20;

QLineEdit* passwordBox(QWidget* window, const char* name)
{
    auto* box = new QLineEdit(window);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));   // shown as "*"
    forms::limitLength(box, kPasswordLength);
    return box;
}

} // namespace

Password::Password(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("Password"));
    setWindowTitle(QStringLiteral("Password Settings"));

    m_users = new QComboBox(this);
    m_users->setObjectName(QStringLiteral("UserCombo"));
    m_old = passwordBox(this, "OldPwd");
    m_new = passwordBox(this, "NewPwd");
    m_new2 = passwordBox(this, "NewPwd2");
    auto* save = makeButton(this, QStringLiteral("Save"), QStringLiteral("ChangePwd"));
    save->setToolTip(QStringLiteral("Save New Password"));
    auto* cancel = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn"));

    auto* fields = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {{"Software User ", m_users},
                                                     {"Old Password ", m_old},
                                                     {"New Password ", m_new},
                                                     {"Re-Type New Password ", m_new2}};
    int row = 0;
    for (const auto& [caption, box] : rows) {
        fields->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
        fields->addWidget(box, row++, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(this, QStringLiteral("Password Settings")));
    layout->addLayout(fields);
    layout->addLayout(buttonRow({save, cancel}));

    connect(m_users, &QComboBox::currentIndexChanged, this, &Password::UserCombo_Change);
    connect(save, &QPushButton::clicked, this, &Password::ChangePwd_Click);
    connect(cancel, &QPushButton::clicked, this, &Password::CancelBttn_Click);
    Form_Load();
}

void Password::Form_Load()
{
    m_userId = m_main.PelkUser;
    {
        const QSignalBlocker quiet(m_users);
        m_users->clear();
        try {
            for (const UserRow& u : listUsersByName(*m_main.Pelkconn))
                m_users->addItem(QString::fromStdString(u.userName), u.userId);
        } catch (const std::exception& e) {
            forms::showError(this, e);
        }
        m_users->setCurrentIndex(m_users->findData(m_main.PelkUser));
    }
    m_users->setEnabled(m_main.PelkUser == kAdministrator);
}

void Password::UserCombo_Change()
{
    // An operator changes his own password, whatever the list shows.
    if (m_main.PelkUser != kAdministrator || m_users->currentIndex() < 0)
        return;
    m_userId = m_users->currentData().toInt();
}

void Password::ChangePwd_Click()
{
    const std::string oldPwd = m_old->text().toStdString();
    const auto wrongOld = [this] {
        m_old->clear();
        m_new->clear();
        m_new2->clear();
        forms::showFailure(this, {QStringLiteral("Wrong Password"),
                                  QStringLiteral("The old password provided is incorrect! Please try again!"),
                                  QStringLiteral("OldPwd")});
    };
    try {
        if (m_new->text() != m_new2->text()) {
            if (!passwordIs(*m_main.Pelkconn, m_userId, oldPwd)) {
                wrongOld();
                return;
            }
            m_new->clear();
            m_new2->clear();
            forms::showFailure(this, {QStringLiteral("Password Mismatch"),
                                      QStringLiteral("Please re-type your new password!"), QStringLiteral("NewPwd")});
            return;
        }
        switch (changePassword(*m_main.Pelkconn, m_userId, oldPwd, m_new->text().toStdString())) {
        case PasswordChange::WrongOldPassword:
            wrongOld();
            return;
        case PasswordChange::NoSuchUser:
            forms::showFailure(this, {QStringLiteral("Cannot Save"), QStringLiteral("This user is no longer stored."),
                                      QString()});
            return;
        case PasswordChange::Changed:
            break;
        }
    } catch (const std::exception& e) {
        showError(this, e);
        return;
    }
    accept();
}

void Password::CancelBttn_Click()
{
    reject();
}

} // namespace app
