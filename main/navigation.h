// The dashboard "Account Dashboard" inside the main window: the company's name
// and today's date, the notice board all users share (locked for an operator
// refused right 4), the signed-in user's own notes, and quick buttons to the
// nine voucher forms, four reports and seven troubleshooting answers.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace app {

class Parent;

class Navigation : public QWidget {
    Q_OBJECT

public:
    // The dashboard on `main.Pelkconn`, which must be open; loads at once.
    explicit Navigation(Parent& main, QWidget* parent = nullptr);

    // Caption, business name, today's date, the notice board and the user's
    // notes as stored, and the board locked or not by right 4. A failed read
    // is shown and keeps that box's Save off, so it cannot overwrite the
    // stored text with an empty one.
    void Form_Load();
    // Opens voucher form `index` (0 to 8, in menu order) when the kind's open
    // right allows it.
    void RecordNew_Click(int index);
    // Opens report window `index` (1 to 4) when its right allows it.
    void ViewRep_Click(int index);
    // Shows troubleshooting answer `index` (0 to 6) through the main window's HelpID.
    void Trouble_Click(int index);
    // Writes the notes, only the user's own. A failure is shown and keeps the text.
    void SaveBttn_Click();
    // Shows the stored notes again.
    void CancelBttn_Click();
    // Writes the notice board. Does nothing while it is locked; a failure is
    // shown and keeps the text.
    void SaveBttn2_Click();
    // Shows the stored notice board again. Does nothing while it is locked.
    void CancelBttn2_Click();

    bool boardLocked() const { return m_locked; }

private:
    void loadBoard();
    void loadNotes();

    Parent& m_main;
    bool m_locked = false;

    QLineEdit* m_coTxt = nullptr;
    QLabel* m_dtLbl = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    QPushButton* m_saveNotes = nullptr;
    QPushButton* m_cancelNotes = nullptr;
    QPushButton* m_saveBoard = nullptr;
    QPushButton* m_cancelBoard = nullptr;
};

} // namespace app
