// The administrator's window "User Rights Settings": the rights table with one
// operator's column at a time; a double-click toggles a right in memory, Save
// writes the changed cells, Cancel and closing drop them.
#pragma once

#include <QDialog>

#include "main/rights_sheet.h"

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace app {

class Parent;

class UserRights : public QDialog {
    Q_OBJECT

public:
    // The window on `main.Pelkconn`, which must be open. Refused, and closed at
    // once, for anyone but the administrator. Loads at once.
    explicit UserRights(Parent& main, QWidget* parent = nullptr);

    // Reads the rights and the operators and shows the first operator (by
    // name). A database failure is shown and leaves the grid empty.
    void Form_Load();
    // Shows only the column of the operator picked in LoginList.
    void LoginList_Change();
    // Toggles the picked operator's cell of the grid's current row, in memory.
    void RightsGrid_DblClick();
    // Writes every pending change in one transaction; on failure the changes
    // stay pending and the error is shown. The window stays open.
    void SaveBttn_Click();
    // Drops the pending changes and shows the stored rights; the window stays open.
    void CancelBttn_Click();

    // The operator whose column is shown; 0 when there is none.
    int shownOperator() const { return m_operator; }
    const RightsSheet& sheet() const { return m_sheet; }

private:
    void fillGrid();
    void showCell(int row, int userId);

    Parent& m_main;
    bool m_refused = false;
    RightsSheet m_sheet;
    int m_operator = 0;

    QComboBox* m_loginList = nullptr;
    QLineEdit* m_uid = nullptr;
    QTableWidget* m_grid = nullptr;
};

} // namespace app
