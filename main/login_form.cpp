// Sign-in: the lists, the password check and the hand-over to the main window.
#include "main/login_form.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "db/upgrade.h"
#include "main/login_rules.h"
#include "main/login_store.h"
#include "main/maker.h"
#include "main/parent.h"
#include "main/user_store.h"
#include "main/voucher_kinds.h"
#include "platform/forms/length_limit.h"
#include "platform/forms/messages.h"
#include "platform/shell/launcher.h"
#include "platform/text/formats.h"

namespace app {
namespace {

constexpr int kPasswordLength = 20;
constexpr int kBookmarkRole = Qt::UserRole + 1;

QString text(const platform::Recordset& rs, const char* column)
{
    return QString::fromStdString(rs[column].toText());
}

// Yes/no columns: 1 is yes; 0 or null leaves the member at no.
bool yes(const platform::Recordset& rs, const char* column)
{
    return rs[column].toInt() == 1;
}

void fillCombo(QComboBox* combo, const platform::Recordset& source, const char* shown, const char* bound)
{
    auto rs = source.clone();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        combo->addItem(text(rs, shown), QVariant::fromValue<qlonglong>(rs[bound].toInt()));
        combo->setItemData(combo->count() - 1, QVariant::fromValue<qulonglong>(rs.bookmark()), kBookmarkRole);
    }
}

void selectBound(QComboBox* combo, std::int64_t value)
{
    const int i = combo->findData(QVariant::fromValue<qlonglong>(value));
    combo->setCurrentIndex(i >= 0 ? i : (combo->count() > 0 ? 0 : -1));
}

} // namespace

const char* LoginForm::webAddress()
{
    return maker::kWebAddress;
}

LoginForm::LoginForm(QString databasePath, QWidget* parent)
    : QWidget(parent), m_databasePath(std::move(databasePath))
{
    setObjectName(QStringLiteral("LoginForm"));
    setWindowTitle(QStringLiteral("Ruvo General Ledgers"));

    auto* artwork = new QLabel(QStringLiteral("Tamsel Standard"), this);
    artwork->setObjectName(QStringLiteral("Artwork"));
    QFont big = artwork->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    artwork->setFont(big);
    artwork->setAlignment(Qt::AlignCenter);

    m_userCombo = new QComboBox(this);
    m_userCombo->setObjectName(QStringLiteral("UserCombo"));
    m_fyear = new QComboBox(this);
    m_fyear->setObjectName(QStringLiteral("FYear"));
    m_pwd = new QLineEdit(this);
    m_pwd->setObjectName(QStringLiteral("PWD"));
    m_pwd->setEchoMode(QLineEdit::Password);
    m_pwd->setStyleSheet(QStringLiteral("lineedit-password-character: 120;"));   // shown as "x"
    forms::limitLength(m_pwd, kPasswordLength);

    m_ok = new QPushButton(QStringLiteral("Continue"), this);
    m_ok->setObjectName(QStringLiteral("OkBttn"));
    m_ok->setToolTip(QStringLiteral("Continue"));
    m_ok->setDefault(true);
    m_exit = new QPushButton(QStringLiteral("Exit"), this);
    m_exit->setObjectName(QStringLiteral("ExitBttn"));
    m_setDefault = new QPushButton(QStringLiteral("Set as Default"), this);
    m_setDefault->setObjectName(QStringLiteral("SetDefault"));
    m_setDefault->setToolTip(QStringLiteral("Set as Defualt Financial Year"));

    m_weblink = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(webAddress())), this);
    m_weblink->setObjectName(QStringLiteral("weblink"));
    m_weblink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Login"), this), 0, 0);
    grid->addWidget(m_userCombo, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Financial Year"), this), 1, 0);
    grid->addWidget(m_fyear, 1, 1);
    grid->addWidget(m_setDefault, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Password"), this), 2, 0);
    grid->addWidget(m_pwd, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_exit);

    auto* maker = new QLabel(QStringLiteral("A Project of Brevanko Software\n"
                                            "12 Harbour Road, Tamsel\nsupport@brevanko.example"),
                             this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(artwork);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(maker);
    layout->addWidget(m_weblink);

    connect(m_ok, &QPushButton::clicked, this, &LoginForm::OkBttn_Click);
    connect(m_pwd, &QLineEdit::returnPressed, this, &LoginForm::OkBttn_Click);
    connect(m_exit, &QPushButton::clicked, this, &LoginForm::ExitBttn_Click);
    connect(m_setDefault, &QPushButton::clicked, this, &LoginForm::SetDefault_Click);
    connect(m_weblink, &QLabel::linkActivated, this, [this] { weblink_Click(); });
    connect(m_userCombo, &QComboBox::currentIndexChanged, this, &LoginForm::UserCombo_Change);
    connect(m_fyear, &QComboBox::currentIndexChanged, this, &LoginForm::FYear_Change);
}

LoginForm::~LoginForm()
{
    Form_Unload();
}

bool LoginForm::Form_Load()
{
    try {
        m_db = std::make_unique<platform::Database>(platform::Database::open(m_databasePath.toStdString(), db::schemaUpgrades()));
        m_business = openBusinessInfo(*m_db);
        m_years = openYears(*m_db);
        m_users = openUsers(*m_db);
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return false;
    }

    const bool haveDefaults = !m_business.eof();
    fillCombo(m_fyear, m_years, "Abbreviation", "FYID");
    selectBound(m_fyear, haveDefaults ? m_business["FYID"].toInt() : 0);
    fillCombo(m_userCombo, m_users, "UserName", "UserID");
    selectBound(m_userCombo, haveDefaults ? m_business["UserID"].toInt() : 0);
    // The preselected entries count as chosen: the recordsets stand on them.
    FYear_Change();
    UserCombo_Change();

    try {
        deleteOrphans(*m_db);
    } catch (const platform::DbError&) {
        // Orphans do no harm until the next start tries again; sign-in goes on.
    }
    return true;
}

void LoginForm::UserCombo_Change()
{
    const QVariant mark = m_userCombo->currentData(kBookmarkRole);
    if (!mark.isValid() || !m_users.isOpen())
        return;
    m_users.moveTo(static_cast<platform::Bookmark>(mark.toULongLong()));
}

void LoginForm::FYear_Change()
{
    const QVariant mark = m_fyear->currentData(kBookmarkRole);
    if (mark.isValid() && m_years.isOpen())
        m_years.moveTo(static_cast<platform::Bookmark>(mark.toULongLong()));
}

void LoginForm::SetDefault_Click()
{
    if (!m_db || m_userCombo->currentIndex() < 0 || m_fyear->currentIndex() < 0)
        return;
    try {
        storeDefaults(*m_db, m_userCombo->currentData().toInt(), m_fyear->currentData().toInt());
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void LoginForm::OkBttn_Click()
{
    if (!m_db || m_userCombo->currentIndex() < 0 || m_fyear->currentIndex() < 0 || m_years.eof()
        || m_users.eof())
        return;
    // The stored hash is read at the moment of the check and never held in a
    // widget: a password changed since the window opened counts.
    bool matches = false;
    try {
        matches = passwordIs(*m_db, m_userCombo->currentData().toInt(), m_pwd->text().toStdString());
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return;
    }
    if (!matches) {
        m_pwd->clear();
        m_pwd->setFocus(Qt::OtherFocusReason);
        forms::inform(this, QStringLiteral("Wrong Password"),
                      QStringLiteral("The password provided is incorrect! Please try again!"));
        return;
    }

    auto* main = new Parent(m_databasePath);
    main->UName = m_userCombo->currentText();
    main->PelkUser = m_userCombo->currentData().toInt();
    main->FYID = m_fyear->currentData().toInt();
    main->FYStart = platform::parseIsoDate(m_years["FinancialYearStart"].toText()).value_or(QDate());
    main->FYEnd = platform::parseIsoDate(m_years["FinancialYearEnd"].toText()).value_or(QDate());
    if (!m_business.eof()) {
        main->BizName = text(m_business, "Name");
        main->BizAdd = text(m_business, "Address");
        main->BizTel = bizTel(text(m_business, "Telephones"), text(m_business, "Fax"));
        main->BizEMail = bizEMail(text(m_business, "Email"));
        main->CurrencyName = text(m_business, "CurrencyName");
        main->CurrencySymbol = text(m_business, "CCode");
        for (const VoucherKind& k : voucherKinds())
            main->*k.printFlag = yes(m_business, k.flagColumn);
        main->AutoPost = yes(m_business, "Posting");
    }

    if (!main->MDIForm_Load()) {
        // The error has been shown; without a main window the program ends.
        delete main;
        close();
        QCoreApplication::exit(1);
        return;
    }
    main->setPanelText(2, yearLine(main->FYStart, main->FYEnd));
    main->setWindowTitle(mainCaption(main->BizName));
    main->show();
    m_main = main;
    close();
}

void LoginForm::ExitBttn_Click()
{
    close();
}

void LoginForm::weblink_Click()
{
    shell::openUrl(QUrl(QLatin1String(webAddress())));
}

void LoginForm::Form_Unload()
{
    m_business.close();
    m_years.close();
    m_users.close();
    m_db.reset();
}

} // namespace app
