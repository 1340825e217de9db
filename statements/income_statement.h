// "Income Statement": each main type of the revenue and expense sides with its
// credits minus debits for the year to date, up to a date or for a period,
// printed through IncStatement with the net profit or loss. Writes nothing.
#pragma once

#include <QDialog>
#include <QString>

#include "platform/data/hierarchy.h"

class QDateEdit;
class QPushButton;
class QRadioButton;

namespace app { class Parent; }

namespace statements {

class IncomeStatement : public QDialog {
    Q_OBJECT

public:
    // The window for the signed-in year of `main`, whose Pelkconn must be
    // open; loads at once with "To date" selected.
    explicit IncomeStatement(app::Parent& main, QWidget* parent = nullptr);

    // DateUpto and DateTo take the default end date, DateFrom the default start.
    void Form_Load();
    // 0 "To date": no dates; 1 "Upto": DateUpto; 2 "For Period From": DateFrom and DateTo.
    void Period_Click(int index);
    // "View": refuses a period whose first date is after its last ("Invalid
    // Date"); then, with the button off until the preview closes, works out
    // the statement (to date: the lines up to today; up to: those up to
    // DateUpto; a period: those from DateFrom to DateTo) and shows
    // IncStatement. A failed query is told and gives the button back.
    void PreviewBttn_Click();

    // The statement's rows, from View until the report ends.
    platform::Hierarchy PLSRst;
    // The period line under the title.
    QString PLSPeriod;

private:
    app::Parent& m_main;
    QRadioButton* m_period[3] = {};
    QDateEdit* m_dateUpto = nullptr;
    QDateEdit* m_dateFrom = nullptr;
    QDateEdit* m_dateTo = nullptr;
    QPushButton* m_preview = nullptr;
};

} // namespace statements
