// "Troubleshooting": the heading and answer of one HelpIndex row, read only.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace app {

class Parent;

class HelpForm : public QDialog {
    Q_OBJECT

public:
    // The window on `main.Pelkconn`, which must be open; shows answer
    // `main.HelpID` at once.
    explicit HelpForm(Parent& main, QWidget* parent = nullptr);

    // Shows the row of HelpID; an id without a row leaves the window empty. A
    // database failure is shown.
    void Form_Load();

private:
    Parent& m_main;
    QLabel* m_heading = nullptr;
    QTextBrowser* m_matter = nullptr;
    QLineEdit* m_id = nullptr;
};

} // namespace app
