// The main window: the MDI frame every other window opens in. It owns the shared
// connection, the sign-in state, the hand-over members, the shared account list,
// the rights check and the menus. Public members keep the names the rest of the
// program knows them by.
#pragma once

#include <cstdint>
#include <memory>

#include <QDate>
#include <QMainWindow>
#include <QString>

#include "main/menu_table.h"
#include "platform/data/database.h"
#include "platform/data/hierarchy.h"
#include "platform/data/recordset.h"

class QAction;
class QCloseEvent;
class QLabel;
class QMdiArea;
class QStatusBar;
class QTimer;

namespace forms { class WindowHost; }

namespace app {

class Parent : public QMainWindow {
    Q_OBJECT

public:
    // A main window on the database at `databasePath`; nothing is opened until
    // MDIForm_Load. The sign-in fills the state first.
    explicit Parent(QString databasePath, QWidget* parent = nullptr);
    ~Parent() override;

    // --- shared connection and sign-in state ---
    QString PelkconnShape;
    std::unique_ptr<platform::Database> Pelkconn;
    int FYID = 0;
    QDate FYStart;
    QDate FYEnd;
    QString BizName;
    QString BizAdd;
    QString BizTel;
    QString BizEMail;
    QString CurrencyName;
    QString CurrencySymbol;
    QString UName;
    int PelkUser = 0;
    bool PelkWelcome = false;
    bool AutoPost = false;
    bool ExitOpt = false;
    bool PVType = false, PRVType = false, SVType = false, SRVType = false, CPVType = false,
         CRVType = false, BPVType = false, BRVType = false, GJVType = false;
    int HelpID = 0;
    // --- hand-over members ---
    bool LOpen = false;
    std::int32_t LedgerRef = 0;
    bool BOpen = false;
    QString AccCodeRef;
    // The voucher, or the batch of vouchers, being printed, and the TranType
    // code of their kind. A print opens VoucherRst; the voucher report closes it
    // when its window closes.
    platform::Hierarchy VoucherRst;
    int DocType = 0;
    // --- shared list of all accounts, loaded by AccTimer ---
    platform::Recordset AccListRst;

    // Opens Pelkconn, reads the silent rights, shows or hides the dashboard and
    // warns about a narrow screen. Returns false, after showing the engine's
    // message, when the database cannot be opened.
    bool MDIForm_Load();
    // Text of status-bar panel 1 or 2.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);

    // For an operator, reads right `id` afresh; when the operator's column
    // refuses it, shows "You do not have access to " and the right's text under
    // "Not Allowed" and returns false. The administrator is never looked up.
    // A database failure is shown and refuses.
    bool CheckRight(int id);
    // The same look-up without a message: true when the signed-in user is an
    // operator refused right `id`. A database failure counts as refused.
    bool isRefused(int id);

    // Menu handlers, by the entry's index.
    void Gen_Click(int index);
    void Maintain_Click(int index);
    void VouchMod_Click(int index);
    void Reports_Click(int index);
    void Hlp_Click(int index);

    // Reloads AccListRst, once per enabling of the timer.
    void AccTimer_Timer();
    // Re-arms AccTimer; windows that change the chart call it when they close.
    void enableAccTimer();

    // Opens the registered window `name`: modeless in the MDI area (a single
    // instance, given the focus), or modal, blocking until it closes. Returns the
    // window while it is open (a modal one only under the tests' non-blocking
    // switch), else null; nothing happens for a name nobody registered.
    QWidget* openWindow(const QString& name, bool modal);

    forms::WindowHost& host() { return *m_host; }
    QTimer* accTimer() const { return m_accTimer; }
    QMdiArea* mdiArea() const { return m_mdi; }
    // The menu action of an entry, or null.
    QAction* action(Menu menu, int index) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void menuClick(Menu menu, int index);
    void open(const MenuEntry& entry);
    void showNavigation();
    void startBackup();
    bool MDIForm_QueryUnload();
    void MDIForm_Unload();

    QString m_databasePath;
    QMdiArea* m_mdi = nullptr;
    QStatusBar* m_status = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    QTimer* m_accTimer = nullptr;
    std::unique_ptr<forms::WindowHost> m_host;
    bool m_unloaded = false;
};

} // namespace app
