// The account code box: a code box with a read-only name box, served by the
// type-ahead account list under it. AccCodeBox has one such box; AccRangePicker
// has a "from" and a "to" box that share one list. The hosting window lays the
// boxes out; the list places itself under the box it serves.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>

class QEvent;
class QLineEdit;
class QListView;
class QTimer;
class QWidget;

namespace platform {
class Database;
class Recordset;
}

namespace ledgers {

class AccountListModel;

// The type-ahead list and the boxes it serves. A box's name box is filled only
// while its text is the code of an account in the shared account list; after
// the user leaves a box it holds such a code or nothing (with an empty chart,
// a typed number is kept). Shows no message box: a text removed on leaving a
// box is told in its empty name box (and a tip at the box).
class AccountPickList : public QObject {
    Q_OBJECT

public:
    // The list is made as a hidden child of `window` (objectName "AccCodeList",
    // with its hide timer "IListTimer"). `accounts` is the main window's
    // AccListRst: read, never moved, and kept by reference, so its reloads are
    // seen. `db` serves the type-ahead queries. Both outlive this object.
    AccountPickList(platform::Database& db, const platform::Recordset& accounts, QWidget* window);
    ~AccountPickList() override;

    QListView* list() const { return m_list; }
    QTimer* timer() const { return m_timer; }
    QLineEdit* codeBox(int box) const { return m_boxes.at(static_cast<std::size_t>(box)).code; }
    QLineEdit* nameBox(int box) const { return m_boxes.at(static_cast<std::size_t>(box)).name; }
    // The box the list serves: the one that last had the focus (0 at first).
    int servedBox() const { return m_served; }
    // Yes while a code box or the list holds the focus (CodeFocus).
    bool codeFocus() const { return m_codeFocus; }
    void setCodeFocus(bool on) { m_codeFocus = on; }
    // The code of the list data's current row (the hidden bound box), or
    // nothing when the list holds no row.
    std::optional<std::int64_t> currentCode() const;
    // Hides the list now.
    void hideList();

    // --- handlers of a code box (box 0 or 1) ---
    // Any change of the box's text: the name box takes the account's name, or
    // is emptied for a text that is no code; with an empty chart a code
    // changes nothing.
    void Code_Change(int box);
    // Selects the box's text, sets CodeFocus and moves the list under the box,
    // which it serves from now on.
    void Code_GotFocus(int box);
    // Down/Up: into the list, on its current row, while the list shows; Esc:
    // empties the box and hides the list; Enter: to the name box, list hidden.
    // Returns true when the key was taken.
    bool Code_KeyDown(int box, int key);
    // Type-ahead on each key released in the box: the list shows the accounts
    // containing the text, or hides (with every account) when it is empty. A
    // failed query leaves the list as it was.
    void Code_KeyUp(int box);
    // Leaving the box: a text that is no account's code is removed (a number
    // is kept while the chart is empty) and the name box says why until the
    // box is typed into again; CodeFocus is cleared and the hide timer started.
    void Code_LostFocus(int box);
    // --- handlers of the list ---
    // Row `row` becomes the list data's current row (-1: none).
    void AccCodeList_Click(int row);
    // The served box takes the current row's code (or is emptied when the
    // list holds no row) and the focus.
    void AccCodeList_DblClick();
    // Enter or Tab: the served box takes the current row's code (when there is
    // one), then the focus goes to its name box; Esc: the served box is emptied
    // and takes the focus. Returns true when the key was taken.
    bool AccCodeList_KeyDown(int key);
    // CodeFocus is set.
    void AccCodeList_GotFocus();
    // CodeFocus is cleared and the list hidden at once.
    void AccCodeList_LostFocus();
    // Each tick while started: once CodeFocus is clear, hides the list and stops.
    void IListTimer_Timer();

protected:
    // Adds a code box with its name box; the picker sets the code box's length
    // and alignment and makes the name box read-only. Returns its index.
    int addBox(QLineEdit* code, QLineEdit* name);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Box {
        QLineEdit* code = nullptr;
        QLineEdit* name = nullptr;
    };
    int boxOf(QObject* watched) const;
    void placeUnder(int box);
    void requery(const QString& typed);
    // The name of account `code` in the shared list, or nothing.
    std::optional<QString> nameOf(std::int64_t code) const;
    bool accountsEmpty() const;

    platform::Database& m_db;
    const platform::Recordset& m_accounts;
    QWidget* m_window;
    QListView* m_list = nullptr;
    QTimer* m_timer = nullptr;
    AccountListModel* m_model = nullptr;
    std::vector<Box> m_boxes;
    int m_served = 0;
    int m_current = -1;   // the list data's current row
    bool m_codeFocus = false;
};

// One code box: "ACodeTxt" with its name box "Acc".
class AccCodeBox : public AccountPickList {
    Q_OBJECT

public:
    // Serves `code` and `name`, children of `window`; see AccountPickList.
    AccCodeBox(platform::Database& db, const platform::Recordset& accounts, QWidget* window,
               QLineEdit* code, QLineEdit* name);
};

// The range picker: "CodeFrom"/"AccFrom" and "CodeTo"/"AccTo" sharing one list.
class AccRangePicker : public AccountPickList {
    Q_OBJECT

public:
    AccRangePicker(platform::Database& db, const platform::Recordset& accounts, QWidget* window,
                   QLineEdit* codeFrom, QLineEdit* accFrom, QLineEdit* codeTo, QLineEdit* accTo);
    // Yes while the list serves the from box (FromActive).
    bool fromActive() const { return servedBox() == 0; }
};

} // namespace ledgers
