// The sign-in window the program starts with: user, year and password; on
// success it fills the main window's sign-in state, shows it and closes.
#pragma once

#include <memory>

#include <QPointer>
#include <QWidget>

#include "main/parent.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

class LoginForm : public QWidget {
    Q_OBJECT

public:
    explicit LoginForm(QString databasePath, QWidget* parent = nullptr);
    ~LoginForm() override;

    // Opens the window's own connection, fills the two lists on the stored
    // defaults and deletes orphaned chart rows. Returns false, after showing
    // the engine's message, when the database cannot be opened or read.
    bool Form_Load();

    void OkBttn_Click();
    void ExitBttn_Click();
    void SetDefault_Click();
    void weblink_Click();
    void UserCombo_Change();
    void FYear_Change();

    // The main window made by a successful sign-in, or null.
    Parent* mainWindow() const { return m_main; }

    static const char* webAddress();

private:
    void Form_Unload();

    QString m_databasePath;
    std::unique_ptr<platform::Database> m_db;
    platform::Recordset m_business;
    platform::Recordset m_years;
    platform::Recordset m_users;

    QComboBox* m_userCombo = nullptr;
    QComboBox* m_fyear = nullptr;
    QLineEdit* m_pwd = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_setDefault = nullptr;
    QLabel* m_weblink = nullptr;
    QPointer<Parent> m_main;
};

} // namespace app
