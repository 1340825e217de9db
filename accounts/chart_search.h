// The chart search "Chart of Accounts": every account with its sub type and main
// type, narrowed as the user types, from which a double-click takes the chart
// editor to the picked account. Opened by the editor's "Find" only; the rows and
// their filter are in chart_search_rules, the query in chart_search_store.
#pragma once

#include <vector>

#include <QDialog>

#include "accounts/chart_search_rules.h"

class QLineEdit;
class QPushButton;

namespace app { class Parent; }
namespace forms { class DataGrid; }

namespace accounts {

class ChartSearchModel;
class ModifyAccounts;

class ChartofAccounts : public QDialog {
    Q_OBJECT

public:
    // The search over the chart on `main.Pelkconn`, which must be open, that
    // positions `editor`. Loads the whole chart at once; a database failure is
    // shown and leaves the grid empty.
    ChartofAccounts(app::Parent& main, ModifyAccounts& editor, QWidget* parent = nullptr);
    ~ChartofAccounts() override;

    // Filters the loaded chart by the search box's text, afresh on every change
    // (typed, deleted or pasted), so that deleting text brings rows back; an
    // empty box reads the chart again and lists all of it.
    void SearchBox_KeyUp();
    // Reads the chart again and empties the search box.
    void RefBttn_Click();
    // With a current row: shows its main type, sub type and account in the
    // editor, marked in its three lists, and closes. Nothing on an empty grid.
    void InvGrid_DblClick();
    // Lets go of the chart. Runs once, however the window closes.
    void Form_Unload();

    // The account codes listed, in order (tests).
    std::vector<std::int64_t> listedCodes() const;

protected:
    void done(int result) override;

private:
    void reload();
    void showCurrent();

    app::Parent& m_main;
    ModifyAccounts& m_editor;
    bool m_unloaded = false;

    ChartSearchModel* m_model = nullptr;
    forms::DataGrid* m_invGrid = nullptr;
    QLineEdit* m_aCode = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QPushButton* m_refBttn = nullptr;
};

} // namespace accounts
