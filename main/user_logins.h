// The administrator's window "User Logins": lists the users, adds one (ten at
// most), renames one and resets a password to the empty one. Passwords
// themselves are the password window's business.
#pragma once

#include <vector>

#include <QDialog>

#include "main/user_store.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace app {

class Parent;

class UserLogins : public QDialog {
    Q_OBJECT

public:
    // Browsing the list, Adding a new user, or Renaming the user shown.
    enum class State { Browsing, Adding, Renaming };

    // The window on `main.Pelkconn`, which must be open. Refused, and closed at
    // once, for anyone but the administrator. Loads at once.
    explicit UserLogins(Parent& main, QWidget* parent = nullptr);

    // Lists the users by id and shows the first; Browsing. A database failure
    // is shown and leaves the list empty.
    void Form_Load();
    // Shows the user of the list's current row.
    void UserList_Click();
    // The role label of the id shown: "Administrator" for 1, else "Operator".
    void UserID_Change();
    // The user typed in the login name: a user being browsed is now being renamed.
    void LoginTxt_Change();
    // Starts a new user, refused with "Cannot Add" when ten users exist.
    void AddBttn_Click();
    // Stores the new user or the new name (only the name), then Browsing on
    // that user. An empty name is refused; a database failure is shown and
    // keeps the state and the typed name.
    void SaveBttn_Click();
    // Stores the empty password's hash for the stored user shown, at once and
    // without a message; a pending rename stays pending.
    void SetPwd_Click();
    // Drops a new user or a rename not saved and shows the stored rows again;
    // the window stays open.
    void CancelBttn_Click();

    State state() const { return m_state; }

private:
    void fillList(int selectId);
    void showUser(const UserRow& user);
    void setState(State state);

    Parent& m_main;
    bool m_refused = false;
    std::vector<UserRow> m_users;   // in list order
    int m_shownId = 0;              // the stored user shown; 0 while none
    State m_state = State::Browsing;
    bool m_filling = false;

    QListWidget* m_list = nullptr;
    QLineEdit* m_login = nullptr;
    QLabel* m_userType = nullptr;
    QLineEdit* m_userId = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_setPwd = nullptr;
};

} // namespace app
