// "Password Settings": a user changes a password after typing the old one. The
// administrator may pick any user, an operator only himself. The stored hash is
// read at Save and never shown.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace app {

class Parent;

class Password : public QDialog {
    Q_OBJECT

public:
    // The window on `main.Pelkconn`, which must be open; loads at once.
    explicit Password(Parent& main, QWidget* parent = nullptr);

    // Lists the users by name and picks the signed-in one; only the
    // administrator may pick another. A database failure is shown.
    void Form_Load();
    // The user whose password Save changes: the one picked for the
    // administrator, always the signed-in user for an operator.
    void UserCombo_Change();
    // A wrong old password clears the three boxes ("Wrong Password"); two new
    // passwords that differ clear those two ("Password Mismatch"); otherwise
    // stores the new password's hash and closes. A failure is shown and
    // leaves the window open.
    void ChangePwd_Click();
    // Closes the window; nothing is written.
    void CancelBttn_Click();

    int targetUser() const { return m_userId; }

private:
    Parent& m_main;
    int m_userId = 0;
    QComboBox* m_users = nullptr;
    QLineEdit* m_old = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_new2 = nullptr;
};

} // namespace app
