// "Balance Sheet": one balance per main type of the asset and the equity and
// liability sides with the period's profit under nature 30, written to TempBS
// and printed through BalSheet, each side on its own page.
#pragma once

#include <QDialog>
#include <QString>

#include "platform/data/hierarchy.h"

class QDateEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace app { class Parent; }

namespace statements {

class BalanceSheet : public QDialog {
    Q_OBJECT

public:
    // The window for the signed-in year of `main`, whose Pelkconn must be
    // open; loads at once with "To date" selected.
    explicit BalanceSheet(app::Parent& main, QWidget* parent = nullptr);

    // DateOn takes the default end date.
    void Form_Load();
    // 0 "To date" disables DateOn; 1 "On Date" enables it.
    void Period_Click(int index);
    // "View": turns the button off, works out every main type's balance and the
    // period's profit (to date: the lines up to today; on a date: those up to
    // DateOn), empties and rewrites TempBS in one transaction and starts
    // Timer2. A failure is told, leaves TempBS as it was and gives the button back.
    void PreviewBttn_Click();
    // Reads the balance sheet's rows over TempBS and shows BalSheet; the button
    // comes back when the preview closes. A failed query is told and gives the
    // button back.
    void Timer2_Timer();

    // The report's rows, from the timer until the report ends.
    platform::Hierarchy BSRptRst;
    // The date line under the title.
    QString BalOnDate;

private:
    app::Parent& m_main;
    QRadioButton* m_period[2] = {};
    QDateEdit* m_dateOn = nullptr;
    QPushButton* m_preview = nullptr;
    QTimer* m_timer2 = nullptr;
};

} // namespace statements
