// The administrator's window "Financial Years": lists the years, adds a year and
// changes a year's dates; each save writes the year and its opening-balance
// voucher together. The voucher's lines are the opening balances' business.
#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "main/year_store.h"

class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace app {

class Parent;

class FinancialYears : public QDialog {
    Q_OBJECT

public:
    // Browsing, Adding a new year, or Editing the dates of the year shown.
    enum class State { Browsing, Adding, Editing };

    // The window on the main window's connection `main.Pelkconn`, which must be
    // open; stamps vouchers with `main.PelkUser`. Loads at once (Form_Load).
    explicit FinancialYears(Parent& main, QWidget* parent = nullptr);

    // Lists the years by abbreviation and shows the first; Browsing. A database
    // failure is shown and leaves the list empty.
    void Form_Load();
    // Shows the year of the list's current row; only while Browsing.
    void FYList_Click();
    // Begins a new year with the next id and today in both pickers, and locks
    // the list and Add. Refused with a message when no id is left (255 taken).
    void AddBttn_Click();
    // A picker's date was changed by the user (index 0 start, 1 end): locks the
    // list and Add; a year being browsed is now being edited.
    void FYDate_Change(int index);
    // Checks the dates, then stores the year (new or edited) and writes its
    // opening-balance voucher in one transaction; back to Browsing on the
    // saved year. A refusal or a database failure is shown and keeps the state.
    void SaveBttn_Click();
    // Drops a pending new year or an unsaved change and closes the window.
    void CancelBttn_Click();

    State state() const { return m_state; }

private:
    void showYear(const YearRow& year);
    void fillList(int selectId);
    void setBrowsing();

    Parent& m_main;
    std::vector<YearRow> m_years;       // in list order
    std::optional<YearRow> m_current;   // the year shown while Browsing or Editing
    State m_state = State::Browsing;
    bool m_showing = false;             // pickers set by the program, not the user
    // Whether the user changed each picker since a year was shown: a date the
    // user left alone is saved as stored, even where a picker could not show it.
    bool m_edited[2] = {false, false};

    QListWidget* m_list = nullptr;
    QDateEdit* m_dates[2] = {nullptr, nullptr};
    QLineEdit* m_abbreviation = nullptr;
    QLineEdit* m_fid = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace app
