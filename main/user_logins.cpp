// "User Logins": the list of users, a new user, a rename and the password reset.
#include "main/user_logins.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "main/admin_only.h"
#include "main/parent.h"
#include "main/rights.h"
#include "main/window_parts.h"
#include "platform/data/database.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/loaded_text.h"
#include "platform/forms/messages.h"
#include "platform/forms/select_all_text.h"

namespace app {
namespace {

constexpr int kLoginLength = 20;

void refuseEleventh(QWidget* window)
{
    forms::inform(window, QStringLiteral("Cannot Add"),
                  QStringLiteral("You have already created maximum number of user logins allowed."));
}

} // namespace

UserLogins::UserLogins(Parent& main, QWidget* parent) : QDialog(parent), m_main(main)
{
    setObjectName(QStringLiteral("UserLogins"));
    setWindowTitle(QStringLiteral("User Logins"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("UserList"));
    m_login = new QLineEdit(this);
    m_login->setObjectName(QStringLiteral("LoginTxt"));
    forms::limitLength(m_login, kLoginLength);
    forms::selectAllOnFocus(m_login);
    m_userType = new QLabel(this);
    m_userType->setObjectName(QStringLiteral("UserType"));
    m_userId = new QLineEdit(this);
    m_userId->setObjectName(QStringLiteral("UserID"));
    m_userId->setVisible(false);

    m_add = makeButton(this, QStringLiteral("New"), QStringLiteral("AddBttn"));
    m_save = makeButton(this, QStringLiteral("Save"), QStringLiteral("SaveBttn"));
    m_cancel = makeButton(this, QStringLiteral("Cancel"), QStringLiteral("CancelBttn"));
    m_setPwd = makeButton(this, QStringLiteral("Reset Password"), QStringLiteral("SetPwd"));

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Login Name"), this), 0, 0);
    fields->addWidget(m_login, 0, 1);
    fields->addWidget(m_userType, 1, 1);
    fields->addWidget(m_setPwd, 2, 1, Qt::AlignLeft);
    fields->setRowStretch(3, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(fields, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(this, QStringLiteral("User Logins")));
    layout->addLayout(body);
    layout->addLayout(buttonRow({m_add, m_save, m_cancel}));
    resize(520, 300);

    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        if (!m_filling)
            UserList_Click();
    });
    connect(m_userId, &QLineEdit::textChanged, this, &UserLogins::UserID_Change);
    connect(m_login, &QLineEdit::textEdited, this, &UserLogins::LoginTxt_Change);
    connect(m_add, &QPushButton::clicked, this, &UserLogins::AddBttn_Click);
    connect(m_save, &QPushButton::clicked, this, &UserLogins::SaveBttn_Click);
    connect(m_cancel, &QPushButton::clicked, this, &UserLogins::CancelBttn_Click);
    connect(m_setPwd, &QPushButton::clicked, this, &UserLogins::SetPwd_Click);

    m_refused = refusedToOperator(this, m_main, Menu::Gen, 50);
    if (!m_refused)
        Form_Load();
}

void UserLogins::Form_Load()
{
    fillList(0);
    setState(State::Browsing);
}

void UserLogins::fillList(int selectId)
{
    m_users.clear();
    try {
        m_users = listUsers(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    {
        const QSignalBlocker quiet(m_list);
        m_filling = true;
        m_list->clear();
        int select = 0;
        for (std::size_t i = 0; i < m_users.size(); ++i) {
            m_list->addItem(QString::fromStdString(m_users[i].userName));
            if (m_users[i].userId == selectId)
                select = static_cast<int>(i);
        }
        m_list->setCurrentRow(m_users.empty() ? -1 : select);
        m_filling = false;
    }
    if (m_users.empty()) {
        m_shownId = 0;
        m_login->clear();
        m_userId->clear();
        m_userType->clear();
        return;
    }
    showUser(m_users[static_cast<std::size_t>(m_list->currentRow())]);
}

void UserLogins::showUser(const UserRow& user)
{
    m_shownId = user.userId;
    forms::setLoadedText(m_login, QString::fromStdString(user.userName));
    m_userId->setText(QString::number(user.userId));
}

void UserLogins::setState(State state)
{
    m_state = state;
    m_list->setEnabled(state == State::Browsing);
    m_add->setEnabled(state == State::Browsing);
    m_setPwd->setEnabled(state != State::Adding && m_shownId != 0);
}

void UserLogins::UserList_Click()
{
    const int row = m_list->currentRow();
    if (m_refused || m_state != State::Browsing || row < 0 || row >= static_cast<int>(m_users.size()))
        return;
    showUser(m_users[static_cast<std::size_t>(row)]);
}

void UserLogins::UserID_Change()
{
    const QString id = m_userId->text();
    if (id.isEmpty())
        return;
    m_userType->setText(id.toInt() == kAdministrator ? QStringLiteral("Administrator") : QStringLiteral("Operator"));
}

void UserLogins::LoginTxt_Change()
{
    if (m_refused || m_state != State::Browsing || m_shownId == 0)
        return;
    setState(State::Renaming);
}

void UserLogins::AddBttn_Click()
{
    if (m_refused || m_state != State::Browsing)
        return;
    int count = 0;
    int nextId = 0;
    try {
        count = userCount(*m_main.Pelkconn);
        nextId = nextUserId(*m_main.Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    if (count >= kMaxUsers || nextId > kMaxUsers) {
        refuseEleventh(this);
        return;
    }
    setState(State::Adding);
    // The id shown is a preview; the save works it out again inside its transaction.
    m_userId->setText(QString::number(nextId));
    m_login->clear();
    m_login->setFocus(Qt::OtherFocusReason);
}

void UserLogins::SaveBttn_Click()
{
    if (m_refused)
        return;
    const QString name = m_login->text();
    if (name.trimmed().isEmpty()) {
        forms::showFailure(this, {QStringLiteral("Cannot Save"), QStringLiteral("Give login name to save record."),
                                  QStringLiteral("LoginTxt")});
        return;
    }
    int savedId = m_shownId;
    try {
        if (m_state == State::Adding) {
            platform::Transaction tx(*m_main.Pelkconn);
            const auto id = addUser(tx, name.toStdString());
            if (!id) {
                refuseEleventh(this);
                return;
            }
            tx.commit();
            savedId = *id;
        } else if (m_state == State::Renaming && !renameUser(*m_main.Pelkconn, m_shownId, name.toStdString())) {
            forms::showFailure(this, {QStringLiteral("Cannot Save"),
                                      QStringLiteral("This user is no longer stored."), QString()});
            return;
        }
    } catch (const std::exception& e) {
        showError(this, e);
        return;
    }
    fillList(savedId);
    setState(State::Browsing);
}

void UserLogins::SetPwd_Click()
{
    if (m_refused || m_state == State::Adding || m_shownId == 0)
        return;
    try {
        if (!resetPassword(*m_main.Pelkconn, m_shownId))
            forms::showFailure(this, {QStringLiteral("Cannot Save"),
                                      QStringLiteral("This user is no longer stored."), QString()});
    } catch (const std::exception& e) {
        showError(this, e);
    }
}

void UserLogins::CancelBttn_Click()
{
    if (m_refused)
        return;
    fillList(m_shownId);
    setState(State::Browsing);
}

} // namespace app
