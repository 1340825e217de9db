// The main window's load, menus, rights check, account-list timer and close.
#include "main/parent.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QPointer>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "db/upgrade.h"
#include "main/login_store.h"
#include "main/navigation.h"
#include "main/rights.h"
#include "main/window_catalog.h"
#include "platform/forms/messages.h"
#include "platform/forms/window_host.h"
#include "platform/shell/environment.h"
#include "platform/shell/launcher.h"

namespace app {
namespace {

constexpr int kAccTimerMs = 1000;
constexpr int kMinimumScreenTwips = 15000;

const char* const kBackupProgram = "Stowkeep";

QString actionName(Menu menu, int index)
{
    for (const auto& t : menuTitles())
        if (t.menu == menu)
            return QStringLiteral("%1_%2").arg(QLatin1String(t.handler)).arg(index);
    return {};
}

} // namespace

Parent::Parent(QString databasePath, QWidget* parent)
    : QMainWindow(parent), m_databasePath(std::move(databasePath))
{
    setObjectName(QStringLiteral("Parent"));
    setWindowTitle(QStringLiteral("Tamsel Standard"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1024, 720);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(m_mdi);
    m_host = std::make_unique<forms::WindowHost>(m_mdi);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("PelkStatusBar"));
    m_panel1 = new QLabel(QStringLiteral("Tamsel Standard by Brevanko"), m_status);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel2 = new QLabel(QStringLiteral("Financial Year"), m_status);
    m_panel2->setObjectName(QStringLiteral("Panel2"));
    for (QLabel* panel : {m_panel1, m_panel2})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_status->addWidget(m_panel1);
    m_status->addWidget(m_panel2, 1);
    setStatusBar(m_status);

    m_accTimer = new QTimer(this);
    m_accTimer->setObjectName(QStringLiteral("AccTimer"));
    m_accTimer->setSingleShot(true);
    m_accTimer->setInterval(kAccTimerMs);
    connect(m_accTimer, &QTimer::timeout, this, &Parent::AccTimer_Timer);
    m_accTimer->start();

    buildMenus();
}

Parent::~Parent()
{
    MDIForm_Unload();
}

void Parent::buildMenus()
{
    for (const auto& title : menuTitles()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title.caption));
        menu->setObjectName(QLatin1String(title.handler));
        for (const auto& e : menuEntries()) {
            if (e.menu != title.menu)
                continue;
            if (QLatin1String(e.caption) == QLatin1String("-")) {
                menu->addSeparator()->setObjectName(actionName(e.menu, e.index));
                continue;
            }
            QAction* a = menu->addAction(QString::fromUtf8(e.caption));
            a->setObjectName(actionName(e.menu, e.index));
            // Entries whose window is not part of the program yet stay visible but disabled.
            const bool built = e.opens == Opens::Backup || e.opens == Opens::Exit
                               || (e.window && QLatin1String(e.window) == QLatin1String("Navigation"))
                               || (e.window && findWindow(QString::fromUtf8(e.window)));
            a->setEnabled(built);
            const Menu m = e.menu;
            const int index = e.index;
            connect(a, &QAction::triggered, this, [this, m, index] { menuClick(m, index); });
        }
    }
}

QAction* Parent::action(Menu menu, int index) const
{
    return findChild<QAction*>(actionName(menu, index));
}

bool Parent::MDIForm_Load()
{
    try {
        Pelkconn = std::make_unique<platform::Database>(
            platform::Database::open(m_databasePath.toStdString(), db::schemaUpgrades()));
    } catch (const std::exception& e) {
        forms::showError(this, e);
        return false;
    }
    // The report queries of this program run on the same file; the text is kept
    // for the windows that open connections of their own.
    PelkconnShape = m_databasePath;

    PelkWelcome = !isRefused(right::Welcome);
    if (PelkWelcome)
        showNavigation();
    ExitOpt = false;

    if (shell::screenWidthTwips() < kMinimumScreenTwips) {
        forms::inform(this, QStringLiteral("Screen Display Resolution"),
                      QStringLiteral("It has been detected that your screen resolution has been set lesser "
                                     "than the minimum requirement for Tamsel Standard. The minimum screen "
                                     "display settings requirement for this software is 1024 X 768 . Kindly "
                                     "reset your display settings for proper visibility."));
    }
    return true;
}

QString Parent::panelText(int panel) const
{
    return panel == 1 ? m_panel1->text() : m_panel2->text();
}

void Parent::setPanelText(int panel, const QString& text)
{
    (panel == 1 ? m_panel1 : m_panel2)->setText(text);
}

bool Parent::isRefused(int id)
{
    if (PelkUser == kAdministrator)
        return false;
    if (!Pelkconn)
        return true;
    try {
        return loadRight(*Pelkconn, id, PelkUser).notAllowed;
    } catch (const platform::DbError&) {
        // A silent check has no message to give; refusing is the safe answer.
        return true;
    }
}

bool Parent::CheckRight(int id)
{
    if (PelkUser == kAdministrator)
        return true;
    if (!Pelkconn)
        return false;
    try {
        const RightRow row = loadRight(*Pelkconn, id, PelkUser);
        if (!row.notAllowed)
            return true;
        forms::inform(this, QStringLiteral("Not Allowed"),
                      QStringLiteral("You do not have access to ") + QString::fromStdString(row.rightType));
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
    return false;
}

void Parent::Gen_Click(int index) { menuClick(Menu::Gen, index); }
void Parent::Maintain_Click(int index) { menuClick(Menu::Maintain, index); }
void Parent::VouchMod_Click(int index) { menuClick(Menu::VouchMod, index); }
void Parent::Reports_Click(int index) { menuClick(Menu::Reports, index); }
void Parent::Hlp_Click(int index) { menuClick(Menu::Hlp, index); }

void Parent::menuClick(Menu menu, int index)
{
    const MenuEntry* e = findEntry(menu, index);
    if (!e)
        return;
    switch (e->guard) {
    case Guard::None:
        break;
    case Guard::Right:
        if (!CheckRight(e->rightId))
            return;
        break;
    case Guard::Administrator:
        if (PelkUser != kAdministrator) {
            forms::inform(this, QStringLiteral("Not Allowed"), QString::fromUtf8(e->refusal));
            return;
        }
        break;
    case Guard::Welcome:
        if (!PelkWelcome) {
            forms::inform(this, QStringLiteral("Not Allowed"), QString::fromUtf8(e->refusal));
            return;
        }
        break;
    }
    open(*e);
}

void Parent::open(const MenuEntry& entry)
{
    switch (entry.opens) {
    case Opens::Backup:
        startBackup();
        return;
    case Opens::Exit:
        close();
        return;
    case Opens::Modeless:
    case Opens::Modal:
        if (QLatin1String(entry.window) == QLatin1String("Navigation"))
            showNavigation();
        else
            openWindow(QString::fromUtf8(entry.window), entry.opens == Opens::Modal);
        return;
    case Opens::Nothing:
        return;
    }
}

QWidget* Parent::openWindow(const QString& name, bool modal)
{
    const WindowFactory* make = findWindow(name);
    if (!make)
        return nullptr;
    if (!modal)
        return m_host->showModeless(name, [this, make] { return (*make)(*this); });
    QWidget* w = (*make)(*this);
    auto* dialog = qobject_cast<QDialog*>(w);
    if (!dialog) {
        delete w;
        return nullptr;
    }
    dialog->setParent(this, dialog->windowFlags() | Qt::Dialog);
    dialog->setObjectName(name);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QDialog> guard(dialog);
    forms::WindowHost::runModal(dialog);
    return guard.data();
}

void Parent::showNavigation()
{
    m_host->showModeless(QStringLiteral("Navigation"), [this] { return new Navigation(*this); });
}

void Parent::startBackup()
{
    if (!shell::startDetached(shell::besideThisProgram(QLatin1String(kBackupProgram))))
        return;   // nothing happens; a later close asks the back-up question as usual
    ExitOpt = true;
    close();
}

void Parent::AccTimer_Timer()
{
    m_accTimer->stop();
    if (!Pelkconn)
        return;
    try {
        AccListRst.close();
        AccListRst = app::openAccountList(*Pelkconn);
    } catch (const std::exception& e) {
        forms::showError(this, e);
    }
}

void Parent::enableAccTimer()
{
    m_accTimer->start();
}

bool Parent::MDIForm_QueryUnload()
{
    if (ExitOpt)
        return true;
    const auto answer = forms::ask(this, QStringLiteral("Back-Up Confirmation"),
                                   QStringLiteral("Do you want to save back-up of your data?"),
                                   forms::Buttons::YesNoCancel);
    if (answer == forms::Answer::Cancel)
        return false;
    if (answer == forms::Answer::Yes
        && !shell::startDetached(shell::besideThisProgram(QLatin1String(kBackupProgram)))) {
        // The user asked for a back-up: ending without one, unannounced, would lose it.
        forms::inform(this, QStringLiteral("Back-Up Not Started"),
                      QStringLiteral("The back-up program Stowkeep could not be started, so no back-up "
                                     "has been made. Tamsel Standard stays open."));
        return false;
    }
    return true;
}

void Parent::closeEvent(QCloseEvent* event)
{
    if (!MDIForm_QueryUnload()) {
        event->ignore();
        return;
    }
    m_host->closeAll();
    MDIForm_Unload();
    event->accept();
}

void Parent::MDIForm_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_accTimer->stop();
    AccListRst.close();
    VoucherRst.close();
    Pelkconn.reset();
}

} // namespace app
