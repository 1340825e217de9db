// The dashboard inside the main window. For now it carries its caption only;
// its notice board, notes and quick buttons come with their own work.
#pragma once

#include <QWidget>

namespace app {

class Parent;

class Navigation : public QWidget {
    Q_OBJECT

public:
    explicit Navigation(Parent& main, QWidget* parent = nullptr);
    // Sets the caption "Account Dashboard - " and the user's name.
    void Form_Load();

private:
    Parent& m_main;
};

} // namespace app
